#include "HelpLauncher.h"

#include "HelpWindow.h"
#include "ModalOpener.h"

#include <QKeyEvent>
#include <QWidget>

namespace tavirel::app {

HelpLauncher::HelpLauncher(QString helpFile, QObject* parent)
    : QObject(parent), m_helpFile(std::move(helpFile))
{
}

void HelpLauncher::openHelp(QWidget* over)
{
    if (m_open)
        return; // F1 inside the help window itself
    m_open = true;
    ModalOpener::open(std::make_unique<HelpWindow>(m_helpFile, over ? over->window() : nullptr));
    m_open = false;
}

bool HelpLauncher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            openHelp(static_cast<QWidget*>(watched));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavirel::app
