// Where the own database is kept: beside a portable program folder, in the user's data folder
// when the program is installed. Each test gets its own XDG_DATA_HOME.
#include "Windows.h"
#include "app/MessageBox.h"
#include "app/Startup.h"
#include "data/OwnDataLocation.h"
#include "data/Schema.h"
#include "herbs/HerbWindow.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QListWidget>
#include <QTabWidget>

#include <memory>

using tavirel::app::MessageBox;
using tavirel::app::Startup;
using tavirel::data::OwnDataLocation;
namespace schema = tavirel::data::schema;

class TestOwnDataLocation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void locationIsDecided_data();
    void locationIsDecided();
    void portableFolderKeepsItsDatabase();
    void installedFirstStartCreatesThenKeeps();
    void userDataFolderFailureIsReported();

private:
    QString userFile() const { return m_home->filePath(QStringLiteral("tavirel/yourown.MDB")); }
    static void markInstalled(const tavirel::test::ProgramFolder& folder);
    static QStringList ownHerbsListed(tavirel::app::AppContext& context);

    std::unique_ptr<QTemporaryDir> m_home;
};

void TestOwnDataLocation::init()
{
    MessageBox::setTestMode(true);
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->path()));
}

void TestOwnDataLocation::cleanup()
{
    MessageBox::takeShown();
    m_home.reset();
}

void TestOwnDataLocation::markInstalled(const tavirel::test::ProgramFolder& folder)
{
    QFile marker(folder.file(tavirel::data::installedMarkerName));
    QVERIFY(marker.open(QIODevice::WriteOnly));
}

// What the herb window's own-herbs tab lists, as the user sees it.
QStringList TestOwnDataLocation::ownHerbsListed(tavirel::app::AppContext& context)
{
    tavirel::herbs::HerbWindow window(context);
    window.show();
    tavirel::test::control<QTabWidget>(&window, QStringLiteral("SSTab1"))->setCurrentIndex(3);
    auto* list = tavirel::test::control<QListWidget>(&window, QStringLiteral("List3"));
    QStringList entries;
    for (int i = 0; list && i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

void TestOwnDataLocation::locationIsDecided_data()
{
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("inUserData");

    QTest::newRow("portable") << false << false << false;
    QTest::newRow("installed marker") << true << false << true;
    QTest::newRow("folder not writable") << false << true << true;
}

void TestOwnDataLocation::locationIsDecided()
{
    QFETCH(bool, marked);
    QFETCH(bool, readOnly);
    QFETCH(bool, inUserData);
    QTemporaryDir folder;
    if (marked) {
        QFile marker(folder.filePath(tavirel::data::installedMarkerName));
        QVERIFY(marker.open(QIODevice::WriteOnly));
    }
    if (readOnly) {
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(folder.path()).isWritable()) {
            QFile::setPermissions(folder.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user may write any folder (root)");
        }
    }
    const OwnDataLocation own = OwnDataLocation::decide(folder.path());
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(own.inUserData, inUserData);
    QCOMPARE(own.file, inUserData ? userFile() : folder.filePath(schema::ownFileName));
}

void TestOwnDataLocation::portableFolderKeepsItsDatabase()
{
    tavirel::test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    Startup startup(folder.path(), tavirel::programWindows);
    QCOMPARE(startup.load(), std::nullopt);
    QCOMPARE(startup.context().ownDatabaseFile(), folder.file(schema::ownFileName));
    QCOMPARE(ownHerbsListed(startup.context()), QStringList({"My Herb"}));
    QVERIFY(!QFileInfo::exists(m_home->filePath(QStringLiteral("tavirel"))));
}

void TestOwnDataLocation::installedFirstStartCreatesThenKeeps()
{
    tavirel::test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    markInstalled(folder);
    // A stray own database in an installed folder ("My Herb") is not the user's: never used.
    QVERIFY(QFileInfo::exists(folder.file(schema::ownFileName)));

    {
        Startup first(folder.path(), tavirel::programWindows);
        QCOMPARE(first.load(), std::nullopt);
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(first.context().ownDatabaseFile(), userFile());
        QCOMPARE(tavirel::test::columnValues(
                     userFile(), {},
                     "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
                 QStringList({"ownherb", "ownpres"}));
        QCOMPARE(ownHerbsListed(first.context()), QStringList({"No yourown record!"}));
        // Written as the add-herb window writes it.
        QVERIFY(first.context().ownDb().exec(QStringLiteral(
            "INSERT INTO ownherb (name1, name2, source, used, taste, meridians, "
            "functions, indications, dosage, coutions) "
            "VALUES ('Mine', 'Herba Mea', 's', 'u', 't', 'm', 'f', 'i', 'd', 'c')")));
    }

    Startup second(folder.path(), tavirel::programWindows);
    QCOMPARE(second.load(), std::nullopt);
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(second.context().ownDatabaseFile(), userFile());
    QCOMPARE(ownHerbsListed(second.context()), QStringList({"Mine"}));
    QCOMPARE(tavirel::test::columnValues(folder.file(schema::ownFileName), {},
                                         "SELECT name1 FROM ownherb WHERE name1 = 'Mine'"),
             QStringList());
}

void TestOwnDataLocation::userDataFolderFailureIsReported()
{
    tavirel::test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    markInstalled(folder);
    // The data folder's place is taken by a file: the folder can not be made.
    QFile blocker(m_home->filePath(QStringLiteral("tavirel")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    Startup startup(folder.path(), tavirel::programWindows);
    QCOMPARE(startup.load(), std::optional<int>(Startup::exitDatabaseFailure));
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().icon, MessageBox::Icon::Critical);
    QVERIFY2(shown.first().text.startsWith(
                 QStringLiteral("Can not open the database file \"%1\".").arg(userFile())),
             qPrintable(shown.first().text));
    QVERIFY(!startup.context().ownDb().isOpen());
}

QTEST_MAIN(TestOwnDataLocation)
#include "tst_owndatalocation.moc"
