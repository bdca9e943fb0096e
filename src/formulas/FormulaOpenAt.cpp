// Opening the formula window straight on one formula (quick find on the menu).
#include "FormulaWindow.h"
#include "app/AppContext.h"
#include "data/RecordSet.h"

#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>

#include <utility>

namespace tavirel::formulas {

void FormulaWindow::openRequestedFormula()
{
    const QString name = std::exchange(m_context.values.openFormulaAt, QString());
    if (name.isEmpty())
        return;
    // The same road as a user's pick: the tree node of a built-in formula, the own list's
    // entry of an own formula.
    m_pres->moveFirst();
    if (m_pres->findFirst(QStringLiteral("prename"), name)) {
        const QString stored = m_pres->text(QStringLiteral("prename"));
        const QList<QTreeWidgetItem*> nodes =
            m_tree->findItems(stored, Qt::MatchFixedString | Qt::MatchRecursive);
        if (!nodes.isEmpty()) {
            for (QTreeWidgetItem* up = nodes.first()->parent(); up; up = up->parent())
                up->setExpanded(true);
            m_tree->setCurrentItem(nodes.first());
            m_tree->scrollToItem(nodes.first());
        }
        nodeClicked(nodes.isEmpty() ? nullptr : nodes.first());
        if (nodes.isEmpty())
            showFormula(DisplayEntry::Tree, stored); // a category beyond the tree's
        return;
    }
    m_pickTabs->setCurrentIndex(1);
    for (int i = 0; i < m_own->count(); ++i) {
        if (m_own->item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            m_own->setCurrentRow(i);
            ownFormulaDoubleClicked();
            return;
        }
    }
}

} // namespace tavirel::formulas
