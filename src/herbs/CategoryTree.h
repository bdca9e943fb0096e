#pragma once

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace tavirel::data {
class Database;
class RecordSet;
} // namespace tavirel::data

namespace tavirel::herbs {

// Where a category tree is read from: the level-1 and level-2 category tables and the table of
// the entries (herbs or formulas) that hang in it, with the names of their columns.
struct CategoryTreeSource
{
    data::RecordSet& level1; // columns kind1 (name), no1
    data::RecordSet& level2; // columns kind2 (name, may be empty), no2, no3 (parent no1)
    data::Database& entriesDb;
    QString entryTable; // e.g. "tavirel"
    int categoryCount;  // only this many level-1 rows, in stored order, are shown
    QString entryName;  // e.g. "name1"
    QString entryKind1; // e.g. "kind1"
    QString entryKind2; // e.g. "kind2"
};

// Category and sub-category nodes carry the tag "DSystem" and their name as key; entry nodes
// carry neither. Everything is in stored order and collapsed. The entries are read once, in
// one query, however many categories there are.
namespace categoryTree {

inline const QString categoryTag = QStringLiteral("DSystem");

void build(QTreeWidget* tree, CategoryTreeSource source);
QString key(const QTreeWidgetItem* node);
QString tag(const QTreeWidgetItem* node);
bool isCategory(const QTreeWidgetItem* node);

} // namespace categoryTree
} // namespace tavirel::herbs
