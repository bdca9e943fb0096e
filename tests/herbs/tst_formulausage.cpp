// Which formulas hold a herb: built-in compositions by picture number, own ones by name.
#include "data/Database.h"
#include "data/Schema.h"
#include "herbs/FormulaUsage.h"
#include "support/TestSupport.h"

using tavirel::herbs::formulasWithHerb;
using tavirel::herbs::FormulaUse;

namespace {

QStringList described(const QList<FormulaUse>& uses)
{
    QStringList list;
    for (const FormulaUse& use : uses)
        list << use.formula + QLatin1Char('=') + use.dose +
                    (use.own ? QStringLiteral(" own") : QString());
    return list;
}

} // namespace

class TestFormulaUsage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void formulasOfAHerb_data();
    void formulasOfAHerb();
    void unreadableOwnDatabaseIsReported();
    void sameFromAReferenceWithoutTheIndexTable();

private:
    std::unique_ptr<tavirel::test::OpenProgram> m_program;
};

void TestFormulaUsage::init()
{
    m_program = std::make_unique<tavirel::test::OpenProgram>(QStringLiteral("formulas-window"));
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
}

void TestFormulaUsage::formulasOfAHerb_data()
{
    QTest::addColumn<QString>("name1");
    QTest::addColumn<QString>("picno");
    QTest::addColumn<QStringList>("found");
    const auto row = [](const char* name, const char* name1, const char* picno, const char* found) {
        QTest::newRow(name) << QString(name1) << QString(picno)
                            << QString(found).split('|', Qt::SkipEmptyParts);
    };
    row("built-in by picture number, own by name in any case", "gui zhi", "0040",
        "Gui Zhi Tang=9|Half Found=6 own|Lost Herb Tang=3|Ma Huang Tang=6|Short Dose Tang=6");
    row("a dose missing from a short list", "Xing Ren", "0007",
        "Ma Huang Tang=3|Short Dose Tang=|Two Ghosts=3 own");
    row("number inside another number is no match", "Jin Yin Hua", "0105", "Yin Qiao San=9");
    row("in no built-in formula, one own", "No Latin", "0103", "My Formula=1 own");
    row("in no formula", "Nowhere Herb", "0103", "");
    row("no picture number: own formulas only", "Jing Jie", "", "My Formula=2 own");
    row("an own formula naming a herb that no longer exists", "Ghost B", "", "Two Ghosts=2 own");
    row("wildcards are characters", "%", "_", "");
}

void TestFormulaUsage::formulasOfAHerb()
{
    QFETCH(QString, name1);
    QFETCH(QString, picno);
    QFETCH(QStringList, found);
    auto& context = m_program->context();
    const auto uses = formulasWithHerb(context.refDb(), context.ownDb(), name1, picno);
    QCOMPARE(uses.error, QString());
    QCOMPARE(described(uses.uses), found);
}

void TestFormulaUsage::unreadableOwnDatabaseIsReported()
{
    auto& context = m_program->context();
    QVERIFY(context.ownDb().exec(QStringLiteral("DROP TABLE ownpres")));
    const auto uses = formulasWithHerb(context.refDb(), context.ownDb(), "Gui Zhi", "0040");
    QVERIFY(!uses.error.isEmpty());
    QCOMPARE(uses.uses.size(), 4); // the built-in ones are still listed
}

void TestFormulaUsage::sameFromAReferenceWithoutTheIndexTable()
{
    auto& context = m_program->context();
    const QList<std::pair<QString, QString>> herbs{
        {"Gui Zhi", "0040"}, {"Xing Ren", "0007"}, {"Jin Yin Hua", "0105"}, {"Gan Cao", "0102"}};
    QList<QStringList> indexed;
    for (const auto& [name, picno] : herbs)
        indexed << described(formulasWithHerb(context.refDb(), context.ownDb(), name, picno).uses);

    // A reference file built before the index table existed.
    tavirel::data::Database writer;
    QVERIFY(writer.open(m_program->folder().file(tavirel::data::schema::refFileName),
                        tavirel::data::Database::Mode::ReadWrite,
                        tavirel::data::schema::refPassword));
    QVERIFY(writer.exec(QStringLiteral("DROP TABLE preherb")));
    for (qsizetype i = 0; i < herbs.size(); ++i) {
        const auto uses = formulasWithHerb(context.refDb(), context.ownDb(), herbs.at(i).first,
                                           herbs.at(i).second);
        QCOMPARE(uses.error, QString());
        QCOMPARE(described(uses.uses), indexed.at(i));
    }
}

QTEST_MAIN(TestFormulaUsage)
#include "tst_formulausage.moc"
