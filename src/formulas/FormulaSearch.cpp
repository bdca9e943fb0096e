#include "FormulaSearch.h"

namespace tavirel::formulas {

namespace {

struct Columns
{
    const char* builtIn;
    const char* own;
};

// The searchable columns of pres and ownpres, in the order "All Category" tries them.
constexpr Columns searchable[] = {{"prename", "name"},
                                  {"precons", "construction"},
                                  {"premethod", "method"},
                                  {"prefunction", "function"},
                                  {"preindication", "indication"}};

// Other names of built-in formulas, also tried by "All Category"; own formulas have none.
constexpr const char* builtInNames[] = {"chinese", "chinesetrad", "pinyintones", "english",
                                        "prealiases"};

QString condition(const char* column, bool withHerbIndex)
{
    const QString like = QLatin1String(column) + QStringLiteral(" Like ?1 ESCAPE '\\'");
    if (qstrcmp(column, "precons") != 0)
        return like;
    // A built-in composition lists picture numbers: it is found by its herbs' names too, while
    // its number text still matches for anyone who types numbers.
    const QString named = QStringLiteral("SELECT picno FROM tavirel WHERE name1 Like ?1 ESCAPE "
                                         "'\\' AND picno <> ''");
    if (withHerbIndex)
        return QStringLiteral("(") + like +
               QStringLiteral(" or prename IN (SELECT prename FROM preherb WHERE picno IN (") +
               named + QStringLiteral(")))");
    return QStringLiteral("(") + like + QStringLiteral(" or EXISTS (SELECT 1 FROM (") + named +
           QStringLiteral(") named WHERE (',' || pres.precons || ',') Like ('%,' || named.picno "
                          "|| ',%')))");
}

QString query(const QString& select, const char* table, const QString& where, const char* key)
{
    return select + QStringLiteral(" FROM ") + QLatin1String(table) + QStringLiteral(" WHERE ") +
           where + QStringLiteral(" order by [") + QLatin1String(key) + QStringLiteral("] asc");
}

} // namespace

QStringList formulaSearchFields()
{
    return {QStringLiteral("All Category"), QStringLiteral("Name"),
            QStringLiteral("Construction"), QStringLiteral("Method"),
            QStringLiteral("Function"),     QStringLiteral("Indication")};
}

std::optional<FormulaSearchQueries> formulaSearchQueries(const QString& field, bool withHerbIndex)
{
    const QStringList fields = formulaSearchFields();
    const qsizetype index = fields.indexOf(field);
    if (index < 0)
        return std::nullopt;
    if (index == 0) {
        QStringList builtIn, own;
        for (const Columns& c : searchable) {
            builtIn << condition(c.builtIn, withHerbIndex);
            own << condition(c.own, false);
        }
        for (const char* column : builtInNames)
            builtIn << condition(column, false);
        const QString all = QStringLiteral("SELECT *");
        return FormulaSearchQueries{
            query(all, "pres", builtIn.join(QStringLiteral(" or ")), "prename"),
            query(all, "ownpres", own.join(QStringLiteral(" or ")), "name")};
    }
    const Columns& c = searchable[index - 1];
    // The name search selects the name alone; the others select the column and the name.
    const auto select = [index](const char* column, const char* key) {
        return index == 1 ? QStringLiteral("SELECT ") + QLatin1String(key)
                          : QStringLiteral("SELECT ") + QLatin1String(column) +
                                QStringLiteral(", ") + QLatin1String(key);
    };
    return FormulaSearchQueries{
        query(select(c.builtIn, "prename"), "pres", condition(c.builtIn, withHerbIndex), "prename"),
        query(select(c.own, "name"), "ownpres", condition(c.own, false), "name")};
}

} // namespace tavirel::formulas
