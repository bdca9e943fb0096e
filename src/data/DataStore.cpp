#include "DataStore.h"

#include "Schema.h"

#include <QDir>

#include <thread>

namespace tavirel::data {

bool DataStore::openFile(Database& db, const QString& path, Database::Mode mode,
                         const QByteArray& key, const QStringList& tables)
{
    if (!db.open(path, mode, key)) {
        m_failedFile = path;
        m_error = db.errorString();
        return false;
    }
    return hasTables(db, path, tables);
}

bool DataStore::hasTables(Database& db, const QString& path, const QStringList& tables)
{
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

    // Each encrypted file's key costs a deliberate amount of work to derive: the picture file is
    // opened on a thread of its own meanwhile. Failures are still reported in the files' order.
    QString picFailedFile, picError;
    std::thread picOpening([&] {
        if (!m_picConn.open(picPath, Database::Mode::ReadOnly, schema::picPassword)) {
            picFailedFile = picPath;
            picError = m_picConn.errorString();
        }
    });

    // The reference data is never written: it is opened read-only.
    bool ok = openFile(m_refDb, refPath, Database::Mode::ReadOnly, schema::refPassword,
                       schema::referenceTableNames()) &&
              openFile(m_ownDb, ownPath, Database::Mode::ReadWrite, {}, schema::ownTableNames());
    if (ok)
        m_ownReadOnlyReason = probeWrite(m_ownDb);
    if (ok) {
        // Read on demand: the herbs are looked up by name through the database's index, so
        // nothing of them is held before a window asks.
        m_herbRecords = std::make_unique<RecordSet>(m_refDb, QStringLiteral("tavirel"),
                                                    RecordSet::Kind::Snapshot, QVariantList(),
                                                    RecordSet::Reading::OnDemand);
        if (!m_herbRecords->isValid()) {
            m_failedFile = refPath;
            m_error = m_herbRecords->errorString();
            ok = false;
        }
    }
    picOpening.join();
    if (ok) {
        m_picConnString = QStringLiteral("Data Source=%1").arg(QDir::toNativeSeparators(picPath));
        if (!picError.isEmpty()) {
            m_failedFile = picFailedFile;
            m_error = picError;
            ok = false;
        } else {
            ok = hasTables(m_picConn, picPath, schema::pictureTableNames());
        }
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
