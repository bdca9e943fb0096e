#include "PicturePainter.h"

#include "CaptionPainter.h"

#include <QPainter>

namespace tavirel::button {

namespace {

// The picture as a plain bitmap: an image with transparency (an icon) is first drawn onto a
// bitmap of the blit's size filled with the mask colour.
QImage sourceBitmap(const ButtonRecord& b, const QImage& picture, int width, int height)
{
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB32);
    QImage bitmap(width, height, QImage::Format_RGB32);
    bitmap.fill(toQColor(b.palette.mask));
    QPainter painter(&bitmap);
    painter.drawImage(0, 0, picture);
    return bitmap;
}

} // namespace

void TransBlt(const ButtonRecord& b, Surface& s, int x, int y, int width, int height,
              const QImage& picture, Rgb transparent, std::optional<Rgb> silhouette, bool darkOnly,
              bool greyscale, bool fade)
{
    if (picture.isNull())
        return;
    if (width < 0)
        width = picture.width();
    if (height < 0)
        height = picture.height();
    if (width == 0 || height == 0)
        return;
    const QImage source = sourceBitmap(b, picture, width, height);
    // Without UseMaskColor no colour is transparent.
    const bool keyed = b.useMaskColor;
    const Rgb key = transparent & 0xFFFFFFu;

    for (int j = 0; j < height; ++j) {
        const int ty = y + j;
        if (ty < 0 || ty >= s.height() || j >= source.height())
            continue;
        for (int i = 0; i < width; ++i) {
            const int tx = x + i;
            if (tx < 0 || tx >= s.width() || i >= source.width())
                continue;
            const Rgb p = fromPixel(source.pixel(i, j));
            if (keyed && p == key)
                continue;
            const int r = redOf(p);
            const int g = greenOf(p);
            const int bl = blueOf(p);
            if (silhouette) {
                if (darkOnly && r + g + bl > 384)
                    continue;
                s.PutPixel(tx, ty, *silhouette);
            } else if (greyscale) {
                const int grey = roundHalfEven(roundHalfEven(0.3 * r) + 0.59 * g + 0.11 * bl);
                s.PutPixel(tx, ty, rgb(grey, grey, grey));
            } else if (fade) {
                const Rgb under = s.pixel(tx, ty);
                s.PutPixel(tx, ty,
                           rgb((2 * r + redOf(under)) / 3, (2 * g + greenOf(under)) / 3,
                               (2 * bl + blueOf(under)) / 3));
            } else {
                s.PutPixel(tx, ty, p);
            }
        }
    }
}

void DrawPictureEffect(ButtonRecord& b, Surface& s, int offset, const QImage& picture)
{
    if (b.specialEffect == 0)
        return;
    const Palette& p = b.palette;
    Rgb base = p.selectionTint;
    if (b.buttonType == 3)
        base = p.faceBright;
    else if (offset != -1 || b.colorScheme == schemeCustom)
        base = p.face;
    const bool engraved = b.specialEffect == 2;
    const auto blit = [&](int d, Rgb colour) {
        TransBlt(b, s, b.pictureX + d, b.pictureY + d, b.pictureWidth, b.pictureHeight, picture,
                 p.mask, colour, false, false, false);
    };
    blit(1 + offset, ShiftColor(base, engraved ? 40 : -40, false, b.softBevel));
    if (b.specialEffect == 1 || engraved)
        blit(-1 + offset, ShiftColor(base, engraved ? -40 : 40, false, b.softBevel));
}

void DrawPicture(ButtonRecord& b, Surface& s, int state)
{
    if (b.pictureNormal.isNull())
        return;
    const Palette& p = b.palette;
    const auto blit = [&](const QImage& picture, int dx, int dy, std::optional<Rgb> silhouette,
                          bool darkOnly, bool grey, bool fade) {
        TransBlt(b, s, b.pictureX + dx, b.pictureY + dy, b.pictureWidth, b.pictureHeight, picture,
                 p.mask, silhouette, darkOnly, grey, fade);
    };
    const int type = b.buttonType;
    const bool hasOver = !b.pictureOver.isNull();

    switch (state) {
    case pictureNormal:
        if (!b.isOver) {
            DrawPictureEffect(b, s, 0, b.pictureNormal);
            blit(b.pictureNormal, 0, 0, std::nullopt, false, b.useGreyscale, type == 9);
        } else if (type == 9) {
            // The picture lifts up and left over its own shadow.
            DrawPictureEffect(b, s, -1, b.pictureNormal);
            blit(b.pictureNormal, 1, 1, p.shadow, false, false, false);
            blit(b.pictureNormal, -1, -1, std::nullopt, false, false, false);
        } else if (hasOver) {
            DrawPictureEffect(b, s, 0, b.pictureOver);
            blit(b.pictureOver, 0, 0, std::nullopt, false, false, false);
        } else {
            DrawPictureEffect(b, s, 0, b.pictureNormal);
            blit(b.pictureNormal, 0, 0, std::nullopt, false, false, false);
        }
        break;
    case picturePressed:
        if (hasOver && type != 9) {
            const int d = type == 5 ? 0 : 1;
            blit(b.pictureOver, d, d, std::nullopt, false, false, false);
        } else if (type != 5 && type != 9) {
            DrawPictureEffect(b, s, 1, b.pictureNormal);
            blit(b.pictureNormal, 1, 1, std::nullopt, false, false, false);
        } else {
            DrawPictureEffect(b, s, 0, b.pictureNormal);
            blit(b.pictureNormal, 0, 0, std::nullopt, false, false, false);
        }
        break;
    case pictureDisabled:
        if (type == 3) {
            blit(b.pictureNormal, 1, 1, std::nullopt, false, true, false);
        } else if (type == 5 || type == 6 || type == 9) {
            const Rgb c = type == 9 ? ShiftColor(p.shadow, 13, false, b.softBevel) : p.shadow;
            blit(b.pictureNormal, 0, 0, c, true, false, false);
        } else {
            // The classic embossed disabled image.
            blit(b.pictureNormal, 1, 1, p.highlight, true, false, false);
            blit(b.pictureNormal, 0, 0, p.shadow, true, false, false);
        }
        break;
    default:
        break;
    }
    // Style 10 shows no caption at all, so only the others repaint it over a centred picture.
    if (b.picturePosition == 4 && type != 10)
        DrawCaption(b, s, b.lastCaptionMode);
}

} // namespace tavirel::button
