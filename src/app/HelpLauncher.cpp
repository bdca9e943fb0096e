#include "HelpLauncher.h"

#include "HelpWindow.h"
#include "ModalOpener.h"

#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace tavirel::app {

namespace {

QString ownTopic(const QWidget* widget)
{
    return widget ? widget->property(helpTopicProperty).toString() : QString();
}

} // namespace

HelpLauncher::HelpLauncher(QString helpFile, QObject* parent)
    : QObject(parent), m_helpFile(std::move(helpFile))
{
}

void HelpLauncher::openHelp(QWidget* over, const QString& page)
{
    if (m_open)
        return; // F1 inside the help window itself
    m_open = true;
    ModalOpener::open(
        std::make_unique<HelpWindow>(m_helpFile, over ? over->window() : nullptr, page));
    m_open = false;
}

QString HelpLauncher::topicFor(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const auto* bar = qobject_cast<const QTabBar*>(w)) {
            if (const auto* tabs = qobject_cast<const QTabWidget*>(bar->parentWidget())) {
                const QString topic = ownTopic(tabs->currentWidget());
                if (!topic.isEmpty())
                    return topic;
            }
        }
        const QString topic = ownTopic(w);
        if (!topic.isEmpty())
            return topic;
    }
    return {};
}

bool HelpLauncher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            auto* widget = static_cast<QWidget*>(watched);
            // A typed key reaches the focused control first. One sent to a window while a
            // control of it has the focus is the window's own Help command (the menu's
            // "H&elp"), which opens the start page.
            const QWidget* focus = widget->focusWidget();
            const bool sentToWindow = widget->isWindow() && focus && focus != widget;
            openHelp(widget, sentToWindow ? QString() : topicFor(widget));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavirel::app
