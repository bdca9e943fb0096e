#include "RecordSet.h"

#include "Database.h"
#include "Statement.h"

#include <QRegularExpression>

namespace tavirel::data {

namespace {

bool isTableName(const QString& source)
{
    static const QRegularExpression name(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return name.match(source).hasMatch();
}

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

} // namespace

RecordSet::RecordSet(Database& db, const QString& source, Kind kind, const QVariantList& binds,
                     Reading reading)
    : m_db(db), m_kind(kind), m_source(source), m_binds(binds),
      m_onDemand(reading == Reading::OnDemand)
{
    open();
}

void RecordSet::open()
{
    m_error.clear();
    m_table.clear();
    m_columns.clear();
    m_index.clear();
    m_noCase.clear();
    m_rows.clear();
    m_rowIds.clear();
    m_pos = 0;
    m_noMatch = false;
    m_current.clear();
    m_count = -1;
    if (m_onDemand && (m_kind == Kind::Dynaset || !isTableName(m_source))) {
        m_error = QStringLiteral("Only a table that is not written can be read on demand.");
        return;
    }
    if (isTableName(m_source)) {
        // A failure to read the schema (a lock, a damaged file) is reported as itself, not as a
        // missing table.
        Statement exists(m_db,
                         QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                                        "AND name = ? COLLATE NOCASE"),
                         {m_source});
        const bool found = exists.next() && exists.value(0).toInt() > 0;
        if (!exists.errorString().isEmpty()) {
            m_error = exists.errorString();
            return;
        }
        if (!found) {
            m_error = QStringLiteral("no such table: %1").arg(m_source);
            return;
        }
        m_table = m_source;
        if (m_onDemand) {
            // The columns are known from the statement; no row is read but the first.
            Statement columns(m_db,
                              QStringLiteral("SELECT * FROM %1").arg(quotedIdentifier(m_table)));
            if (!columns.isValid()) {
                m_error = columns.errorString();
                return;
            }
            for (int i = 0; i < columns.columnCount(); ++i) {
                m_index.insert(columns.columnName(i).toLower(), int(m_columns.size()));
                m_columns << columns.columnName(i);
                m_noCase << (columns.columnCollation(i) == QLatin1String("NOCASE"));
            }
            moveFirst();
            return;
        }
        load(QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid")
                 .arg(quotedIdentifier(m_source)),
             m_binds);
        return;
    }
    if (m_kind != Kind::Snapshot) {
        m_error = QStringLiteral("Only a snapshot can be opened on a query.");
        return;
    }
    load(m_source, m_binds);
}

bool RecordSet::requery()
{
    open();
    return isValid();
}

bool RecordSet::load(const QString& sql, const QVariantList& binds)
{
    Statement statement(m_db, sql, binds);
    if (!statement.isValid()) {
        m_error = statement.errorString();
        return false;
    }
    const bool withRowId = !m_table.isEmpty();
    const int first = withRowId ? 1 : 0;
    for (int i = first; i < statement.columnCount(); ++i) {
        const QString name = statement.columnName(i);
        m_index.insert(name.toLower(), int(m_columns.size()));
        m_columns << name;
        m_noCase << (statement.columnCollation(i) == QLatin1String("NOCASE"));
    }
    while (statement.next()) {
        if (withRowId)
            m_rowIds << statement.value(0).toLongLong();
        QVector<QVariant> row;
        row.reserve(m_columns.size());
        for (int i = first; i < statement.columnCount(); ++i)
            row << statement.value(i);
        m_rows << row;
    }
    if (!statement.errorString().isEmpty()) {
        m_error = statement.errorString();
        m_rows.clear();
        m_rowIds.clear();
        return false;
    }
    return true;
}

bool RecordSet::readCurrent(const QString& tail, const QVariantList& binds, Miss miss)
{
    Statement row(m_db,
                  QStringLiteral("SELECT rowid, * FROM %1 ").arg(quotedIdentifier(m_table)) + tail,
                  binds);
    if (row.next()) {
        m_current.clear();
        m_current.reserve(row.columnCount());
        for (int i = 0; i < row.columnCount(); ++i)
            m_current << row.value(i); // the rowid first, then the columns
        return true;
    }
    // Walking past the end leaves no current record; a find that failed leaves it as it was.
    if (miss == Miss::LeavesNoRecord)
        m_current.clear();
    // A read that failed (a lock, a file damaged since) also says why.
    if (!row.errorString().isEmpty())
        m_error = row.errorString();
    return false;
}

int RecordSet::recordCount() const
{
    if (!m_onDemand)
        return int(m_rows.size());
    if (m_count < 0 && !m_table.isEmpty())
        m_count =
            m_db.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(quotedIdentifier(m_table)))
                .toInt();
    return qMax(m_count, 0);
}

bool RecordSet::eof() const
{
    return m_onDemand ? m_current.isEmpty() : m_pos >= m_rows.size();
}

void RecordSet::moveFirst()
{
    if (!m_onDemand) {
        m_pos = 0;
        return;
    }
    if (!m_table.isEmpty())
        readCurrent(QStringLiteral("ORDER BY rowid LIMIT 1"), {}, Miss::LeavesNoRecord);
}

void RecordSet::moveNext()
{
    if (!m_onDemand) {
        if (m_pos < m_rows.size())
            ++m_pos;
        return;
    }
    if (!m_current.isEmpty())
        readCurrent(QStringLiteral("WHERE rowid > ? ORDER BY rowid LIMIT 1"),
                    {m_current.constFirst()}, Miss::LeavesNoRecord);
}

