// Export, import and backups of the own entries, on real database files.
#include "data/Database.h"
#include "data/Schema.h"
#include "owndata/Backup.h"
#include "owndata/ExportFile.h"
#include "owndata/ImportPlan.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavirel;
using owndata::ImportPlan;
using owndata::OwnEntries;
using owndata::ReadResult;

Q_DECLARE_METATYPE(tavirel::owndata::ReadResult)

namespace {

// An empty own database of its own, as a fresh installation has.
struct EmptyOwn
{
    QTemporaryDir dir;
    data::Database db;

    EmptyOwn()
    {
        if (db.open(dir.filePath(data::schema::ownFileName), data::Database::Mode::Create))
            data::schema::create(db, data::schema::ownTables());
    }
};

OwnEntries entriesOf(data::Database& db)
{
    OwnEntries entries;
    QString error;
    if (!owndata::readOwnEntries(db, entries, &error))
        qWarning("%s", qPrintable(error));
    return entries;
}

QList<QVariantList> valuesOf(const QList<owndata::OwnRow>& rows)
{
    QList<QVariantList> values;
    for (const auto& row : rows)
        values << row.values;
    return values;
}

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("entries.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("can not write %s", qPrintable(path));
    return path;
}

} // namespace

class TestOwnData : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void exportThenImportGivesBackTheRows();
    void importingTwiceAddsNothing();
    void takenNamesAreSkipped();
    void refusedFiles_data();
    void refusedFiles();
    void failedImportWritesNothing();
    void backupHoldsTheRowsAndKeepsFive();

private:
    std::unique_ptr<test::OpenProgram> m_program;
};

void TestOwnData::init()
{
    m_program = std::make_unique<test::OpenProgram>();
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
    // Beyond the fixture's rows: a Null, a comma list, characters outside ASCII, a quote.
    QVERIFY(m_program->context().ownDb().exec("INSERT INTO ownherb VALUES (?,?,?,?,?,?,?,?,?,?)",
                                              {"Lǘ \"Dòu\"", "Semen", QVariant(), "Seed",
                                               "Sweet, cool", "Heart", "Clears heat",
                                               "Line one\nline two", "15-30 g", QVariant()}));
    QVERIFY(m_program->context().ownDb().exec(
        "INSERT INTO ownpres VALUES (?,?,?,?,?,?)",
        {"绿豆汤 Tang", "Lǘ \"Dòu\",Ma Huang", "30,3", "Boil", "Cools", "Summer heat"}));
}

void TestOwnData::exportThenImportGivesBackTheRows()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.json"));
    QString error;
    int herbs = 0, formulas = 0;
    QVERIFY2(
        owndata::exportOwnEntries(m_program->context().ownDb(), path, &error, &herbs, &formulas),
        qPrintable(error));
    QCOMPARE(herbs, 2);
    QCOMPARE(formulas, 2);

    const owndata::ParsedFile parsed = owndata::readExportFile(path);
    QCOMPARE(parsed.result, ReadResult::Ok);

    EmptyOwn target;
    ImportPlan plan;
    QVERIFY(
        owndata::planImport(parsed.entries, target.db, m_program->context().refDb(), plan, &error));
    QVERIFY(plan.skipped.isEmpty());
    QVERIFY2(owndata::applyImport(plan, target.db, &error), qPrintable(error));

    const OwnEntries source = entriesOf(m_program->context().ownDb());
    const OwnEntries copied = entriesOf(target.db);
    QCOMPARE(valuesOf(copied.herbs), valuesOf(source.herbs));
    QCOMPARE(valuesOf(copied.formulas), valuesOf(source.formulas));
    QVERIFY(copied.herbs.at(1).values.at(2).isNull()); // a Null stays Null
}

void TestOwnData::importingTwiceAddsNothing()
{
    const OwnEntries before = entriesOf(m_program->context().ownDb());
    const owndata::ParsedFile parsed = owndata::fromJson(owndata::toJson(before, {}));
    QCOMPARE(parsed.result, ReadResult::Ok);

    ImportPlan plan;
    QVERIFY(owndata::planImport(parsed.entries, m_program->context().ownDb(),
                                m_program->context().refDb(), plan, nullptr));
    QVERIFY(plan.isEmpty());
    QCOMPARE(plan.skipped.size(), 4);
    for (const auto& skipped : plan.skipped)
        QCOMPARE(skipped.reason, ImportPlan::Reason::InOwn);
    QVERIFY(owndata::applyImport(plan, m_program->context().ownDb(), nullptr));
    QCOMPARE(valuesOf(entriesOf(m_program->context().ownDb()).herbs), valuesOf(before.herbs));
}

