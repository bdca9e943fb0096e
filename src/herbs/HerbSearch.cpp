#include "HerbSearch.h"

namespace tavirel::herbs {

namespace {

QString condition(const QString& column)
{
    return column + QStringLiteral(" Like ?1 ESCAPE '\\'");
}

} // namespace

QStringList herbSearchFields()
{
    return {QStringLiteral("All Category"),
            QStringLiteral("Pinyin Name"),
            QStringLiteral("Latin Name"),
            QStringLiteral("Part Used & Method"),
            QStringLiteral("Properties & Taste"),
            QStringLiteral("Meridians"),
            QStringLiteral("Functions"),
            QStringLiteral("Indications"),
            QStringLiteral("Cautions")};
}

std::optional<HerbSearchQueries> herbSearchQueries(const QString& field)
{
    struct Row
    {
        const char* field;
        const char* select; // "SELECT ... FROM " without the table
        const char* column;
        const char* builtInTail;
        const char* ownTail;
    };
    static const Row rows[] = {
        {"Pinyin Name", "SELECT name1 FROM ", "Name1", " order by [name1] asc", ""},
        {"Latin Name", "SELECT name1, name2 FROM ", "Name2", " order by [name2] asc",
         " order by [name1] asc"},
        {"Part Used & Method", "SELECT used, name1 FROM ", "Used", " order by [name1] asc",
         " order by [name2] asc"},
        {"Properties & Taste", "SELECT taste, name1 FROM ", "Taste", " order by [name1] asc",
         " order by [name1] asc"},
        {"Meridians", "SELECT Meridians, name1 FROM ", "Meridians", " order by [name1] asc",
         " order by [name1] asc"},
        {"Functions", "SELECT Functions, name1 FROM ", "Functions", " order by [name1] asc",
         " order by [name1] asc"},
        {"Indications", "SELECT Indications, name1 FROM ", "Indications", " order by [name1] asc",
         " order by [name1] asc"},
        {"Cautions", "SELECT Coutions, name1 FROM ", "Coutions", " order by [name1] asc",
         " order by [name1] asc"},
    };
    if (field == QLatin1String("All Category")) {
        QStringList conditions;
        for (const char* column : {"name1", "name2", "source", "used", "taste", "meridians",
                                   "functions", "indications", "coutions"})
            conditions << condition(QLatin1String(column));
        const QString where = conditions.join(QStringLiteral(" or "));
        // Built-in herbs are also found by their other names; own herbs have none.
        QStringList names;
        for (const char* column : {"chinese", "chinesetrad", "pinyintones", "english", "aliases"})
            names << condition(QLatin1String(column));
        return HerbSearchQueries{QStringLiteral("SELECT * FROM tavirel WHERE ") + where +
                                     QStringLiteral(" or ") + names.join(QStringLiteral(" or ")) +
                                     QStringLiteral(" order by [name1] asc"),
                                 QStringLiteral("SELECT * FROM ownherb WHERE ") + where, false};
    }
    for (const Row& row : rows) {
        if (field != QLatin1String(row.field))
            continue;
        const QString where = condition(QLatin1String(row.column));
        return HerbSearchQueries{QLatin1String(row.select) + QStringLiteral("tavirel WHERE ") +
                                     where + QLatin1String(row.builtInTail),
                                 QLatin1String(row.select) + QStringLiteral("ownherb WHERE ") +
                                     where + QLatin1String(row.ownTail),
                                 field == QLatin1String("Latin Name")};
    }
    return std::nullopt;
}

QString herbSearchEntry(const QString& name1, const QString& name2, bool latin)
{
    return latin ? name2 + QStringLiteral(" (") + name1 + QLatin1Char(')') : name1;
}

} // namespace tavirel::herbs
