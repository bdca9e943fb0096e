#pragma once

#include "FormulaDisplay.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavirel::app {
struct AppContext;
class OneLineLabel;
} // namespace tavirel::app
namespace tavirel::data {
class RecordSet;
}
namespace tavirel::herbs {
class FactBoxes;
class HerbDetailsPanel;
} // namespace tavirel::herbs

namespace tavirel::formulas {

class Grid;

// The formula window ("Pres"): pick a built-in formula from the category tree, by key word or
// from the user's own formulas on the left; read its composition, method, functions and
// indications on the right, and the details of any herb of the composition.
class FormulaWindow : public QDialog
{
    Q_OBJECT

public:
    explicit FormulaWindow(app::AppContext& context, QWidget* parent = nullptr);
    ~FormulaWindow() override;

    // Shows one formula in the display, as opening it from a list does (used when a formula is
    // opened from a herb's list of formulas).
    void showFormulaNamed(const QString& name, bool own);

private:
    // Construction (FormulaWindow.cpp and the file of each tab).
    QWidget* buildTreeTab();
    QWidget* buildOwnTab();
    QWidget* buildSearchTab();
    QWidget* buildLeftHalf();
    QWidget* buildRightHalf();
    QWidget* buildCompositionTab();
    QWidget* buildHerbTab();
    void load();
    void openRequestedFormula(); // FormulaOpenAt.cpp
    void pickTabChanged();
    void nodeClicked(QTreeWidgetItem* node);

    // FormulaDisplay.cpp
    void clearDisplay();
    void showFormula(DisplayEntry entry, const QString& name);
    data::RecordSet* findFormula(DisplayEntry entry, const QString& name, bool& own);
    QString herbNameOfPicture(const QString& picno);
    void fillComposition(const DisplayVariant& variant, const QStringList& herbNames,
                         const QStringList& dosages);
    void setColumns(const DisplayVariant& variant);
    void showSafetyFindings(const QStringList& herbNames, const QStringList& dosages);

    // FormulaSearchTab.cpp
    void search();
    void searchFieldPicked();
    void foundFormulaDoubleClicked();

    // FormulaOwnTab.cpp
    void fillOwnList();
    void ownFormulaDoubleClicked();
    void deleteOwnFormula();

    // FormulaHerbTab.cpp
    void gridDoubleClicked();
    void detailTabChanged(int tab);
    void fillHerbTab();
    data::RecordSet* findHerb(const QString& name);
    void openPicture();

    app::AppContext& m_context;
    std::unique_ptr<data::RecordSet> m_pres;     // built-in formulas
    std::unique_ptr<data::RecordSet> m_ownPres;  // own formulas (deletions go through it)
    std::unique_ptr<data::RecordSet> m_ownHerbs; // own herbs
    bool m_searchSuppressed = false;

    QTabWidget* m_pickTabs = nullptr;       // SSTab1
    QTreeWidget* m_tree = nullptr;          // TreeView1
    QListWidget* m_own = nullptr;           // List1
    QWidget* m_delete = nullptr;            // Command7
    QLineEdit* m_keyWord = nullptr;         // Text12
    QComboBox* m_field = nullptr;           // Combo1
    QListWidget* m_found = nullptr;         // List3
    app::OneLineLabel* m_name = nullptr;    // Label2
    QTabWidget* m_detailTabs = nullptr;     // SSTab2
    Grid* m_grid = nullptr;                 // Grid1
    QPlainTextEdit* m_method = nullptr;     // Text1
    QPlainTextEdit* m_function = nullptr;   // Text2
    QPlainTextEdit* m_indication = nullptr; // Text3
    QLabel* m_chinese = nullptr;            // beside Label2
    QPlainTextEdit* m_cautions = nullptr;   // below the indications
    std::unique_ptr<herbs::FactBoxes> m_facts;
    herbs::HerbDetailsPanel* m_herb = nullptr;
    QWidget* m_graphic = nullptr; // Command2
};

} // namespace tavirel::formulas
