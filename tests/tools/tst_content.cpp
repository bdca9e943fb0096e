#include "data/Database.h"
#include "data/Schema.h"
#include "data/Statement.h"

#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

// Checks the reference content as the program reads it: the databases built from data/ into the
// program folder. Every failure names each offending entry, so the list can be worked through
// in the JSON files.
using namespace tavirel;
namespace schema = data::schema;

namespace {

using Row = QVariantMap; // column name (as selected) -> value
using Rows = QList<Row>;

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
        Row row;
        for (int i = 0; i < statement.columnCount(); ++i)
            row.insert(statement.columnName(i), statement.value(i));
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

// Both values present and the same number.
bool same(const QVariant& a, const QVariant& b)
{
    return !a.isNull() && !b.isNull() && a.toInt() == b.toInt();
}

QStringList words(const QVariant& value)
{
    return value.toString().trimmed().split(QRegularExpression(QStringLiteral("\\s*,\\s*")));
}

// One fault: each %N of the text replaced by the Nth value.
template <typename... Values> QString fault(const char* text, const Values&... values)
{
    return QString::fromUtf8(text).arg(QVariant(values).toString()...);
}

// A failure message is cut off after about a thousand characters, so every fault also goes to
// the log on a line of its own.
QString report(const QStringList& faults)
{
    for (const QString& line : faults)
        qWarning("%s", qPrintable(line));
    return fault("%1 content fault(s), each logged above:\n%2", faults.size(), faults.join('\n'));
}
#define VERIFY_NO_FAULTS(faults) QVERIFY2((faults).isEmpty(), qPrintable(report(faults)))

// One category tree as the windows build it (tables prefix + "kind1" and prefix + "kind2"): the
// first `shown` level-1 rows in stored order; under each, its level-2 rows (no3 = no1). A level-2
// row without a name puts every entry of the chapter straight under the chapter; a named one
// takes the entries whose kind2 is its no2. An entry reached on no path is missing from the
// tree, on two shown twice. `entries` selects name, kind1 and kind2 of every entry.
QStringList treeFaults(data::Database& db, const QString& prefix, int shown, const QString& entries)
{
    QStringList faults;
    const Rows chapters = rows(db, "SELECT kind1 AS name, no1 FROM " + prefix +
                                       "kind1 ORDER BY rowid LIMIT " + QString::number(shown));
    const Rows subs = rows(db, "SELECT kind2 AS name, no2, no3 FROM " + prefix + "kind2");
    QHash<QString, int> filled; // node name -> entries hanging under it
    for (const Row& entry : rows(db, entries)) {
        int paths = 0;
        for (const Row& chapter : chapters) {
            for (const Row& sub : subs) {
                if (!same(entry["kind1"], chapter["no1"]) || !same(sub["no3"], chapter["no1"]))
                    continue;
                if (blank(sub["name"]) || same(entry["kind2"], sub["no2"])) {
                    ++paths;
                    ++filled[(blank(sub["name"]) ? chapter : sub)["name"].toString()];
                }
            }
        }
        if (paths != 1)
            faults << fault("%1 (kind %2/%3): in %4 tree nodes, not one", entry["name"],
                            entry["kind1"], entry["kind2"], paths);
    }

    // Node names are the tree's keys: a name given twice would make one node unreachable.
    QSet<QString> names;
    const auto node = [&](const QString& table, const QString& name, bool holds) {
        if (names.contains(name))
            faults << fault("%1kind1/2 name \"%2\": used for two categories", prefix, name);
        names.insert(name);
        if (holds && !filled.contains(name))
            faults << fault("%1 \"%2\": holds nothing", table, name);
    };
    for (const Row& chapter : chapters) {
        bool hasSub = false, unnamedSub = false;
        for (const Row& sub : subs) {
            if (!same(sub["no3"], chapter["no1"]))
                continue;
            hasSub = true;
            unnamedSub = unnamedSub || blank(sub["name"]);
            if (!blank(sub["name"]))
                node(prefix + "kind2", sub["name"].toString(), true);
        }
        const bool usable = hasSub && !blank(chapter["name"]);
        if (!usable)
            faults << fault("%1kind1 no1 %2: no name or no %1kind2 row", prefix, chapter["no1"]);
        node(prefix + "kind1", chapter["name"].toString(), usable && unnamedSub);
    }
    return faults;
}

// Every selected column must hold something.
void requireAll(const Row& row, const QVariant& name, QStringList& faults)
{
    for (auto field = row.cbegin(); field != row.cend(); ++field) {
        if (blank(field.value()))
            faults << fault("%1: %2 is empty", name, field.key());
    }
}

// Keys are unique ignoring case (seen maps each key in lower case to the entry that has it). Own
// formulas list their herbs separated by commas, so no name may hold one.
void requireKey(QHash<QString, QString>& seen, const char* column, const QString& key,
                const QString& entry, QStringList& faults)
{
    if (seen.contains(key.toLower()))
        faults << fault("%1 \"%2\": given again (first for %3)", column, key, seen[key.toLower()]);
    seen.insert(key.toLower(), entry);
    if (key == entry && key.contains(QLatin1Char(',')))
        faults << fault("%1 \"%2\": contains a comma", column, key);
}

} // namespace

