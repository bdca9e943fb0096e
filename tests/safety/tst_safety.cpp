// The safety check of a composition: dose ranges read from dosage texts, and each kind of
// finding, on facts given by hand and on facts read from a real database.
#include "data/Database.h"
#include "safety/DoseRange.h"
#include "safety/SafetyCheck.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tavirel::safety;

Q_DECLARE_METATYPE(std::optional<double>)

namespace {

SafetyFacts sampleFacts()
{
    SafetyFacts facts;
    facts.addHerb({"Gan Cao", "", "", "2-10 g"});
    facts.addHerb({"Gan Sui", "contraindicated", "toxic", "0.5-1.5 g"});
    facts.addHerb({"Fu Zi", "contraindicated", "toxic", "3-15 g"});
    facts.addHerb({"Ban Xia", "caution", "toxic", "3-9 g"});
    facts.addHerb({"Pi Shi", "contraindicated", "highly toxic", "0.002-0.004 g"});
    facts.addHerb({"Ding Xiang", "", "", "1-3 g"});
    facts.addHerb({"Yu Jin", "", "", "3-10 g"});
    facts.addHerb({"Zhu Li", "", "", "30-50 mL"});
    facts.addHerb({"Ren Shen", "", "", "3-9 g; 15-30 g for collapse"});
    facts.addPair("Gan Cao", "Gan Sui", "antagonism");
    facts.addPair("Fu Zi", "Ban Xia", "antagonism");
    facts.addPair("Ding Xiang", "Yu Jin", "counteraction");
    return facts;
}

QList<FindingKind> kinds(const QList<Finding>& findings)
{
    QList<FindingKind> list;
    for (const Finding& f : findings)
        list << f.kind;
    return list;
}

} // namespace

class TestSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void topOfDosageRange_data();
    void topOfDosageRange();
    void findings_data();
    void findings();
    void findingsAreWordedPlainly();
    void factsAreReadFromTheReference();
};

void TestSafety::topOfDosageRange_data()
{
    QTest::addColumn<QString>("dosage");
    QTest::addColumn<std::optional<double>>("top");
    // Dose texts as the reference content writes them.
    QTest::newRow("range") << "3-9 g" << std::optional<double>(9);
    QTest::newRow("decimals, words after") << "0.3-0.6 g in pills" << std::optional<double>(0.6);
    QTest::newRow("special use is the top")
        << "1-3 g; 15-30 g for collapse" << std::optional<double>(30);
    QTest::newRow("powder below decoction")
        << "3-10 g; 1-1.5 g as powder" << std::optional<double>(10);
    QTest::newRow("single figure") << "3 g" << std::optional<double>(3);
    QTest::newRow("up to") << "9-30 g; up to 60 g" << std::optional<double>(60);
    QTest::newRow("grams in brackets") << "1-2 yolks (15-30 g)" << std::optional<double>(30);
    QTest::newRow("en dash") << "3\u20139 g" << std::optional<double>(9);
    QTest::newRow("drops") << "3-10 drops" << std::optional<double>();
    QTest::newRow("millilitres") << "30-50 mL" << std::optional<double>();
    QTest::newRow("no dose") << "External use only, as needed" << std::optional<double>();
    QTest::newRow("prepared") << "As prepared tablets or syrup, per their dose"
                              << std::optional<double>();
    QTest::newRow("empty") << "" << std::optional<double>();
    QTest::newRow("a word starting with g") << "2 grains" << std::optional<double>();
}

void TestSafety::topOfDosageRange()
{
    QFETCH(QString, dosage);
    QFETCH(std::optional<double>, top);
    QCOMPARE(tavirel::safety::topOfDosageRange(dosage), top);
}

