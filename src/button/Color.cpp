#include "Color.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace tavirel::button {

QColor toQColor(Rgb c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

Rgb fromQColor(const QColor& c)
{
    return rgb(c.red(), c.green(), c.blue());
}

QRgb toPixel(Rgb c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

Rgb fromPixel(QRgb pixel)
{
    return rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

Rgb systemColor(const QPalette& palette, int index)
{
    QPalette::ColorRole role = QPalette::Button;
    switch (index) {
    case colorWindow:
        role = QPalette::Base;
        break;
    case colorWindowText:
        role = QPalette::Text;
        break;
    case colorHighlight:
        role = QPalette::Highlight;
        break;
    case colorHighlightText:
        role = QPalette::HighlightedText;
        break;
    case colorButtonShadow:
        role = QPalette::Dark;
        break;
    case colorGrayText:
        return fromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    case colorButtonText:
        role = QPalette::ButtonText;
        break;
    case colorButtonHighlight:
        role = QPalette::Light;
        break;
    case colorDarkShadow3D:
        role = QPalette::Shadow;
        break;
    case colorLight3D:
        role = QPalette::Midlight;
        break;
    case 1:  // desktop
    case 4:  // menu
    case 12: // application workspace
        role = QPalette::Window;
        break;
    case 7: // menu text
    case 9: // caption text
        role = QPalette::WindowText;
        break;
    case 23: // tool tip text
        role = QPalette::ToolTipText;
        break;
    case 24: // tool tip background
        role = QPalette::ToolTipBase;
        break;
    default: // the button face, and every index the toolkit has no colour for
        break;
    }
    return fromQColor(palette.color(QPalette::Active, role));
}

Rgb TranslateColor(Rgb c, const QPalette& system)
{
    if (isSystemColor(c))
        return systemColor(system, int(c & 0xFF));
    return c & 0xFFFFFFu;
}

Rgb ShiftColor(Rgb c, int d, bool proportionalBlue, bool softBevel)
{
    if (softBevel)
        d /= 2; // truncates toward zero
    int r = redOf(c) + d;
    int g = greenOf(c) + d;
    int b = blueOf(c);
    b += proportionalBlue ? (b * d) / 192 : d;
    if (d >= 1) {
        r = std::min(r, 255);
        g = std::min(g, 255);
        b = std::min(b, 255);
    } else if (d < 0) {
        r = std::max(r, 0);
        g = std::max(g, 0);
        b = std::max(b, 0);
    }
    return rgb(r, g, b);
}

Rgb BlendToWhite(Rgb c, int amount)
{
    const auto blend = [amount](int channel) {
        return std::min(channel * (255 - amount) / 255 + amount, 255);
    };
    return rgb(blend(redOf(c)), blend(greenOf(c)), blend(blueOf(c)));
}

int roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return int(floor) + 1;
    if (fraction < 0.5)
        return int(floor);
    return std::fmod(floor, 2.0) == 0.0 ? int(floor) : int(floor) + 1;
}

} // namespace tavirel::button
