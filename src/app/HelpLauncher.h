#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace tavirel::app {

// Opens the help file on F1 in any window of the program.
class HelpLauncher : public QObject
{
    Q_OBJECT

public:
    explicit HelpLauncher(QString helpFile, QObject* parent = nullptr);

    void openHelp(QWidget* over);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_helpFile;
    bool m_open = false;
};

} // namespace tavirel::app
