#include "data/Database.h"
#include "data/Schema.h"
#include "data/Statement.h"

#include <QHash>
#include <QImage>
#include <QSet>
#include <QTest>

#include <algorithm>

// Checks the reference content as the program reads it: the databases built from data/ into the
// program folder. Every failure names each offending entry, so the list can be worked through
// in the JSON files.
using namespace tavirel;
namespace schema = data::schema;

namespace {

using Rows = QList<QVariantList>;

const QStringList meridianWords{"Lung",        "Large Intestine", "Stomach",     "Spleen",
                                "Heart",       "Small Intestine", "Bladder",     "Kidney",
                                "Pericardium", "San Jiao",        "Gallbladder", "Liver"};
const QStringList natureWords{"cold",          "slightly cold", "cool", "neutral",
                              "slightly warm", "warm",          "hot"};

Rows rows(data::Database& db, const QString& sql)
{
    Rows result;
    data::Statement statement(db, sql);
    while (statement.next()) {
        QVariantList row;
        for (int i = 0; i < statement.columnCount(); ++i)
            row << statement.value(i);
        result << row;
    }
    if (!statement.errorString().isEmpty())
        qWarning("%s: %s", qPrintable(sql), qPrintable(statement.errorString()));
    return result;
}

bool blank(const QVariant& value)
{
    return value.toString().trimmed().isEmpty();
}

QStringList items(const QVariant& value)
{
    QStringList words = value.toString().split(QLatin1Char(','));
    for (QString& word : words)
        word = word.trimmed();
    return words;
}

// A failure message is cut off after about a thousand characters, so every fault also goes to
// the log on a line of its own.
QString report(const QStringList& faults)
{
    for (const QString& fault : faults)
        qWarning("%s", qPrintable(fault));
    return QStringLiteral("%1 content fault(s), each logged above:\n%2")
        .arg(faults.size())
        .arg(faults.join('\n'));
}

// One category tree as the windows build it: the first `shown` level-1 rows in stored order;
// under each, its level-2 rows (no3 = no1) in stored order. A level-2 row without a name puts
// every entry of the chapter straight under the chapter; a named one takes the entries whose
// kind2 is its no2. An entry reached on no path is missing from the tree, on two shown twice.
struct Tree
{
    QString level1, level2, entries, name, kind1, kind2;
    int shown;
};

void checkTree(data::Database& db, const Tree& t, const QString& what, QStringList& faults)
{
    const Rows level1 = rows(db, QStringLiteral("SELECT kind1, no1 FROM %1 ORDER BY rowid LIMIT %2")
                                     .arg(t.level1)
                                     .arg(t.shown));
    const Rows level2 =
        rows(db, QStringLiteral("SELECT kind2, no2, no3 FROM %1 ORDER BY rowid").arg(t.level2));
    const Rows entries = rows(db, QStringLiteral("SELECT %1, %2, %3 FROM %4 ORDER BY rowid")
                                      .arg(t.name, t.kind1, t.kind2, t.entries));

    QHash<QString, int> filled; // node name -> entries hanging under it
    for (const QVariantList& entry : entries) {
        int paths = 0;
        for (const QVariantList& category : level1) {
            if (entry[1].isNull() || entry[1].toInt() != category[1].toInt())
                continue;
            for (const QVariantList& sub : level2) {
                if (sub[2].isNull() || sub[2].toInt() != category[1].toInt())
                    continue;
                if (blank(sub[0])) {
                    ++paths;
                    ++filled[category[0].toString()];
                } else if (!entry[2].isNull() && entry[2].toInt() == sub[1].toInt()) {
                    ++paths;
                    ++filled[sub[0].toString()];
                }
            }
        }
        if (paths != 1)
            faults << QStringLiteral("%1 %2 (kind %3/%4): in %5 tree nodes, not one")
                          .arg(what, entry[0].toString(), entry[1].toString(), entry[2].toString())
                          .arg(paths);
    }

    // Node names are the tree's keys: a name given twice would make one node unreachable.
    QStringList names;
    for (const QVariantList& category : level1) {
        names << category[0].toString();
        bool hasLevel2 = false, empty = false;
        for (const QVariantList& sub : level2) {
            if (sub[2].isNull() || sub[2].toInt() != category[1].toInt())
                continue;
            hasLevel2 = true;
            empty = empty || blank(sub[0]);
            if (!blank(sub[0])) {
                names << sub[0].toString();
                if (!filled.contains(sub[0].toString()))
                    faults << QStringLiteral("%1 sub-category \"%2\": holds nothing")
                                  .arg(t.level2, sub[0].toString());
            }
        }
        if (blank(category[0]) || !hasLevel2)
            faults << QStringLiteral("%1 no1 %2: no name or no %3 row")
                          .arg(t.level1, category[1].toString(), t.level2);
        else if (empty && !filled.contains(category[0].toString()))
            faults
                << QStringLiteral("%1 \"%2\": holds nothing").arg(t.level1, category[0].toString());
    }
    QSet<QString> seen;
    for (const QString& name : std::as_const(names)) {
        if (seen.contains(name))
            faults << QStringLiteral("%1/%2 name \"%3\": used for two categories")
                          .arg(t.level1, t.level2, name);
        seen.insert(name);
    }
}

} // namespace

