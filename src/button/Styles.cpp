#include "Styles.h"

#include "CaptionLayout.h"
#include "CaptionPainter.h"
#include "PicturePainter.h"

#include <QPainter>

namespace tavirel::button {

int gradientShift(int total, int height, int i)
{
    const float step = float(double(total) / double(height));
    return roundHalfEven(-double(step) * double(i));
}

namespace {

// Border colours of the program's own style.
constexpr Rgb style3Border = 0x733C00;
constexpr Rgb style3Corner = 0x7B4D10;
// Hover ring (orange): frame, bottom, top, second row, sides.
constexpr Rgb hoverFrame = 0x31B2FF;
constexpr Rgb hoverBottom = 0x0096E7;
constexpr Rgb hoverTop = 0xCEF3FF;
constexpr Rgb hoverSecond = 0x8CDBFF;
constexpr Rgb hoverSides = 0x6BCBFF;
// Focus or default ring (blue), in the same order.
constexpr Rgb focusFrame = 0xE7AE8C;
constexpr Rgb focusBottom = 0xEF826B;
constexpr Rgb focusTop = 0xFFE7CE;
constexpr Rgb focusSecond = 0xF7D7BD;
constexpr Rgb focusSides = 0xF0D1B5;
// Frame around the caption of a focused style 5 button.
constexpr Rgb style5CaptionFrame = 0xCC9999;

// One paint of one style: the record, the surface and short names for the primitives.
class StylePainter
{
public:
    StylePainter(ButtonRecord& b, Surface& s) : b(b), s(s), p(b.palette), w(b.width), h(b.height) {}

    void paint(int state);

private:
    void fill(int x, int y, int width, int height, Rgb c)
    {
        s.DrawRect(x, y, width, height, c, false);
    }
    void frame(int x, int y, int width, int height, Rgb c)
    {
        s.DrawRect(x, y, width, height, c, true);
    }
    void line(int x1, int y1, int x2, int y2, Rgb c) { s.DrawLine(x1, y1, x2, y2, c); }
    void pixel(int x, int y, Rgb c) { s.PutPixel(x, y, c); }
    void innerCorners(Rgb c)
    {
        pixel(1, 1, c);
        pixel(1, h - 2, c);
        pixel(w - 2, 1, c);
        pixel(w - 2, h - 2, c);
    }
    Rgb shift(Rgb c, int d, bool proportionalBlue = false) const
    {
        return ShiftColor(c, d, proportionalBlue, b.softBevel);
    }
    void caption(int mode) { DrawCaption(b, s, mode); }
    void captionHov() { caption(b.isOver ? captionHover : captionNormal); }
    void focus() { DrawFocus(b, s); }
    void bevel(Rgb hiO, Rgb shO, Rgb hiI, Rgb shI, int offset)
    {
        s.DrawFrame(hiO, shO, hiI, shI, offset, false);
    }
    void outerRing(Rgb hi, Rgb sh) { s.DrawFrame(hi, sh, 0, 0, 0, true); }

    void normal();
    void pressed();
    void disabled();

    void style3Normal();
    void style3Pressed();
    void style3Disabled();
    void style3Ring(Rgb frameColour, Rgb bottom, Rgb top, Rgb second, Rgb sides);
    void style4Face();
    void style4Pressed();
    void style5CaptionFrameIfFocused();
    void style14Gradient();
    void style14Frame();
    void style14Caption();

