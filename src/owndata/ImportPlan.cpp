#include "ImportPlan.h"

#include "data/Database.h"
#include "data/Statement.h"

#include <QSet>

namespace tavirel::owndata {

namespace {

bool readNames(data::Database& db, const QString& sql, QSet<QString>& names, QString* error)
{
    data::Statement select(db, sql);
    while (select.next())
        names.insert(nameKey(select.value(0).toString()));
    if (select.errorString().isEmpty())
        return true;
    if (error)
        *error = select.errorString();
    return false;
}

void sortOut(const QList<OwnRow>& rows, ImportPlan::Kind kind, const QSet<QString>& own,
             const QSet<QString>& builtIn, QList<OwnRow>& added,
             QList<ImportPlan::Skipped>& skipped)
{
    QSet<QString> seen;
    for (const OwnRow& row : rows) {
        const QString key = nameKey(row.name());
        if (own.contains(key))
            skipped.append({kind, row.name(), ImportPlan::Reason::InOwn});
        else if (builtIn.contains(key))
            skipped.append({kind, row.name(), ImportPlan::Reason::BuiltIn});
        else if (seen.contains(key))
            skipped.append({kind, row.name(), ImportPlan::Reason::TwiceInFile});
        else
            added << row;
        seen.insert(key);
    }
}

bool insertRows(data::Database& own, const QString& table, const QStringList& columns,
                const QList<OwnRow>& rows, QString* error)
{
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, columns.join(u','),
                                 QStringList(columns.size(), QStringLiteral("?")).join(u','));
    for (const OwnRow& row : rows) {
        data::Statement insert(own, sql, row.values);
        if (!insert.run()) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(row.name(), insert.errorString());
            return false;
        }
    }
    return true;
}

} // namespace

QString reasonText(ImportPlan::Reason reason)
{
    switch (reason) {
    case ImportPlan::Reason::InOwn:
        return QStringLiteral("already in your own entries");
    case ImportPlan::Reason::BuiltIn:
        return QStringLiteral("a built-in entry has this name");
    case ImportPlan::Reason::TwiceInFile:
        return QStringLiteral("listed twice in the file");
    }
    return {};
}

bool planImport(const OwnEntries& file, data::Database& own, data::Database& reference,
                ImportPlan& plan, QString* error)
{
    plan = {};
    QSet<QString> ownHerbs, ownFormulas, refHerbs, refFormulas;
    if (!readNames(own, QStringLiteral("SELECT name1 FROM ownherb"), ownHerbs, error) ||
        !readNames(own, QStringLiteral("SELECT name FROM ownpres"), ownFormulas, error) ||
        !readNames(reference, QStringLiteral("SELECT name1 FROM tavirel"), refHerbs, error) ||
        !readNames(reference, QStringLiteral("SELECT prename FROM pres"), refFormulas, error))
        return false;
    sortOut(file.herbs, ImportPlan::Kind::Herb, ownHerbs, refHerbs, plan.herbs, plan.skipped);
    sortOut(file.formulas, ImportPlan::Kind::Formula, ownFormulas, refFormulas, plan.formulas,
            plan.skipped);
    return true;
}

bool applyImport(const ImportPlan& plan, data::Database& own, QString* error)
{
    if (!own.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        if (error)
            *error = own.errorString();
        return false;
    }
    if (!insertRows(own, QStringLiteral("ownherb"), herbColumns(), plan.herbs, error) ||
        !insertRows(own, QStringLiteral("ownpres"), formulaColumns(), plan.formulas, error)) {
        own.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (!own.exec(QStringLiteral("COMMIT"))) {
        if (error)
            *error = own.errorString();
        own.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

} // namespace tavirel::owndata
