#include "FormulaWindow.h"

#include "Grid.h"
#include "app/AppContext.h"
#include "app/Buttons.h"
#include "app/CenterForm.h"
#include "app/EnterKey.h"
#include "app/OneLineLabel.h"
#include "app/OwnData.h"
#include "data/RecordSet.h"
#include "herbs/CategoryTree.h"
#include "herbs/FactBoxes.h"
#include "herbs/HerbDetailsPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tavirel::formulas {

using data::RecordSet;

namespace {

// Only this many formula categories, the first in stored order, make the tree.
constexpr int shownCategories = 20;

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QPlainTextEdit* readingBox(QWidget* parent, const QString& name, QLabel* caption)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAccessibleName(caption->text());
    box->setMinimumHeight(box->fontMetrics().lineSpacing() * 2 + 12);
    caption->setBuddy(box);
    return box;
}

} // namespace

FormulaWindow::FormulaWindow(app::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("Pres"));
    setWindowTitle(QStringLiteral("Formulas"));
    setProperty("helpTopic", QStringLiteral("formulas.html"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);

    auto* halves = new QHBoxLayout;
    halves->addWidget(buildLeftHalf(), 2);
    halves->addWidget(buildRightHalf(), 3);

    QWidget* exitButton = app::makeButton(this, QStringLiteral("Command1"), QStringLiteral("Exit"));
    // Closing the window closes its record sets with it.
    app::onClick(exitButton, this, [this] { close(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(halves, 1);
    layout->addLayout(buttons);
    resize(1040, 680);

    load();
    connect(m_pickTabs, &QTabWidget::currentChanged, this, &FormulaWindow::pickTabChanged);
    connect(m_detailTabs, &QTabWidget::currentChanged, this, &FormulaWindow::detailTabChanged);
    openRequestedFormula();
}

FormulaWindow::~FormulaWindow() = default;

QWidget* FormulaWindow::buildLeftHalf()
{
    m_pickTabs = new QTabWidget(this);
    m_pickTabs->setObjectName(QStringLiteral("SSTab1"));
    m_pickTabs->addTab(buildTreeTab(), QStringLiteral("Database"));
    m_pickTabs->addTab(buildOwnTab(), QStringLiteral("Your Own"));
    m_pickTabs->addTab(buildSearchTab(), QStringLiteral("Searching"));
    return m_pickTabs;
}

QWidget* FormulaWindow::buildTreeTab()
{
    auto* tab = new QWidget;
    tab->setProperty("helpTopic", QStringLiteral("formulas-select.html"));
    m_tree = new QTreeWidget(tab);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setAccessibleName(QStringLiteral("Formula categories"));
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    // Long category names scroll sideways instead of being cut short.
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { nodeClicked(node); });
    app::onEnter(m_tree, [this] { nodeClicked(m_tree->currentItem()); });

    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(
        label(tab, QStringLiteral("Label16"), QStringLiteral("Click formula for information")));
    layout->addWidget(m_tree, 1);
    return tab;
}

QWidget* FormulaWindow::buildRightHalf()
{
    auto* half = new QWidget(this);
    m_name = new app::OneLineLabel(half);
    m_name->setObjectName(QStringLiteral("Label2"));
    m_name->setAccessibleDescription(QStringLiteral("Formula shown"));
    m_name->setTextFormat(Qt::PlainText);
    QFont heading = m_name->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    heading.setBold(true);
    m_name->setFont(heading);
    // Keeps its height while empty, so the tabs below do not jump when a formula is shown.
    m_name->setMinimumHeight(m_name->fontMetrics().height());
    m_chinese = herbs::chineseHeading(half, QStringLiteral("FormulaChinese"), heading);
    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(m_name);
    headingRow->addWidget(m_chinese, 1);

    auto* facts = new QGridLayout;
    int row = 0;
    m_facts = std::make_unique<herbs::FactBoxes>(
        half, facts, row,
        QList<herbs::Fact>{{QStringLiteral("pinyintones"), QStringLiteral("Pinyin"),
                            QStringLiteral("FormulaPinyin")},
                           {QStringLiteral("english"), QStringLiteral("English"),
                            QStringLiteral("FormulaEnglish")},
                           {QStringLiteral("presource"), QStringLiteral("Source Text"),
                            QStringLiteral("FormulaSource"), true},
                           {QStringLiteral("prealiases"), QStringLiteral("Other Names"),
                            QStringLiteral("FormulaAliases"), true}});
    facts->setColumnStretch(1, 1);
    facts->setColumnStretch(3, 1);

    m_detailTabs = new QTabWidget(half);
    m_detailTabs->setObjectName(QStringLiteral("SSTab2"));
    m_detailTabs->addTab(buildCompositionTab(),
                         QStringLiteral("Formula (Double clicking herb name) - ->"));
    m_detailTabs->addTab(buildHerbTab(), QStringLiteral("Herb Information"));

    auto* layout = new QVBoxLayout(half);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(headingRow);
    layout->addLayout(facts);
    layout->addWidget(m_detailTabs, 1);
    return half;
}

QWidget* FormulaWindow::buildCompositionTab()
{
    auto* tab = new QWidget;
    tab->setProperty("helpTopic", QStringLiteral("formulas-display.html"));
    m_grid = new Grid(tab);
    m_grid->setObjectName(QStringLiteral("Grid1"));
    m_grid->setAccessibleName(QStringLiteral("Composition"));
    m_grid->setCols(3);
    m_grid->setRows(1);
    // The meridians column takes whatever width is left, so its text is not cut short.
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().lineSpacing() + 8);
    setColumns(displayVariant(DisplayEntry::Tree));
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] { gridDoubleClicked(); });

    QLabel* methodCaption = label(tab, QStringLiteral("Label1"), QStringLiteral("Methods"));
    m_method = readingBox(tab, QStringLiteral("Text1"), methodCaption);
    QLabel* functionCaption = label(tab, QStringLiteral("Label3"), QStringLiteral("Functions"));
    m_function = readingBox(tab, QStringLiteral("Text2"), functionCaption);
    QLabel* indicationCaption = label(tab, QStringLiteral("Label8"), QStringLiteral("Indications"));
    m_indication = readingBox(tab, QStringLiteral("Text3"), indicationCaption);
    QLabel* cautionsCaption =
        label(tab, QStringLiteral("FormulaCautionsCaption"), QStringLiteral("Cautions"));
    m_cautions = readingBox(tab, QStringLiteral("FormulaCautions"), cautionsCaption);

    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(m_grid, 7);
    layout->addWidget(methodCaption);
    layout->addWidget(m_method, 2);
    layout->addWidget(functionCaption);
    layout->addWidget(m_function, 2);
    layout->addWidget(indicationCaption);
    layout->addWidget(m_indication, 4);
    layout->addWidget(cautionsCaption);
    layout->addWidget(m_cautions, 2);
    return tab;
}

