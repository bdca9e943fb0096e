#pragma once

#include "Database.h"
#include "RecordSet.h"

#include <QString>

#include <memory>

namespace tavirel::data {

// The database objects that live for the whole run: the reference database, the own database,
// the shared snapshot of every built-in herb and the picture database.
class DataStore
{
public:
    // Opens the files of the program folder in their fixed order. On failure nothing stays
    // open and failedFile()/errorString() tell which file and why.
    bool open(const QString& programFolder);
    // The same, with the own database at ownFile (see OwnDataLocation) instead of beside the
    // program.
    bool open(const QString& programFolder, const QString& ownFile);
    void close();

    Database& refDb() { return m_refDb; }
    Database& ownDb() { return m_ownDb; }
    Database& picConn() { return m_picConn; }
    RecordSet& herbRecords() { return *m_herbRecords; }
    QString picConnString() const { return m_picConnString; }

    // Whether the own database can be written; when not, why (the database's own words). Found
    // out at open by a write that is rolled back, so a read-only file, a folder where no journal
    // can be created or a file the database engine itself keeps read-only are all caught.
    bool ownWritable() const { return m_ownReadOnlyReason.isEmpty(); }
    QString ownReadOnlyReason() const { return m_ownReadOnlyReason; }

    QString failedFile() const { return m_failedFile; }
    QString errorString() const { return m_error; }

private:
    bool openFile(Database& db, const QString& path, Database::Mode mode, const QByteArray& key,
                  const QStringList& tables);
    bool hasTables(Database& db, const QString& path, const QStringList& tables);

    Database m_refDb;
    Database m_ownDb;
    Database m_picConn;
    std::unique_ptr<RecordSet> m_herbRecords;
    QString m_picConnString;
    QString m_ownReadOnlyReason;
    QString m_failedFile;
    QString m_error;
};

} // namespace tavirel::data
