#pragma once

#include "OwnEntries.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace tavirel::data {
class Database;
}

namespace tavirel::owndata {

// The export file: one JSON object naming its format and version, then the own herbs and
// formulas with their stored columns (see data/README.md).
inline const QString exportFormatName = QStringLiteral("tavirel-own-entries");
inline constexpr int exportFormatVersion = 1;

QByteArray toJson(const OwnEntries& entries, const QDateTime& when);

// Why a file could not be taken: a file that is not JSON or breaks the format is damaged; a
// valid JSON file of some other kind is foreign. Both leave entries empty.
enum class ReadResult { Ok, Unreadable, Damaged, Foreign, NewerVersion };

struct ParsedFile
{
    ReadResult result = ReadResult::Ok;
    QString detail; // what is wrong, for the message
    OwnEntries entries;
};

ParsedFile fromJson(const QByteArray& bytes);
ParsedFile readExportFile(const QString& path);

// Writes every own entry to path (replacing it); false and error when it fails.
bool exportOwnEntries(data::Database& own, const QString& path, QString* error,
                      int* herbCount = nullptr, int* formulaCount = nullptr);

} // namespace tavirel::owndata
