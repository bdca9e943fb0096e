// The "Your Own" tab of the formula window: the user's own formulas, shown or deleted.
#include "FormulaMessages.h"
#include "FormulaWindow.h"
#include "app/AppContext.h"
#include "app/Buttons.h"
#include "app/EnterKey.h"
#include "app/MessageBox.h"
#include "app/OwnData.h"
#include "data/Database.h"
#include "data/RecordSet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace tavirel::formulas {

using data::RecordSet;

QWidget* FormulaWindow::buildOwnTab()
{
    auto* tab = new QWidget;
    tab->setProperty("helpTopic", QStringLiteral("formulas-own.html"));
    auto* caption = new QLabel(QStringLiteral("Double click formula for information"), tab);
    caption->setObjectName(QStringLiteral("Label15"));
    m_own = new QListWidget(tab);
    m_own->setObjectName(QStringLiteral("List1"));
    m_own->setAccessibleName(QStringLiteral("Your own formulas"));
    caption->setBuddy(m_own);
    connect(m_own, &QListWidget::itemDoubleClicked, this, &FormulaWindow::ownFormulaDoubleClicked);
    app::onEnter(m_own, [this] { ownFormulaDoubleClicked(); });
    m_delete = app::makeButton(tab, QStringLiteral("Command7"), QStringLiteral("Delete"));
    app::onClick(m_delete, this, [this] { deleteOwnFormula(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(caption);
    layout->addWidget(m_own, 1);
    layout->addLayout(buttons);
    return tab;
}

void FormulaWindow::fillOwnList()
{
    RecordSet names(m_context.ownDb(),
                    QStringLiteral("SELECT [name] FROM ownpres order by [name] asc"),
                    RecordSet::Kind::Snapshot);
    m_own->clear();
    if (!names.isValid()) {
        // Not "No yourown record!": the user has formulas that can not be read just now.
        m_delete->setVisible(false);
        app::ownData::reportUnreadable(this, names, app::ownData::formulasUnreadable);
        return;
    }
    for (names.moveFirst(); !names.eof(); names.moveNext())
        m_own->addItem(names.text(QStringLiteral("name")));
    if (names.recordCount() > 0) {
        m_delete->setVisible(true);
    } else {
        m_own->addItem(messages::noOwnRecord);
        m_delete->setVisible(false);
    }
}

void FormulaWindow::ownFormulaDoubleClicked()
{
    QListWidgetItem* item = m_own->currentItem();
    if (!item || !item->isSelected() || item->text() == messages::noOwnRecord)
        return;
    showFormula(DisplayEntry::OwnList, item->text());
}

void FormulaWindow::deleteOwnFormula()
{
    if (m_own->count() == 0)
        return;
    QListWidgetItem* item = m_own->currentItem();
    if (!item || !item->isSelected()) {
        app::MessageBox::information(this, messages::selectFormulaToDelete);
        return;
    }
    const QString name = item->text();
    const QString failed = app::ownData::notDeleted(QStringLiteral("formula"), name);
    if (app::ownData::refuseChange(this, m_context, failed))
        return;
    if (!app::MessageBox::question(this, messages::confirmFormulaDelete,
                                   app::ownData::deleteQuestion(QStringLiteral("formula"), name)))
        return;
    if (!m_ownPres->isValid() && !m_ownPres->requery()) {
        app::MessageBox::failure(this, failed, m_context.ownDb().fileName(),
                                 m_ownPres->errorString());
        return;
    }
    // The row goes first; the list entry only once the row is gone, so a failed delete loses
    // nothing and says why.
    m_ownPres->moveFirst();
    if (m_ownPres->findFirst(QStringLiteral("name"), name) && !m_ownPres->deleteCurrent()) {
        app::ownData::reportFailure(this, m_context.ownDb(), failed);
        return;
    }
    delete m_own->takeItem(m_own->row(item));
    m_own->setCurrentItem(nullptr); // nothing is selected after a deletion
    if (m_own->count() == 0) {
        m_own->addItem(messages::noOwnRecord);
        m_delete->setVisible(false);
    }
    clearDisplay();
}

} // namespace tavirel::formulas
