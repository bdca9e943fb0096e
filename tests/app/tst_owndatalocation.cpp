// Where the own database is kept: beside a portable program folder, in the user's data folder
// when the program is installed. Each test gets its own XDG_DATA_HOME.
#include "Windows.h"
#include "app/MessageBox.h"
#include "app/Startup.h"
#include "data/OwnDataLocation.h"
#include "data/Schema.h"
#include "herbs/HerbWindow.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QFile>
#include <QListWidget>
#include <QTabWidget>

#include <memory>

using tavirel::app::MessageBox;
using tavirel::app::Startup;
namespace schema = tavirel::data::schema;

namespace {

// What the herb window's own-herbs tab lists, as the user sees it.
QStringList ownHerbsListed(tavirel::app::AppContext& context)
{
    tavirel::herbs::HerbWindow window(context);
    window.show();
    tavirel::test::control<QTabWidget>(&window, QStringLiteral("SSTab1"))->setCurrentIndex(3);
    return tavirel::test::entries(tavirel::test::control<QListWidget>(&window, "List3"));
}

} // namespace

class TestOwnDataLocation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void portableFolderKeepsItsDatabase();
    void unwritableFolderUsesTheUserData();
    void installedFirstStartCreatesThenKeeps();
    void userDataFolderFailureIsReported();

private:
    QString userFile() const { return m_home->filePath(QStringLiteral("tavirel/yourown.MDB")); }
    // A built program folder, marked as installed when asked.
    std::unique_ptr<tavirel::test::ProgramFolder> folder(bool installed);

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

std::unique_ptr<tavirel::test::ProgramFolder> TestOwnDataLocation::folder(bool installed)
{
    auto built = std::make_unique<tavirel::test::ProgramFolder>();
    if (!built->isValid())
        qWarning("%s", qPrintable(built->errors()));
    QFile marker(built->file(tavirel::data::installedMarkerName));
    if (installed && !marker.open(QIODevice::WriteOnly))
        qWarning("can not mark the folder installed");
    return built;
}

void TestOwnDataLocation::portableFolderKeepsItsDatabase()
{
    const auto built = folder(false);
    Startup startup(built->path(), tavirel::programWindows);
    QCOMPARE(startup.load(), std::nullopt);
    QCOMPARE(startup.context().ownDatabaseFile(), built->file(schema::ownFileName));
    QCOMPARE(ownHerbsListed(startup.context()), QStringList({"My Herb"}));
    QVERIFY(!QFileInfo::exists(m_home->filePath(QStringLiteral("tavirel"))));
}

void TestOwnDataLocation::unwritableFolderUsesTheUserData()
{
    QTemporaryDir program;
    QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool writable = QFileInfo(program.path()).isWritable();
    const auto own = tavirel::data::OwnDataLocation::decide(program.path());
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (writable)
        QSKIP("this user may write any folder (root)");
    QVERIFY(own.inUserData);
    QCOMPARE(own.file, userFile());
}

void TestOwnDataLocation::installedFirstStartCreatesThenKeeps()
{
    const auto built = folder(true);
    // A stray own database in an installed folder ("My Herb") is not the user's: never used.
    QVERIFY(QFileInfo::exists(built->file(schema::ownFileName)));
    {
        Startup first(built->path(), tavirel::programWindows);
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
    Startup second(built->path(), tavirel::programWindows);
    QCOMPARE(second.load(), std::nullopt);
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(second.context().ownDatabaseFile(), userFile());
    QCOMPARE(ownHerbsListed(second.context()), QStringList({"Mine"}));
    QCOMPARE(tavirel::test::columnValues(built->file(schema::ownFileName), {},
                                         "SELECT name1 FROM ownherb WHERE name1 = 'Mine'"),
             QStringList());
}

void TestOwnDataLocation::userDataFolderFailureIsReported()
{
    const auto built = folder(true);
    // The data folder's place is taken by a file: the folder can not be made.
    QFile blocker(m_home->filePath(QStringLiteral("tavirel")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    Startup startup(built->path(), tavirel::programWindows);
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