int RecordSet::columnIndex(const QString& column) const
{
    return m_index.value(column.toLower(), -1);
}

QVariant RecordSet::value(const QString& column) const
{
    const int index = columnIndex(column);
    if (m_onDemand)
        return index < 0 || m_current.isEmpty() ? QVariant() : m_current.at(index + 1);
    if (index < 0 || m_pos < 0 || m_pos >= m_rows.size())
        return {};
    return m_rows.at(m_pos).at(index);
}

QString RecordSet::text(const QString& column) const
{
    const QVariant v = value(column);
    return v.isNull() ? QString() : v.toString();
}

bool RecordSet::equals(int column, const QVariant& cell, const QVariant& value) const
{
    if (cell.isNull() || value.isNull())
        return false; // Null equals nothing, as in the database
    if (isNumber(cell) && isNumber(value))
        return cell.toDouble() == value.toDouble();
    const QString a = cell.toString();
    const QString b = value.toString();
    if (!m_noCase.value(column))
        return a == b;
    // The database's NOCASE folds ASCII letters only.
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        QChar x = a.at(i), y = b.at(i);
        if (x.unicode() < 128)
            x = x.toLower();
        if (y.unicode() < 128)
            y = y.toLower();
        if (x != y)
            return false;
    }
    return true;
}

bool RecordSet::findFirst(const QString& column, const QVariant& value)
{
    const int index = columnIndex(column);
    m_noMatch = true;
    if (index < 0)
        return false;
    if (m_onDemand) {
        // The database compares as the column is declared, and finds through its index.
        if (value.isNull() || m_table.isEmpty())
            return false;
        m_noMatch = !readCurrent(QStringLiteral("WHERE %1 = ? ORDER BY rowid LIMIT 1")
                                     .arg(quotedIdentifier(m_columns.at(index))),
                                 {value}, Miss::KeepsRecord);
        return !m_noMatch;
    }
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (equals(index, m_rows.at(i).at(index), value)) {
            m_pos = i;
            m_noMatch = false;
            return true;
        }
    }
    return false;
}

bool RecordSet::findFirstTrimmed(const QString& column, const QString& value)
{
    const int index = columnIndex(column);
    m_noMatch = true;
    if (index < 0)
        return false;
    const QString wanted = value.trimmed();
    if (m_onDemand) {
        if (m_table.isEmpty())
            return false;
        // Blanks as QString::trimmed() sees them: space and the ASCII control blanks.
        const QString stored = QStringLiteral("trim(%1, ' ' || char(9, 10, 11, 12, 13))")
                                   .arg(quotedIdentifier(m_columns.at(index)));
        m_noMatch = !readCurrent(
            QStringLiteral("WHERE %1 = ?%2 ORDER BY rowid LIMIT 1")
                .arg(stored, m_noCase.value(index) ? QStringLiteral(" COLLATE NOCASE") : QString()),
            {wanted}, Miss::KeepsRecord);
        return !m_noMatch;
    }
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        const QVariant& cell = m_rows.at(i).at(index);
        if (!cell.isNull() && equals(index, cell.toString().trimmed(), wanted)) {
            m_pos = i;
            m_noMatch = false;
            return true;
        }
    }
    return false;
}

bool RecordSet::failWrite(const QString& error)
{
    m_db.setError(error);
    return false;
}

bool RecordSet::addNew(const Fields& fields)
{
    if (!isValid())
        return failWrite(m_error);
    if (m_kind != Kind::Dynaset || m_table.isEmpty())
        return failWrite(QStringLiteral("This record set can not be written."));
    if (fields.isEmpty())
        return failWrite(QStringLiteral("A record needs at least one column."));
    QStringList names, marks;
    QVariantList values;
    for (const auto& [name, v] : fields) {
        if (columnIndex(name) < 0)
            return failWrite(QStringLiteral("no such column: %1").arg(name));
        names << quotedIdentifier(name);
        marks << QStringLiteral("?");
        values << v;
    }
    Statement insert(m_db,
                     QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(quotedIdentifier(m_table), names.join(QLatin1Char(',')),
                              marks.join(QLatin1Char(','))),
                     values);
    if (!insert.run())
        return failWrite(insert.errorString());

    // Read the stored row back so defaults and conversions show as the database keeps them.
    Statement stored(m_db,
                     QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid = last_insert_rowid()")
                         .arg(quotedIdentifier(m_table)));
    if (!stored.next())
        return failWrite(stored.errorString());
    m_rowIds << stored.value(0).toLongLong();
    QVector<QVariant> row;
    for (int i = 1; i < stored.columnCount(); ++i)
        row << stored.value(i);
    m_rows << row;
    return true;
}

bool RecordSet::deleteCurrent()
{
    if (!isValid())
        return failWrite(m_error);
    if (m_kind != Kind::Dynaset || m_table.isEmpty())
        return failWrite(QStringLiteral("This record set can not be written."));
    if (m_pos < 0 || m_pos >= m_rows.size())
        return failWrite(QStringLiteral("No current record."));
    Statement remove(
        m_db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quotedIdentifier(m_table)),
        {m_rowIds.at(m_pos)});
    if (!remove.run())
        return failWrite(remove.errorString());
    m_rows.removeAt(m_pos);
    m_rowIds.removeAt(m_pos);
    return true;
}

} // namespace tavirel::data
