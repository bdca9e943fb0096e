#include "IndexReader.h"

#include "data/Statement.h"

#include <QSet>

#include <utility>

namespace tavirel::quickfind {

namespace {

struct Column
{
    QString name;
    QString label;
    bool isName = false;
    bool list = false; // several names joined by ";"
};

QSet<QString> columnsOf(data::Database& db, const QString& table)
{
    QSet<QString> columns;
    data::Statement info(db, QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (info.next())
        columns.insert(info.value(1).toString().toLower());
    return columns;
}

constexpr qsizetype batchSize = 1000;

// Reads the columns the table has; the first column is the entry's key. The entries go to sink
// in batches.
void readEntries(data::Database& db, const QString& table, Kind kind, bool own,
                 const QList<Column>& wanted, const EntrySink& sink, const StopAsked& stop = {})
{
    const QSet<QString> present = columnsOf(db, table);
    QList<Column> columns;
    QStringList names;
    for (const Column& column : wanted) {
        if (present.contains(column.name)) {
            columns << column;
            names << column.name;
        }
    }
    if (columns.isEmpty() || columns.first().name != wanted.first().name)
        return;

    QList<Entry> entries;
    data::Statement select(
        db, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(names.join(u','), table));
    while (!(stop && stop()) && select.next()) {
        Entry entry;
        entry.kind = kind;
        entry.own = own;
        entry.name = select.value(0).toString();
        if (entry.name.isEmpty())
            continue;
        for (int i = 0; i < columns.size(); ++i) {
            const Column& column = columns.at(i);
            const QString text = select.value(i).toString();
            if (text.isEmpty())
                continue;
            if (column.name == QLatin1String("chinese"))
                entry.chinese = text;
            const QStringList parts =
                column.list ? text.split(u';', Qt::SkipEmptyParts) : QStringList{text};
            for (const QString& part : parts)
                entry.fields.append({column.label, part.trimmed(), column.isName});
        }
        entries << entry;
        if (entries.size() >= batchSize)
            sink(std::exchange(entries, {}));
    }
    if (!entries.isEmpty())
        sink(std::move(entries));
}

QList<Entry> collect(const std::function<void(const EntrySink&)>& read)
{
    QList<Entry> all;
    read([&all](QList<Entry>&& batch) { all += batch; });
    return all;
}

} // namespace

void readReferenceEntries(data::Database& reference, const EntrySink& sink, const StopAsked& stop)
{
    const QString pinyin = QStringLiteral("Pinyin");
    const QString chinese = QStringLiteral("Chinese");
    const QString english = QStringLiteral("English");
    const QString other = QStringLiteral("Other name");
    readEntries(reference, QStringLiteral("tavirel"), Kind::Herb, false,
                {{QStringLiteral("name1"), pinyin, true},
                 {QStringLiteral("chinese"), chinese, true},
                 {QStringLiteral("chinesetrad"), chinese, true},
                 {QStringLiteral("pinyintones"), pinyin, true},
                 {QStringLiteral("name2"), QStringLiteral("Latin")},
                 {QStringLiteral("english"), english},
                 {QStringLiteral("aliases"), other, false, true}},
                sink, stop);
    readEntries(reference, QStringLiteral("pres"), Kind::Formula, false,
                {{QStringLiteral("prename"), pinyin, true},
                 {QStringLiteral("chinese"), chinese, true},
                 {QStringLiteral("chinesetrad"), chinese, true},
                 {QStringLiteral("pinyintones"), pinyin, true},
                 {QStringLiteral("english"), english},
                 {QStringLiteral("prealiases"), other, false, true}},
                sink, stop);
}

QList<Entry> readReferenceEntries(data::Database& reference, const StopAsked& stop)
{
    return collect([&](const EntrySink& sink) { readReferenceEntries(reference, sink, stop); });
}

QList<Entry> readOwnEntries(data::Database& own)
{
    return collect([&](const EntrySink& sink) {
        readEntries(own, QStringLiteral("ownherb"), Kind::Herb, true,
                    {{QStringLiteral("name1"), QStringLiteral("Pinyin"), true},
                     {QStringLiteral("name2"), QStringLiteral("Latin")}},
                    sink);
        readEntries(own, QStringLiteral("ownpres"), Kind::Formula, true,
                    {{QStringLiteral("name"), QStringLiteral("Name"), true}}, sink);
    });
}

} // namespace tavirel::quickfind
