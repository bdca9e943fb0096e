#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tavirel::data {
class Database;
}

namespace tavirel::owndata {

// One row of ownherb or ownpres, column values in the order of herbColumns() or
// formulaColumns(); a value may be Null.
struct OwnRow
{
    QVariantList values;

    QString name() const { return values.value(0).toString(); }
};

struct OwnEntries
{
    QList<OwnRow> herbs;
    QList<OwnRow> formulas;
};

// The stored columns, key first.
const QStringList& herbColumns();
const QStringList& formulaColumns();

// Every own herb and formula in stored order; false and error when the tables can not be read.
bool readOwnEntries(data::Database& own, OwnEntries& entries, QString* error);

// Names compared the way a user sees them: letter case ignored, also beyond ASCII.
QString nameKey(const QString& name);

} // namespace tavirel::owndata
