#include "OwnDataLocation.h"

#include "Database.h"
#include "Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavirel::data {

QString userDataFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("tavirel"));
}

OwnDataLocation OwnDataLocation::decide(const QString& programFolder)
{
    const QDir folder(programFolder);
    const bool portable = !QFileInfo::exists(folder.filePath(installedMarkerName)) &&
                          QFileInfo(folder.absolutePath()).isWritable();
    if (portable)
        return {folder.filePath(schema::ownFileName), false};
    return {QDir(userDataFolder()).filePath(schema::ownFileName), true};
}

bool OwnDataLocation::prepare(QString* error) const
{
    if (!inUserData || QFileInfo::exists(file))
        return true;
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("The folder %1 can not be created.")
                         .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    return createOwnDatabase(file, error);
}

bool createOwnDatabase(const QString& path, QString* error)
{
    // Built under another name and moved into place, so a start that is cut short leaves no
    // half-made file that would later pass for the user's data.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    {
        Database db;
        if (!db.open(partial, Database::Mode::Create) || !schema::create(db, schema::ownTables())) {
            if (error)
                *error = db.errorString();
            db.close();
            QFile::remove(partial);
            return false;
        }
    }
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        if (error)
            *error = QStringLiteral("The new file could not be moved into place.");
        return false;
    }
    return true;
}

} // namespace tavirel::data
