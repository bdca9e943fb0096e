#include "Surface.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <cstdlib>

namespace tavirel::button {

void Surface::PutPixel(int x, int y, Rgb colour)
{
    if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
        m_image.setPixel(x, y, toPixel(colour));
}

Rgb Surface::pixel(int x, int y) const
{
    return fromPixel(m_image.pixel(x, y));
}

void Surface::DrawRect(int x, int y, int width, int height, Rgb colour, bool frameOnly)
{
    if (width <= 0 || height <= 0)
        return;
    const int right = x + width - 1;
    const int bottom = y + height - 1;
    if (frameOnly) {
        for (int i = x; i <= right; ++i) {
            PutPixel(i, y, colour);
            PutPixel(i, bottom, colour);
        }
        for (int j = y + 1; j < bottom; ++j) {
            PutPixel(x, j, colour);
            PutPixel(right, j, colour);
        }
        return;
    }
    const QRect area = QRect(x, y, width, height).intersected(m_image.rect());
    const QRgb value = toPixel(colour);
    for (int j = area.top(); j <= area.bottom(); ++j) {
        auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(j));
        for (int i = area.left(); i <= area.right(); ++i)
            line[i] = value;
    }
}

void Surface::DrawEllipse(int x, int y, int width, int height, Rgb penColour, Rgb fillColour)
{
    if (width <= 0 || height <= 0)
        return;
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(toQColor(penColour), 2));
    painter.setBrush(toQColor(fillColour));
    painter.drawEllipse(QRect(x, y, width - 1, height - 1));
}

void Surface::DrawLine(int x1, int y1, int x2, int y2, Rgb colour)
{
    // Bresenham from the start point, stopping before the end point.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        PutPixel(x, y, colour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void Surface::lineTo(int x, int y, Rgb colour)
{
    DrawLine(m_pen.x(), m_pen.y(), x, y, colour);
    m_pen = QPoint(x, y);
}

void Surface::DrawFrame(Rgb hiOuter, Rgb shOuter, Rgb hiInner, Rgb shInner, int offset,
                        bool outerOnly)
{
    const int o = std::abs(offset);
    const int b = height() - 1 + offset;
    const int r = width() - 1 + offset;
    moveTo(o, b);
    lineTo(o, o, hiOuter);
    lineTo(r, o, hiOuter);
    lineTo(r, b, shOuter);
    lineTo(o - 1, b, shOuter);
    moveTo(o + 1, b - 1);
    if (outerOnly)
        return;
    lineTo(o + 1, o + 1, hiInner);
    lineTo(r - 1, o + 1, hiInner);
    lineTo(r - 1, b - 1, shInner);
    lineTo(o, b - 1, shInner);
}

void Surface::invertDotted(const Rect& r)
{
    const auto invert = [this](int x, int y) {
        if ((x + y) % 2 == 0 && x >= 0 && y >= 0 && x < width() && y < height())
            m_image.setPixel(x, y, m_image.pixel(x, y) ^ 0x00FFFFFFu);
    };
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 != r.top)
            invert(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 != r.left)
            invert(r.right - 1, y);
    }
}

QRegion MakeRegion(int buttonType, int width, int height)
{
    const int w = width;
    const int h = height;
    QRegion region(0, 0, w, h);
    const auto cut = [&region](std::initializer_list<QPoint> pixels) {
        for (const QPoint& p : pixels)
            region -= QRegion(p.x(), p.y(), 1, 1);
    };
    switch (buttonType) {
    case 1:
    case 14:
        cut({{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}});
        break;
    case 5:
        cut({{w - 1, 0}, {0, h - 1}});
        break;
    case 3:
    case 4:
        cut({{0, 0}, {1, 0}, {0, 1}});
        cut({{w - 2, 0}, {w - 1, 0}, {w - 1, 1}});
        cut({{0, h - 1}, {1, h - 1}, {0, h - 2}});
        cut({{w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}});
        break;
    case 13:
        region = QRegion(0, 0, w, h, QRegion::Ellipse);
        break;
    default:
        break;
    }
    return region;
}

} // namespace tavirel::button
