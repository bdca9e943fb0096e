#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tavirel::formulas {

// The key-word search over the built-in and the own formulas: one query per table for the field
// picked. The key word is bound as ?1 (a literal "contains" pattern); built-in rows name the
// formula in prename, own rows in name, each part sorted by that name.
struct FormulaSearchQueries
{
    QString builtIn; // on the reference database
    QString own;     // on the own database
};

QStringList formulaSearchFields();
// Nothing for a field that is not one of formulaSearchFields(). withHerbIndex: the reference
// file has the table of each composition's herbs (preherb), so a composition is found by its
// herbs' names through it; older files are searched composition by composition.
std::optional<FormulaSearchQueries> formulaSearchQueries(const QString& field,
                                                         bool withHerbIndex = false);

} // namespace tavirel::formulas
