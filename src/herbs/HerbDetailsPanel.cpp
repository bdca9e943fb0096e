#include "HerbDetailsPanel.h"

#include "FactBoxes.h"
#include "FormulaUsage.h"
#include "app/EnterKey.h"
#include "app/OneLineLabel.h"
#include "data/RecordSet.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace tavirel::herbs {

namespace {

QLabel* caption(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setContentsMargins(0, 4, 0, 0);
    return label;
}

QWidget* lineBox(QWidget* parent, const QString& name, const QString& accessible)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAccessibleName(accessible);
    return box;
}

QWidget* textBox(QWidget* parent, const QString& name, const QString& accessible, int lines)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAccessibleName(accessible);
    const int height = box->fontMetrics().lineSpacing() * lines + 2 * box->frameWidth() +
                       int(2 * box->document()->documentMargin());
    box->setMinimumHeight(height);
    // A box of up to two lines keeps its height; the longer texts share the free space.
    if (lines <= 2)
        box->setMaximumHeight(height);
    return box;
}

void setBoxText(QWidget* box, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->setText(text);
        line->setCursorPosition(0);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        plain->setPlainText(text);
    }
}

} // namespace

HerbDetailsPanel::HerbDetailsPanel(const HerbDetailNames& n, QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    m_pinyin = new app::OneLineLabel(this);
    m_pinyin->setObjectName(n.pinyin);
    // A screen reader reads the herb's name itself; what the heading is, is its description.
    m_pinyin->setAccessibleDescription(QStringLiteral("Pinyin name"));
    m_pinyin->setTextFormat(Qt::PlainText);
    QFont heading = m_pinyin->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    heading.setBold(true);
    m_pinyin->setFont(heading);

    m_latin = new QLabel(this);
    m_latin->setObjectName(n.latin);
    m_latin->setAccessibleDescription(QStringLiteral("Latin name"));
    m_latin->setTextFormat(Qt::PlainText);
    QFont latinFont = m_latin->font();
    latinFont.setPointSizeF(latinFont.pointSizeF() * 1.25);
    latinFont.setItalic(true);
    m_latin->setFont(latinFont);
    m_latin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_latin->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_latin->setTextFormat(Qt::PlainText);
    m_chinese = chineseHeading(this, QStringLiteral("HerbChinese"), heading);

    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(m_pinyin);
    headingRow->addWidget(m_chinese, 1);
    if (!n.latinCaption.isEmpty()) {
        auto* latinCaption = new QLabel(QStringLiteral("Pharmaceutical Name"), this);
        latinCaption->setObjectName(n.latinCaption);
        headingRow->addWidget(latinCaption);
    }
    headingRow->addWidget(m_latin, 1);
    grid->addLayout(headingRow, 0, 0, 1, 4);

    auto* line = new QFrame(this);
    if (!n.line.isEmpty())
        line->setObjectName(n.line);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, 1, 0, 1, 4);

    const auto add = [&](const QString& column, QWidget* box) {
        m_boxes.append({column, box});
        return box;
    };
    int row = 2;
    grid->addWidget(caption(this, n.sourceCaption, QStringLiteral("Earliest Record")), row, 0);
    grid->addWidget(
        add(QStringLiteral("source"), lineBox(this, n.source, QStringLiteral("Earliest Record"))),
        row++, 1, 1, 3);
    grid->addWidget(caption(this, n.usedCaption, QStringLiteral("Part Used & Method")), row, 0);
    grid->addWidget(
        add(QStringLiteral("used"), textBox(this, n.used, QStringLiteral("Part Used & Method"), 2)),
        row++, 1, 1, 3);
    grid->addWidget(caption(this, n.tasteCaption, QStringLiteral("Properties & Taste")), row, 0);
    grid->addWidget(
        add(QStringLiteral("taste"), lineBox(this, n.taste, QStringLiteral("Properties & Taste"))),
        row++, 1, 1, 3);
    grid->addWidget(caption(this, n.meridiansCaption, QStringLiteral("Meridians")), row, 0);
    grid->addWidget(
        add(QStringLiteral("meridians"), lineBox(this, n.meridians, QStringLiteral("Meridians"))),
        row, 1);
    grid->addWidget(caption(this, n.dosageCaption, QStringLiteral("Dosage")), row, 2);
    grid->addWidget(
        add(QStringLiteral("dosage"), lineBox(this, n.dosage, QStringLiteral("Dosage"))), row++, 3);
    grid->addWidget(caption(this, n.functionsCaption, QStringLiteral("Functions")), row, 0);
    grid->addWidget(add(QStringLiteral("functions"),
                        textBox(this, n.functions, QStringLiteral("Functions"), 3)),
                    row, 1, 1, 3);
    grid->setRowStretch(row++, 2);
    grid->addWidget(caption(this, n.indicationsCaption, QStringLiteral("Indications")), row, 0);
    grid->addWidget(add(QStringLiteral("indications"),
                        textBox(this, n.indications, QStringLiteral("Indications"), 5)),
                    row, 1, 1, 3);
    grid->setRowStretch(row++, 4);
    grid->addWidget(caption(this, n.coutionsCaption, QStringLiteral("Cautions")), row, 0);
    grid->addWidget(
        add(QStringLiteral("coutions"), textBox(this, n.coutions, QStringLiteral("Cautions"), 3)),
        row, 1, 1, 3);
    grid->setRowStretch(row++, 2);
    m_facts = std::make_unique<FactBoxes>(
        this, grid, row,
        QList<Fact>{
            {QStringLiteral("pinyintones"), QStringLiteral("Pinyin"), QStringLiteral("HerbPinyin")},
            {QStringLiteral("english"), QStringLiteral("English"), QStringLiteral("HerbEnglish")},
            {QStringLiteral("origin"), QStringLiteral("Source Species"),
             QStringLiteral("HerbSpecies"), true},
            {QStringLiteral("pregnancy"), QStringLiteral("Pregnancy"),
             QStringLiteral("HerbPregnancy"), false, false, pregnancyText},
            {QStringLiteral("toxicity"), QStringLiteral("Toxicity"), QStringLiteral("HerbToxicity"),
             false, false, toxicityText},
            {QStringLiteral("aliases"), QStringLiteral("Other Names"),
             QStringLiteral("HerbAliases"), true}});
    grid->addWidget(caption(this, QStringLiteral("FormulaUsesCaption"),
                            QStringLiteral("Formulas with this herb")),
                    row, 0);
    m_uses = new QListWidget(this);
    m_uses->setObjectName(QStringLiteral("FormulaUses"));
    m_uses->setAccessibleName(QStringLiteral("Formulas with this herb"));
    m_uses->setUniformItemSizes(true);
    m_uses->setMinimumHeight(m_uses->fontMetrics().lineSpacing() * 3 + 2 * m_uses->frameWidth());
    const auto open = [this] {
        const QListWidgetItem* item = m_uses->currentItem();
        if (item && item->isSelected() && !item->data(Qt::UserRole).toString().isEmpty())
            emit formulaActivated(item->data(Qt::UserRole).toString(),
                                  item->data(Qt::UserRole + 1).toBool());
    };
    connect(m_uses, &QListWidget::itemDoubleClicked, this, open);
    app::onEnter(m_uses, open);
    grid->addWidget(m_uses, row, 1, 1, 3);
    grid->setRowStretch(row++, 2);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 1);
}