void FormulaWindow::load()
{
    app::CenterForm(this);

    // Read on demand: a formula is looked up by name through the database's index.
    m_pres = std::make_unique<RecordSet>(m_context.refDb(), QStringLiteral("pres"),
                                         RecordSet::Kind::Snapshot, QVariantList(),
                                         RecordSet::Reading::OnDemand);
    RecordSet level1(m_context.refDb(), QStringLiteral("preskind1"), RecordSet::Kind::Table);
    RecordSet level2(m_context.refDb(), QStringLiteral("preskind2"), RecordSet::Kind::Table);
    // The reference file damaged while the program runs: the window says so and shows the rest.
    for (const RecordSet* set : {m_pres.get(), &level1, &level2}) {
        if (!set->isValid()) {
            app::ownData::reportUnreadable(this, *set,
                                           QStringLiteral("The formulas could not be read."));
            break;
        }
    }
    m_ownPres = std::make_unique<RecordSet>(m_context.ownDb(), QStringLiteral("ownpres"),
                                            RecordSet::Kind::Dynaset);
    m_ownHerbs = std::make_unique<RecordSet>(m_context.ownDb(), QStringLiteral("ownherb"),
                                             RecordSet::Kind::Snapshot);

    clearDisplay();
    m_tree->clear();
    m_context.herbRecords().moveFirst();
    m_pres->moveFirst();
    herbs::categoryTree::build(m_tree, {level1, level2, m_context.refDb(), QStringLiteral("pres"),
                                        shownCategories, QStringLiteral("prename"),
                                        QStringLiteral("prekind1"), QStringLiteral("prekind2")});
    fillOwnList();
    m_pickTabs->setCurrentIndex(0);
    m_detailTabs->setCurrentIndex(0);
}

void FormulaWindow::pickTabChanged()
{
    // The formula shown belongs to the way it was picked; the caption keeps its name.
    clearDisplay();
    m_searchSuppressed = false;
    if (m_pickTabs->currentIndex() == 2) {
        m_searchSuppressed = true;
        m_field->setCurrentIndex(0); // "All Category", without searching
        m_searchSuppressed = false;
        m_keyWord->setFocus(Qt::TabFocusReason); // ready to type, as in the herb window
    }
}

void FormulaWindow::nodeClicked(QTreeWidgetItem* node)
{
    if (!node || herbs::categoryTree::isCategory(node))
        return; // the tree itself opens or closes a category
    showFormula(DisplayEntry::Tree, node->text(0));
}

} // namespace tavirel::formulas
