#include "Backup.h"

#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>

namespace tavirel::owndata {

namespace {

const QRegularExpression& backupName()
{
    static const QRegularExpression name(
        QStringLiteral("^yourown-backup-(\\d{8}-\\d{6})(?:-(\\d+))?\\.MDB$"));
    return name;
}

// Copies every page of source into dest in one step.
bool onlineBackup(sqlite3* source, sqlite3* dest, QString* error)
{
    sqlite3_backup* backup = sqlite3_backup_init(dest, "main", source, "main");
    if (!backup) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(dest));
        return false;
    }
    const int step = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (step != SQLITE_DONE) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errstr(step));
        return false;
    }
    if (sqlite3_errcode(dest) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(dest));
        return false;
    }
    return true;
}

} // namespace

QStringList backupsOf(const QString& ownFile)
{
    const QDir folder = QFileInfo(ownFile).absoluteDir();
    struct Found
    {
        QString stamp;
        int number;
        QString path;
    };
    QList<Found> found;
    for (const QString& name : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = backupName().match(name);
        if (match.hasMatch())
            found.append({match.captured(1), match.captured(2).toInt(), folder.filePath(name)});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.number < b.number;
    });
    QStringList paths;
    for (const Found& f : found)
        paths << f.path;
    return paths;
}

QString backupOwnDatabase(data::Database& own, QString* error, const QDateTime& when)
{
    if (!own.isOpen()) {
        if (error)
            *error = QStringLiteral("The database is not open.");
        return {};
    }
    const QDir folder = QFileInfo(own.fileName()).absoluteDir();
    const QString stamp = when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = folder.filePath(QStringLiteral("yourown-backup-%1.MDB").arg(stamp));
    // Two copies within one second get a running number instead of replacing each other.
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("yourown-backup-%1-%2.MDB").arg(stamp).arg(n));

    bool ok = false;
    {
        data::Database copy;
        ok = copy.open(path, data::Database::Mode::Create);
        if (!ok && error)
            *error = copy.errorString();
        if (ok)
            ok = onlineBackup(own.handle(), copy.handle(), error);
    }
    if (!ok) {
        QFile::remove(path);
        return {};
    }

    const QStringList all = backupsOf(own.fileName());
    for (qsizetype i = 0; i + keptBackups < all.size(); ++i)
        QFile::remove(all.at(i));
    return path;
}

} // namespace tavirel::owndata
