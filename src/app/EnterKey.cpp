#include "EnterKey.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace tavirel::app {

namespace {

class EnterFilter : public QObject
{
public:
    EnterFilter(QAbstractItemView* view, std::function<void()> action)
        : QObject(view), m_view(view), m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_view || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            key->modifiers() & ~Qt::KeypadModifier || !m_view->currentIndex().isValid())
            return false;
        if (!key->isAutoRepeat())
            m_action();
        return true;
    }

private:
    QAbstractItemView* m_view;
    std::function<void()> m_action;
};

} // namespace

void onEnter(QAbstractItemView* view, std::function<void()> action)
{
    view->installEventFilter(new EnterFilter(view, std::move(action)));
}

} // namespace tavirel::app
