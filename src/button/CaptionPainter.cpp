#include "CaptionPainter.h"

#include "CaptionLayout.h"

#include <QPainter>

#include <algorithm>

namespace tavirel::button {

void drawCaptionText(const ButtonRecord& b, Surface& s, const Rect& r, Rgb colour)
{
    if (b.caption.isEmpty())
        return;
    // The text is laid out again at the width it was measured at, centred on r, so that its
    // lines break where they did when measured (a box exactly as wide as the widest line may
    // break it once more).
    int wrap = std::max(b.wrapWidth, r.right - r.left);
    if ((wrap - (r.right - r.left)) % 2 != 0)
        ++wrap;
    const int left = r.left - (wrap - (r.right - r.left)) / 2;
    QPainter painter(&s.image());
    painter.setFont(b.font);
    painter.setPen(toQColor(colour));
    painter.drawText(QRect(left, r.top, wrap, r.bottom - r.top), captionDrawFlags(), b.caption);
}

void DrawCaptionEffect(ButtonRecord& b, Surface& s, const Rect& r)
{
    if (b.specialEffect == 0)
        return;
    const Palette& p = b.palette;
    Rgb base = p.face;
    if (b.buttonType == 3 || b.buttonType == 4 || b.buttonType == 14)
        base = p.faceBright;
    else if (b.buttonType == 9 && b.lastState == stateNormal && b.isOver &&
             b.colorScheme != schemeCustom)
        base = p.selectionTint;
    const bool engraved = b.specialEffect == 2;
    drawCaptionText(b, s, r.moved(1, 1), ShiftColor(base, engraved ? 40 : -40, false, b.softBevel));
    if (b.specialEffect == 1 || engraved)
        drawCaptionText(b, s, r.moved(-1, -1),
                        ShiftColor(base, engraved ? -40 : 40, false, b.softBevel));
}

void DrawCaption(ButtonRecord& b, Surface& s, int mode)
{
    b.lastCaptionMode = quint8(mode);
    const Palette& p = b.palette;
    switch (mode) {
    case captionNormal:
        DrawCaptionEffect(b, s, b.captionRect);
        drawCaptionText(b, s, b.captionRect, p.text);
        break;
    case captionHover:
        DrawCaptionEffect(b, s, b.captionRect);
        drawCaptionText(b, s, b.captionRect, p.textOver);
        break;
    case captionPressed:
        DrawCaptionEffect(b, s, b.textRect);
        drawCaptionText(b, s, b.textRect, b.buttonType == 4 ? p.light : p.textOver);
        break;
    case captionEngraved:
        drawCaptionText(b, s, b.textRect, p.highlight);
        drawCaptionText(b, s, b.captionRect, p.shadow);
        break;
    case captionFlat:
        drawCaptionText(b, s, b.captionRect, p.shadow);
        break;
    case captionDisabled3:
        drawCaptionText(b, s, b.captionRect, ShiftColor(p.faceBright, -104, true, b.softBevel));
        break;
    case captionDisabled14:
        drawCaptionText(b, s, b.textRect, p.highlight);
        drawCaptionText(b, s, b.captionRect, p.face);
        break;
    case captionPressed14:
        drawCaptionText(b, s, b.textRect, ShiftColor(p.shadow, -50, false, b.softBevel));
        drawCaptionText(b, s, b.captionRect, p.highlight);
        break;
    default:
        break;
    }
}

void DrawFocus(ButtonRecord& b, Surface& s)
{
    if (b.showFocusRect && b.hasFocus)
        s.invertDotted(b.focusRect);
}

} // namespace tavirel::button