void TestOwnData::takenNamesAreSkipped()
{
    const auto herb = [](const char* name) {
        return owndata::OwnRow{
            {name, "Latin", QVariant(), "u", "t", "m", "f", "i", "d", QVariant()}};
    };
    const auto formula = [](const char* name) {
        return owndata::OwnRow{{name, "Ma Huang", "9", "m", "f", "i"}};
    };
    OwnEntries file;
    file.herbs = {herb("ma HUANG"), herb("MY HERB"), herb("New Herb"), herb("new herb")};
    file.formulas = {formula("MA HUANG TANG"), formula("my formula"), formula("New Formula")};

    ImportPlan plan;
    QVERIFY(owndata::planImport(file, m_program->context().ownDb(), m_program->context().refDb(),
                                plan, nullptr));
    QCOMPARE(plan.herbs.size(), 1);
    QCOMPARE(plan.herbs.first().name(), QStringLiteral("New Herb"));
    QCOMPARE(plan.formulas.size(), 1);
    QCOMPARE(plan.formulas.first().name(), QStringLiteral("New Formula"));
    QStringList skipped;
    for (const auto& s : plan.skipped)
        skipped << s.name + QLatin1Char('/') + owndata::reasonText(s.reason);
    QCOMPARE(skipped, QStringList({"ma HUANG/a built-in entry has this name",
                                   "MY HERB/already in your own entries",
                                   "new herb/listed twice in the file",
                                   "MA HUANG TANG/a built-in entry has this name",
                                   "my formula/already in your own entries"}));
}

void TestOwnData::refusedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ReadResult>("result");

    const QByteArray good = owndata::toJson(entriesOf(m_program->context().ownDb()), {});
    QTest::newRow("cut short") << good.left(good.size() / 2) << ReadResult::Damaged;
    QTest::newRow("not json") << QByteArray("yourown\x00\x01", 9) << ReadResult::Damaged;
    const auto row = [](const char* name, const char* json, ReadResult result) {
        QTest::newRow(name) << QByteArray(json) << result;
    };
    row("another kind", R"({"prename": "Ma Huang Tang"})", ReadResult::Foreign);
    row("a list", R"([{"name1": "Ma Huang"}])", ReadResult::Foreign);
    // The rest as the file begins, the format named.
    const auto own = [&row](const char* name, const char* rest, ReadResult result) {
        row(name, qPrintable(QStringLiteral(R"({"format": "tavirel-own-entries", %1})").arg(rest)),
            result);
    };
    own("no version", R"("herbs": [], "formulas": [])", ReadResult::Damaged);
    own("newer version", R"("version": 2, "herbs": [], "formulas": [])", ReadResult::NewerVersion);
    own("herbs missing", R"("version": 1, "formulas": [])", ReadResult::Damaged);
    own("number for text",
        R"("version": 1, "herbs": [{"name1": "A", "dosage": 9}], "formulas": [])",
        ReadResult::Damaged);
    own("no name", R"("version": 1, "herbs": [], "formulas": [{"name": " ", "construction": "A"}])",
        ReadResult::Damaged);
}

void TestOwnData::refusedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ReadResult, result);
    QTemporaryDir dir;
    const owndata::ParsedFile parsed = owndata::readExportFile(writeFile(dir, bytes));
    QCOMPARE(parsed.result, result);
    QVERIFY(!parsed.detail.isEmpty());
    QVERIFY(parsed.entries.herbs.isEmpty() && parsed.entries.formulas.isEmpty());
}

void TestOwnData::failedImportWritesNothing()
{
    // Two names the database holds for one (it ignores ASCII case only on its key): the second
    // insert fails, and the first must not stay behind.
    EmptyOwn target;
    ImportPlan plan;
    plan.herbs = {owndata::OwnRow{{QStringLiteral("Twin"), QStringLiteral("A")}},
                  owndata::OwnRow{{QStringLiteral("TWIN"), QStringLiteral("B")}}};
    for (auto& row : plan.herbs)
        row.values.resize(owndata::herbColumns().size());
    QString error;
    QVERIFY(!owndata::applyImport(plan, target.db, &error));
    QVERIFY(error.contains(QStringLiteral("TWIN")));
    QVERIFY(entriesOf(target.db).herbs.isEmpty());
}

void TestOwnData::backupHoldsTheRowsAndKeepsFive()
{
    data::Database& own = m_program->context().ownDb();
    const OwnEntries before = entriesOf(own);
    const QDateTime start(QDate(2026, 3, 1), QTime(9, 0));
    QStringList made;
    for (int i = 0; i < 7; ++i) {
        QString error;
        const QString path = owndata::backupOwnDatabase(own, &error, start.addDays(i));
        QVERIFY2(!path.isEmpty(), qPrintable(error));
        made << path;
    }
    // A second copy in the same second gets a running number and counts as the newest.
    const QString again = owndata::backupOwnDatabase(own, nullptr, start.addDays(6));
    QVERIFY(again.endsWith(QStringLiteral("yourown-backup-20260307-090000-2.MDB")));
    made << again;

    QCOMPARE(owndata::backupsOf(own.fileName()), made.mid(3));
    QVERIFY(QFile::exists(m_program->folder().file(data::schema::ownFileName)));

    data::Database copy;
    QVERIFY2(copy.open(made.last(), data::Database::Mode::ReadOnly),
             qPrintable(copy.errorString()));
    const OwnEntries copied = entriesOf(copy);
    QCOMPARE(valuesOf(copied.herbs), valuesOf(before.herbs));
    QCOMPARE(valuesOf(copied.formulas), valuesOf(before.formulas));
}

QTEST_MAIN(TestOwnData)
#include "tst_ownexport.moc"