    ButtonRecord& b;
    Surface& s;
    const Palette& p;
    const int w;
    const int h;
};

void StylePainter::paint(int state)
{
    s.image().fill(Qt::black);
    fill(0, 0, w, h, p.face);
    if (!b.enabled) {
        disabled();
        DrawPicture(b, s, pictureDisabled);
    } else if (state == statePressed) {
        pressed();
        DrawPicture(b, s, picturePressed);
    } else if (state == stateNormal) {
        normal();
        DrawPicture(b, s, pictureNormal);
    }
}

void StylePainter::normal()
{
    const bool isDefault = b.showFocusRect && b.displayAsDefault;
    switch (b.buttonType) {
    case 1:
        captionHov();
        bevel(p.highlight, p.shadow, p.highlight, p.shadow, -1);
        frame(0, 0, w, h, p.darkShadow);
        focus();
        break;
    case 2:
        captionHov();
        if (isDefault) {
            bevel(p.highlight, p.darkShadow, p.light, p.shadow, -1);
            focus();
            frame(0, 0, w, h, p.darkShadow);
        } else {
            bevel(p.highlight, p.darkShadow, p.light, p.shadow, 0);
        }
        break;
    case 3:
        style3Normal();
        break;
    case 4:
        style4Face();
        break;
    case 5:
        fill(1, 1, w - 1, h - 1, shift(p.face, 12));
        captionHov();
        frame(1, 1, w - 1, h - 1, p.highlight);
        frame(0, 0, w - 1, h - 1, shift(p.shadow, -26));
        pixel(1, h - 2, shift(p.shadow, 26));
        pixel(w - 2, 1, shift(p.shadow, 26));
        style5CaptionFrameIfFocused();
        break;
    case 6:
        captionHov();
        bevel(shift(p.light, 8), p.shadow, shift(p.light, 8), p.shadow, 0);
        focus();
        break;
    case 7:
    case 8:
    case 12:
        captionHov();
        if (b.buttonType == 7 || (b.buttonType == 8 && b.isOver))
            outerRing(p.highlight, p.shadow);
        else if (b.buttonType == 12 && b.isOver)
            bevel(p.highlight, p.darkShadow, p.light, p.shadow, 0);
        focus();
        break;
    case 9:
        if (b.isOver)
            fill(1, 1, w, h, p.selectionTint);
        captionHov();
        if (b.isOver)
            frame(0, 0, w, h, p.selection);
        focus();
        break;
    case 11:
        if (!b.captured.isNull())
            QPainter(&s.image()).drawImage(0, 0, b.captured);
        captionHov();
        focus();
        break;
    case 13:
        s.DrawEllipse(0, 0, w, h, b.isOver ? p.shadow : p.face, p.face);
        captionHov();
        break;
    case 14:
        if (b.isOver)
            fill(0, 0, w, h, p.light);
        else
            style14Gradient();
        style14Caption();
        style14Frame();
        focus();
        break;
    case 15:
        style3Pressed();
        break;
    default: // style 10 and unknown styles: the face alone
        break;
    }
}

void StylePainter::pressed()
{
    const bool isDefault = b.showFocusRect && b.displayAsDefault;
    switch (b.buttonType) {
    case 1:
        caption(captionPressed);
        bevel(p.shadow, p.highlight, p.shadow, p.highlight, -1);
        frame(0, 0, w, h, p.darkShadow);
        focus();
        break;
    case 2:
        caption(captionPressed);
        if (isDefault) {
            frame(0, 0, w, h, p.darkShadow);
            frame(1, 1, w - 2, h - 2, p.shadow);
            focus();
        } else {
            bevel(p.darkShadow, p.highlight, p.shadow, p.light, 0);
        }
        break;
    case 3:
    case 15:
        style3Pressed();
        break;
    case 4:
        style4Pressed();
        break;
    case 5:
        fill(1, 1, w - 2, h - 2, shift(p.shadow, 16));
        frame(0, 0, w - 1, h - 1, shift(p.shadow, -26));
        line(w - 1, 1, w - 1, h, p.highlight);
        line(1, h - 1, w - 1, h - 1, p.highlight);
        drawCaptionText(b, s, b.captionRect, p.textOver);
        style5CaptionFrameIfFocused();
        break;
    case 6:
        caption(captionPressed);
        bevel(p.shadow, shift(p.light, 8), p.shadow, shift(p.light, 8), 0);
        focus();
        break;
    case 7:
    case 8:
        caption(captionPressed);
        outerRing(p.shadow, p.highlight);
        focus();
        break;
    case 12:
        caption(captionPressed);
        bevel(p.darkShadow, p.highlight, p.shadow, p.light, 0);
        focus();
        break;
    case 9:
        if (b.isOver)
            fill(0, 0, w, h,
                 b.colorScheme == schemeCustom ? shift(p.selectionTint, -32)
                                               : BlendToWhite(p.selection, 128));
        caption(captionPressed);
        frame(0, 0, w, h, p.selection);
        focus();
        break;
    case 11:
        if (!b.captured.isNull())
            QPainter(&s.image()).drawImage(0, 0, b.captured);
        caption(captionPressed);
        focus();
        break;
    case 13:
        s.DrawEllipse(0, 0, w, h, p.darkShadow, shift(p.face, -32));
        caption(captionPressed);
        break;
    case 14:
        fill(1, 1, w, h, shift(p.face, -9));
        frame(0, 0, w, h, shift(p.shadow, -48));
        line(2, h - 2, w - 2, h - 2, p.highlight);
        line(w - 2, 2, w - 2, h - 1, p.highlight);
        caption(captionPressed14);
        focus();
        break;
    default:
        break;
    }
}

void StylePainter::disabled()
{
    switch (b.buttonType) {
    case 1:
        caption(captionEngraved);
        bevel(p.highlight, p.shadow, p.highlight, p.shadow, -1);
        frame(0, 0, w, h, p.darkShadow);
        break;
    case 2:
        caption(captionEngraved);
        bevel(p.highlight, p.darkShadow, p.light, p.shadow, 0);
        break;
    case 3:
    case 15:
        style3Disabled();
        break;
    case 4:
        style4Face();
        break;
    case 5:
        caption(captionFlat);
        frame(0, 0, w, h, p.shadow);
        break;
    case 6:
        caption(captionFlat);
        bevel(shift(p.light, 8), p.shadow, shift(p.light, 8), p.shadow, 0);
        break;
    case 7:
    case 8:
    case 12:
        caption(captionEngraved);
        if (b.buttonType == 7)
            outerRing(p.highlight, p.shadow);
        break;
    case 9:
        caption(captionFlat);
        break;
    case 11:
        if (!b.captured.isNull())
            QPainter(&s.image()).drawImage(0, 0, b.captured);
        caption(captionEngraved);
        break;
    case 13:
        caption(captionEngraved);
        break;
    case 14:
        style14Gradient();
        frame(0, 0, w, h, shift(p.shadow, -50));
        frame(1, 1, w - 2, h - 2, shift(p.face, -9));
        fill(2, 2, w - 4, 2, p.highlight);
        fill(2, 4, 2, h - 6, p.highlight);
        caption(captionDisabled14);
        break;
    default:
        break;
    }
}

void StylePainter::style3Normal()
{
    const Rgb fb = p.faceBright;
    for (int i = 1; i <= h; ++i)
        line(0, i, w, i, shift(fb, gradientShift(25, h, i), true));
    captionHov();
    frame(0, 0, w, h, style3Border);
    innerCorners(style3Corner);
    if (b.isOver) {
        style3Ring(hoverFrame, hoverBottom, hoverTop, hoverSecond, hoverSides);
    } else if ((b.hasFocus || b.displayAsDefault) && b.showFocusRect) {
        style3Ring(focusFrame, focusBottom, focusTop, focusSecond, focusSides);
    } else {
        line(2, h - 2, w - 2, h - 2, shift(fb, -48, true));
        line(1, h - 3, w - 2, h - 3, shift(fb, -32, true));
        line(w - 2, 2, w - 2, h - 2, shift(fb, -36, true));
        line(w - 3, 3, w - 3, h - 3, shift(fb, -24, true));
        line(2, 1, w - 2, 1, shift(fb, 16, true));
        line(1, 2, w - 2, 2, shift(fb, 10, true));
        line(1, 2, 1, h - 2, shift(fb, -5, true));
        line(2, 3, 2, h - 3, shift(fb, -10, true));
    }
}

void StylePainter::style3Ring(Rgb frameColour, Rgb bottom, Rgb top, Rgb second, Rgb sides)
{
    frame(1, 2, w - 2, h - 4, frameColour);
    line(2, h - 2, w - 2, h - 2, bottom);
    line(2, 1, w - 2, 1, top);
    line(1, 2, w - 1, 2, second);
    line(2, 3, 2, h - 3, sides);
    line(w - 3, 3, w - 3, h - 3, sides);
}

void StylePainter::style3Pressed()
{
    const Rgb fb = p.faceBright;
    const Rgb base = shift(fb, -32, true);
    for (int i = 1; i <= h; ++i)
        line(0, h - i, w, h - i, shift(base, gradientShift(25, h, i), true));
    caption(captionPressed);
    frame(0, 0, w, h, style3Border);
    innerCorners(style3Corner);
    line(2, h - 2, w - 2, h - 2, shift(base, 16, true));
    line(1, h - 3, w - 2, h - 3, shift(base, 10, true));
    line(w - 2, 2, w - 2, h - 2, shift(base, 5, true));
    line(w - 3, 3, w - 3, h - 3, fb);
    line(2, 1, w - 2, 1, shift(base, -32, true));
    line(1, 2, w - 2, 2, shift(base, -24, true));
    line(1, 2, 1, h - 2, shift(base, -32, true));
    line(2, 2, 2, h - 2, shift(base, -22, true));
}

void StylePainter::style3Disabled()
{
    const Rgb fb = p.faceBright;
    fill(0, 0, w, h, shift(fb, -24, true));
    caption(captionDisabled3);
    frame(0, 0, w, h, shift(fb, -84, true));
    innerCorners(shift(fb, -72, true));
}

void StylePainter::style4Face()
{
    fill(1, 1, w - 2, h - 2, p.light);
    if (b.enabled)
        captionHov();
    else
        caption(captionEngraved);
    frame(0, 0, w, h, p.darkShadow);
    innerCorners(p.darkShadow);
    line(1, 2, 2, 0, p.face);
    line(3, 2, w - 3, 2, p.highlight);
    line(2, 2, 2, h - 3, p.highlight);
    pixel(3, 3, p.highlight);
    line(w - 3, 1, w - 3, h - 3, p.face);
    line(1, h - 3, w - 3, h - 3, p.face);
    pixel(w - 4, h - 4, p.face);
    line(w - 2, 2, w - 2, h - 2, p.shadow);
    line(2, h - 2, w - 2, h - 2, p.shadow);
    pixel(w - 3, h - 3, p.shadow);
}

void StylePainter::style4Pressed()
{
    const auto sh = [this](int d) { return shift(p.shadow, d); };
    fill(1, 1, w - 2, h - 2, sh(-16));
    b.palette.faceBright = sh(-16); // the relief under the caption follows the sunken face
    caption(captionPressed);
    b.palette.faceBright = shift(p.face, 48);
    frame(0, 0, w, h, p.darkShadow);
    frame(1, 1, w - 2, h - 2, sh(-64));
    frame(2, 2, w - 4, h - 4, sh(-32));
    pixel(2, 2, sh(-64));
    pixel(3, 3, sh(-32));
    innerCorners(p.darkShadow);
    line(w - 3, 1, w - 3, h - 3, p.shadow);
    line(1, h - 3, w - 2, h - 3, p.shadow);
    pixel(w - 4, h - 4, p.shadow);
    line(w - 2, 3, w - 2, h - 2, sh(-16));
    line(3, h - 2, w - 2, h - 2, sh(-16));
    line(w - 2, h - 3, w - 4, h - 1, sh(-32));
    pixel(2, h - 2, sh(-32));
    pixel(w - 2, 2, sh(-32));
}

void StylePainter::style5CaptionFrameIfFocused()
{
    if (b.hasFocus && b.showFocusRect)
        frame(b.captionRect.left - 2, b.captionRect.top - 1, b.captionWidth + 4,
              b.captionHeight + 2, style5CaptionFrame);
}

void StylePainter::style14Gradient()
{
    for (int i = 1; i <= h; ++i)
        line(0, i, w, i, shift(p.highlight, gradientShift(58, h, i)));
}

void StylePainter::style14Frame()
{
    frame(0, 0, w, h, shift(p.shadow, -50));
    frame(1, 1, w - 2, h - 2, shift(p.face, -9));
    fill(2, 2, w - 4, 2, p.highlight);
    fill(2, 4, 2, h - 6, p.highlight);
}

void StylePainter::style14Caption()
{
    if (!b.displayAsDefault) {
        captionHov();
        return;
    }
    // The default button shows its caption in bold; the layout follows the bold font for this
    // one drawing, and nothing is painted meanwhile.
    b.redrawEnabled = false;
    const bool wasBold = b.font.bold();
    b.font.setBold(true);
    CalcCaptionRect(b);
    captionHov();
    b.font.setBold(wasBold);
    CalcCaptionRect(b);
    b.redrawEnabled = true;
}

} // namespace

void paintFace(ButtonRecord& b, Surface& s, int state)
{
    StylePainter(b, s).paint(state);
}

} // namespace tavirel::button
