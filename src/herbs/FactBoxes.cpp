#include "FactBoxes.h"

#include "data/RecordSet.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace tavirel::herbs {

namespace {

QWidget* makeBox(QWidget* parent, const Fact& fact)
{
    QWidget* box = nullptr;
    if (fact.multiLine) {
        auto* plain = new QPlainTextEdit(parent);
        plain->setReadOnly(true);
        plain->setMinimumHeight(plain->fontMetrics().lineSpacing() * 2 + 2 * plain->frameWidth() +
                                int(2 * plain->document()->documentMargin()));
        box = plain;
    } else {
        auto* line = new QLineEdit(parent);
        line->setReadOnly(true);
        box = line;
    }
    box->setObjectName(fact.name);
    box->setAccessibleName(fact.caption);
    return box;
}

void setBoxText(QWidget* box, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->setText(text);
        line->setCursorPosition(0); // a long text shows its start
        line->setToolTip(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        plain->setPlainText(text);
    }
}

} // namespace

FactBoxes::FactBoxes(QWidget* parent, QGridLayout* grid, int& row, const QList<Fact>& facts)
{
    int column = 0;
    for (const Fact& fact : facts) {
        if (fact.wide && column > 0) {
            ++row;
            column = 0;
        }
        auto* caption = new QLabel(fact.caption, parent);
        caption->setObjectName(fact.name + QStringLiteral("Caption"));
        caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
        caption->setContentsMargins(0, 4, 0, 0);
        QWidget* box = makeBox(parent, fact);
        caption->setBuddy(box);
        grid->addWidget(caption, row, column);
        grid->addWidget(box, row, column + 1, 1, fact.wide ? 3 : 1);
        m_boxes.append({fact, box});
        column = fact.wide ? 4 : column + 2;
        if (column >= 4) {
            ++row;
            column = 0;
        }
    }
    if (column > 0)
        ++row;
}

void FactBoxes::clear()
{
    for (const auto& entry : m_boxes)
        setBoxText(entry.second, QString());
}

void FactBoxes::fill(const data::RecordSet& record)
{
    for (const auto& [fact, box] : m_boxes) {
        const QVariant value = record.value(fact.column); // Null too where there is no column
        if (value.isNull())
            setBoxText(box, QString());
        else
            setBoxText(box, fact.show ? fact.show(value) : value.toString());
    }
}

QLabel* chineseHeading(QWidget* parent, const QString& name, const QFont& font)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(QStringLiteral("Chinese name"));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFont(font);
    // A blank's width apart from the Pinyin name, whatever spacing the heading's layout has.
    label->setContentsMargins(label->fontMetrics().horizontalAdvance(QLatin1Char(' ')), 0, 0, 0);
    return label;
}

QString chineseName(const data::RecordSet& record)
{
    const QString simplified = record.text(QStringLiteral("chinese"));
    const QString traditional = record.text(QStringLiteral("chinesetrad"));
    if (traditional.isEmpty() || traditional == simplified)
        return simplified;
    return simplified + QStringLiteral(" (") + traditional + QLatin1Char(')');
}

QString pregnancyText(const QVariant& value)
{
    const QString word = value.toString();
    if (word == QLatin1String("contraindicated"))
        return QStringLiteral("Contraindicated");
    if (word == QLatin1String("caution"))
        return QStringLiteral("Use with caution");
    return word.isEmpty() ? QStringLiteral("Nothing noted") : word;
}

QString toxicityText(const QVariant& value)
{
    const QString word = value.toString();
    if (word.isEmpty())
        return QStringLiteral("None");
    return word.left(1).toUpper() + word.mid(1);
}

} // namespace tavirel::herbs
