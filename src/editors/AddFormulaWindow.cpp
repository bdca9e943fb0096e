#include "AddFormulaWindow.h"

#include "DosageEditor.h"
#include "InputLimit.h"
#include "MultiLineBox.h"
#include "app/AppContext.h"
#include "app/Buttons.h"
#include "app/CenterForm.h"
#include "app/MessageBox.h"
#include "app/OwnData.h"
#include "data/RecordSet.h"
#include "data/StoredOrder.h"
#include "formulas/Grid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTextDocument>
#include <QtMath>

namespace tavirel::editors {

using data::RecordSet;

namespace {

int px(int twips)
{
    return qRound(twips / 15.0);
}

const QSize designClient(px(9240), px(8505));
const QColor boxGreen(0xC0, 0xFF, 0xC0);
constexpr int maxHerbs = 40;

const QString selectHerbMessage = QStringLiteral("Please select herb.");
const QString tooManyHerbsMessage =
    QStringLiteral("Selcect herbs too more. The maximum numbers of herbs is 40! Please re-select.");
const QString selectHerbToDeleteMessage =
    QStringLiteral("Please select a herb which you want to delete.");

void paintGreen(QWidget* box)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, boxGreen);
    palette.setColor(QPalette::Text, Qt::black);
    box->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    label->setPalette(palette);
    return label;
}

// A multi-line box at least as high as its design height, and high enough for as many lines
// as that height held in the design's font (a line of 195 twips), in the font used here.
QPlainTextEdit* makeMultiLine(QWidget* parent, const QString& name, const QString& caption,
                              int heightTwips)
{
    auto* box = new MultiLineBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int lines = qMax(1, qRound(heightTwips / 195.0));
    const int margins = 2 * box->frameWidth() + 2 * qCeil(box->document()->documentMargin());
    box->setMinimumHeight(
        qMax(px(heightTwips), lines * box->fontMetrics().lineSpacing() + margins));
    paintGreen(box);
    return box;
}

QLineEdit* makeLine(QWidget* parent, const QString& name, const QString& caption)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    paintGreen(box);
    return box;
}

} // namespace

