#pragma once

class QWidget;

namespace tavirel::app {

// Centres a window on its screen; every window calls it first thing when it loads. A window
// larger than the screen ends up at a negative position: nothing clamps it.
void CenterForm(QWidget* window);

} // namespace tavirel::app
