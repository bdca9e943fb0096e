#include "FormulaUsage.h"

#include "data/Database.h"
#include "data/Statement.h"

#include <QStringList>

#include <algorithm>

namespace tavirel::herbs {

namespace {

// The rows whose list column holds the item as one whole entry. Like narrows the rows in the
// database; the split then compares entries exactly (names ignoring letter case).
void collect(data::Database& db, const QString& sql, const QString& item, bool own,
             FormulaUses& found)
{
    data::Statement rows(db, sql, {data::containsPattern(item)});
    while (rows.next()) {
        const QStringList parts = rows.value(1).toString().split(QLatin1Char(','));
        const QStringList doses = rows.value(2).toString().split(QLatin1Char(','));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const bool match =
                own ? parts.at(i).compare(item, Qt::CaseInsensitive) == 0 : parts.at(i) == item;
            if (match) {
                found.uses.append({rows.value(0).toString(), doses.value(i), own});
                break;
            }
        }
    }
    if (!rows.errorString().isEmpty() && found.error.isEmpty())
        found.error = rows.errorString();
}

} // namespace

FormulaUses formulasWithHerb(data::Database& reference, data::Database& own, const QString& name1,
                             const QString& picno)
{
    FormulaUses found;
    if (!picno.isEmpty() && reference.hasTable(QStringLiteral("preherb"))) {
        data::Statement rows(reference,
                             QStringLiteral("SELECT prename, dose FROM preherb WHERE picno = ?"),
                             {picno});
        while (rows.next())
            found.uses.append({rows.value(0).toString(), rows.value(1).toString(), false});
        if (!rows.errorString().isEmpty())
            found.error = rows.errorString();
    } else if (!picno.isEmpty()) {
        // A reference built before the index table: every composition is read.
        collect(reference,
                QStringLiteral("SELECT prename, precons, predosage FROM pres WHERE precons "
                               "Like ?1 ESCAPE '\\'"),
                picno, false, found);
    }
    if (!name1.isEmpty())
        collect(own,
                QStringLiteral("SELECT name, construction, dosage FROM ownpres WHERE "
                               "construction Like ?1 ESCAPE '\\'"),
                name1, true, found);
    std::stable_sort(found.uses.begin(), found.uses.end(),
                     [](const FormulaUse& a, const FormulaUse& b) {
                         return a.formula.compare(b.formula, Qt::CaseInsensitive) < 0;
                     });
    return found;
}

} // namespace tavirel::herbs
