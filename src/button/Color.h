#pragma once

#include <QColor>
#include <QRgb>

class QPalette;

namespace tavirel::button {

// A colour as the button's settings hold it: &HBBGGRR, red in the lowest byte, green in the
// second, blue in the third. A value with the high bit set names a system colour by its index
// in the low byte; TranslateColor turns it into a real colour.
using Rgb = quint32;

constexpr Rgb systemColorFlag = 0x80000000u;

constexpr Rgb rgb(int red, int green, int blue)
{
    return Rgb(red) | (Rgb(green) << 8) | (Rgb(blue) << 16);
}
constexpr int redOf(Rgb c)
{
    return int(c & 0xFF);
}
constexpr int greenOf(Rgb c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int blueOf(Rgb c)
{
    return int((c >> 16) & 0xFF);
}
constexpr bool isSystemColor(Rgb c)
{
    return (c & systemColorFlag) != 0;
}
constexpr Rgb systemColorRef(int index)
{
    return systemColorFlag | Rgb(index);
}

// The one place where &HBBGGRR values meet Qt's colours and image pixels (0xAARRGGBB).
QColor toQColor(Rgb c);
Rgb fromQColor(const QColor& c);
QRgb toPixel(Rgb c);
Rgb fromPixel(QRgb pixel);

// System colour indices the button reads.
enum SystemColorIndex : int {
    colorWindow = 5,
    colorWindowText = 8,
    colorHighlight = 13,
    colorHighlightText = 14,
    colorButtonFace = 15,
    colorButtonShadow = 16,
    colorGrayText = 17,
    colorButtonText = 18,
    colorButtonHighlight = 20,
    colorDarkShadow3D = 21,
    colorLight3D = 22,
};

// The current colour of a system colour index, taken from a widget's palette: the toolkit's
// palette plays the window system's colour table.
Rgb systemColor(const QPalette& palette, int index);

// A system colour reference becomes that colour's current value; anything else is returned
// unchanged (only its three colour bytes count).
Rgb TranslateColor(Rgb c, const QPalette& system);

// Adds d to red and green, and to blue either d or, with proportionalBlue, blue × d / 192, each
// channel clamped into 0..255 in the direction of the shift. A soft bevel halves d first.
Rgb ShiftColor(Rgb c, int d, bool proportionalBlue, bool softBevel = false);

// Moves every channel towards white by amount (0..255).
Rgb BlendToWhite(Rgb c, int amount);

// Rounds to the nearest integer, halves to the even one, as the button's gradients and greyscale
// conversion expect.
int roundHalfEven(double value);

} // namespace tavirel::button