HerbDetailsPanel::~HerbDetailsPanel() = default;

QWidget* HerbDetailsPanel::box(const QString& column) const
{
    for (const auto& [name, widget] : m_boxes) {
        if (name == column)
            return widget;
    }
    return nullptr;
}

void HerbDetailsPanel::clear()
{
    m_pinyin->clear();
    m_pinyinName.clear();
    m_latin->clear();
    for (const auto& entry : m_boxes)
        setBoxText(entry.second, QString());
    m_chinese->clear();
    m_facts->clear();
    m_uses->clear();
}

void HerbDetailsPanel::fill(const data::RecordSet& herb)
{
    m_pinyinName = herb.text(QStringLiteral("name1"));
    m_pinyin->setLine(m_pinyinName);
    m_latin->setText(herb.text(QStringLiteral("name2")));
    for (const auto& [column, widget] : m_boxes)
        setBoxText(widget, herb.text(column)); // Null reads as empty text
    m_chinese->setText(chineseName(herb));     // own herbs have none
    m_facts->fill(herb);
}

void HerbDetailsPanel::showFormulaUses(const FormulaUses& uses)
{
    m_uses->clear();
    for (const FormulaUse& use : uses.uses) {
        QString text = use.formula;
        if (!use.dose.isEmpty())
            text += QStringLiteral(" \u2014 ") + use.dose + QStringLiteral(" g");
        if (use.own)
            text += QStringLiteral(" (your own)");
        auto* item = new QListWidgetItem(text, m_uses);
        item->setData(Qt::UserRole, use.formula);
        item->setData(Qt::UserRole + 1, use.own);
    }
    // Said in the list itself: the herb's details are still worth reading without it.
    if (!uses.error.isEmpty()) {
        auto* item = new QListWidgetItem(
            QStringLiteral("Your own formulas could not be read: ") + uses.error, m_uses);
        item->setFlags(Qt::ItemIsEnabled);
    }
}

QString HerbDetailsPanel::pinyinName() const
{
    return m_pinyinName;
}

} // namespace tavirel::herbs
