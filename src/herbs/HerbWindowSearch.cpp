// The herb window's "Searching" and "Your Own" tabs.
#include "HerbMessages.h"
#include "HerbSearch.h"
#include "HerbWindow.h"
#include "KeyWordFilter.h"
#include "app/AppContext.h"
#include "app/Buttons.h"
#include "app/CommonMessages.h"
#include "app/EnterKey.h"
#include "app/MessageBox.h"
#include "app/OwnData.h"
#include "data/RecordSet.h"
#include "data/Statement.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tavirel::herbs {

using data::RecordSet;

QWidget* HerbWindow::buildSearchTab()
{
    auto* tab = new QWidget;
    tab->setProperty("helpTopic", QStringLiteral("herbs-search.html"));
    auto* keyLabel = new QLabel(QStringLiteral("Input key word for searching"), tab);
    keyLabel->setObjectName(QStringLiteral("Label3"));
    m_keyWord = new QLineEdit(tab);
    m_keyWord->setObjectName(QStringLiteral("Text1"));
    m_keyWord->setAccessibleName(keyLabel->text());
    KeyWordFilter::install(m_keyWord, [this] { search(); });

    auto* fieldLabel = new QLabel(QStringLiteral("Select category of the herb"), tab);
    fieldLabel->setObjectName(QStringLiteral("Label5"));
    m_field = new QComboBox(tab);
    m_field->setObjectName(QStringLiteral("Combo1"));
    m_field->setAccessibleName(fieldLabel->text());
    m_field->addItems(herbSearchFields());
    connect(m_field, &QComboBox::activated, this, [this] { searchFieldPicked(); });

    QWidget* go = app::makeButton(tab, QStringLiteral("Command2"), QStringLiteral("Go"));
    app::onClick(go, this, [this] { search(); });

    m_found = new QListWidget(tab);
    m_found->setUniformItemSizes(true); // one line each: laid out without measuring every entry
    m_found->setObjectName(QStringLiteral("List2"));
    m_found->setAccessibleName(QStringLiteral("Herbs found"));
    connect(m_found, &QListWidget::itemDoubleClicked, this, &HerbWindow::foundHerbDoubleClicked);
    app::onEnter(m_found, [this] { foundHerbDoubleClicked(); });
    auto* hint = new QLabel(QStringLiteral("Show detail by double  clicking the herb name"), tab);
    hint->setObjectName(QStringLiteral("Label16"));

    QWidget* exitButton = app::makeButton(tab, QStringLiteral("Command5"), QStringLiteral("Exit"));
    app::onClick(exitButton, this, [this] { close(); });

    auto* grid = new QGridLayout;
    grid->addWidget(keyLabel, 0, 0);
    grid->addWidget(m_keyWord, 0, 1);
    grid->addWidget(fieldLabel, 1, 0);
    grid->addWidget(m_field, 1, 1);
    grid->addWidget(go, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exitButton);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(grid);
    layout->addWidget(m_found, 1);
    layout->addWidget(hint);
    layout->addLayout(buttons);
    return tab;
}

void HerbWindow::searchFieldPicked()
{
    if (!m_searchSuppressed)
        search();
}

void HerbWindow::search()
{
    const QString keyWord = m_keyWord->text();
    if (keyWord.isEmpty()) {
        app::MessageBox::information(this, messages::noKeyWord);
        return;
    }
    const auto queries = herbSearchQueries(m_field->currentText());
    if (m_field->currentText().isEmpty() || !queries) {
        app::MessageBox::information(this, messages::noHerbField);
        return;
    }
    const QVariantList pattern{data::containsPattern(keyWord)};
    // Only the names are listed: the rest of each whole row found is left in the database.
    const auto namesOf = [](const QString& query) {
        return query.startsWith(QLatin1String("SELECT * "))
                   ? QStringLiteral("SELECT name1, name2 FROM (%1)").arg(query)
                   : query;
    };
    RecordSet builtIn(m_context.refDb(), namesOf(queries->builtIn), RecordSet::Kind::Snapshot,
                      pattern);
    m_found->clear();
    const auto list = [&](RecordSet& rows) {
        QStringList texts, names;
        for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
            names << rows.text(QStringLiteral("name1"));
            texts << herbSearchEntry(names.constLast(), rows.text(QStringLiteral("name2")),
                                     queries->latin);
        }
        const int first = m_found->count();
        m_found->addItems(texts); // the view is told once, not once per entry
        // The herb is read back from here, never parsed out of the entry's text.
        for (int i = 0; i < names.size(); ++i)
            m_found->item(first + i)->setData(Qt::UserRole, names.at(i));
    };
    list(builtIn);
    RecordSet own(m_context.ownDb(), namesOf(queries->own), RecordSet::Kind::Snapshot, pattern);
    list(own);
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

