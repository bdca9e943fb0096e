#pragma once

class QPainter;
class QRect;

namespace tavirel::app {

// The menu's background picture, painted at the window's resolution so it stays sharp on a
// high-density screen.
void paintMenuBackground(QPainter& painter, const QRect& area);

} // namespace tavirel::app
