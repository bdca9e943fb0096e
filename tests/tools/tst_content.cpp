#include "data/Database.h"
#include "data/Schema.h"
#include "data/Statement.h"

#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <optional>

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

// Chinese names are written in Han characters only.
bool hanOnly(const QString& text)
{
    const QList<uint> points = text.toUcs4();
    return !points.isEmpty() && std::all_of(points.cbegin(), points.cend(), [](uint c) {
        return QChar::script(c) == QChar::Script_Han;
    });
}

// Faults of a tone-marked Pinyin name: marks sit on vowels only, and without them (and with ü
// read as u) it is the plain name, letter case aside.
QStringList pinyinFaults(const QString& entry, const QString& toned, const QString& plain)
{
    static const QString marked =
        QStringLiteral("āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜüĀÁǍÀĒÉĚÈĪÍǏÌŌÓǑÒŪÚǓÙǕǗǙǛÜ");
    static const QString bare =
        QStringLiteral("aaaaeeeeiiiioooouuuuuuuuuAAAAEEEEIIIIOOOOUUUUUUUUU");
    QString stripped;
    for (const QChar c : toned) {
        const qsizetype at = marked.indexOf(c);
        if (at >= 0)
            stripped += bare.at(at);
        else if (c.unicode() < 128 && (c.isLetter() || c == QLatin1Char(' ')))
            stripped += c;
        else
            return {fault("%1: pinyinTones \"%2\" holds \"%3\", not a Pinyin letter or tone-marked "
                          "vowel",
                          entry, toned, QString(c))};
    }
    if (stripped.compare(plain, Qt::CaseInsensitive) != 0)
        return {
            fault("%1: pinyinTones \"%2\" without its marks reads \"%3\"", entry, toned, stripped)};
    return {};
}

// The names shared by herbs and formulas: Chinese (traditional only where it differs), tone
// Pinyin, English, and the other names (which may be an empty list, but not missing).
void nameFaults(const Row& row, const QString& entry, const QString& plain, const char* aliases,
                QStringList& faults)
{
    if (!hanOnly(row["chinese"].toString()))
        faults << fault("%1: chinese \"%2\" is missing or not all Chinese characters", entry,
                        row["chinese"]);
    const QVariant traditional = row["chinesetrad"];
    if (!traditional.isNull() &&
        (!hanOnly(traditional.toString()) || traditional == row["chinese"]))
        faults << fault("%1: chineseTrad \"%2\" is not Chinese characters or repeats chinese",
                        entry, traditional);
    if (row["pinyintones"].isNull())
        faults << fault("%1: pinyinTones is missing", entry);
    else
        faults << pinyinFaults(entry, row["pinyintones"].toString(), plain);
    if (blank(row["english"]))
        faults << fault("%1: english is missing", entry);
    if (row[aliases].isNull())
        faults << fault("%1: aliases is missing (an empty list where there are none)", entry);
}

// The range of a herb's own dosage in grams, over every range its text gives ("3-9 g; 15-30 g as
// powder", "up to 60 g"); nothing for a herb used externally only.
std::optional<std::pair<double, double>> gramRange(const QString& dosage)
{
    static const QRegularExpression grams(
        QStringLiteral("(\\d+(?:\\.\\d+)?)(?:\\s*-\\s*(\\d+(?:\\.\\d+)?))?\\s*g\\b"));
    std::optional<std::pair<double, double>> range;
    for (auto it = grams.globalMatch(dosage); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const double low = m.captured(1).toDouble();
        const double high = m.capturedLength(2) > 0 ? m.captured(2).toDouble() : low;
        range = range ? std::pair{std::min(range->first, low), std::max(range->second, high)}
                      : std::pair{low, high};
    }
    return range;
}

const QStringList pregnancyWords{"contraindicated", "caution", ""};
const QStringList toxicityWords{"highly toxic", "toxic", "slightly toxic", ""};
const QStringList roleWords{"chief", "deputy", "assistant", "envoy", ""};
const QStringList incompatibilityWords{"antagonism", "counteraction"};

} // namespace

