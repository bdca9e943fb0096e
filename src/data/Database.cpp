#include "Database.h"

#include "Statement.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace tavirel::data {

namespace {

// A plain database file starts with this header; an encrypted one looks like noise.
bool hasPlainHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(16) == QByteArray("SQLite format 3\0", 16);
}

} // namespace

Database::~Database()
{
    close();
}

void Database::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool Database::fail(const QString& reason)
{
    m_error = reason;
    close();
    return false;
}

bool Database::open(const QString& path, Mode mode, const QByteArray& key)
{
    close();
    m_path = path;
    m_mode = mode;
    m_error.clear();

    const QFileInfo info(path);
    if (mode != Mode::Create && !info.exists())
        return fail(QStringLiteral("The file does not exist."));
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("The path is not a file."));

    int flags = SQLITE_OPEN_FULLMUTEX;
    switch (mode) {
    case Mode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    const QByteArray nativePath = QFile::encodeName(path);
    if (sqlite3_open_v2(nativePath.constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        const QString reason =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        return fail(reason);
    }
    sqlite3_busy_timeout(m_db, 2000);
    sqlite3_extended_result_codes(m_db, 1);

    if (!key.isEmpty() && sqlite3_key(m_db, key.constData(), int(key.size())) != SQLITE_OK)
        return fail(QString::fromUtf8(sqlite3_errmsg(m_db)));

    // Keying never fails by itself: the first read of the schema tells whether the key fits.
    char* message = nullptr;
    const int rc =
        sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString detail = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        if (key.isEmpty())
            return fail(
                QStringLiteral("The file is not a database or is damaged (%1).").arg(detail));
        if (hasPlainHeader(path))
            return fail(QStringLiteral("The file is not protected by the expected password (%1).")
                            .arg(detail));
        return fail(
            QStringLiteral("Wrong password, or the file is not a database or is damaged (%1).")
                .arg(detail));
    }
    return true;
}

bool Database::exec(const QString& sql, const QVariantList& binds)
{
    Statement statement(*this, sql, binds);
    if (!statement.run()) {
        m_error = statement.errorString();
        return false;
    }
    return true;
}

QVariant Database::scalar(const QString& sql, const QVariantList& binds)
{
    Statement statement(*this, sql, binds);
    if (statement.next())
        return statement.value(0);
    if (!statement.errorString().isEmpty())
        m_error = statement.errorString();
    return {};
}

bool Database::isBusy() const
{
    if (!m_db)
        return false;
    const int code = sqlite3_extended_errcode(m_db) & 0xff;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

bool Database::hasTable(const QString& table)
{
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                                 "name = ? COLLATE NOCASE"),
                  {table})
               .toInt() > 0;
}

} // namespace tavirel::data
