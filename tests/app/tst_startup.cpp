// The start: databases opened, one copy at a time, a clear end when a database fails, and where
// the own database is kept (beside a portable program folder, in the user's data folder when the
// program is installed). Each test gets its own XDG_DATA_HOME.
#include "Windows.h"
#include "app/MessageBox.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "data/Database.h"
#include "data/OwnDataLocation.h"
#include "data/Schema.h"
#include "herbs/HerbWindow.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QScreen>
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

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startsWithTheDatabasesOpen();
    void secondCopyIsRefused();
    void lockOfACrashedCopyDoesNotBlock();
    void databaseFailureEndsTheStart_data();
    void databaseFailureEndsTheStart();
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

void TestStartup::init()
{
    MessageBox::setTestMode(true);
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->path()));
}

void TestStartup::cleanup()
{
    MessageBox::takeShown();
    m_home.reset();
}

void TestStartup::startsWithTheDatabasesOpen()
{
    tavirel::test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    Startup startup(folder.path(), tavirel::programWindows);
    QCOMPARE(startup.load(), std::nullopt);
    QVERIFY(MessageBox::takeShown().isEmpty());
    QVERIFY(startup.context().refDb().isOpen());
    QVERIFY(startup.context().ownDb().isOpen());
    QVERIFY(startup.context().picConn().isOpen());
    QCOMPARE(startup.context().herbRecords().recordCount(), 5);
    QCOMPARE(startup.context().helpFile, folder.file(QStringLiteral("velm.chm")));

    const QRect screen = startup.menu().screen()->geometry();
    QCOMPARE(startup.menu().pos(), QPoint((screen.width() - startup.menu().width()) / 2,
                                          (screen.height() - startup.menu().height()) / 2));
}

void TestStartup::secondCopyIsRefused()
{
    tavirel::test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    Startup first(folder.path(), tavirel::programWindows);
    QCOMPARE(first.load(), std::nullopt);

    Startup second(folder.path(), tavirel::programWindows);
    QCOMPARE(second.load(), std::optional<int>(Startup::exitAlreadyRunning));
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, QStringLiteral("Tavirel 1.0 already run!"));
    QCOMPARE(shown.first().title, QStringLiteral("Tavirel 1.0"));
    QCOMPARE(shown.first().icon, MessageBox::Icon::Information);
    QVERIFY(!second.context().refDb().isOpen()); // nothing else of the start ran

    // The first copy keeps running with its databases and its lock.
    QVERIFY(first.context().ownDb().isOpen());
    tavirel::app::SingleInstance third(folder.path());
    QVERIFY(!third.acquire());
}

void TestStartup::lockOfACrashedCopyDoesNotBlock()
{
    tavirel::test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    // A lock naming a process that has ended, as a crash leaves it.
    QProcess ended;
    ended.start(QStringLiteral("true"));
    QVERIFY(ended.waitForFinished());
    const qint64 deadPid = ended.processId() ? ended.processId() : 999999;
    QFile lock(folder.file(QStringLiteral("tavirel.lock")));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\ntavirel\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();

    Startup startup(folder.path(), tavirel::programWindows);
    QCOMPARE(startup.load(), std::nullopt);
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TestStartup::databaseFailureEndsTheStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents"); // empty: the file is removed

    QTest::newRow("reference missing") << schema::refFileName << QByteArray();
    QTest::newRow("pictures damaged") << schema::picFileName << QByteArray(4096, 'x');
    QTest::newRow("own missing") << schema::ownFileName << QByteArray();
    QTest::newRow("reference under another password") << schema::refFileName << QByteArray("rekey");
}

void TestStartup::databaseFailureEndsTheStart()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);
    tavirel::test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    QVERIFY(QFile::remove(folder.file(file)));
    if (contents == "rekey") {
        tavirel::data::Database other;
        QVERIFY(
            other.open(folder.file(file), tavirel::data::Database::Mode::Create, "not the key"));
        QVERIFY(other.exec(QStringLiteral("CREATE TABLE tavirel (name1)")));
    } else if (!contents.isEmpty()) {
        QFile out(folder.file(file));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(contents);
    }

    Startup startup(folder.path(), tavirel::programWindows);
    QCOMPARE(startup.load(), std::optional<int>(Startup::exitDatabaseFailure));
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().text.contains(folder.file(file)), qPrintable(shown.first().text));
    QCOMPARE(shown.first().icon, MessageBox::Icon::Critical);
    QVERIFY(!startup.context().refDb().isOpen());
    QVERIFY(!startup.context().ownDb().isOpen());
    QVERIFY2(shown.first().text.contains(QStringLiteral("password")) || contents != "rekey",
             qPrintable(shown.first().text));
    // A missing own database is reported, never silently created.
    if (contents.isEmpty())
        QVERIFY(!QFile::exists(folder.file(file)));
}

std::unique_ptr<tavirel::test::ProgramFolder> TestStartup::folder(bool installed)
{
    auto built = std::make_unique<tavirel::test::ProgramFolder>();
    if (!built->isValid())
        qWarning("%s", qPrintable(built->errors()));
    QFile marker(built->file(tavirel::data::installedMarkerName));
    if (installed && !marker.open(QIODevice::WriteOnly))
        qWarning("can not mark the folder installed");
    return built;
}

void TestStartup::portableFolderKeepsItsDatabase()
{
    const auto built = folder(false);
    Startup startup(built->path(), tavirel::programWindows);
    QCOMPARE(startup.load(), std::nullopt);
    QCOMPARE(startup.context().ownDatabaseFile(), built->file(schema::ownFileName));
    QCOMPARE(ownHerbsListed(startup.context()), QStringList({"My Herb"}));
    QVERIFY(!QFileInfo::exists(m_home->filePath(QStringLiteral("tavirel"))));
}

void TestStartup::unwritableFolderUsesTheUserData()
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

void TestStartup::installedFirstStartCreatesThenKeeps()
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

void TestStartup::userDataFolderFailureIsReported()
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

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
