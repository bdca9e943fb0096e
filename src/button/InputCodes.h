#pragma once

#include <Qt>

class QKeyEvent;

namespace tavirel::button {

// The codes the button's events carry, as windows of the program expect them.

// 1 left, 2 right, 4 middle; a mask of several for the held buttons.
int mouseButtonCode(Qt::MouseButton button);
int mouseButtonMask(Qt::MouseButtons buttons);
// 1 Shift, 2 Ctrl, 4 Alt.
int shiftMask(Qt::KeyboardModifiers modifiers);

// Key codes: letters and digits as their upper-case character, 32 space, 37 to 40 the arrows
// (left, up, right, down), 13 Enter, 27 Escape and so on; 0 for keys without a code.
enum KeyCode : int {
    keyBackspace = 8,
    keyTab = 9,
    keyEnter = 13,
    keyShift = 16,
    keyControl = 17,
    keyAlt = 18,
    keyEscape = 27,
    keySpace = 32,
    keyLeft = 37,
    keyUp = 38,
    keyRight = 39,
    keyDown = 40,
};
int virtualKeyCode(const QKeyEvent& event);

// The pointer shape of a MousePointer value (0 default, 1 arrow, 2 cross, 3 I-beam, 5 to 9
// and 15 sizing, 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and
// question mark); 0 and unknown values give the arrow.
Qt::CursorShape pointerShape(int mousePointer);

} // namespace tavirel::button
