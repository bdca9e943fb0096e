// The "Searching" tab of the formula window: key word, field, and the formulas found.
#include "FormulaMessages.h"
#include "FormulaSearch.h"
#include "FormulaWindow.h"
#include "app/AppContext.h"
#include "app/Buttons.h"
#include "app/CommonMessages.h"
#include "app/EnterKey.h"
#include "app/MessageBox.h"
#include "data/RecordSet.h"
#include "data/Statement.h"
#include "herbs/KeyWordFilter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace tavirel::formulas {

using data::RecordSet;

QWidget* FormulaWindow::buildSearchTab()
{
    auto* tab = new QWidget;
    tab->setProperty("helpTopic", QStringLiteral("formulas-search.html"));
    auto* keyLabel = new QLabel(QStringLiteral("Input key word for searching"), tab);
    keyLabel->setObjectName(QStringLiteral("Label17"));
    m_keyWord = new QLineEdit(tab);
    m_keyWord->setObjectName(QStringLiteral("Text12"));
    m_keyWord->setAccessibleName(keyLabel->text());
    keyLabel->setBuddy(m_keyWord);
    herbs::KeyWordFilter::install(m_keyWord, [this] { search(); });

    auto* fieldLabel = new QLabel(QStringLiteral("Select category of the herb"), tab);
    fieldLabel->setObjectName(QStringLiteral("Label18"));
    m_field = new QComboBox(tab);
    m_field->setObjectName(QStringLiteral("Combo1"));
    m_field->setAccessibleName(fieldLabel->text());
    fieldLabel->setBuddy(m_field);
    m_field->addItems(formulaSearchFields());
    m_field->setCurrentIndex(-1); // nothing picked until the tab is entered
    connect(m_field, &QComboBox::activated, this, [this] { searchFieldPicked(); });

    QWidget* go = app::makeButton(tab, QStringLiteral("Command3"), QStringLiteral("Go"));
    app::onClick(go, this, [this] { search(); });

    auto* hint = new QLabel(QStringLiteral("Show detail by double  clicking the herb name"), tab);
    hint->setObjectName(QStringLiteral("Label19"));
    hint->setWordWrap(true);
    m_found = new QListWidget(tab);
    m_found->setUniformItemSizes(true); // one line each: laid out without measuring every entry
    m_found->setObjectName(QStringLiteral("List3"));
    m_found->setAccessibleName(QStringLiteral("Formulas found"));
    hint->setBuddy(m_found);
    connect(m_found, &QListWidget::itemDoubleClicked, this,
            &FormulaWindow::foundFormulaDoubleClicked);
    app::onEnter(m_found, [this] { foundFormulaDoubleClicked(); });

    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(m_field, 1);
    fieldRow->addWidget(go);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(keyLabel);
    layout->addWidget(m_keyWord);
    layout->addWidget(fieldLabel);
    layout->addLayout(fieldRow);
    layout->addSpacing(6);
    layout->addWidget(hint);
    layout->addWidget(m_found, 1);
    return tab;
}

void FormulaWindow::searchFieldPicked()
{
    if (!m_searchSuppressed)
        search();
}

void FormulaWindow::search()
{
    const QString keyWord = m_keyWord->text();
    if (keyWord.isEmpty()) {
        app::MessageBox::information(this, messages::noKeyWord);
        return;
    }
    const auto queries = formulaSearchQueries(
        m_field->currentText(), m_context.refDb().hasTable(QStringLiteral("preherb")));
    if (!queries) {
        app::MessageBox::information(this, messages::noField);
        return;
    }
    const QVariantList pattern{data::containsPattern(keyWord)};
    // Only the name is listed: the rest of each row found is left in the database.
    RecordSet builtIn(m_context.refDb(),
                      QStringLiteral("SELECT prename FROM (%1)").arg(queries->builtIn),
                      RecordSet::Kind::Snapshot, pattern);
    RecordSet own(m_context.ownDb(), QStringLiteral("SELECT name FROM (%1)").arg(queries->own),
                  RecordSet::Kind::Snapshot, pattern);
    m_found->clear();
    QStringList names;
    for (builtIn.moveFirst(); !builtIn.eof(); builtIn.moveNext())
        names << builtIn.text(QStringLiteral("prename"));
    for (own.moveFirst(); !own.eof(); own.moveNext())
        names << own.text(QStringLiteral("name"));
    m_found->addItems(names); // the view is told once, not once per entry
    // A query that failed found nothing because it did not run: say so, and why.
    for (const RecordSet* rows : {&builtIn, &own}) {
        if (!rows->isValid()) {
            app::MessageBox::exclamation(this, app::messages::searchFailed(rows->errorString()));
            return;
        }
    }
    if (builtIn.recordCount() == 0 && own.recordCount() == 0)
        app::MessageBox::information(this, messages::nothingFound);
}

void FormulaWindow::foundFormulaDoubleClicked()
{
    QListWidgetItem* item = m_found->currentItem();
    if (item && item->isSelected())
        showFormula(DisplayEntry::SearchList, item->text());
}

} // namespace tavirel::formulas