class TestContent : public QObject
{
    Q_OBJECT

    data::Database m_ref;
    data::Database m_pictures;
    Rows m_herbs;    // every column that may not be empty
    Rows m_formulas; // likewise

private Q_SLOTS:
    void initTestCase()
    {
        const QString folder = QStringLiteral(TAVIREL_PROGRAM_DIR "/");
        const auto mode = data::Database::Mode::ReadOnly;
        QVERIFY2(m_ref.open(folder + schema::refFileName, mode, schema::refPassword),
                 qPrintable(m_ref.errorString()));
        QVERIFY2(m_pictures.open(folder + schema::picFileName, mode, schema::picPassword),
                 qPrintable(m_pictures.errorString()));
        m_herbs = rows(m_ref, "SELECT name1, name2, used, taste, meridians, dosage, functions, "
                              "indications, picno FROM tavirel ORDER BY rowid");
        m_formulas = rows(m_ref, "SELECT prename, precons, predosage, premethod, prefunction, "
                                 "preindication FROM pres ORDER BY rowid");
    }

    void countsAndCategoryTrees()
    {
        QStringList faults;
        const QList<std::pair<QString, int>> counts{
            {"tavirel", 300}, {"pres", 160}, {"kind1", 18}, {"preskind1", 20}};
        for (const auto& [table, wanted] : counts) {
            const int count = m_ref.scalar("SELECT count(*) FROM " + table).toInt();
            if (count < wanted)
                faults << fault("%1: %2 rows, at least %3 wanted", table, count, wanted);
        }
        faults << treeFaults(m_ref, "", 18,
                             "SELECT 'herb ' || name1 AS name, kind1, kind2 FROM tavirel")
               << treeFaults(
                      m_ref, "pres", 20,
                      "SELECT 'formula ' || prename AS name, prekind1 AS kind1, prekind2 AS kind2 "
                      "FROM pres");
        VERIFY_NO_FAULTS(faults);
    }

    // Meridians and natures come from their vocabularies; every herb has a plate that decodes.
    void everyHerbFollowsTheConventions()
    {
        QStringList faults;
        QHash<QString, QString> names, picnos;
        for (const Row& herb : std::as_const(m_herbs)) {
            const QString name = herb["name1"].toString();
            requireAll(herb, name, faults);
            requireKey(names, "name1", name, name, faults);
            requireKey(picnos, "picno", herb["picno"].toString(), name, faults);
            for (const QString& word : words(herb["meridians"])) {
                if (!meridianWords.contains(word) && !blank(herb["meridians"]))
                    faults << fault("herb %1: meridian \"%2\" is not a channel name", name, word);
            }
            QStringList taste = words(herb["taste"]);
            if (taste.size() > 1 && taste.last().compare("toxic", Qt::CaseInsensitive) == 0)
                taste.removeLast();
            if (!natureWords.contains(taste.last().toLower()) && !blank(herb["taste"]))
                faults << fault("herb %1: taste \"%2\" does not end in a nature", name,
                                herb["taste"]);

            const QString file = herb["picno"].toString() + QStringLiteral(".jpg");
            const QByteArray bytes =
                m_pictures.scalar("SELECT Image FROM images WHERE Name = ?", {file}).toByteArray();
            const int width = QImage::fromData(bytes).width(); // 0 when it does not decode
            if (!blank(herb["picno"]) && (width < 360 || width > 480))
                faults << fault("herb %1: picture %2 is %3", name, file,
                                bytes.isEmpty() ? "missing"
                                                : fault("%1 pixels wide, not 360 to 480", width));
        }
        VERIFY_NO_FAULTS(faults);
    }

    // Compositions name built-in herbs by picture number, with as many dosages, at most 40.
    void everyFormulaFollowsTheConventions()
    {
        QSet<QString> picnos;
        for (const Row& herb : std::as_const(m_herbs))
            picnos << herb["picno"].toString();
        QStringList faults;
        QHash<QString, QString> names;
        for (const Row& formula : std::as_const(m_formulas)) {
            const QString name = formula["prename"].toString();
            requireAll(formula, name, faults);
            requireKey(names, "prename", name, name, faults);
            const QStringList herbs = formula["precons"].toString().split(QLatin1Char(','));
            const QStringList grams = words(formula["predosage"]);
            for (const QString& picno : herbs) {
                if (!picnos.contains(picno))
                    faults << fault("formula %1: no herb has picno \"%2\"", name, picno);
            }
            if (herbs.size() != grams.size())
                faults << fault("formula %1: %2 herbs but %3 dosages", name, herbs.size(),
                                grams.size());
            if (herbs.size() > 40)
                faults << fault("formula %1: %2 herbs, at most 40 fit", name, herbs.size());
            if (grams.contains(QString()))
                faults << fault("formula %1: an empty dosage in \"%2\"", name,
                                formula["predosage"]);
        }
        VERIFY_NO_FAULTS(faults);
    }
};

QTEST_MAIN(TestContent)
#include "tst_content.moc"