class TestContent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void referenceIsComplete();
    void namesAreKeys();
    void herbFieldsFollowTheConventions();
    void compositionsNameBuiltInHerbs();
    void everyEntryHangsInOneTreeNode();
    void everyHerbHasAPlate();

private:
    data::Database m_ref;
    data::Database m_pictures;
    Rows m_herbs;    // name1, name2, used, taste, meridians, dosage, functions, indications, picno
    Rows m_formulas; // prename, precons, predosage, premethod, prefunction, preindication
};

void TestContent::initTestCase()
{
    const QString folder = QStringLiteral(TAVIREL_PROGRAM_DIR "/");
    QVERIFY2(m_ref.open(folder + schema::refFileName, data::Database::Mode::ReadOnly,
                        schema::refPassword),
             qPrintable(m_ref.errorString()));
    QVERIFY2(m_pictures.open(folder + schema::picFileName, data::Database::Mode::ReadOnly,
                             schema::picPassword),
             qPrintable(m_pictures.errorString()));
    m_herbs =
        rows(m_ref, "SELECT name1, name2, used, taste, meridians, dosage, functions, indications, "
                    "picno FROM tavirel ORDER BY rowid");
    m_formulas =
        rows(m_ref, "SELECT prename, precons, predosage, premethod, prefunction, preindication "
                    "FROM pres ORDER BY rowid");
}

