#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <utility>

namespace tavirel::data {

class Database;

// A set of records read from one table or one query, walked with a current-record position.
// Table and dynaset sets hold a whole table in stored order; a snapshot holds a table or the
// rows of a query. Only a dynaset writes, and each write is committed at once.
//
// A table that grows with the content is better read on demand: the set then holds only its
// current record, walks and finds through the database (a find uses the column's index), and
// costs the same whatever the table's size. It behaves as a set read whole.
class RecordSet
{
public:
    enum class Kind { Table, Dynaset, Snapshot };
    enum class Reading { Whole, OnDemand };
    using Fields = QList<std::pair<QString, QVariant>>;

    // source: a table name, or (snapshot only) an SQL query whose values are bound. OnDemand
    // needs a table and a set that does not write.
    RecordSet(Database& db, const QString& source, Kind kind, const QVariantList& binds = {},
              Reading reading = Reading::Whole);

    bool isValid() const { return m_error.isEmpty(); }
    QString errorString() const { return m_error; }
    Database& database() const { return m_db; }

    // Reads the table or query again (after a failure, e.g. while another program held a lock);
    // true when the set could be read. The current record is the first one afterwards.
    bool requery();

    int recordCount() const;
    bool eof() const;
    void moveFirst();
    void moveNext();

    // Searches from the first record for one whose column equals value, comparing as the
    // database compares that column (letter case ignored for NOCASE text keys). Returns false
    // and leaves noMatch() set when nothing matched.
    bool findFirst(const QString& column, const QVariant& value);
    // As findFirst, but blanks around the stored text do not count (names written by another
    // program may carry them).
    bool findFirstTrimmed(const QString& column, const QString& value);
    bool noMatch() const { return m_noMatch; }

    // The current record's value; a null QVariant for Null or without a current record.
    QVariant value(const QString& column) const;
    // The current record's value as text; Null reads as empty text.
    QString text(const QString& column) const;

    // Dynaset only. Appends a record with the given columns and stores it at once.
    bool addNew(const Fields& fields);
    // Dynaset only. Deletes the current record at once; the next record becomes current.
    bool deleteCurrent();

private:
    int columnIndex(const QString& column) const;
    bool equals(int column, const QVariant& cell, const QVariant& value) const;
    void open();
    bool load(const QString& sql, const QVariantList& binds);
    bool failWrite(const QString& error);
    // On demand: makes the first row of "SELECT rowid, * FROM table <tail>" current.
    enum class Miss { LeavesNoRecord, KeepsRecord };
    bool readCurrent(const QString& tail, const QVariantList& binds, Miss miss);

    Database& m_db;
    Kind m_kind;
    QString m_source;
    QVariantList m_binds;
    QString m_table;
    QString m_error;
    QStringList m_columns;
    QHash<QString, int> m_index; // lower-case column name -> index
    QVector<bool> m_noCase;      // per column: compared ignoring ASCII case
    QVector<QVector<QVariant>> m_rows;
    QVector<qint64> m_rowIds; // table-based sets only
    qsizetype m_pos = 0;
    bool m_noMatch = false;
    bool m_onDemand = false;
    QVector<QVariant> m_current; // on demand: the current record, empty past the end
    mutable int m_count = -1;    // on demand: counted when first asked
};

} // namespace tavirel::data
