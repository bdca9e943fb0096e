#pragma once

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavirel::app {
struct AppContext;
}
namespace tavirel::data {
class RecordSet;
}

namespace tavirel::herbs {

class HerbDetailsPanel;

// The herb window ("start"): pick a built-in herb from the category tree or the name list,
// read its details, search herbs by key word, and list or delete the user's own herbs.
class HerbWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HerbWindow(app::AppContext& context, QWidget* parent = nullptr);
    ~HerbWindow() override;

private:
    QWidget* buildSelectTab();
    QWidget* buildDetailsTab();
    QWidget* buildSearchTab();
    QWidget* buildOwnTab();
    void load();
    void openRequestedHerb(); // HerbOpenAt.cpp

    // Select tab
    void nodeClicked(QTreeWidgetItem* node);
    void listDoubleClicked();
    void showPickedHerb(bool found);
    void forgetPickedHerb();
    void toggleNames();
    void fillNameList(const QString& column);
    void lookup(const QString& typed);

    // Details tab
    void tabChanged(int tab);
    void showDetails();
    void fillDetails(const data::RecordSet& herb);
    void openPicture();

    // Search tab
    void search();
    void searchFieldPicked();
    void foundHerbDoubleClicked();

    // Own tab
    void fillOwnList();
    void ownHerbDoubleClicked();
    void deleteOwnHerb();

    app::AppContext& m_context;
    std::unique_ptr<data::RecordSet> m_ownHerbRecords; // OwnHerbRecords
    bool m_searchSuppressed = false;                   // SearchSuppressed

    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_tree = nullptr;
    QListWidget* m_names = nullptr;
    QLineEdit* m_lookup = nullptr;
    QWidget* m_toggle = nullptr;
    HerbDetailsPanel* m_details = nullptr;
    QWidget* m_graphic = nullptr;
    QLineEdit* m_keyWord = nullptr;
    QComboBox* m_field = nullptr;
    QListWidget* m_found = nullptr;
    QListWidget* m_own = nullptr;
    QWidget* m_delete = nullptr;
};

} // namespace tavirel::herbs