class TestContent : public QObject
{
    Q_OBJECT

    data::Database m_ref;
    data::Database m_pictures;
    Rows m_herbs;        // every column that may not be empty
    Rows m_formulas;     // likewise
    Rows m_herbFacts;    // the reference facts, which may be Null where the content lacks them
    Rows m_formulaFacts; // likewise

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
        m_herbFacts = rows(m_ref, "SELECT name1, picno, dosage, chinese, chinesetrad, pinyintones, "
                                  "english, origin, pregnancy, toxicity, aliases FROM tavirel "
                                  "ORDER BY rowid");
        m_formulaFacts =
            rows(m_ref, "SELECT prename, precons, predosage, chinese, chinesetrad, pinyintones, "
                        "english, presource, precautions, preroles, prealiases FROM pres "
                        "ORDER BY rowid");
        // A query that failed reads as no rows, which would pass every check below.
        QVERIFY(!m_herbs.isEmpty() && m_herbFacts.size() == m_herbs.size());
        QVERIFY(!m_formulas.isEmpty() && m_formulaFacts.size() == m_formulas.size());
    }

    void countsAndCategoryTrees()
    {
        QStringList faults;
        const QList<std::pair<QString, int>> counts{
            {"tavirel", 570}, {"pres", 380}, {"kind1", 18}, {"preskind1", 20}};
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

    void everyHerbHasItsReferenceFacts()
    {
        QStringList faults;
        for (const Row& herb : std::as_const(m_herbFacts)) {
            const QString entry = "herb " + herb["name1"].toString();
            nameFaults(herb, entry, herb["name1"].toString(), "aliases", faults);
            if (blank(herb["origin"]))
                faults << fault("%1: origin (source species) is missing", entry);
            if (herb["pregnancy"].isNull() ||
                !pregnancyWords.contains(herb["pregnancy"].toString()))
                faults << fault("%1: pregnancy \"%2\" is not one of \"%3\"", entry,
                                herb["pregnancy"], pregnancyWords.join("\", \""));
            if (herb["toxicity"].isNull() || !toxicityWords.contains(herb["toxicity"].toString()))
                faults << fault("%1: toxicity \"%2\" is not one of \"%3\"", entry, herb["toxicity"],
                                toxicityWords.join("\", \""));
        }
        VERIFY_NO_FAULTS(faults);
    }

    void everyFormulaHasItsReferenceFacts()
    {
        QStringList faults;
        for (const Row& formula : std::as_const(m_formulaFacts)) {
            const QString entry = "formula " + formula["prename"].toString();
            nameFaults(formula, entry, formula["prename"].toString(), "prealiases", faults);
            if (blank(formula["presource"]))
                faults << fault("%1: sourceText is missing", entry);
            if (formula["precautions"].isNull())
                faults << fault("%1: cautions is missing (\"\" only where there are none)", entry);
            const QStringList roles = formula["preroles"].toString().split(QLatin1Char(','));
            const qsizetype herbs = formula["precons"].toString().split(QLatin1Char(',')).size();
            if (roles.size() != herbs)
                faults << fault("%1: %2 roles for %3 herbs", entry, roles.size(), herbs);
            for (const QString& role : roles) {
                if (!roleWords.contains(role))
                    faults << fault("%1: role \"%2\" is not chief, deputy, assistant or envoy",
                                    entry, role);
            }
        }
        VERIFY_NO_FAULTS(faults);
    }

    // A formula that holds a toxic herb or one contraindicated in pregnancy says so.
    void formulasWithRiskyHerbsHaveCautions()
    {
        QHash<QString, QString> risky; // picno -> what makes the herb risky
        for (const Row& herb : std::as_const(m_herbFacts)) {
            QStringList why;
            if (herb["toxicity"] == "toxic" || herb["toxicity"] == "highly toxic")
                why << herb["toxicity"].toString();
            if (herb["pregnancy"] == "contraindicated")
                why << "contraindicated in pregnancy";
            if (!why.isEmpty())
                risky.insert(herb["picno"].toString(),
                             herb["name1"].toString() + " (" + why.join(", ") + ")");
        }
        QStringList faults;
        for (const Row& formula : std::as_const(m_formulaFacts)) {
            QStringList held;
            for (const QString& picno : formula["precons"].toString().split(QLatin1Char(',')))
                if (risky.contains(picno))
                    held << risky[picno];
            if (!held.isEmpty() && blank(formula["precautions"]))
                faults << fault("formula %1: no cautions, but holds %2", formula["prename"],
                                held.join(", "));
        }
        VERIFY_NO_FAULTS(faults);
    }

    void antagonismsNameExistingHerbs()
    {
        QSet<QString> names;
        for (const Row& herb : std::as_const(m_herbFacts))
            names << herb["name1"].toString().toLower();
        QStringList faults;
        QSet<QString> pairs, kinds;
        for (const Row& pair : rows(m_ref, "SELECT herb1, herb2, kind FROM incompat")) {
            const QString text =
                fault("%1 pair %2 / %3", pair["kind"], pair["herb1"], pair["herb2"]);
            for (const char* column : {"herb1", "herb2"}) {
                if (!names.contains(pair[column].toString().toLower()))
                    faults << fault("%1: no herb is named \"%2\"", text, pair[column]);
            }
            if (!incompatibilityWords.contains(pair["kind"].toString()))
                faults << fault("%1: the group is neither antagonism nor counteraction", text);
            const QStringList both{pair["herb1"].toString().toLower(),
                                   pair["herb2"].toString().toLower()};
            if (both.first() == both.last())
                faults << fault("%1: a herb paired with itself", text);
            const QString key =
                std::min(both.first(), both.last()) + '|' + std::max(both.first(), both.last());
            if (pairs.contains(key))
                faults << fault("%1: given twice", text);
            pairs << key;
            kinds << pair["kind"].toString();
        }
        for (const QString& kind : incompatibilityWords) {
            if (!kinds.contains(kind))
                faults << fault("incompat: no pair of the group %1", kind);
        }
        VERIFY_NO_FAULTS(faults);
    }

    // Doses are plain numbers. One outside the herb's own dosage range is not a fault (pills and
    // powders are weighed for a whole batch), so those are listed for review.
    void formulaDosesAgainstHerbRanges()
    {
        QHash<QString, Row> herbs; // picno -> herb
        for (const Row& herb : std::as_const(m_herbFacts))
            herbs.insert(herb["picno"].toString(), herb);
        QStringList faults, outside;
        for (const Row& formula : std::as_const(m_formulaFacts)) {
            const QStringList picnos = formula["precons"].toString().split(QLatin1Char(','));
            const QStringList grams = formula["predosage"].toString().split(QLatin1Char(','));
            for (int i = 0; i < picnos.size() && i < grams.size(); ++i) {
                bool number = false;
                const double dose = grams.at(i).toDouble(&number);
                if (!number) {
                    faults << fault("formula %1: dose \"%2\" is not a number of grams",
                                    formula["prename"], grams.at(i));
                    continue;
                }
                const Row herb = herbs.value(picnos.at(i));
                const auto range = gramRange(herb["dosage"].toString());
                if (range && (dose < range->first || dose > range->second))
                    outside << fault("formula %1: %2 %3 g, outside its dosage %4",
                                     formula["prename"], herb["name1"], grams.at(i),
                                     herb["dosage"]);
            }
        }
        for (const QString& line : std::as_const(outside))
            qInfo("dose report: %s", qPrintable(line));
        qInfo("dose report: %lld herb doses outside the herb's own dosage range",
              qlonglong(outside.size()));
        VERIFY_NO_FAULTS(faults);
    }
};

QTEST_MAIN(TestContent)
#include "tst_content.moc"
