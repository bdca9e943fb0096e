#include "CategoryTree.h"

#include "data/RecordSet.h"

#include <QTreeWidget>

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

void addEntries(QTreeWidgetItem* parent, const CategoryTreeSource& s, qint16 no1,
                std::optional<qint16> no2)
{
    for (s.entries.moveFirst(); !s.entries.eof(); s.entries.moveNext()) {
        const QVariant kind1 = s.entries.value(s.entryKind1);
        const QVariant kind2 = s.entries.value(s.entryKind2);
        if (kind1.isNull() || number(s.entries, s.entryKind1) != no1)
            continue;
        if (no2 && (kind2.isNull() || number(s.entries, s.entryKind2) != *no2))
            continue;
        parent->addChild(new QTreeWidgetItem(QStringList(s.entries.text(s.entryName))));
    }
    s.entries.moveFirst();
}

} // namespace

void build(QTreeWidget* tree, CategoryTreeSource s)
{
    tree->clear();
    // Every category node carries its own name as its key; nothing looks nodes up by key, so
    // a name given twice simply gives two nodes with the same key.
    s.level1.moveFirst();
    s.level2.moveFirst();
    s.entries.moveFirst();
    for (int i = 0; i < s.categoryCount && !s.level1.eof(); ++i, s.level1.moveNext()) {
        const QString name = s.level1.text(QStringLiteral("kind1"));
        QTreeWidgetItem* category = categoryNode(name);
        tree->addTopLevelItem(category);
        const qint16 no1 = number(s.level1, QStringLiteral("no1"));

        for (s.level2.moveFirst(); !s.level2.eof(); s.level2.moveNext()) {
            if (s.level2.value(QStringLiteral("no3")).isNull() ||
                number(s.level2, QStringLiteral("no3")) != no1)
                continue;
            const QString subName = s.level2.text(QStringLiteral("kind2"));
            if (subName.isEmpty()) {
                addEntries(category, s, no1, std::nullopt);
                continue;
            }
            QTreeWidgetItem* sub = categoryNode(subName);
            category->addChild(sub);
            addEntries(sub, s, no1, number(s.level2, QStringLiteral("no2")));
        }
        s.level2.moveFirst();
        s.entries.moveFirst();
    }
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
