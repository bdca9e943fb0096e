#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace tavirel::app {
struct AppContext;
}
namespace tavirel::data {
class RecordSet;
}
namespace tavirel::formulas {
class Grid;
}

namespace tavirel::editors {

class DosageEditor;

// The add-formula window ("addPres"): the user picks herbs from the built-in and own herbs,
// types each one's dosage into the composition grid, and writes the formula into ownpres, one
// row per "Save", as many as they like until "Exit" or No after a save.
class AddFormulaWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AddFormulaWindow(app::AppContext& context, QWidget* parent = nullptr);
    ~AddFormulaWindow() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void buildCompositionRow();
    void fillHerbList();
    void listOwnHerbs();
    void resetGrid();

    // Composition (AddFormulaWindow.cpp)
    void addHerbs();
    void deleteHerb();
    void gridClicked();
    void editCell(bool open);
    void closeEditor();

    // Saving (AddFormulaSave.cpp)
    void save();
    bool checkBoxes();
    bool checkComposition();
    bool confirmSafety(const QStringList& herbs, const QStringList& dosages);
    bool refuseName(const QString& name);
    void clearForNext();
    void closeWindow();

    app::AppContext& m_context;
    std::unique_ptr<data::RecordSet> m_ownHerbs;    // snapshot of ownherb, for the herb list
    std::unique_ptr<data::RecordSet> m_presRecords; // snapshot of pres, for the name check
    std::unique_ptr<data::RecordSet> m_ownPres;     // dynaset of ownpres, opened at each "Save"
    // The cell the dosage editor was last opened on, and whether it is open there now.
    int m_editRow = 0;
    int m_editCol = 0;
    bool m_editing = false;

    QLineEdit* m_name = nullptr;            // Text1
    QListWidget* m_herbs = nullptr;         // List1
    formulas::Grid* m_grid = nullptr;       // Grid1
    DosageEditor* m_editor = nullptr;       // Text5
    QLineEdit* m_method = nullptr;          // Text2
    QPlainTextEdit* m_function = nullptr;   // Text3
    QPlainTextEdit* m_indication = nullptr; // Text4
    QWidget* m_add = nullptr;               // Command3
    QWidget* m_delete = nullptr;            // Command4
    QWidget* m_save = nullptr;              // Command1
    QWidget* m_exit = nullptr;              // Command2
};

} // namespace tavirel::editors
