#pragma once

#include <QString>
#include <QWidget>

#include <memory>
#include <utility>

namespace tavirel::app {
class OneLineLabel;
}

class QLabel;
class QListWidget;

namespace tavirel::data {
class RecordSet;
}

namespace tavirel::herbs {

class FactBoxes;
struct FormulaUses;

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
    ~HerbDetailsPanel() override;

    void clear();
    // Fills every box from the current record of a herb record set (built-in or own).
    // A column without a value leaves its box empty.
    void fill(const data::RecordSet& herb);
    QString pinyinName() const;
    // The formulas whose composition holds the herb shown ("Formulas with this herb").
    void showFormulaUses(const FormulaUses& uses);

Q_SIGNALS:
    // A formula of that list was opened (double click or Enter).
    void formulaActivated(const QString& formula, bool own);

private:
    QWidget* box(const QString& column) const;

    app::OneLineLabel* m_pinyin = nullptr;
    QString m_pinyinName; // as stored, for the picture
    QLabel* m_latin = nullptr;
    QList<std::pair<QString, QWidget*>> m_boxes; // column -> box
    QLabel* m_chinese = nullptr;                 // beside the Pinyin heading
    std::unique_ptr<FactBoxes> m_facts;          // the reference facts below the monograph
    QListWidget* m_uses = nullptr;               // formulas with this herb
};

} // namespace tavirel::herbs
