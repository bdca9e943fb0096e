#pragma once

#include <QString>
#include <QStringList>

namespace tavirel::data {

class Database;

// One column of every row of a table, in stored order, read in one query; Null reads as
// empty text. Only the rowid and the column are asked for, so the database can answer from an
// index holding the column instead of reading whole rows. On failure the rows read so far are
// returned and error (when given) says why.
QStringList columnInStoredOrder(Database& db, const QString& table, const QString& column,
                                QString* error = nullptr);

} // namespace tavirel::data
