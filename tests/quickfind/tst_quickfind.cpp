// Quick find: which entries a query finds, in which order, on a real fixture database.
#include "data/Database.h"
#include "quickfind/IndexReader.h"
#include "quickfind/QuickFindIndex.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tavirel;
using quickfind::Kind;
using quickfind::QuickFindIndex;
using quickfind::Rank;

namespace {

QStringList found(const QuickFindIndex& index, const QString& query)
{
    QStringList names;
    for (const auto& result : index.find(query)) {
        QString kind =
            result.kind == Kind::Herb ? QStringLiteral("herb") : QStringLiteral("formula");
        if (result.own)
            kind.prepend(QStringLiteral("own "));
        names << kind + QStringLiteral(": ") + result.name;
    }
    return names;
}

} // namespace

class TestQuickFind : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void ranking_data();
    void ranking();
    void resultShowsTheTextThatMatched();
    void ownEntriesAreReadAgain();
    void referenceWithoutTheAddedColumns();

private:
    std::unique_ptr<test::OpenProgram> m_program;
    QuickFindIndex m_index;
    QuickFindIndex m_batched; // the same entries added one batch of one at a time
};

void TestQuickFind::initTestCase()
{
    m_program = std::make_unique<test::OpenProgram>(QStringLiteral("quickfind"));
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
    m_index.setReference(quickfind::readReferenceEntries(m_program->context().refDb()));
    m_index.setOwn(quickfind::readOwnEntries(m_program->context().ownDb()));
    QCOMPARE(m_index.size(), 9);
    for (const quickfind::Entry& entry :
         quickfind::readReferenceEntries(m_program->context().refDb()))
        m_batched.appendReference({entry});
    m_batched.compact();
    m_batched.setOwn(quickfind::readOwnEntries(m_program->context().ownDb()));
}

void TestQuickFind::ranking_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("expected");

    const QString maHuang = QStringLiteral("herb: Ma Huang");
    const QString maHuangGen = QStringLiteral("herb: Ma Huang Gen");
    const QString maHuangTang = QStringLiteral("formula: Ma Huang Tang");
    const QString huangQi = QStringLiteral("herb: Huang Qi");
    const QStringList maHuangFamily{maHuang, maHuangGen, maHuangTang};

    // Exact name first, then names that start with the query (shorter first).
    QTest::newRow("pinyin with blank") << QStringLiteral("ma huang") << maHuangFamily;
    QTest::newRow("pinyin run together") << QStringLiteral("mahuang") << maHuangFamily;
    QTest::newRow("tone marks") << QStringLiteral("má huáng") << maHuangFamily;
    QTest::newRow("capitals") << QStringLiteral("MA HUANG") << maHuangFamily;
    QTest::newRow("tone marks and u-umlaut")
        << QStringLiteral("lǜ dòu") << QStringList{QStringLiteral("herb: Lu Dou")};
    // Initials of the syllables.
    QTest::newRow("initials") << QStringLiteral("mht") << QStringList{maHuangTang};
    // A name that starts with the query beats words inside other names.
    QTest::newRow("word inside names")
        << QStringLiteral("huang") << QStringList{huangQi, maHuang, maHuangGen, maHuangTang};
    QTest::newRow("last word") << QStringLiteral("tang")
                               << QStringList{QStringLiteral("formula: Gui Zhi Tang"), maHuangTang};
    // Chinese characters: the whole name, then one character inside names.
    QTest::newRow("chinese") << QStringLiteral("麻黄") << maHuangFamily;
    QTest::newRow("one character")
        << QStringLiteral("黄") << QStringList{huangQi, maHuang, maHuangGen, maHuangTang};
    QTest::newRow("traditional") << QStringLiteral("綠豆")
                                 << QStringList{QStringLiteral("herb: Lu Dou")};
    // Other fields come after every name match.
    QTest::newRow("english") << QStringLiteral("ephedra") << maHuangFamily;
    QTest::newRow("english, herb and formula")
        << QStringLiteral("cinnamon")
        << QStringList{QStringLiteral("herb: Gui Zhi"), QStringLiteral("formula: Gui Zhi Tang")};
    QTest::newRow("latin") << QStringLiteral("radix ephedrae") << QStringList{maHuangGen};
    QTest::newRow("latin word") << QStringLiteral("astragali") << QStringList{huangQi};
    QTest::newRow("other name") << QStringLiteral("long sha") << QStringList{maHuang};
    QTest::newRow("other name of a formula") << QStringLiteral("four") << QStringList{maHuangTang};
    QTest::newRow("mung bean") << QStringLiteral("Mung")
                               << QStringList{QStringLiteral("herb: Lu Dou")};
    // The user's own herb and formula.
    QTest::newRow("own") << QStringLiteral("ye ju")
                         << QStringList{QStringLiteral("own herb: Ye Ju"),
                                        QStringLiteral("own formula: Ye Ju Yin")};
    QTest::newRow("own initials") << QStringLiteral("yjy")
                                  << QStringList{QStringLiteral("own formula: Ye Ju Yin")};
    QTest::newRow("own latin") << QStringLiteral("chrysanthemi")
                               << QStringList{QStringLiteral("own herb: Ye Ju")};
    // Nothing is guessed.
    QTest::newRow("misspelt") << QStringLiteral("mahaung") << QStringList{};
    QTest::newRow("inside a word") << QStringLiteral("uang") << QStringList{};
    QTest::newRow("no letters") << QStringLiteral(" - ") << QStringList{};
}