void TestContent::referenceIsComplete()
{
    QStringList faults;
    const auto atLeast = [&](const QString& table, int wanted) {
        const int count =
            m_ref.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt();
        if (count < wanted)
            faults << QStringLiteral("%1: %2 rows, at least %3 wanted")
                          .arg(table)
                          .arg(count)
                          .arg(wanted);
    };
    atLeast("tavirel", 300);
    atLeast("pres", 160);
    atLeast("kind1", 18);
    atLeast("preskind1", 20);

    const QStringList herbFields{"name1",  "name2",     "used",        "taste", "meridians",
                                 "dosage", "functions", "indications", "picno"};
    for (const QVariantList& herb : std::as_const(m_herbs)) {
        for (int i = 0; i < herbFields.size(); ++i) {
            if (blank(herb[i]))
                faults << QStringLiteral("herb %1: %2 is empty")
                              .arg(herb[0].toString(), herbFields[i]);
        }
    }
    const QStringList formulaFields{"prename",   "precons",     "predosage",
                                    "premethod", "prefunction", "preindication"};
    for (const QVariantList& formula : std::as_const(m_formulas)) {
        for (int i = 0; i < formulaFields.size(); ++i) {
            if (blank(formula[i]))
                faults << QStringLiteral("formula %1: %2 is empty")
                              .arg(formula[0].toString(), formulaFields[i]);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
}

void TestContent::namesAreKeys()
{
    QStringList faults;
    const auto keys = [&](const Rows& table, int column, const QString& what, bool noComma) {
        QHash<QString, QString> seen;
        for (const QVariantList& row : table) {
            const QString key = row[column].toString();
            if (seen.contains(key.toLower()))
                faults << QStringLiteral("%1 \"%2\": given again (first for %3)")
                              .arg(what, key, seen.value(key.toLower()));
            seen.insert(key.toLower(), row[0].toString());
            if (noComma && key.contains(QLatin1Char(',')))
                faults << QStringLiteral("%1 \"%2\": contains a comma").arg(what, key);
        }
    };
    keys(m_herbs, 0, "herb name1", true);
    keys(m_herbs, 8, "herb picno", false);
    keys(m_formulas, 0, "formula prename", true);
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
}

void TestContent::herbFieldsFollowTheConventions()
{
    QStringList faults;
    for (const QVariantList& herb : std::as_const(m_herbs)) {
        const QString name = herb[0].toString();
        if (blank(herb[3]) || blank(herb[4]))
            continue; // reported as empty
        for (const QString& word : items(herb[4])) {
            if (!meridianWords.contains(word))
                faults << QStringLiteral("herb %1: meridian \"%2\" is not a channel name")
                              .arg(name, word);
        }
        QStringList taste = items(herb[3]);
        if (taste.size() > 1 && taste.last().compare("toxic", Qt::CaseInsensitive) == 0)
            taste.removeLast();
        if (!natureWords.contains(taste.last().toLower()))
            faults << QStringLiteral("herb %1: taste \"%2\" does not end in a nature")
                          .arg(name, herb[3].toString());
    }
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
}

void TestContent::compositionsNameBuiltInHerbs()
{
    QSet<QString> picnos;
    for (const QVariantList& herb : std::as_const(m_herbs))
        picnos.insert(herb[8].toString());
    QStringList faults;
    for (const QVariantList& formula : std::as_const(m_formulas)) {
        const QString name = formula[0].toString();
        const QStringList herbs = formula[1].toString().split(QLatin1Char(','));
        const QStringList grams = formula[2].toString().split(QLatin1Char(','));
        for (const QString& picno : herbs) {
            if (!picnos.contains(picno))
                faults << QStringLiteral("formula %1: no herb has picno \"%2\"").arg(name, picno);
        }
        if (herbs.size() != grams.size())
            faults << QStringLiteral("formula %1: %2 herbs but %3 dosages")
                          .arg(name)
                          .arg(herbs.size())
                          .arg(grams.size());
        if (herbs.size() > 40)
            faults << QStringLiteral("formula %1: %2 herbs, at most 40 fit")
                          .arg(name)
                          .arg(herbs.size());
        if (std::any_of(grams.cbegin(), grams.cend(),
                        [](const QString& g) { return g.trimmed().isEmpty(); }))
            faults << QStringLiteral("formula %1: an empty dosage in \"%2\"")
                          .arg(name, formula[2].toString());
    }
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
}

void TestContent::everyEntryHangsInOneTreeNode()
{
    QStringList faults;
    checkTree(m_ref, {"kind1", "kind2", "tavirel", "name1", "kind1", "kind2", 18}, "herb", faults);
    checkTree(m_ref, {"preskind1", "preskind2", "pres", "prename", "prekind1", "prekind2", 20},
              "formula", faults);
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
}

void TestContent::everyHerbHasAPlate()
{
    QStringList faults;
    for (const QVariantList& herb : std::as_const(m_herbs)) {
        if (blank(herb[8]))
            continue; // reported as empty
        const QString file = herb[8].toString() + QStringLiteral(".jpg");
        const QByteArray bytes =
            m_pictures.scalar("SELECT Image FROM images WHERE Name = ?", {file}).toByteArray();
        const QImage picture = QImage::fromData(bytes);
        if (bytes.isEmpty())
            faults << QStringLiteral("herb %1: no picture %2").arg(herb[0].toString(), file);
        else if (picture.isNull())
            faults << QStringLiteral("herb %1: picture %2 does not decode")
                          .arg(herb[0].toString(), file);
        else if (picture.width() < 360 || picture.width() > 480)
            faults << QStringLiteral("herb %1: picture %2 is %3 pixels wide, not 360 to 480")
                          .arg(herb[0].toString(), file)
                          .arg(picture.width());
    }
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
}

QTEST_MAIN(TestContent)
#include "tst_content.moc"
