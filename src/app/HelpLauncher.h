#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace tavirel::app {

// Opens the help file on F1 in any window of the program, at the page of the window and tab
// the key is pressed in. A window or tab page names its page in this dynamic property; the
// first one found from the focused control upwards wins, and none found means the start page.
inline constexpr char helpTopicProperty[] = "helpTopic";

class HelpLauncher : public QObject
{
    Q_OBJECT

public:
    explicit HelpLauncher(QString helpFile, QObject* parent = nullptr);

    // An empty page opens the help file's start page.
    void openHelp(QWidget* over, const QString& page = {});

    // The page for a control: its own topic or its nearest ancestor's. A tab bar stands for
    // the page it shows, since that is what the user is looking at.
    static QString topicFor(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_helpFile;
    bool m_open = false;
};

} // namespace tavirel::app
