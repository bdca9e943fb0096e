#include "CenterForm.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cmath>

namespace tavirel::app {

namespace {

QSize frameOf(const QWidget* window)
{
    return window->frameGeometry().size() - window->geometry().size();
}

// The frame the window system will draw around a window not yet on screen: the one it draws
// around the program's other windows. None is known before the first window shows.
QSize expectedFrame(const QWidget* window)
{
    if (window->isVisible())
        return frameOf(window);
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != window && other->isVisible() &&
            !other->windowFlags().testFlag(Qt::FramelessWindowHint))
            return frameOf(other);
    }
    return QSize(0, 0);
}

void place(QWidget* window, const QSize& outer)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 0, 0);
    // Exact halves, kept in single precision, rounded only when placed on the pixel grid.
    const float top = float(area.height() / 2.0 - outer.height() / 2.0);
    const float left = float(area.width() / 2.0 - outer.width() / 2.0);
    // A window's position is that of its frame.
    window->move(area.x() + int(std::lround(left)), area.y() + int(std::lround(top)));
}

// Once a window is on screen its real frame is known, and the window is centred again by its
// real outer size.
class CentreWhenShown : public QObject
{
public:
    static inline const QString name = QStringLiteral("CentreWhenShown");

    explicit CentreWhenShown(QWidget* window) : QObject(window)
    {
        setObjectName(name);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            QPointer<QWidget> window = static_cast<QWidget*>(watched);
            watched->removeEventFilter(this);
            deleteLater();
            // Some window systems report the frame a moment after showing.
            QTimer::singleShot(0, window, [window] {
                if (window)
                    place(window, window->frameGeometry().size());
            });
        }
        return false;
    }
};

} // namespace

void CenterForm(QWidget* window)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    place(window, window->size() + expectedFrame(window));
    if (!window->isVisible() &&
        !window->findChild<QObject*>(CentreWhenShown::name, Qt::FindDirectChildrenOnly))
        new CentreWhenShown(window);
    QGuiApplication::restoreOverrideCursor();
}

} // namespace tavirel::app
