#include "CenterForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace tavirel::app {

void CenterForm(QWidget* window)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 0, 0);
    const QSize size = window->isVisible() ? window->frameGeometry().size() : window->size();
    // Exact halves, kept in single precision, rounded only when placed on the pixel grid.
    const float top = float(area.height() / 2.0 - size.height() / 2.0);
    const float left = float(area.width() / 2.0 - size.width() / 2.0);
    window->move(area.x() + int(std::lround(left)), area.y() + int(std::lround(top)));
    QGuiApplication::restoreOverrideCursor();
}

} // namespace tavirel::app
