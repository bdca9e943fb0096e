#include "ExportFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace tavirel::owndata {

namespace {

QJsonArray rowsToJson(const QList<OwnRow>& rows, const QStringList& columns)
{
    QJsonArray array;
    for (const OwnRow& row : rows) {
        QJsonObject object;
        for (int i = 0; i < columns.size(); ++i) {
            const QVariant& v = row.values.value(i);
            object.insert(columns.at(i), v.isNull() ? QJsonValue() : QJsonValue(v.toString()));
        }
        array.append(object);
    }
    return array;
}

// Reads one array of entries; on a fault names the entry and leaves the reason in detail.
bool rowsFromJson(const QJsonValue& value, const QString& key, const QStringList& columns,
                  QList<OwnRow>& rows, QString& detail)
{
    if (!value.isArray()) {
        detail = QStringLiteral("\"%1\" is not a list").arg(key);
        return false;
    }
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QString where = QStringLiteral("entry %1 of \"%2\"").arg(i + 1).arg(key);
        if (!array.at(i).isObject()) {
            detail = where + QStringLiteral(" is not an object");
            return false;
        }
        const QJsonObject object = array.at(i).toObject();
        OwnRow row;
        for (const QString& column : columns) {
            const QJsonValue cell = object.value(column);
            if (cell.isString())
                row.values << cell.toString();
            else if (cell.isNull() || cell.isUndefined())
                row.values << QVariant();
            else {
                detail = where + QStringLiteral(": \"%1\" is not text").arg(column);
                return false;
            }
        }
        if (row.name().trimmed().isEmpty()) {
            detail = where + QStringLiteral(" has no name");
            return false;
        }
        rows << row;
    }
    return true;
}

ParsedFile failed(ReadResult result, const QString& detail)
{
    ParsedFile parsed;
    parsed.result = result;
    parsed.detail = detail;
    return parsed;
}

} // namespace

QByteArray toJson(const OwnEntries& entries, const QDateTime& when)
{
    QJsonObject root;
    root.insert(QStringLiteral("format"), exportFormatName);
    root.insert(QStringLiteral("version"), exportFormatVersion);
    root.insert(QStringLiteral("exported"), when.toString(Qt::ISODate));
    root.insert(QStringLiteral("herbs"), rowsToJson(entries.herbs, herbColumns()));
    root.insert(QStringLiteral("formulas"), rowsToJson(entries.formulas, formulaColumns()));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ParsedFile fromJson(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return failed(ReadResult::Damaged, error.errorString());
    if (!document.isObject())
        return failed(ReadResult::Foreign, QStringLiteral("no format name"));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != exportFormatName)
        return failed(ReadResult::Foreign, QStringLiteral("no format name"));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1 ||
        version.toDouble() != double(version.toInt()))
        return failed(ReadResult::Damaged, QStringLiteral("the version is missing"));
    if (version.toInt() > exportFormatVersion)
        return failed(ReadResult::NewerVersion, QString::number(version.toInt()));

    ParsedFile parsed;
    if (!rowsFromJson(root.value(QStringLiteral("herbs")), QStringLiteral("herbs"), herbColumns(),
                      parsed.entries.herbs, parsed.detail) ||
        !rowsFromJson(root.value(QStringLiteral("formulas")), QStringLiteral("formulas"),
                      formulaColumns(), parsed.entries.formulas, parsed.detail))
        return failed(ReadResult::Damaged, parsed.detail);
    return parsed;
}

ParsedFile readExportFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(ReadResult::Unreadable, file.errorString());
    return fromJson(file.readAll());
}

bool exportOwnEntries(data::Database& own, const QString& path, QString* error, int* herbCount,
                      int* formulaCount)
{
    OwnEntries entries;
    if (!readOwnEntries(own, entries, error))
        return false;
    // Written aside and moved into place, so a failed export never leaves half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(toJson(entries, QDateTime::currentDateTime())) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (herbCount)
        *herbCount = int(entries.herbs.size());
    if (formulaCount)
        *formulaCount = int(entries.formulas.size());
    return true;
}

} // namespace tavirel::owndata
