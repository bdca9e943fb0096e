#pragma once

#include "ButtonRecord.h"

#include <QPoint>

class QImage;
class QRegion;

namespace tavirel::button {

// The drawing primitives of the button, pixel-exact on its persistent image. Every primitive
// clips to the image.
class Surface
{
public:
    explicit Surface(QImage& image) : m_image(image) {}

    QImage& image() { return m_image; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    // (x, y)-(x + width, y + height), right and bottom exclusive: a 1-pixel outline on the
    // rectangle's inside edge when frameOnly, otherwise filled.
    void DrawRect(int x, int y, int width, int height, Rgb colour, bool frameOnly);
    // An ellipse in the box (x, y)-(x + width, y + height), outlined with a 2-pixel pen.
    void DrawEllipse(int x, int y, int width, int height, Rgb penColour, Rgb fillColour);
    // A 1-pixel line from (x1, y1) towards (x2, y2); the end point itself is not drawn.
    void DrawLine(int x1, int y1, int x2, int y2, Rgb colour);
    void PutPixel(int x, int y, Rgb colour);
    Rgb pixel(int x, int y) const;

    // The current pen position, for lines drawn on from the end of the last one.
    void moveTo(int x, int y) { m_pen = QPoint(x, y); }
    void lineTo(int x, int y, Rgb colour);

    // Two-ring bevel: the outer ring on the pixels |offset| in from the edges (offset 0: the
    // outermost pixels), the inner ring one further in unless outerOnly.
    void DrawFrame(Rgb hiOuter, Rgb shOuter, Rgb hiInner, Rgb shInner, int offset, bool outerOnly);

    // The dotted, inverting focus rectangle on the inside edge of r.
    void invertDotted(const Rect& r);

private:
    QImage& m_image;
    QPoint m_pen;
};

// The window shape of a style at a size.
QRegion MakeRegion(int buttonType, int width, int height);

} // namespace tavirel::button
