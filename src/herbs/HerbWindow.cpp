#include "HerbWindow.h"

#include "CategoryTree.h"
#include "FormulaUsage.h"
#include "HerbDetailsPanel.h"
#include "HerbMessages.h"
#include "app/AppContext.h"
#include "app/Buttons.h"
#include "app/CenterForm.h"
#include "app/EnterKey.h"
#include "app/MessageBox.h"
#include "app/OwnData.h"
#include "data/RecordSet.h"
#include "picture/HerbPicture.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tavirel::herbs {

using data::RecordSet;

namespace {

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

HerbWindow::HerbWindow(app::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("start"));
    setWindowTitle(QStringLiteral("Herbs"));
    setProperty("helpTopic", QStringLiteral("herbs.html"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(buildSelectTab(), QStringLiteral("Select Herb"));
    m_tabs->addTab(buildDetailsTab(), QStringLiteral("Information of the Herb"));
    m_tabs->addTab(buildSearchTab(), QStringLiteral("Searching"));
    m_tabs->addTab(buildOwnTab(), QStringLiteral("Your Own"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    resize(900, 640);

    load();
    connect(m_tabs, &QTabWidget::currentChanged, this, &HerbWindow::tabChanged);
    openRequestedHerb();
}

HerbWindow::~HerbWindow() = default;

QWidget* HerbWindow::buildSelectTab()
{
    auto* tab = new QWidget;
    tab->setProperty("helpTopic", QStringLiteral("herbs-select.html"));
    m_tree = new QTreeWidget(tab);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setAccessibleName(QStringLiteral("Herb categories"));
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { nodeClicked(node); });
    app::onEnter(m_tree, [this] { nodeClicked(m_tree->currentItem()); });

    m_names = new QListWidget(tab);
    m_names->setUniformItemSizes(true); // one line each: laid out without measuring every entry
    m_names->setObjectName(QStringLiteral("List1"));
    m_names->setAccessibleName(QStringLiteral("Herb names"));
    connect(m_names, &QListWidget::itemDoubleClicked, this, &HerbWindow::listDoubleClicked);
    app::onEnter(m_names, [this] { listDoubleClicked(); });

    m_lookup = new QLineEdit(tab);
    m_lookup->setObjectName(QStringLiteral("Text10"));
    m_lookup->setAccessibleName(QStringLiteral("Input searching word"));
    connect(m_lookup, &QLineEdit::textChanged, this, &HerbWindow::lookup);

    m_toggle = app::makeButton(tab, QStringLiteral("skinButton1"), QStringLiteral("Latin"));
    app::onClick(m_toggle, this, [this] { toggleNames(); });
    QWidget* exitButton = app::makeButton(tab, QStringLiteral("Command1"), QStringLiteral("Exit"));
    app::onClick(exitButton, this, [this] {
        close();
        m_ownHerbRecords.reset();
    });

    auto* right = new QGridLayout;
    right->addWidget(label(tab, QStringLiteral("Label2"),
                           QStringLiteral("Select a herb by doubl clicking the herb name")),
                     0, 0, 1, 3);
    right->addWidget(m_names, 1, 0, 1, 3);
    right->addWidget(label(tab, QStringLiteral("Label17"), QStringLiteral("Input searching word")),
                     2, 0);
    right->addWidget(m_lookup, 2, 1);
    right->addWidget(m_toggle, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exitButton);
    right->addLayout(buttons, 3, 0, 1, 3);
    right->setRowStretch(1, 1);

    auto* layout = new QHBoxLayout(tab);
    layout->addWidget(m_tree, 3);
    layout->addLayout(right, 2);
    return tab;
}

QWidget* HerbWindow::buildDetailsTab()
{
    auto* tab = new QWidget;
    tab->setProperty("helpTopic", QStringLiteral("herbs-details.html"));
    HerbDetailNames names;
    names.pinyin = QStringLiteral("Label14");
    names.latin = QStringLiteral("Label1");
    names.latinCaption = QStringLiteral("Label4");
    names.line = QStringLiteral("Line1");
    names.source = QStringLiteral("Text2");
    names.used = QStringLiteral("Text4");
    names.taste = QStringLiteral("Text5");
    names.meridians = QStringLiteral("Text6");
    names.dosage = QStringLiteral("Text3");
    names.functions = QStringLiteral("Text7");
    names.indications = QStringLiteral("Text8");
    names.coutions = QStringLiteral("Text9");
    names.sourceCaption = QStringLiteral("Label6");
    names.usedCaption = QStringLiteral("Label7");
    names.tasteCaption = QStringLiteral("Label8");
    names.meridiansCaption = QStringLiteral("Label9");
    names.dosageCaption = QStringLiteral("Label12");
    names.functionsCaption = QStringLiteral("Label10");
    names.indicationsCaption = QStringLiteral("Label11");
    names.coutionsCaption = QStringLiteral("Label13");
    m_details = new HerbDetailsPanel(names, tab);
    connect(m_details, &HerbDetailsPanel::formulaActivated, this,
            [this](const QString& formula, bool own) {
                if (m_context.openFormula)
                    m_context.openFormula(this, formula, own);
            });

    m_graphic = app::makeButton(tab, QStringLiteral("Command4"), QStringLiteral("Graphic"));
    app::onClick(m_graphic, this, [this] { openPicture(); });
    QWidget* exitButton = app::makeButton(tab, QStringLiteral("Command8"), QStringLiteral("Exit"));
    app::onClick(exitButton, this, [this] { close(); });
    auto* plainExit = new QPushButton(QStringLiteral("&Exit"), tab);
    plainExit->setObjectName(QStringLiteral("Command3"));
    plainExit->setAutoDefault(false);
    connect(plainExit, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_graphic);
    buttons->addStretch();
    buttons->addWidget(plainExit);
    buttons->addWidget(exitButton);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(m_details, 1);
    layout->addLayout(buttons);
    return tab;
}

void HerbWindow::load()
{
    app::CenterForm(this);

    RecordSet kind1(m_context.refDb(), QStringLiteral("kind1"), RecordSet::Kind::Table);
    RecordSet kind2(m_context.refDb(), QStringLiteral("kind2"), RecordSet::Kind::Table);
    // The reference file damaged while the program runs: the window says so and shows the rest.
    for (const RecordSet* set : {&kind1, &kind2}) {
        if (!set->isValid()) {
            app::ownData::reportUnreadable(
                this, *set, QStringLiteral("The herb categories could not be read."));
            break;
        }
    }
    m_ownHerbRecords = std::make_unique<RecordSet>(m_context.ownDb(), QStringLiteral("ownherb"),
                                                   RecordSet::Kind::Dynaset);

    m_tabs->setCurrentIndex(0);
    m_details->clear();
    m_keyWord->clear();
    m_lookup->clear();
    m_tree->clear();
    m_names->clear();
    m_found->clear();

    m_context.herbRecords().moveFirst();
    kind1.moveFirst();
    kind2.moveFirst();
    categoryTree::build(m_tree, {kind1, kind2, m_context.refDb(), QStringLiteral("tavirel"), 18,
                                 QStringLiteral("name1"), QStringLiteral("kind1"),
                                 QStringLiteral("kind2")});
    fillNameList(QStringLiteral("name1"));
    fillOwnList();
}

void HerbWindow::fillNameList(const QString& column)
{
    RecordSet names(m_context.refDb(),
                    QStringLiteral("SELECT [%1] FROM tavirel order by [%1] asc").arg(column),
                    RecordSet::Kind::Snapshot);
    QStringList texts;
    texts.reserve(names.recordCount());
    for (names.moveFirst(); !names.eof(); names.moveNext())
        texts << names.text(column);
    m_names->addItems(texts); // the view is told once, not once per name
}

void HerbWindow::nodeClicked(QTreeWidgetItem* node)
{
    if (!node || categoryTree::isCategory(node))
        return; // the tree itself opens or closes a category
    m_context.values.currentHerbName = node->text(0);
    m_graphic->setVisible(true);
    RecordSet& herbs = m_context.herbRecords();
    herbs.moveFirst();
    showPickedHerb(herbs.findFirst(QStringLiteral("name1"), m_context.values.currentHerbName));
}

void HerbWindow::listDoubleClicked()
{
    QListWidgetItem* item = m_names->currentItem();
    m_context.values.currentHerbName = item && item->isSelected() ? item->text() : QString();
    if (m_context.values.currentHerbName.isEmpty())
        return;
    m_graphic->setVisible(true);
    RecordSet& herbs = m_context.herbRecords();
    herbs.moveFirst();
    // The list holds Pinyin names while the button offers "Latin", Latin names otherwise.
    const bool pinyin = app::buttonCaption(m_toggle) == QLatin1String("Latin");
    showPickedHerb(herbs.findFirst(pinyin ? QStringLiteral("name1") : QStringLiteral("name2"),
                                   m_context.values.currentHerbName));
}

void HerbWindow::showPickedHerb(bool found)
{
    if (found && !m_context.herbRecords().text(QStringLiteral("name2")).isEmpty()) {
        m_context.values.detailSource = 1;
        m_tabs->setCurrentIndex(1);
        return;
    }
    forgetPickedHerb();
    app::MessageBox::information(this, messages::noInformation);
}

void HerbWindow::forgetPickedHerb()
{
    // The shared herb records still stand on whatever the failed lookup left current; the
    // details tab must not show that herb as if it had been picked.
    m_context.values.detailSource = 0;
}

void HerbWindow::toggleNames()
{
    m_names->clear();
    m_found->clear();
    m_lookup->clear();
    if (app::buttonCaption(m_toggle) == QLatin1String("Latin")) {
        fillNameList(QStringLiteral("name2"));
        app::setButtonCaption(m_toggle, QStringLiteral("Pin Yin"));
    } else {
        fillNameList(QStringLiteral("name1"));
        app::setButtonCaption(m_toggle, QStringLiteral("Latin"));
    }
}

void HerbWindow::lookup(const QString& typed)
{
    if (typed.isEmpty())
        return;
    const QString wanted = typed.toLower();
    for (int i = 0; i < m_names->count(); ++i) {
        if (m_names->item(i)->text().left(typed.size()).toLower() == wanted) {
            m_names->setCurrentRow(i);
            m_names->scrollToItem(m_names->item(i));
            return;
        }
    }
}

void HerbWindow::tabChanged(int tab)
{
    m_details->clear();
    if (tab == 2) {
        m_searchSuppressed = true;
        m_field->setCurrentIndex(0);
        m_searchSuppressed = false;
        m_keyWord->setFocus(Qt::TabFocusReason);
    }
    showDetails();
}

void HerbWindow::showDetails()
{
    const QString& name = m_context.values.currentHerbName;
    RecordSet& herbs = m_context.herbRecords();
    switch (m_context.values.detailSource) {
    case 1:
        if (!herbs.eof())
            fillDetails(herbs);
        break;
    case 3:
        if (!m_own->selectedItems().isEmpty() && m_ownHerbRecords &&
            app::ownData::readable(this, *m_ownHerbRecords, app::ownData::herbsUnreadable)) {
            m_graphic->setVisible(false);
            m_ownHerbRecords->moveFirst();
            if (m_ownHerbRecords->findFirst(QStringLiteral("name1"), name))
                fillDetails(*m_ownHerbRecords);
        }
        break;
    case 2:
        if (!m_found->selectedItems().isEmpty()) {
            herbs.moveFirst();
            if (herbs.findFirst(QStringLiteral("name1"), name)) {
                m_graphic->setVisible(true);
                fillDetails(herbs);
            } else if (m_ownHerbRecords && app::ownData::readable(this, *m_ownHerbRecords,
                                                                  app::ownData::herbsUnreadable)) {
                m_graphic->setVisible(false);
                m_ownHerbRecords->moveFirst();
                if (m_ownHerbRecords->findFirst(QStringLiteral("name1"), name))
                    fillDetails(*m_ownHerbRecords);
            }
        }
        break;
    default:
        break; // nothing picked yet: the tab stays empty
    }
}

void HerbWindow::fillDetails(const RecordSet& herb)
{
    m_details->fill(herb);
    m_details->showFormulaUses(formulasWithHerb(m_context.refDb(), m_context.ownDb(),
                                                herb.text(QStringLiteral("name1")),
                                                herb.text(QStringLiteral("picno"))));
}

void HerbWindow::openPicture()
{
    m_context.values.currentHerbName = m_details->pinyinName();
    if (picture::openHerbPicture(m_context, this, m_context.values.currentHerbName, 0) ==
        picture::HerbPicture::EmptyPictureNumber)
        app::MessageBox::information(this, messages::noPicture);
}

} // namespace tavirel::herbs
