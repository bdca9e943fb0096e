#include "data/DataStore.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "support/TestSupport.h"

#include <QFile>

using tavirel::data::Database;
using tavirel::data::DataStore;
namespace schema = tavirel::data::schema;

class TestDataStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensTheThreeFiles();
    void filesAreProtectedAsIntended();
    void failuresNameTheFile_data();
    void failuresNameTheFile();
};

void TestDataStore::opensTheThreeFiles()
{
    tavirel::test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    DataStore store;
    QVERIFY2(store.open(folder.path()), qPrintable(store.errorString()));
    QVERIFY(store.refDb().isReadOnly());
    QVERIFY(!store.ownDb().isReadOnly());
    QCOMPARE(store.herbRecords().recordCount(), 5);
    QVERIFY(store.picConnString().endsWith(QStringLiteral("Hdat.mdb")));
    QCOMPARE(store.picConn().scalar(QStringLiteral("SELECT count(*) FROM images")).toInt(), 4);
}

void TestDataStore::filesAreProtectedAsIntended()
{
    tavirel::test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));

    Database db;
    QVERIFY(!db.open(folder.file(schema::refFileName), Database::Mode::ReadOnly));
    QVERIFY(!db.open(folder.file(schema::picFileName), Database::Mode::ReadOnly));
    QVERIFY(
        !db.open(folder.file(schema::refFileName), Database::Mode::ReadOnly, schema::picPassword));
    QVERIFY(
        db.open(folder.file(schema::refFileName), Database::Mode::ReadOnly, schema::refPassword));
    QVERIFY(
        db.open(folder.file(schema::picFileName), Database::Mode::ReadOnly, schema::picPassword));

    // The own database is a plain file with its two tables.
    QFile own(folder.file(schema::ownFileName));
    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(own.read(16), QByteArray("SQLite format 3\0", 16));
    QCOMPARE(tavirel::test::columnValues(
                 folder.file(schema::ownFileName), {},
                 "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
             QStringList({"ownherb", "ownpres"}));
}

void TestDataStore::failuresNameTheFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage"); // missing, garbage, otherkey, plain, notables
    QTest::addColumn<QString>("reason");

    QTest::newRow("reference missing") << schema::refFileName << "missing"
                                       << "does not exist";
    QTest::newRow("own missing") << schema::ownFileName << "missing"
                                 << "does not exist";
    QTest::newRow("pictures missing") << schema::picFileName << "missing"
                                      << "does not exist";
    QTest::newRow("reference damaged") << schema::refFileName << "garbage"
                                       << "damaged";
    QTest::newRow("own damaged") << schema::ownFileName << "garbage"
                                 << "damaged";
    QTest::newRow("reference wrong password") << schema::refFileName << "otherkey"
                                              << "Wrong password";
    QTest::newRow("pictures wrong password") << schema::picFileName << "otherkey"
                                             << "Wrong password";
    QTest::newRow("reference not encrypted") << schema::refFileName << "plain"
                                             << "expected password";
    QTest::newRow("own without its tables") << schema::ownFileName << "notables"
                                            << "ownherb";
}

void TestDataStore::failuresNameTheFile()
{
    QFETCH(QString, file);
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    tavirel::test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    const QString path = folder.file(file);
    QVERIFY(QFile::remove(path));

    if (damage == QLatin1String("garbage")) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(QByteArray(8192, '\x5a'));
    } else if (damage != QLatin1String("missing")) {
        Database db;
        const QByteArray key =
            damage == QLatin1String("otherkey") ? QByteArray("not the key") : QByteArray();
        QVERIFY(db.open(path, Database::Mode::Create, key));
        QVERIFY(db.exec(QStringLiteral("CREATE TABLE unrelated (x)")));
    }

    DataStore store;
    QVERIFY(!store.open(folder.path()));
    QCOMPARE(store.failedFile(), path);
    QVERIFY2(store.errorString().contains(reason), qPrintable(store.errorString()));
    // Nothing stays half open.
    QVERIFY(!store.refDb().isOpen());
    QVERIFY(!store.ownDb().isOpen());
    QVERIFY(!store.picConn().isOpen());
}

QTEST_MAIN(TestDataStore)
#include "tst_datastore.moc"
