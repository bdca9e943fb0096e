#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tavirel::data {
class Database;
}

namespace tavirel::owndata {

inline constexpr int keptBackups = 5;

// A dated copy of the open own database beside it ("yourown-backup-YYYYMMDD-HHMMSS.MDB"),
// taken with the database's online backup, so a copy is consistent even while the file is
// open. Only the newest keptBackups copies stay. Returns the new copy's path, or an empty
// text and error on failure (a half-written copy is removed).
QString backupOwnDatabase(data::Database& own, QString* error,
                          const QDateTime& when = QDateTime::currentDateTime());

// The backups beside an own database file, oldest first.
QStringList backupsOf(const QString& ownFile);

} // namespace tavirel::owndata
