#pragma once

#include "ButtonRecord.h"
#include "Surface.h"

namespace tavirel::button {

// Caption modes the drawing styles ask for.
enum CaptionMode : quint8 {
    captionNormal = 0,
    captionHover = 1,
    captionPressed = 2,
    captionEngraved = 3, // disabled, engraved
    captionFlat = 4,     // disabled, flat
    captionDisabled3 = 5,
    captionDisabled14 = 6,
    captionPressed14 = 7,
};

// The caption in one of the eight modes, relief first.
void DrawCaption(ButtonRecord& b, Surface& s, int mode);
// The SpecialEffect relief under the caption placed at r.
void DrawCaptionEffect(ButtonRecord& b, Surface& s, const Rect& r);
// The caption text alone, in one colour, at r.
void drawCaptionText(const ButtonRecord& b, Surface& s, const Rect& r, Rgb colour);
// The dotted focus rectangle, when the button has the focus and shows it.
void DrawFocus(ButtonRecord& b, Surface& s);

} // namespace tavirel::button
