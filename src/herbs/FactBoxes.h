#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <utility>

class QGridLayout;
class QLabel;
class QWidget;

namespace tavirel::data {
class RecordSet;
}

namespace tavirel::herbs {

// One reference fact shown in a labelled read-only box.
struct Fact
{
    QString column;         // column of the record shown
    QString caption;        // text of the label beside the box
    QString name;           // object name of the box; its label is named name + "Caption"
    bool wide = false;      // takes the whole line instead of half of it
    bool multiLine = false; // a box of two lines or more for longer texts
    // How the stored value reads; by default its text. A Null value always shows empty.
    std::function<QString(const QVariant&)> show = {};
};

// Labelled boxes for facts that not every record has: own herbs and own formulas lack these
// columns, and their boxes stay empty. The boxes go into a four-column grid (caption, box,
// caption, box), two facts to a line unless one is wide.
class FactBoxes
{
public:
    // Adds the facts' lines to grid from row on and leaves row after the last line added.
    FactBoxes(QWidget* parent, QGridLayout* grid, int& row, const QList<Fact>& facts);

    void clear();
    void fill(const data::RecordSet& record);

private:
    QList<std::pair<Fact, QWidget*>> m_boxes;
};

// A heading label for a Chinese name, beside the Pinyin heading.
QLabel* chineseHeading(QWidget* parent, const QString& name, const QFont& font);
// The Chinese name of a record: simplified, then traditional in parentheses where it differs.
QString chineseName(const data::RecordSet& record);

// How the pregnancy and toxicity words read in the windows.
QString pregnancyText(const QVariant& value);
QString toxicityText(const QVariant& value);

} // namespace tavirel::herbs
