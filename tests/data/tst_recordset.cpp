#include "data/RecordSet.h"
#include "data/Statement.h"
#include "support/TestSupport.h"

using tavirel::data::RecordSet;

class TestRecordSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findFirstComparesAsTheDatabase_data();
    void findFirstComparesAsTheDatabase();
    void walkingAndNullValues();
    void onDemandAnswersAsAWholeSet();
    void queriesBindTheirValues_data();
    void queriesBindTheirValues();
    void dynasetWritesAtOnce();
    void referenceDataIsNeverWritten();
    void badSourcesReportAnError();
};

void TestRecordSet::findFirstComparesAsTheDatabase_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("found"); // name1 of the record found, empty for no match

    QTest::newRow("exact") << "name1"
                           << "Gui Zhi"
                           << "Gui Zhi";
    QTest::newRow("name ignores case") << "name1"
                                       << "gui zHI"
                                       << "Gui Zhi";
    QTest::newRow("apostrophe") << "name1"
                                << "O'Brien Root"
                                << "O'Brien Root";
    QTest::newRow("wildcards are characters") << "name1"
                                              << "Wild%Card_[x]*"
                                              << "Wild%Card_[x]*";
    QTest::newRow("a wildcard matches nothing else") << "name1"
                                                     << "Wild%"
                                                     << "";
    QTest::newRow("Latin name is case sensitive") << "name2"
                                                  << "herba ephedrae"
                                                  << "";
    QTest::newRow("Latin name") << "name2"
                                << "Herba Ephedrae"
                                << "Ma Huang";
    QTest::newRow("unknown") << "name1"
                             << "Ren Shen"
                             << "";
    QTest::newRow("unknown column") << "nosuch"
                                    << "x"
                                    << "";
}

void TestRecordSet::findFirstComparesAsTheDatabase()
{
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(QString, found);
    tavirel::test::OpenProgram program;
    QVERIFY2(program.isValid(), qPrintable(program.errors()));
    RecordSet& herbs = program.context().herbRecords();
    herbs.moveFirst();
    herbs.moveNext(); // a find always searches from the first record

    QCOMPARE(herbs.findFirst(column, value), !found.isEmpty());
    QCOMPARE(herbs.noMatch(), found.isEmpty());
    if (!found.isEmpty())
        QCOMPARE(herbs.text(QStringLiteral("name1")), found);
}

void TestRecordSet::walkingAndNullValues()
{
    tavirel::test::OpenProgram program;
    QVERIFY2(program.isValid(), qPrintable(program.errors()));
    RecordSet& herbs = program.context().herbRecords();

    QStringList names;
    for (herbs.moveFirst(); !herbs.eof(); herbs.moveNext())
        names << herbs.text(QStringLiteral("NAME1")); // column names ignore case
    QCOMPARE(names,
             QStringList({"Ma Huang", "Gui Zhi", "O'Brien Root", "Wild%Card_[x]*", "No Latin"}));
    QCOMPARE(herbs.recordCount(), 5);
    QVERIFY(herbs.value(QStringLiteral("name1")).isNull()); // past the end: no current record

    QVERIFY(herbs.findFirst(QStringLiteral("name1"), QStringLiteral("Gui Zhi")));
    QVERIFY(herbs.value(QStringLiteral("source")).isNull());
    QCOMPARE(herbs.text(QStringLiteral("source")), QString());
    QVERIFY(herbs.value(QStringLiteral("coutions")).isNull());
    QCOMPARE(herbs.value(QStringLiteral("kind2")).toInt(), 101);
}

