#include "Windows.h"
#include "app/MessageBox.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QScreen>

using tavirel::app::MessageBox;
using tavirel::app::Startup;

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { MessageBox::setTestMode(true); }
    void startsWithTheDatabasesOpen();
    void secondCopyIsRefused();
    void lockOfACrashedCopyDoesNotBlock();
    void databaseFailureEndsTheStart_data();
    void databaseFailureEndsTheStart();
};

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

    QTest::newRow("reference missing") << tavirel::data::schema::refFileName << QByteArray();
    QTest::newRow("pictures damaged")
        << tavirel::data::schema::picFileName << QByteArray(4096, 'x');
    QTest::newRow("own missing") << tavirel::data::schema::ownFileName << QByteArray();
    QTest::newRow("reference under another password")
        << tavirel::data::schema::refFileName << QByteArray("rekey");
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

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
