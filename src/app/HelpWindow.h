#pragma once

#include <QDialog>

#include <vector>

class QPushButton;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace tavirel::app {

struct HelpTopic;

// The program's own help viewer for its compiled help file: the contents on the left, the
// page on the right, Back and Forward through the pages read. A help file that is missing or
// cannot be read shows a page saying so instead of the help.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    HelpWindow(const QString& helpFile, QWidget* parent = nullptr);

private:
    void addTopics(const std::vector<HelpTopic>& topics, QTreeWidgetItem* parent);
    void showTopic(QTreeWidgetItem* item);
    void markTopic(const QUrl& page);
    void showFailure(const QString& helpFile);

    QTreeWidget* m_contents = nullptr;
    QTextBrowser* m_page = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
};

} // namespace tavirel::app
