#include "CategoryTree.h"

#include "data/RecordSet.h"
#include "data/Statement.h"

#include <QHash>
#include <QTreeWidget>

#include <algorithm>
#include <optional>

namespace tavirel::herbs::categoryTree {

namespace {

constexpr int keyRole = Qt::UserRole;
constexpr int tagRole = Qt::UserRole + 1;

// Category numbers are 16-bit integers in the tables.
qint16 number(const data::RecordSet& set, const QString& column)
{
    return qint16(set.value(column).toInt());
}

QTreeWidgetItem* categoryNode(const QString& name)
{
    auto* node = new QTreeWidgetItem(QStringList(name));
    node->setData(0, keyRole, name);
    node->setData(0, tagRole, categoryTag);
    return node;
}

struct Entry
{
    qint64 stored; // rowid: the stored order
    QString name;
    std::optional<qint16> kind2;
};

// The entries of each level-1 category, in stored order. Only the three columns are read, so
// the database can answer from an index that holds them instead of reading whole rows.
QHash<qint16, QList<Entry>> readEntries(const CategoryTreeSource& s)
{
    data::Statement rows(
        s.entriesDb,
        QStringLiteral("SELECT rowid, %1, %2, %3 FROM %4 WHERE %2 IS NOT NULL")
            .arg(data::quotedIdentifier(s.entryName), data::quotedIdentifier(s.entryKind1),
                 data::quotedIdentifier(s.entryKind2), data::quotedIdentifier(s.entryTable)));
    QHash<qint16, QList<Entry>> byKind1;
    while (rows.next()) {
        const QVariant name = rows.value(1);
        const QVariant kind2 = rows.value(3);
        byKind1[qint16(rows.value(2).toInt())].append(
            {rows.value(0).toLongLong(), name.isNull() ? QString() : name.toString(),
             kind2.isNull() ? std::nullopt : std::optional<qint16>(qint16(kind2.toInt()))});
    }
    for (QList<Entry>& entries : byKind1)
        std::sort(entries.begin(), entries.end(),
                  [](const Entry& a, const Entry& b) { return a.stored < b.stored; });
    return byKind1;
}

void addEntries(QTreeWidgetItem* parent, const QList<Entry>& entries, std::optional<qint16> no2)
{
    QList<QTreeWidgetItem*> children;
    for (const Entry& entry : entries) {
        if (no2 && entry.kind2 != no2)
            continue;
        children.append(new QTreeWidgetItem(QStringList(entry.name)));
    }
    parent->addChildren(children);
}

} // namespace

void build(QTreeWidget* tree, CategoryTreeSource s)
{
    tree->clear();
    const QHash<qint16, QList<Entry>> entries = readEntries(s);
    // Every category node carries its own name as its key; nothing looks nodes up by key, so
    // a name given twice simply gives two nodes with the same key. The nodes are made before
    // they join the tree, so the view is told once.
    QList<QTreeWidgetItem*> categories;
    s.level1.moveFirst();
    s.level2.moveFirst();
    for (int i = 0; i < s.categoryCount && !s.level1.eof(); ++i, s.level1.moveNext()) {
        QTreeWidgetItem* category = categoryNode(s.level1.text(QStringLiteral("kind1")));
        categories.append(category);
        const qint16 no1 = number(s.level1, QStringLiteral("no1"));
        const QList<Entry> inCategory = entries.value(no1);

        for (s.level2.moveFirst(); !s.level2.eof(); s.level2.moveNext()) {
            if (s.level2.value(QStringLiteral("no3")).isNull() ||
                number(s.level2, QStringLiteral("no3")) != no1)
                continue;
            const QString subName = s.level2.text(QStringLiteral("kind2"));
            if (subName.isEmpty()) {
                addEntries(category, inCategory, std::nullopt);
                continue;
            }
            QTreeWidgetItem* sub = categoryNode(subName);
            category->addChild(sub);
            addEntries(sub, inCategory, number(s.level2, QStringLiteral("no2")));
        }
        s.level2.moveFirst();
    }
    tree->addTopLevelItems(categories);
    tree->collapseAll();
}

QString key(const QTreeWidgetItem* node)
{
    return node ? node->data(0, keyRole).toString() : QString();
}

QString tag(const QTreeWidgetItem* node)
{
    return node ? node->data(0, tagRole).toString() : QString();
}

bool isCategory(const QTreeWidgetItem* node)
{
    return tag(node) == categoryTag;
}

} // namespace tavirel::herbs::categoryTree
