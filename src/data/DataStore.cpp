#include "DataStore.h"

#include "Schema.h"

#include <QDir>

namespace tavirel::data {

bool DataStore::openFile(Database& db, const QString& path, Database::Mode mode,
                         const QByteArray& key, const QStringList& tables)
{
    if (!db.open(path, mode, key)) {
        m_failedFile = path;
        m_error = db.errorString();
        return false;
    }
    for (const QString& table : tables) {
        if (!db.hasTable(table)) {
            m_failedFile = path;
            m_error = QStringLiteral("The table %1 is missing; the file is damaged.").arg(table);
            return false;
        }
    }
    return true;
}

namespace {

// Tries a write that changes nothing in the end. Empty when the file can be written; otherwise
// the reason. A lock held by another program only delays writing: it does not count.
QString probeWrite(Database& db)
{
    if (!db.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return db.isBusy() ? QString() : db.errorString();
    QString reason;
    if (!db.exec(QStringLiteral("CREATE TABLE tavirel_write_probe (x)")) && !db.isBusy())
        reason = db.errorString();
    db.exec(QStringLiteral("ROLLBACK"));
    return reason;
}

} // namespace

bool DataStore::open(const QString& programFolder)
{
    return open(programFolder, QDir(programFolder).filePath(schema::ownFileName));
}

bool DataStore::open(const QString& programFolder, const QString& ownFile)
{
    close();
    const QDir folder(programFolder);
    const QString refPath = folder.filePath(schema::refFileName);
    const QString& ownPath = ownFile;
    const QString picPath = folder.filePath(schema::picFileName);

    // The reference data is never written: it is opened read-only.
    bool ok = openFile(m_refDb, refPath, Database::Mode::ReadOnly, schema::refPassword,
                       schema::referenceTableNames()) &&
              openFile(m_ownDb, ownPath, Database::Mode::ReadWrite, {}, schema::ownTableNames());
    if (ok)
        m_ownReadOnlyReason = probeWrite(m_ownDb);
    if (ok) {
        m_herbRecords = std::make_unique<RecordSet>(m_refDb, QStringLiteral("tavirel"),
                                                    RecordSet::Kind::Snapshot);
        if (!m_herbRecords->isValid()) {
            m_failedFile = refPath;
            m_error = m_herbRecords->errorString();
            ok = false;
        }
    }
    if (ok) {
        m_picConnString = QStringLiteral("Data Source=%1").arg(QDir::toNativeSeparators(picPath));
        ok = openFile(m_picConn, picPath, Database::Mode::ReadOnly, schema::picPassword,
                      schema::pictureTableNames());
    }
    if (!ok) {
        const QString file = m_failedFile, error = m_error;
        close();
        m_failedFile = file;
        m_error = error;
    }
    return ok;
}

void DataStore::close()
{
    m_herbRecords.reset();
    m_picConn.close();
    m_ownDb.close();
    m_refDb.close();
    m_picConnString.clear();
    m_ownReadOnlyReason.clear();
    m_failedFile.clear();
    m_error.clear();
}

} // namespace tavirel::data