void HerbWindow::foundHerbDoubleClicked()
{
    QListWidgetItem* item = m_found->currentItem();
    if (!item || !item->isSelected())
        return;
    m_context.values.currentHerbName = item->data(Qt::UserRole).toString();
    const QString& name = m_context.values.currentHerbName;

    RecordSet& herbs = m_context.herbRecords();
    herbs.moveFirst();
    RecordSet* found = nullptr;
    if (herbs.findFirst(QStringLiteral("name1"), name)) {
        found = &herbs;
    } else if (m_ownHerbRecords) {
        m_ownHerbRecords->moveFirst();
        if (m_ownHerbRecords->findFirst(QStringLiteral("name1"), name))
            found = m_ownHerbRecords.get();
    }
    if (found && !found->text(QStringLiteral("name2")).isEmpty()) {
        m_context.values.detailSource = 2;
        m_tabs->setCurrentIndex(1);
        return;
    }
    forgetPickedHerb();
    app::MessageBox::information(this, messages::noInformation);
}

QWidget* HerbWindow::buildOwnTab()
{
    auto* tab = new QWidget;
    tab->setProperty("helpTopic", QStringLiteral("herbs-own.html"));
    auto* caption =
        new QLabel(QStringLiteral("Herbs you added (Double click herb for information)"), tab);
    caption->setObjectName(QStringLiteral("Label15"));
    m_own = new QListWidget(tab);
    m_own->setObjectName(QStringLiteral("List3"));
    m_own->setAccessibleName(QStringLiteral("Your own herbs"));
    connect(m_own, &QListWidget::itemDoubleClicked, this, &HerbWindow::ownHerbDoubleClicked);
    app::onEnter(m_own, [this] { ownHerbDoubleClicked(); });
    m_delete = app::makeButton(tab, QStringLiteral("Command7"), QStringLiteral("Delete"));
    app::onClick(m_delete, this, [this] { deleteOwnHerb(); });
    QWidget* exitButton = app::makeButton(tab, QStringLiteral("Command6"), QStringLiteral("Exit"));
    app::onClick(exitButton, this, [this] { close(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(exitButton);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(caption);
    layout->addWidget(m_own, 1);
    layout->addLayout(buttons);
    return tab;
}

void HerbWindow::fillOwnList()
{
    RecordSet names(m_context.ownDb(),
                    QStringLiteral("SELECT [name1] FROM ownherb order by [name1] asc"),
                    RecordSet::Kind::Snapshot);
    m_own->clear();
    if (!names.isValid()) {
        // Not "No yourown record!": the user has herbs that can not be read just now.
        m_delete->setVisible(false);
        app::ownData::reportUnreadable(this, names, app::ownData::herbsUnreadable);
        return;
    }
    for (names.moveFirst(); !names.eof(); names.moveNext())
        m_own->addItem(names.text(QStringLiteral("name1")));
    if (names.recordCount() > 0) {
        m_delete->setVisible(true);
    } else {
        m_own->addItem(messages::noOwnRecord);
        m_delete->setVisible(false);
    }
}

void HerbWindow::ownHerbDoubleClicked()
{
    QListWidgetItem* item = m_own->currentItem();
    if (!item || item->text() == messages::noOwnRecord)
        return;
    m_context.values.currentHerbName = item->text();
    m_context.values.detailSource = 3;
    m_tabs->setCurrentIndex(1);
}

void HerbWindow::deleteOwnHerb()
{
    QListWidgetItem* item = m_own->currentItem();
    if (!item || !item->isSelected()) {
        app::MessageBox::information(this, messages::selectHerbToDelete);
        return;
    }
    const QString name = item->text();
    const QString failed = app::ownData::notDeleted(QStringLiteral("herb"), name);
    if (app::ownData::refuseChange(this, m_context, failed))
        return;
    if (!app::MessageBox::question(this, messages::confirmHerbDelete,
                                   app::ownData::deleteQuestion(QStringLiteral("herb"), name)))
        return;
    if (!m_ownHerbRecords->isValid() && !m_ownHerbRecords->requery()) {
        app::MessageBox::failure(this, failed, m_context.ownDb().fileName(),
                                 m_ownHerbRecords->errorString());
        return;
    }
    // Only a row that really has this name is deleted; a missing one deletes nothing.
    m_ownHerbRecords->moveFirst();
    if (m_ownHerbRecords->findFirst(QStringLiteral("name1"), name) &&
        !m_ownHerbRecords->deleteCurrent()) {
        app::ownData::reportFailure(this, m_context.ownDb(), failed);
        return;
    }
    delete m_own->takeItem(m_own->row(item));
    // Nothing is selected afterwards, so a second "Delete" can not take the next herb.
    m_own->setCurrentItem(nullptr);
    m_own->clearSelection();
    if (m_own->count() == 0)
        m_delete->setVisible(false);
}

} // namespace tavirel::herbs
