#pragma once

#include <QString>
#include <QWidget>

#include <utility>

namespace tavirel::app {
class OneLineLabel;
}

class QLabel;

namespace tavirel::data {
class RecordSet;
}

namespace tavirel::herbs {

// The control names of one herb-details layout; the herb window and the formula window show
// the same ten columns under different names.
struct HerbDetailNames
{
    QString pinyin, latin; // heading labels
    QString source, used, taste, meridians, dosage, functions, indications, coutions;
    // Caption labels beside the boxes, in the same order; empty when the window gives no name.
    QString sourceCaption, usedCaption, tasteCaption, meridiansCaption, dosageCaption,
        functionsCaption, indicationsCaption, coutionsCaption;
    QString latinCaption; // "Pharmaceutical Name" heading, if the window has one
    QString line;         // separating line under the heading
};

// The details of one herb: the Pinyin and Latin names as a heading, then its monograph.
// The boxes are for reading only.
class HerbDetailsPanel : public QWidget
{
    Q_OBJECT

public:
    HerbDetailsPanel(const HerbDetailNames& names, QWidget* parent = nullptr);

    void clear();
    // Fills every box from the current record of a herb record set (built-in or own).
    // A column without a value leaves its box empty.
    void fill(const data::RecordSet& herb);
    QString pinyinName() const;

private:
    QWidget* box(const QString& column) const;

    app::OneLineLabel* m_pinyin = nullptr;
    QString m_pinyinName; // as stored, for the picture
    QLabel* m_latin = nullptr;
    QList<std::pair<QString, QWidget*>> m_boxes; // column -> box
};

} // namespace tavirel::herbs
