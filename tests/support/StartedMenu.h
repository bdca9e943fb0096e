#pragma once

#include "TestSupport.h"
#include "app/Startup.h"

#include <QObject>
#include <QUrl>

namespace tavirel::test {

// A program folder started as the program starts it, its menu shown.
class StartedMenu
{
public:
    StartedMenu();

    // Empty when the menu is up; otherwise why not.
    QString error() const { return m_error; }
    app::Menu& menu() { return m_startup->menu(); }
    app::AppContext& context() { return m_startup->context(); }

private:
    ProgramFolder m_folder;
    std::unique_ptr<app::Startup> m_startup;
    QString m_error;
};

// Takes the web and mail addresses the program asks the desktop to open, while it lives.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher();
    ~UrlCatcher() override;
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

} // namespace tavirel::test