void TestRecordSet::onDemandAnswersAsAWholeSet()
{
    tavirel::test::OpenProgram program;
    QVERIFY2(program.isValid(), qPrintable(program.errors()));
    auto& db = program.context().refDb();
    RecordSet whole(db, QStringLiteral("tavirel"), RecordSet::Kind::Snapshot);
    RecordSet onDemand(db, QStringLiteral("tavirel"), RecordSet::Kind::Snapshot, {},
                       RecordSet::Reading::OnDemand);
    QVERIFY2(onDemand.isValid(), qPrintable(onDemand.errorString()));
    const auto current = [](const RecordSet& set) {
        return set.eof() ? QStringLiteral("<eof>") : set.text(QStringLiteral("name1"));
    };
    const auto same = [&](const char* step) {
        QVERIFY2(current(whole) == current(onDemand),
                 qPrintable(QStringLiteral("%1: %2 / %3")
                                .arg(QLatin1String(step), current(whole), current(onDemand))));
        QCOMPARE(onDemand.noMatch(), whole.noMatch());
        QCOMPARE(onDemand.value(QStringLiteral("kind2")), whole.value(QStringLiteral("kind2")));
    };
    QCOMPARE(onDemand.recordCount(), whole.recordCount());
    for (int i = 0; i <= whole.recordCount(); ++i, whole.moveNext(), onDemand.moveNext())
        same("walk");
    for (RecordSet* set : {&whole, &onDemand}) {
        set->moveFirst();
        set->moveNext();
        set->findFirst(QStringLiteral("name1"), QStringLiteral("WILD%CARD_[X]*"));
    }
    same("find ignoring case");
    // A failed find leaves the record that was current.
    for (RecordSet* set : {&whole, &onDemand})
        set->findFirst(QStringLiteral("name2"), QStringLiteral("herba ephedrae"));
    same("failed find");
    for (RecordSet* set : {&whole, &onDemand})
        set->findFirstTrimmed(QStringLiteral("name1"), QStringLiteral("  gui zhi\t"));
    same("find without blanks");
    QCOMPARE(current(onDemand), QStringLiteral("Gui Zhi"));
    for (RecordSet* set : {&whole, &onDemand})
        set->findFirst(QStringLiteral("kind2"), 101);
    same("find a number");

    // Writing needs the whole set.
    RecordSet writable(db, QStringLiteral("tavirel"), RecordSet::Kind::Dynaset, {},
                       RecordSet::Reading::OnDemand);
    QVERIFY(!writable.isValid());
    QVERIFY(!writable.addNew({{"name1", "New"}}));
}

void TestRecordSet::queriesBindTheirValues_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("ignores case") << "HERBA" << QStringList({"Herba Ephedrae", "Herba Wildcard"});
    QTest::newRow("apostrophe") << "'" << QStringList({"Radix O'Brienii"});
    QTest::newRow("percent is literal") << "%" << QStringList();
    QTest::newRow("underscore is literal") << "_" << QStringList();
    QTest::newRow("star and bracket") << "[x" << QStringList();
}

void TestRecordSet::queriesBindTheirValues()
{
    QFETCH(QString, word);
    QFETCH(QStringList, names);
    tavirel::test::OpenProgram program;
    QVERIFY2(program.isValid(), qPrintable(program.errors()));

    RecordSet found(program.context().refDb(),
                    QStringLiteral("SELECT [name2] FROM tavirel WHERE name2 Like ? ESCAPE '\\' "
                                   "order by [name2] asc"),
                    RecordSet::Kind::Snapshot, {tavirel::data::containsPattern(word)});
    QVERIFY2(found.isValid(), qPrintable(found.errorString()));
    QStringList result;
    for (found.moveFirst(); !found.eof(); found.moveNext())
        result << found.text(QStringLiteral("name2"));
    QCOMPARE(result, names);

    // The name column holds the wildcard characters themselves: they must match only literally.
    RecordSet wild(program.context().refDb(),
                   QStringLiteral("SELECT name1 FROM tavirel WHERE name1 Like ? ESCAPE '\\'"),
                   RecordSet::Kind::Snapshot,
                   {tavirel::data::containsPattern(QStringLiteral("%Card_"))});
    QCOMPARE(wild.recordCount(), 1);
}

