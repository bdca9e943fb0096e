#pragma once

#include <QString>

namespace tavirel::data {

// Where the user's own database is kept, decided once at start-up. A portable program folder
// that can be written keeps it beside the program; an installed one (marked by the install, or
// not writable by this user) keeps it in the user's data folder, so every user has their own.
struct OwnDataLocation
{
    QString file;            // full path of the own database
    bool inUserData = false; // true: the user's data folder; false: beside the program

    static OwnDataLocation decide(const QString& programFolder);

    // Makes sure the file can be opened. In the user's data folder an empty database is created
    // on the first start. Beside the program nothing is made up: a file that vanished there is
    // reported at start-up, so lost data never looks like no data.
    bool prepare(QString* error) const;
};

// The file the install puts into the program folder; its presence means "installed".
inline const QString installedMarkerName = QStringLiteral("installed");

// $XDG_DATA_HOME/tavirel (~/.local/share/tavirel by default).
QString userDataFolder();

// Creates an empty own database (its tables, no rows) at path; the file appears complete or
// not at all. Fails if a file is already there.
bool createOwnDatabase(const QString& path, QString* error);

} // namespace tavirel::data
