#include "Schema.h"

#include "Database.h"

namespace tavirel::data::schema {

// Names are keys that the old files' engine compared ignoring letter case; NOCASE keeps that.
// The columns after picno and after preindication, and the table incompat, are reference facts
// added later: the windows read the first columns by name, so appending keeps them working.
QStringList referenceTables()
{
    return {
        QStringLiteral("CREATE TABLE tavirel (name1 TEXT COLLATE NOCASE UNIQUE, name2 TEXT, "
                       "source TEXT, used TEXT, taste TEXT, meridians TEXT, functions TEXT, "
                       "indications TEXT, coutions TEXT, dosage TEXT, kind1 INTEGER, "
                       "kind2 INTEGER, picno TEXT, chinese TEXT, chinesetrad TEXT, "
                       "pinyintones TEXT, english TEXT, origin TEXT, pregnancy TEXT, "
                       "toxicity TEXT, aliases TEXT)"),
        QStringLiteral("CREATE TABLE kind1 (kind1 TEXT, no1 INTEGER)"),
        QStringLiteral("CREATE TABLE kind2 (kind2 TEXT, no2 INTEGER, no3 INTEGER)"),
        QStringLiteral("CREATE TABLE pres (prename TEXT COLLATE NOCASE UNIQUE, prekind1 INTEGER, "
                       "prekind2 INTEGER, precons TEXT, predosage TEXT, premethod TEXT, "
                       "prefunction TEXT, preindication TEXT, chinese TEXT, chinesetrad TEXT, "
                       "pinyintones TEXT, english TEXT, presource TEXT, precautions TEXT, "
                       "preroles TEXT, prealiases TEXT)"),
        QStringLiteral("CREATE TABLE preskind1 (kind1 TEXT, no1 INTEGER)"),
        QStringLiteral("CREATE TABLE preskind2 (kind2 TEXT, no2 INTEGER, no3 INTEGER)"),
        QStringLiteral("CREATE TABLE incompat (herb1 TEXT COLLATE NOCASE, "
                       "herb2 TEXT COLLATE NOCASE, kind TEXT)"),
        // Each herb of each built-in composition, so the formulas that hold a herb are found
        // through an index instead of by reading every composition.
        QStringLiteral("CREATE TABLE preherb (picno TEXT, prename TEXT COLLATE NOCASE, dose TEXT)"),
        QStringLiteral("CREATE INDEX preherb_picno ON preherb (picno)"),
        // Lookups by Latin name and picture number, and the category trees and name lists,
        // read through these instead of the whole rows.
        QStringLiteral("CREATE INDEX tavirel_name2 ON tavirel (name2)"),
        QStringLiteral("CREATE INDEX tavirel_picno ON tavirel (picno)"),
        QStringLiteral("CREATE INDEX tavirel_tree ON tavirel (kind1, kind2, name1)"),
        QStringLiteral("CREATE INDEX pres_tree ON pres (prekind1, prekind2, prename)"),
    };
}

QStringList ownTables()
{
    return {
        QStringLiteral("CREATE TABLE ownherb (name1 TEXT COLLATE NOCASE UNIQUE, name2 TEXT, "
                       "source TEXT, used TEXT, taste TEXT, meridians TEXT, functions TEXT, "
                       "indications TEXT, dosage TEXT, coutions TEXT)"),
        QStringLiteral("CREATE TABLE ownpres (name TEXT COLLATE NOCASE UNIQUE, construction TEXT, "
                       "dosage TEXT, method TEXT, function TEXT, indication TEXT)"),
    };
}

QStringList pictureTables()
{
    return {QStringLiteral("CREATE TABLE images (Name TEXT COLLATE NOCASE UNIQUE, Image BLOB)")};
}

QStringList referenceTableNames()
{
    return {QStringLiteral("tavirel"), QStringLiteral("kind1"),     QStringLiteral("kind2"),
            QStringLiteral("pres"),    QStringLiteral("preskind1"), QStringLiteral("preskind2")};
}

QStringList ownTableNames()
{
    return {QStringLiteral("ownherb"), QStringLiteral("ownpres")};
}

QStringList pictureTableNames()
{
    return {QStringLiteral("images")};
}

bool create(Database& db, const QStringList& statements)
{
    if (!db.exec(QStringLiteral("BEGIN")))
        return false;
    for (const QString& sql : statements) {
        if (!db.exec(sql)) {
            const QString error = db.errorString();
            db.exec(QStringLiteral("ROLLBACK"));
            db.setError(error);
            return false;
        }
    }
    return db.exec(QStringLiteral("COMMIT"));
}

} // namespace tavirel::data::schema
