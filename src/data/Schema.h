#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tavirel::data {

class Database;

// The three database files of the program folder, their passwords and their tables.
namespace schema {

inline const QString refFileName = QStringLiteral("tavirel.MDB");
inline const QString ownFileName = QStringLiteral("yourown.MDB");
inline const QString picFileName = QStringLiteral("Hdat.mdb");

inline const QByteArray refPassword = QByteArrayLiteral("40917362kab");
inline const QByteArray picPassword = QByteArrayLiteral("7QWRT3hGMPA");

// CREATE TABLE statements, in the order they are created.
QStringList referenceTables();
QStringList ownTables();
QStringList pictureTables();

// Table names each file must hold for the program to start.
QStringList referenceTableNames();
QStringList ownTableNames();
QStringList pictureTableNames();

// Creates the tables of a new, empty database; false and the database's error on failure.
bool create(Database& db, const QStringList& statements);

} // namespace schema
} // namespace tavirel::data
