#include "StartedMenu.h"

#include "Windows.h"
#include "app/Menu.h"
#include "app/MessageBox.h"

#include <QDesktopServices>
#include <QTest>

namespace tavirel::test {

StartedMenu::StartedMenu()
{
    app::MessageBox::setTestMode(true);
    if (!m_folder.isValid()) {
        m_error = m_folder.errors();
        return;
    }
    m_startup = std::make_unique<app::Startup>(m_folder.path(), programWindows);
    if (m_startup->load()) {
        m_error = QStringLiteral("the start ended");
        return;
    }
    menu().show();
    if (!QTest::qWaitForWindowExposed(&menu()))
        m_error = QStringLiteral("the menu was not shown");
}

UrlCatcher::UrlCatcher()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "open");
}

UrlCatcher::~UrlCatcher()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
}

} // namespace tavirel::test
