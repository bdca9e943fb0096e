#include "StoredOrder.h"

#include "Statement.h"

#include <QList>

#include <algorithm>
#include <utility>

namespace tavirel::data {

QStringList columnInStoredOrder(Database& db, const QString& table, const QString& column,
                                QString* error)
{
    // No ORDER BY: the rows come in the order of whatever the database reads, and are put in
    // stored order here.
    Statement rows(db, QStringLiteral("SELECT rowid, %1 FROM %2")
                           .arg(quotedIdentifier(column), quotedIdentifier(table)));
    QList<std::pair<qint64, QString>> read;
    while (rows.next()) {
        const QVariant value = rows.value(1);
        read.append({rows.value(0).toLongLong(), value.isNull() ? QString() : value.toString()});
    }
    if (error)
        *error = rows.errorString();
    std::sort(read.begin(), read.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList texts;
    texts.reserve(read.size());
    for (const auto& row : read)
        texts << row.second;
    return texts;
}

} // namespace tavirel::data