void TestQuickFind::ranking()
{
    QFETCH(QString, query);
    QFETCH(QStringList, expected);
    QCOMPARE(found(m_index, query), expected);
    QCOMPARE(found(m_batched, query), expected);
}

void TestQuickFind::resultShowsTheTextThatMatched()
{
    const auto byLatin = m_index.find(QStringLiteral("astragali"));
    QCOMPARE(byLatin.size(), 1);
    QCOMPARE(byLatin.first().rank, Rank::OtherWord);
    QCOMPARE(byLatin.first().matchedLabel, QStringLiteral("Latin"));
    QCOMPARE(byLatin.first().matchedText, QStringLiteral("Radix Astragali"));
    QCOMPARE(byLatin.first().chinese, QStringLiteral("黄芪"));

    const auto byInitials = m_index.find(QStringLiteral("mht"));
    QCOMPARE(byInitials.first().rank, Rank::Initials);
    QCOMPARE(byInitials.first().matchedText, QStringLiteral("Ma Huang Tang"));
}

void TestQuickFind::ownEntriesAreReadAgain()
{
    QuickFindIndex index;
    index.setReference(quickfind::readReferenceEntries(m_program->context().refDb()));
    QVERIFY(index.find(QStringLiteral("zi su")).isEmpty());
    QVERIFY(m_program->context().ownDb().exec(
        QStringLiteral("INSERT INTO ownherb (name1, name2) VALUES ('Zi Su', 'Folium Perillae')")));
    index.setOwn(quickfind::readOwnEntries(m_program->context().ownDb()));
    QCOMPARE(found(index, QStringLiteral("zisu")), QStringList{QStringLiteral("own herb: Zi Su")});
    QCOMPARE(found(index, QStringLiteral("perillae")),
             QStringList{QStringLiteral("own herb: Zi Su")});
}

void TestQuickFind::referenceWithoutTheAddedColumns()
{
    // A reference file from before the Chinese and English names were added.
    QTemporaryDir dir;
    data::Database old;
    QVERIFY(old.open(dir.filePath(QStringLiteral("old.MDB")), data::Database::Mode::Create));
    QVERIFY(old.exec(QStringLiteral("CREATE TABLE tavirel (name1 TEXT, name2 TEXT, picno TEXT)")));
    QVERIFY(old.exec(QStringLiteral("CREATE TABLE pres (prename TEXT, precons TEXT)")));
    QVERIFY(
        old.exec(QStringLiteral("INSERT INTO tavirel VALUES ('Ma Huang', 'Herba Ephedrae', '1')")));
    QVERIFY(old.exec(QStringLiteral("INSERT INTO pres VALUES ('Ma Huang Tang', '1')")));

    QuickFindIndex index;
    index.setReference(quickfind::readReferenceEntries(old));
    QCOMPARE(
        found(index, QStringLiteral("mahuang")),
        QStringList({QStringLiteral("herb: Ma Huang"), QStringLiteral("formula: Ma Huang Tang")}));
    QCOMPARE(found(index, QStringLiteral("ephedrae")),
             QStringList{QStringLiteral("herb: Ma Huang")});
    QVERIFY(index.find(QStringLiteral("麻黄")).isEmpty());
}

QTEST_MAIN(TestQuickFind)
#include "tst_quickfind.moc"
