#include "OwnEntries.h"

#include "data/Statement.h"

namespace tavirel::owndata {

namespace {

bool readTable(data::Database& db, const QString& table, const QStringList& columns,
               QList<OwnRow>& rows, QString* error)
{
    data::Statement select(
        db, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(columns.join(u','), table));
    while (select.next()) {
        OwnRow row;
        for (int i = 0; i < columns.size(); ++i)
            row.values << select.value(i);
        rows << row;
    }
    if (!select.errorString().isEmpty()) {
        if (error)
            *error = select.errorString();
        return false;
    }
    return true;
}

} // namespace

const QStringList& herbColumns()
{
    static const QStringList columns = {QStringLiteral("name1"),     QStringLiteral("name2"),
                                        QStringLiteral("source"),    QStringLiteral("used"),
                                        QStringLiteral("taste"),     QStringLiteral("meridians"),
                                        QStringLiteral("functions"), QStringLiteral("indications"),
                                        QStringLiteral("dosage"),    QStringLiteral("coutions")};
    return columns;
}

const QStringList& formulaColumns()
{
    static const QStringList columns = {QStringLiteral("name"),     QStringLiteral("construction"),
                                        QStringLiteral("dosage"),   QStringLiteral("method"),
                                        QStringLiteral("function"), QStringLiteral("indication")};
    return columns;
}

bool readOwnEntries(data::Database& own, OwnEntries& entries, QString* error)
{
    entries = {};
    return readTable(own, QStringLiteral("ownherb"), herbColumns(), entries.herbs, error) &&
           readTable(own, QStringLiteral("ownpres"), formulaColumns(), entries.formulas, error);
}

QString nameKey(const QString& name)
{
    return name.toCaseFolded();
}

} // namespace tavirel::owndata
