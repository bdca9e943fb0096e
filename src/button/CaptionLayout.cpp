#include "CaptionLayout.h"

#include <QFontMetrics>

#include <algorithm>

namespace tavirel::button {

int AnsiLength(const QString& caption)
{
    // Every character is one byte in the captions' single-byte code page; characters it cannot
    // hold become one substitute byte each.
    return int(caption.toLatin1().size());
}

QChar accessKeyOf(const QString& caption)
{
    const int n = AnsiLength(caption);
    if (n < 2)
        return {};
    const qsizetype p = caption.indexOf(QLatin1Char('&'));
    if (p < 0 || p + 1 >= n)
        return {};
    const QChar next = caption.at(p + 1);
    if (next != QLatin1Char('&'))
        return next.toLower();
    // "&&" is a literal ampersand; the next single one may still mark a key.
    const qsizetype q = caption.indexOf(QLatin1Char('&'), p + 2);
    if (q < 0 || q + 1 >= caption.size() || caption.at(q + 1) == QLatin1Char('&'))
        return {};
    return caption.at(q + 1).toLower();
}

int captionDrawFlags()
{
    return Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
}

void GetPictureSize(ButtonRecord& b)
{
    // A picture's stored size converts to the display's pixels at the display's own resolution,
    // which gives back its pixel size.
    b.pictureWidth = b.pictureNormal.isNull() ? 0 : b.pictureNormal.width();
    b.pictureHeight = b.pictureNormal.isNull() ? 0 : b.pictureNormal.height();
}

void CalcCaptionRect(ButtonRecord& b)
{
    const int w = b.width;
    const int h = b.height;
    const int pw = b.pictureWidth;
    const int ph = b.pictureHeight;

    Rect preset;
    switch (b.picturePosition) {
    case 0:
        preset = {pw + 1, 1, w - 2, h - 2};
        break;
    case 1:
        preset = {1, 1, w - 2 - pw, h - 2};
        break;
    case 2:
        preset = {1, ph + 1, w - 2, h - 2};
        break;
    case 3:
        preset = {1, 1, w - 2, h - 2 - ph};
        break;
    case 4:
        preset = {1, 1, w - 2, h - 2};
        break;
    default:
        // Other positions keep the caption where it is: measure from its current corner (the
        // scratch rectangle sits one pixel off it after every layout).
        preset = b.captionRect;
        break;
    }

    // Measuring keeps the left and top corner and takes the wrapped text's size.
    Rect measured{preset.left, preset.top, preset.left, preset.top};
    if (!b.caption.isEmpty()) {
        const QFontMetrics metrics(b.font);
        b.wrapWidth = std::max(preset.right - preset.left, 1);
        const QRect box = metrics.boundingRect(
            QRect(preset.left, preset.top, b.wrapWidth, 1 << 20),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic, b.caption);
        measured.right = preset.left + box.width();
        measured.bottom = preset.top + box.height();
    }
    b.captionWidth = measured.right - measured.left;
    b.captionHeight = measured.bottom - measured.top;

    int dx = 0;
    int dy = 0;
    switch (b.picturePosition) {
    case 0:
    case 2:
    case 4:
        dx = (w - measured.right) / 2;
        dy = (h - measured.bottom) / 2;
        break;
    case 1:
        dx = (w - measured.right - pw - 4) / 2;
        dy = (h - measured.bottom) / 2;
        break;
    case 3:
        dx = (w - measured.right) / 2;
        dy = (h - measured.bottom - ph - 4) / 2;
        break;
    default:
        break;
    }
    b.captionRect = measured.moved(dx, dy);
    b.textRect = b.captionRect.moved(1, 1);
    CalcPicturePos(b);
}

void CalcPicturePos(ButtonRecord& b)
{
    if (!b.hasPicture())
        return;
    const int w = b.width;
    const int h = b.height;
    const int pw = b.pictureWidth;
    const int ph = b.pictureHeight;
    // Only blanks are trimmed: a caption of spaces counts as none.
    const bool visibleCaption =
        std::any_of(b.caption.begin(), b.caption.end(), [](QChar c) { return c != u' '; });
    if (visibleCaption && b.picturePosition != 4) {
        switch (b.picturePosition) {
        case 0:
            b.pictureX = b.captionRect.left - pw - 4;
            b.pictureY = (h - ph) / 2;
            break;
        case 1:
            b.pictureX = b.captionRect.right + 4;
            b.pictureY = (h - ph) / 2;
            break;
        case 2:
            b.pictureX = (w - pw) / 2;
            b.pictureY = b.captionRect.top - ph - 2;
            break;
        case 3:
            b.pictureX = (w - pw) / 2;
            b.pictureY = b.captionRect.bottom + 2;
            break;
        default:
            break;
        }
        return;
    }
    b.pictureX = (w - pw) / 2;
    b.pictureY = (h - ph) / 2;
}

} // namespace tavirel::button
