#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tavirel::herbs {

// The key-word search over the built-in and the own herbs: one query per table for the field
// picked in the search tab. The key word is bound as ?1 (a literal "contains" pattern).
struct HerbSearchQueries
{
    QString builtIn;    // on the reference database
    QString own;        // on the own database
    bool latin = false; // rows are listed as name2 + " (" + name1 + ")"
};

QStringList herbSearchFields();
std::optional<HerbSearchQueries> herbSearchQueries(const QString& field);
// The entry listed for a row.
QString herbSearchEntry(const QString& name1, const QString& name2, bool latin);

} // namespace tavirel::herbs
