#include "Statement.h"

#include "Database.h"

#include <sqlite3.h>

namespace tavirel::data {

Statement::Statement(Database& db, const QString& sql, const QVariantList& binds) : m_db(db)
{
    if (!db.isOpen()) {
        m_error = QStringLiteral("The database is not open.");
        return;
    }
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db.handle(), text.constData(), int(text.size()), &m_stmt, nullptr) !=
        SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(db.handle()));
        return;
    }
    if (binds.size() != sqlite3_bind_parameter_count(m_stmt)) {
        m_error = QStringLiteral("%1 values given for %2 parameters.")
                      .arg(binds.size())
                      .arg(sqlite3_bind_parameter_count(m_stmt));
        return;
    }
    for (int i = 0; i < binds.size(); ++i) {
        const QVariant& v = binds.at(i);
        const int slot = i + 1;
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(m_stmt, slot);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
                rc = sqlite3_bind_int64(m_stmt, slot, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, slot, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = v.toByteArray();
                rc = sqlite3_bind_blob64(m_stmt, slot, bytes.constData(), bytes.size(),
                                         SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray utf8 = v.toString().toUtf8();
                rc = sqlite3_bind_text64(m_stmt, slot, utf8.constData(), utf8.size(),
                                         SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            }
        }
        if (rc != SQLITE_OK) {
            m_error = QString::fromUtf8(sqlite3_errmsg(db.handle()));
            return;
        }
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

bool Statement::next()
{
    if (!isValid())
        return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db.handle()));
    return false;
}

bool Statement::run()
{
    if (!isValid())
        return false;
    while (next()) {
    }
    return m_error.isEmpty();
}

int Statement::columnCount() const
{
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QString Statement::columnName(int index) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, index));
}

QStringList Statement::columnNames() const
{
    QStringList names;
    for (int i = 0; i < columnCount(); ++i)
        names << columnName(i);
    return names;
}

QString Statement::columnCollation(int index) const
{
    const char* table = sqlite3_column_table_name(m_stmt, index);
    const char* column = sqlite3_column_origin_name(m_stmt, index);
    const char* database = sqlite3_column_database_name(m_stmt, index);
    if (!table || !column)
        return {};
    const char* collation = nullptr;
    if (sqlite3_table_column_metadata(m_db.handle(), database, table, column, nullptr, &collation,
                                      nullptr, nullptr, nullptr) != SQLITE_OK ||
        !collation)
        return {};
    return QString::fromUtf8(collation).toUpper();
}

QVariant Statement::value(int index) const
{
    switch (sqlite3_column_type(m_stmt, index)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, index));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, index));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, index)));
    }
    case SQLITE_NULL:
        return QVariant();
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, index));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, index)));
    }
    }
}

QString containsPattern(const QString& word)
{
    QString escaped;
    escaped.reserve(word.size() + 2);
    for (const QChar c : word) {
        if (c == QLatin1Char(likeEscape) || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char(likeEscape);
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

QString quotedIdentifier(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace tavirel::data
