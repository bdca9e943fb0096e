#pragma once

#include "OwnEntries.h"

#include <QList>
#include <QString>

namespace tavirel::data {
class Database;
}

namespace tavirel::owndata {

// What an import would do, shown to the user before anything is written: the entries that
// will be added, and those skipped because their name is taken already. Nothing existing is
// ever replaced.
struct ImportPlan
{
    enum class Kind { Herb, Formula };
    enum class Reason { InOwn, BuiltIn, TwiceInFile };
    struct Skipped
    {
        Kind kind;
        QString name;
        Reason reason;
    };

    QList<OwnRow> herbs;    // to add
    QList<OwnRow> formulas; // to add
    QList<Skipped> skipped;

    bool isEmpty() const { return herbs.isEmpty() && formulas.isEmpty(); }
};

QString reasonText(ImportPlan::Reason reason);

// Compares the file's entries with the own and the reference database, names compared
// ignoring letter case. false and error when a database can not be read.
bool planImport(const OwnEntries& file, data::Database& own, data::Database& reference,
                ImportPlan& plan, QString* error);

// Adds the plan's entries in one transaction: all of them or, on any failure, none.
bool applyImport(const ImportPlan& plan, data::Database& own, QString* error);

} // namespace tavirel::owndata