AddFormulaWindow::AddFormulaWindow(app::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("addPres"));
    setWindowTitle(QStringLiteral("Add Your Own Formulas"));
    setProperty("helpTopic", QStringLiteral("addformulas.html"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    buildLayout();
    resize(designClient.expandedTo(minimumSizeHint()));

    app::CenterForm(this);
    m_ownHerbs = std::make_unique<RecordSet>(m_context.ownDb(), QStringLiteral("ownherb"),
                                             RecordSet::Kind::Snapshot);
    // Only asked whether a name is taken: read on demand.
    m_presRecords = std::make_unique<RecordSet>(m_context.refDb(), QStringLiteral("pres"),
                                                RecordSet::Kind::Snapshot, QVariantList(),
                                                RecordSet::Reading::OnDemand);
    // Another program may hold the file locked: the user hears why, and the own herbs are read
    // again when herbs are next added.
    if (!m_ownHerbs->isValid())
        app::ownData::reportUnreadable(this, *m_ownHerbs, app::ownData::herbsUnreadable);
    fillHerbList();
    resetGrid();
    m_name->setFocus();
}

AddFormulaWindow::~AddFormulaWindow() = default;

void AddFormulaWindow::buildLayout()
{
    auto* grid = new QGridLayout(this);
    auto* heading = new QLabel(QStringLiteral("Should Input All Informations"), this);
    heading->setObjectName(QStringLiteral("Label6"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSize(12);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);
    grid->addWidget(heading, 0, 0, 1, 3);

    const auto addLine = [&](int row, const QString& label, const QString& caption, QWidget* box,
                             bool tall) {
        grid->addWidget(makeLabel(this, label, caption), row, 0,
                        tall ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(box, row, 1, 1, 2);
    };
    m_name = makeLine(this, QStringLiteral("Text1"), QStringLiteral("Name"));
    new InputLimit(m_name, 100);
    addLine(1, QStringLiteral("Label2"), QStringLiteral("Name"), m_name, false);

    buildCompositionRow();
    grid->addWidget(makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Construction")), 3, 0,
                    Qt::AlignLeft | Qt::AlignTop);
    auto* listHead = new QHBoxLayout;
    listHead->addWidget(
        makeLabel(this, QStringLiteral("Label7"), QStringLiteral("Multi-select herbs")));
    listHead->addStretch();
    listHead->addWidget(m_add);
    grid->addLayout(listHead, 2, 1);
    auto* gridHead = new QHBoxLayout;
    gridHead->addWidget(
        makeLabel(this, QStringLiteral("Label8"), QStringLiteral("Should input Dosage")));
    gridHead->addStretch();
    gridHead->addWidget(m_delete);
    grid->addLayout(gridHead, 2, 2);
    grid->addWidget(m_herbs, 3, 1);
    grid->addWidget(m_grid, 3, 2);

    m_method = makeLine(this, QStringLiteral("Text2"), QStringLiteral("Methods"));
    new InputLimit(m_method, 255);
    addLine(4, QStringLiteral("Label3"), QStringLiteral("Methods"), m_method, false);
    m_function = makeMultiLine(this, QStringLiteral("Text3"), QStringLiteral("Functions"), 495);
    m_function->setFixedHeight(m_function->minimumHeight());
    new InputLimit(m_function, 255);
    addLine(5, QStringLiteral("Label4"), QStringLiteral("Functions"), m_function, true);
    m_indication = makeMultiLine(this, QStringLiteral("Text4"), QStringLiteral("Indications"), 855);
    new InputLimit(m_indication, 65535);
    addLine(6, QStringLiteral("Label5"), QStringLiteral("Indications"), m_indication, true);

    m_save = app::makeButton(this, QStringLiteral("Command1"), QStringLiteral("Save"));
    m_exit = app::makeButton(this, QStringLiteral("Command2"), QStringLiteral("Exit"));
    app::onClick(m_save, this, [this] { save(); });
    app::onClick(m_exit, this, [this] { closeWindow(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_exit);
    grid->addLayout(buttons, 7, 0, 1, 3);

    // The herb list and the grid take what the window gains in height, the indications the rest.
    grid->setRowStretch(3, 4);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(1, 1);

    // Tab order: Text1, List1, Grid1, Text2, Text3, Text4, "Save", "Exit", "Add -->", "Delete".
    // The dosage editor, while open, sits between the grid and Text2.
    const QList<QWidget*> order = {m_name,       m_herbs, m_grid, m_editor, m_method, m_function,
                                   m_indication, m_save,  m_exit, m_add,    m_delete};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void AddFormulaWindow::buildCompositionRow()
{
    m_herbs = new QListWidget(this);
    m_herbs->setUniformItemSizes(true); // one line each: laid out without measuring every entry
    m_herbs->setObjectName(QStringLiteral("List1"));
    m_herbs->setAccessibleName(QStringLiteral("Multi-select herbs"));
    m_herbs->setSelectionMode(QAbstractItemView::MultiSelection);
    m_herbs->setMinimumHeight(px(3375));
    paintGreen(m_herbs);

    m_add = app::makeButton(this, QStringLiteral("Command3"), QStringLiteral("Add -->"));
    app::onClick(m_add, this, [this] { addHerbs(); });
    m_delete = app::makeButton(this, QStringLiteral("Command4"), QStringLiteral("Delete"));
    app::onClick(m_delete, this, [this] { deleteHerb(); });

    m_grid = new formulas::Grid(this);
    m_grid->setObjectName(QStringLiteral("Grid1"));
    m_grid->setAccessibleName(QStringLiteral("Construction"));
    m_grid->setTabKeyNavigation(false); // Tab leaves the grid for the next control
    m_grid->horizontalHeader()->setSectionsClickable(false);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    m_grid->setMinimumHeight(px(3375));
    paintGreen(m_grid);
    m_grid->setCols(2);
    m_grid->setColWidthTwips(0, 3000);
    m_grid->setColWidthTwips(1, 550);
    m_grid->setText(0, 0, QStringLiteral("Herb"));
    m_grid->setText(0, 1, QStringLiteral("Dosage (g)"));
    // 550 twips cannot show the title "Dosage (g)": that column keeps at least its title's
    // width, and takes the room the grid has beyond its two columns.
    QHeaderView* header = m_grid->horizontalHeader();
    header->setStretchLastSection(true);
    QStyleOptionHeader title;
    title.initFrom(header);
    title.text = m_grid->text(0, 1);
    const int titleWidth = header->style()
                               ->sizeFromContents(QStyle::CT_HeaderSection, &title, QSize(), header)
                               .width();
    m_grid->setColumnWidth(1, qMax(m_grid->columnWidth(1), titleWidth));
    const int scrollBar = m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_grid->setMinimumWidth(m_grid->columnWidth(0) + m_grid->columnWidth(1) + scrollBar +
                            2 * m_grid->frameWidth());
    connect(m_grid, &QTableWidget::cellClicked, this, [this] { gridClicked(); });
    connect(header, &QHeaderView::sectionResized, this, [this] {
        if (m_editing)
            m_editor->setGeometry(
                m_grid->cellRect(m_editRow, m_editCol).translated(-m_grid->viewport()->pos()));
    });
    m_grid->installEventFilter(this);

    // Laid over the grid's cells, it scrolls with them and is clipped by the grid.
    m_editor = new DosageEditor(m_grid->viewport());
    connect(m_editor, &DosageEditor::focusLeft, this, [this] { closeEditor(); });
    connect(m_editor, &DosageEditor::enterPressed, this, [this] { m_grid->setFocus(); });
}

void AddFormulaWindow::fillHerbList()
{
    // The built-in herbs in stored order, read in one query; the view is told once.
    m_herbs->addItems(data::columnInStoredOrder(m_context.refDb(), QStringLiteral("tavirel"),
                                                QStringLiteral("name1")));
    listOwnHerbs();
}

void AddFormulaWindow::listOwnHerbs()
{
    if (m_ownHerbs->recordCount() > 0) {
        QStringList names;
        for (m_ownHerbs->moveFirst(); !m_ownHerbs->eof(); m_ownHerbs->moveNext())
            names << m_ownHerbs->text(QStringLiteral("name1"));
        m_herbs->addItems(names);
    }
}

// Row 0 holds the titles; below it, an empty composition is one empty row.
void AddFormulaWindow::resetGrid()
{
    m_grid->clearData();
    m_grid->setRows(2);
    m_grid->setCurrentCell(-1, -1);
}

void AddFormulaWindow::addHerbs()
{
    closeEditor();
    // Own herbs that could not be read at load are listed as soon as they can be.
    if (!m_ownHerbs->isValid() && m_ownHerbs->requery())
        listOwnHerbs();
    int selected = 0;
    for (int i = 0; i < m_herbs->count(); ++i)
        selected += m_herbs->item(i)->isSelected() ? 1 : 0;
    if (selected == 0) {
        app::MessageBox::information(this, selectHerbMessage);
        return;
    }
    // Selected herbs already in the grid count too: the user re-selects knowingly.
    if (m_grid->rows() - 2 + selected > maxHerbs) {
        app::MessageBox::information(this, tooManyHerbsMessage);
        return;
    }
    m_delete->setEnabled(true);

    int current = m_grid->rows() - 1;
    for (int i = 0; i < m_herbs->count(); ++i) {
        const QListWidgetItem* entry = m_herbs->item(i);
        if (!entry->isSelected())
            continue;
        bool inGrid = false;
        for (int r = 1; r < m_grid->rows() && !inGrid; ++r)
            inGrid = m_grid->text(r, 0) == entry->text();
        // Written into the empty last row, which a new empty row then follows; either way the
        // current cell ends up in that row.
        current = m_grid->rows() - 1;
        if (!inGrid) {
            m_grid->setText(current, 0, entry->text());
            m_grid->setRows(m_grid->rows() + 1);
        }
    }
    m_grid->setCurrent(current, 0);
}

void AddFormulaWindow::deleteHerb()
{
    closeEditor();
    const int row = m_grid->row();
    if (m_grid->col() == 0 && row != 0 && !m_grid->text(row, 0).isEmpty() && m_grid->rows() >= 3)
        m_grid->removeRow(row - 1);
    else if (m_grid->rows() != 2)
        app::MessageBox::information(this, selectHerbToDeleteMessage);
    if (m_grid->rows() == 2)
        m_delete->setEnabled(false);
}

// A click on a dosage cell opens the editor over it; on the empty last row, whose dosage has no
// herb, the click lands on the herb cell instead.
void AddFormulaWindow::gridClicked()
{
    if (m_grid->col() != 1)
        return;
    const int row = m_grid->row();
    m_grid->setCurrent(row, 0);
    if (m_grid->text(row, 0).isEmpty())
        return;
    m_grid->setCurrent(row, 1);
    editCell(true);
}

void AddFormulaWindow::editCell(bool open)
{
    closeEditor();
    if (!open)
        return;
    const int row = m_grid->row();
    const int col = m_grid->col();
    m_grid->scrollTo(m_grid->model()->index(row - 1, col));
    m_editRow = row;
    m_editCol = col;
    m_editing = true;
    // While the editor is open the dosage lives only in the editor.
    m_editor->setText(m_grid->text(row, col));
    m_grid->setText(row, col, QString());
    m_editor->setGeometry(m_grid->cellRect(row, col).translated(-m_grid->viewport()->pos()));
    m_editor->show();
    m_editor->raise();
    m_editor->setFocus(Qt::MouseFocusReason);
}

void AddFormulaWindow::closeEditor()
{
    if (!m_editing)
        return;
    m_editing = false;
    m_grid->setText(m_editRow, m_editCol, m_editor->text());
    m_editor->clear();
    m_editor->hide();
}

bool AddFormulaWindow::eventFilter(QObject* watched, QEvent* event)
{
    // From the keyboard, Enter or F2 on a dosage cell opens the editor as a click does.
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) {
            gridClicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AddFormulaWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close the window: what has been composed is kept until "Exit".
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tavirel::editors
