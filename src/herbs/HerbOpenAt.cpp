// Opening the herb window straight on one herb's details (quick find on the menu).
#include "HerbWindow.h"
#include "app/AppContext.h"
#include "data/RecordSet.h"

#include <QListWidget>
#include <QTabWidget>

#include <utility>

namespace tavirel::herbs {

void HerbWindow::openRequestedHerb()
{
    const QString name = std::exchange(m_context.values.openHerbAt, QString());
    if (name.isEmpty())
        return;
    // The same road as a user's pick: from the name list for a built-in herb, from the own
    // list for an own herb, so the details tab and "Graphic" behave as after a double click.
    data::RecordSet& herbs = m_context.herbRecords();
    herbs.moveFirst();
    QListWidget* list = herbs.findFirst(QStringLiteral("name1"), name) ? m_names : m_own;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            list->setCurrentRow(i);
            list->scrollToItem(list->item(i));
            if (list == m_names)
                listDoubleClicked();
            else
                ownHerbDoubleClicked();
            return;
        }
    }
}

} // namespace tavirel::herbs
