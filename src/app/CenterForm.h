#pragma once

class QWidget;

namespace tavirel::app {

// Centres a window on its screen by its outer size (frame included); every window calls it
// first thing when it loads. A window not yet shown is centred by the frame the program's
// other windows have, and again by its own once it shows. A window larger than the screen
// ends up at a negative position: nothing clamps it.
void CenterForm(QWidget* window);

} // namespace tavirel::app
