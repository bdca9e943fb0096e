#pragma once

#include <QList>
#include <QString>

namespace tavirel::data {
class Database;
}

namespace tavirel::herbs {

// One formula whose composition holds a herb, with the herb's dose in it.
struct FormulaUse
{
    QString formula;
    QString dose; // grams as the formula gives them; empty when its dosage list is short
    bool own = false;
};

struct FormulaUses
{
    QList<FormulaUse> uses; // sorted by formula name, ignoring letter case
    QString error;          // why a database could not be read; empty when both were
};

// Every built-in formula that names the herb's picture number in its composition, and every
// own formula that names the herb by name (letter case ignored). A herb without a picture
// number is in no built-in composition.
FormulaUses formulasWithHerb(data::Database& reference, data::Database& own, const QString& name1,
                             const QString& picno);

} // namespace tavirel::herbs
