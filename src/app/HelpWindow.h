#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace tavirel::app {

struct HelpTopic;
class HelpSearch;

// The program's own help viewer for its compiled help file: on the left the contents, the
// keyword index and a full-text search; on the right the page, with Back and Forward through
// the pages read. The contents mark the page shown, however it was reached. A help file that
// is missing or cannot be read shows a page saying so instead of the help.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    // Opens at page (a path inside the help file, "#place" allowed) when the file holds it,
    // else at the file's start page.
    HelpWindow(const QString& helpFile, QWidget* parent = nullptr, const QString& page = {});
    ~HelpWindow() override;

private:
    QWidget* buildIndexTab();
    QWidget* buildSearchTab();
    void addTopics(const std::vector<HelpTopic>& topics, QTreeWidgetItem* parent);
    void addKeywords(const std::vector<HelpTopic>& keywords, const QString& parentWord);
    void showTopic(QTreeWidgetItem* item);
    void showEntry(QListWidgetItem* item);
    void markTopic(const QUrl& page);
    void lookUpKeyword(const QString& typed);
    void search();
    void highlight(const QStringList& words);
    void showFailure(const QString& helpFile);

    std::unique_ptr<HelpSearch> m_search;
    QTabWidget* m_navigation = nullptr;
    QTreeWidget* m_contents = nullptr;
    QLineEdit* m_keyword = nullptr;
    QListWidget* m_index = nullptr;
    QLineEdit* m_query = nullptr;
    QListWidget* m_results = nullptr;
    QTextBrowser* m_page = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
    QStringList m_highlighted;
};

} // namespace tavirel::app
