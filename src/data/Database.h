#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

struct sqlite3;

namespace tavirel::data {

// One open connection to an (optionally encrypted) database file. Opening never shows anything:
// it returns false and leaves a readable reason in errorString().
class Database
{
public:
    enum class Mode { ReadOnly, ReadWrite, Create };

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool open(const QString& path, Mode mode, const QByteArray& key = {});
    void close();

    bool isOpen() const { return m_db != nullptr; }
    bool isReadOnly() const { return m_mode == Mode::ReadOnly; }
    QString fileName() const { return m_path; }
    QString errorString() const { return m_error; }
    sqlite3* handle() const { return m_db; }

    // Runs one statement with bound values; false and errorString() on failure.
    bool exec(const QString& sql, const QVariantList& binds = {});
    // First column of the first row, or a null QVariant when there is none or on failure.
    QVariant scalar(const QString& sql, const QVariantList& binds = {});
    bool hasTable(const QString& table);
    // Whether the last failure was another connection's lock (it may pass).
    bool isBusy() const;

    void setError(const QString& error) { m_error = error; }

private:
    bool fail(const QString& reason);

    sqlite3* m_db = nullptr;
    QString m_path;
    QString m_error;
    Mode m_mode = Mode::ReadOnly;
};

} // namespace tavirel::data