void TestSafety::findings_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("doses");
    QTest::addColumn<QList<FindingKind>>("expected");
    using K = FindingKind;
    QTest::newRow("safe") << QStringList{"Gan Cao", "Ren Shen"} << QStringList{"6", "9"}
                          << QList<K>{};
    QTest::newRow("antagonism, either order, any case")
        << QStringList{"gan sui", "GAN CAO"} << QStringList{"1", "3"}
        << QList<K>{K::Antagonism, K::PregnancyContraindicated, K::Toxic};
    QTest::newRow("counteraction") << QStringList{"Yu Jin", "Ding Xiang"} << QStringList{"6", "2"}
                                   << QList<K>{K::Counteraction};
    QTest::newRow("most serious first")
        << QStringList{"Ban Xia", "Pi Shi", "Fu Zi"} << QStringList{"12", "0.003", "9"}
        << QList<K>{K::HighlyToxic,
                    K::Antagonism,
                    K::PregnancyContraindicated,
                    K::PregnancyContraindicated,
                    K::Toxic,
                    K::Toxic,
                    K::DoseAboveRange,
                    K::PregnancyCaution};
    QTest::newRow("dose above the top, special range counts")
        << QStringList{"Gan Cao", "Ren Shen"} << QStringList{"12", "30"}
        << QList<K>{K::DoseAboveRange};
    QTest::newRow("unparsed range or dose is skipped")
        << QStringList{"Zhu Li", "Gan Cao"} << QStringList{"100", "a pinch"} << QList<K>{};
    QTest::newRow("own herb has no facts")
        << QStringList{"My Own Herb", "Gan Cao"} << QStringList{"500", "3"} << QList<K>{};
    QTest::newRow("a herb twice is one herb")
        << QStringList{"Ban Xia", "ban xia"} << QStringList{"6", "6"}
        << QList<K>{K::Toxic, K::PregnancyCaution};
}

void TestSafety::findings()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, doses);
    QFETCH(QList<FindingKind>, expected);
    QList<DosedHerb> herbs;
    for (qsizetype i = 0; i < names.size(); ++i)
        herbs.append({names.at(i), doses.at(i)});
    QCOMPARE(kinds(checkComposition(herbs, sampleFacts())), expected);
}

void TestSafety::findingsAreWordedPlainly()
{
    const QList<Finding> found = checkComposition(
        {{"Gan Sui", "2"}, {"Gan Cao", "3"}, {"Yu Jin", "6"}, {"Ding Xiang", "2"}}, sampleFacts());
    QCOMPARE(found.first().herbs, QStringList({"Gan Sui", "Gan Cao"}));
    QCOMPARE(describe(found).split(QLatin1Char('\n')),
             QStringList({"Gan Sui and Gan Cao are one of the eighteen antagonisms: they are not "
                          "to be used together.",
                          "Yu Jin and Ding Xiang are one of the nineteen counteractions: they are "
                          "not to be used together.",
                          "Gan Sui is contraindicated in pregnancy.",
                          "Gan Sui is toxic: keep to its dose and preparation.",
                          "Gan Sui at 2 g is above its usual dose (0.5-1.5 g)."}));
}

void TestSafety::factsAreReadFromTheReference()
{
    QTemporaryDir dir;
    tavirel::data::Database db;
    QVERIFY(db.open(dir.filePath("ref.db"), tavirel::data::Database::Mode::Create));
    QVERIFY(db.exec("CREATE TABLE tavirel (name1 TEXT COLLATE NOCASE, pregnancy TEXT, "
                    "toxicity TEXT, dosage TEXT)"));
    QVERIFY(db.exec("CREATE TABLE incompat (herb1 TEXT COLLATE NOCASE, herb2 TEXT COLLATE "
                    "NOCASE, kind TEXT)"));
    QVERIFY(db.exec("INSERT INTO tavirel VALUES ('Gan Cao','','','2-10 g'), "
                    "('Hai Zao','','','6-12 g'), ('O''Brien Root','caution','','1-2 g'), "
                    "('Unused','contraindicated','toxic','1 g')"));
    QVERIFY(db.exec("INSERT INTO incompat VALUES ('Gan Cao','Hai Zao','antagonism'), "
                    "('Gan Cao','Unused','antagonism')"));

    const SafetyFacts facts =
        SafetyFacts::load(db, {"gan cao", "Hai Zao", "O'Brien Root", "Not There"});
    QVERIFY(facts.herb("Hai Zao"));
    QCOMPARE(facts.herb("O'Brien Root")->pregnancy, QStringLiteral("caution"));
    QVERIFY(!facts.herb("Unused")); // only the herbs asked for are read
    QVERIFY(!facts.herb("Not There"));
    QCOMPARE(facts.pairKind("Hai Zao", "GAN CAO"), std::optional<QString>("antagonism"));
    QCOMPARE(facts.pairKind("Gan Cao", "Unused"), std::nullopt);

    // A reference without the safety columns gives no facts rather than failing.
    tavirel::data::Database old;
    QVERIFY(old.open(dir.filePath("old.db"), tavirel::data::Database::Mode::Create));
    QVERIFY(old.exec("CREATE TABLE tavirel (name1 TEXT, dosage TEXT)"));
    QVERIFY(!SafetyFacts::load(old, {"Gan Cao", "Hai Zao"}).herb("Gan Cao"));
}

QTEST_MAIN(TestSafety)
#include "tst_safety.moc"
