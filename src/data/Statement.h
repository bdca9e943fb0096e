#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3_stmt;

namespace tavirel::data {

class Database;

// A prepared statement with bound values. Values are never pasted into the SQL text, so an
// apostrophe or a wildcard in a name is just a character.
class Statement
{
public:
    Statement(Database& db, const QString& sql, const QVariantList& binds = {});
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isValid() const { return m_stmt != nullptr && m_error.isEmpty(); }
    QString errorString() const { return m_error; }

    // Advances to the next row: true while a row is available; false at the end or on failure.
    bool next();
    // Runs a statement that returns no rows; true when it completed.
    bool run();

    int columnCount() const;
    QString columnName(int index) const;
    QStringList columnNames() const;
    // Declared collation of a column that comes straight from a table ("NOCASE", "BINARY"),
    // empty when the column is an expression.
    QString columnCollation(int index) const;
    QVariant value(int index) const;

private:
    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_error;
};

// A table or column name as SQL text, quoted so any name is only a name.
QString quotedIdentifier(const QString& name);

// Turns a key word into a Like pattern that matches it literally anywhere in the text.
QString containsPattern(const QString& word);
// The escape character used by containsPattern (for "LIKE ? ESCAPE '\'").
inline constexpr char likeEscape = '\\';

} // namespace tavirel::data