void TestRecordSet::dynasetWritesAtOnce()
{
    tavirel::test::OpenProgram program;
    QVERIFY2(program.isValid(), qPrintable(program.errors()));
    const QString own = program.folder().file(QStringLiteral("yourown.MDB"));
    {
        RecordSet herbs(program.context().ownDb(), QStringLiteral("ownherb"),
                        RecordSet::Kind::Dynaset);
        QVERIFY2(herbs.isValid(), qPrintable(herbs.errorString()));
        QCOMPARE(herbs.recordCount(), 1);
        QVERIFY(herbs.addNew({{"name1", "Li's Herb"}, {"name2", "Herba Li"}, {"coutions", ""}}));
        QCOMPARE(herbs.recordCount(), 2);
        // Written before the record set or the connection is closed.
        QCOMPARE(tavirel::test::columnValues(own, {}, "SELECT name1 FROM ownherb ORDER BY rowid"),
                 QStringList({"My Herb", "Li's Herb"}));

        // The key is unique ignoring case; a refused row leaves the set as it was.
        QVERIFY(!herbs.addNew({{"name1", "li's herb"}}));
        QCOMPARE(herbs.recordCount(), 2);

        QVERIFY(herbs.findFirst(QStringLiteral("name1"), QStringLiteral("MY HERB")));
        QVERIFY(herbs.deleteCurrent());
        QCOMPARE(herbs.text(QStringLiteral("name1")), QStringLiteral("Li's Herb"));
    }
    QCOMPARE(tavirel::test::columnValues(own, {}, "SELECT name1 FROM ownherb ORDER BY rowid"),
             QStringList({"Li's Herb"}));
}

void TestRecordSet::referenceDataIsNeverWritten()
{
    tavirel::test::OpenProgram program;
    QVERIFY2(program.isValid(), qPrintable(program.errors()));
    RecordSet herbs(program.context().refDb(), QStringLiteral("tavirel"), RecordSet::Kind::Dynaset);
    QVERIFY(herbs.isValid());
    QVERIFY(herbs.findFirst(QStringLiteral("name1"), QStringLiteral("Ma Huang")));
    QVERIFY(!herbs.deleteCurrent());
    QVERIFY(!herbs.addNew({{"name1", "New"}}));
    QVERIFY(!program.context().refDb().exec(QStringLiteral("DELETE FROM tavirel")));
    QCOMPARE(RecordSet(program.context().refDb(), QStringLiteral("tavirel"), RecordSet::Kind::Table)
                 .recordCount(),
             5);
    // A snapshot never writes, even over a writable database.
    RecordSet snapshot(program.context().ownDb(), QStringLiteral("ownherb"),
                       RecordSet::Kind::Snapshot);
    QVERIFY(!snapshot.deleteCurrent());
    QCOMPARE(snapshot.recordCount(), 1);
}

void TestRecordSet::badSourcesReportAnError()
{
    tavirel::test::OpenProgram program;
    QVERIFY2(program.isValid(), qPrintable(program.errors()));
    RecordSet missing(program.context().refDb(), QStringLiteral("nosuchtable"),
                      RecordSet::Kind::Table);
    QVERIFY(!missing.isValid());
    QVERIFY(missing.eof());
    QVERIFY(missing.errorString().contains(QStringLiteral("nosuchtable")));

    RecordSet broken(program.context().refDb(),
                     QStringLiteral("SELECT name1 FROM tavirel WHERE name1 = 'O'Brien Root'"),
                     RecordSet::Kind::Snapshot);
    QVERIFY(!broken.isValid());
    QCOMPARE(broken.text(QStringLiteral("name1")), QString());

    RecordSet queryDynaset(program.context().ownDb(), QStringLiteral("SELECT * FROM ownherb"),
                           RecordSet::Kind::Dynaset);
    QVERIFY(!queryDynaset.isValid());
}

QTEST_MAIN(TestRecordSet)
#include "tst_recordset.moc"
