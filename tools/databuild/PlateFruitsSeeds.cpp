#include "PlateDrawing.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace tavirel::databuild::plate {

// ---- fruit, seed, peel -------------------------------------------------------------------------

void PlateArtist::drawFruit()
{
    const QRectF a = m_area;
    const bool oblong = m_rng.chance(0.45);
    const double size = m_rng.uniform(18, 34);
    const int count = std::clamp(int(9000 / (size * size)), 4, 14);
    const double reach = size * (oblong ? 1.75 : 1.1);
    const QList<QPointF> spots =
        scatter(count, a.adjusted(reach + 8, reach + 8, -reach - 8, -reach - 70), reach * 1.9);
    const QColor stalk = mix(m_colour, QColor(100, 80, 50), 0.7);
    for (const QPointF& p : spots) {
        const QColor c = tint(5, 0.08, 0.1);
        const double angle = m_rng.uniform(-kPi, kPi);
        const double rx = size * (oblong ? m_rng.uniform(1.3, 1.7) : m_rng.uniform(0.92, 1.05));
        const double ry = size * m_rng.uniform(0.88, 1.0);
        const QPainterPath body = smoothClosed(blob(m_rng, p, rx, ry, angle, 0.04));
        paintBall(body, p, std::max(rx, ry), c, true);
        m_p.save();
        m_p.setClipPath(body);
        for (int w = m_rng.range(3, 7); w > 0; --w) {
            const QPointF q = p + QPointF(m_rng.uniform(-rx, rx), m_rng.uniform(-ry, ry)) * 0.6;
            QPainterPath wrinkle;
            wrinkle.moveTo(q);
            wrinkle.quadTo(q + polar(angle + m_rng.uniform(-1, 1), rx * 0.3),
                           q + polar(angle + m_rng.uniform(-0.5, 0.5), rx * 0.6));
            m_p.strokePath(wrinkle, QPen(alpha(shade(c, 0.4), 110), 0.7));
            m_p.strokePath(wrinkle.translated(-0.8, -0.8), QPen(alpha(shade(c, 1.4), 70), 0.5));
        }
        m_p.restore();
        const QPointF end = p + QTransform().rotateRadians(angle).map(QPointF(rx * 0.95, 0));
        if (m_rng.chance(0.6)) {
            paintTube(makeTube(wander(end, angle + m_rng.uniform(-0.4, 0.4), size * 0.6, 0.1, 10),
                               [](double t) { return 2.4 - t; }),
                      stalk);
        } else {
            m_p.setPen(QPen(inkOf(c), 0.5));
            m_p.setBrush(shade(c, 0.55));
            m_p.drawEllipse(end - polar(angle, 2), 3.2, 3.2);
        }
    }
    // One fruit cut across to show the seeds.
    const double r = size * 1.25;
    const QPointF c(m_rng.chance(0.5) ? a.left() + r + 30 : a.right() - r - 30,
                    a.bottom() - r - 10);
    QPainterPath skin;
    skin.addEllipse(c, r, r * 0.85);
    QPainterPath flesh;
    flesh.addEllipse(c, r * 0.88, r * 0.85 * 0.88);
    castShadow(skin);
    m_p.fillPath(skin, shade(m_colour, 0.8));
    QRadialGradient g(c, r);
    g.setColorAt(0, mix(m_colour, kCream, 0.75));
    g.setColorAt(1, mix(m_colour, kCream, 0.4));
    m_p.fillPath(flesh, g);
    const int seeds = m_rng.range(2, 6);
    const double seedAspect = m_rng.uniform(0.5, 0.75);
    for (int k = 0; k < seeds; ++k) {
        const double angle = 2 * kPi * k / seeds + m_rng.uniform(-0.2, 0.2);
        paintSeed(c + QPointF(std::cos(angle) * r * 0.42, std::sin(angle) * r * 0.36),
                  r * (seeds > 3 ? 0.2 : 0.28), seedAspect, angle, QColor(110, 72, 40), false);
    }
    strokeInk(skin, m_colour, 0.8);
}

void PlateArtist::paintSeed(QPointF centre, double size, double aspect, double angle,
                            const QColor& colour, bool detailed)
{
    m_p.save();
    m_p.translate(centre);
    m_p.rotate(angle * 180 / kPi);
    const double rx = size, ry = size * aspect;
    QPainterPath seed;
    seed.addEllipse(QPointF(0, 0), rx, ry);
    if (detailed)
        castShadow(seed);
    else
        m_p.fillPath(seed.translated(size * 0.15, size * 0.2), QColor(80, 55, 30, 50));
    // The gradient is placed in seed coordinates; the light is rotated along with the seed.
    const QPointF light = QTransform().rotateRadians(-angle).map(kLight);
    QRadialGradient g(light * size * 0.35, size * 1.3, light * size * 0.55);
    g.setColorAt(0, shade(colour, 1.45));
    g.setColorAt(0.35, shade(colour, 1.05));
    g.setColorAt(1, shade(colour, 0.5));
    m_p.fillPath(seed, g);
    // The hilum: a small scar at one end.
    m_p.setPen(QPen(alpha(shade(colour, 0.4), 200), std::max(0.4, size * 0.06)));
    m_p.drawLine(QPointF(rx * 0.62, -ry * 0.15), QPointF(rx * 0.92, 0));
    if (detailed) {
        m_p.setPen(QPen(alpha(shade(colour, 0.55), 120), 0.7));
        QPainterPath raphe;
        raphe.moveTo(rx * 0.9, 0);
        raphe.quadTo(0, ry * 0.55, -rx * 0.85, ry * 0.1);
        m_p.drawPath(raphe);
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(alpha(shade(colour, 0.6), 70));
        for (int k = 0; k < 60; ++k) {
            const double a = m_rng.uniform(0, 2 * kPi), r = std::sqrt(m_rng.uniform(0, 0.8));
            m_p.drawEllipse(QPointF(std::cos(a) * rx * r, std::sin(a) * ry * r), 1.0, 1.0);
        }
    }
    m_p.strokePath(seed, QPen(inkOf(colour), detailed ? 0.9 : 0.45));
    m_p.restore();
}

void PlateArtist::drawSeed()
{
    const QRectF a = m_area;
    const double size = m_rng.uniform(4.5, 8.0);
    const double aspect = m_rng.chance(0.3) ? m_rng.uniform(0.85, 1.0) : m_rng.uniform(0.45, 0.75);
    const QPointF foot(a.center().x() + m_rng.uniform(-12, 12), a.bottom() - 24);
    const double hx = a.width() * m_rng.uniform(0.33, 0.39),
                 hy = a.height() * m_rng.uniform(0.36, 0.46);

    QPainterPath mound;
    mound.moveTo(foot + QPointF(-hx, 0));
    mound.cubicTo(foot + QPointF(-hx * 0.5, -hy * 0.25), foot + QPointF(-hx * 0.4, -hy * 1.25),
                  foot + QPointF(0, -hy));
    mound.cubicTo(foot + QPointF(hx * 0.4, -hy * 1.25), foot + QPointF(hx * 0.5, -hy * 0.25),
                  foot + QPointF(hx, 0));
    mound.closeSubpath();
    m_p.fillPath(mound.translated(6, 6), QColor(92, 64, 36, 40));
    m_p.fillPath(mound, shade(m_colour, 0.5));

    QList<QPointF> spots;
    const double area = hx * hy * 1.3;
    const int count = std::clamp(int(area / (size * size * aspect * 1.9)), 60, 900);
    const QRectF box(foot.x() - hx, foot.y() - hy * 1.02, hx * 2, hy * 1.02);
    while (spots.size() < count) {
        const QPointF p(m_rng.uniform(box.left(), box.right()),
                        m_rng.uniform(box.top(), box.bottom()));
        if (mound.contains(p))
            spots.append(p);
    }
    std::sort(spots.begin(), spots.end(),
              [](const QPointF& l, const QPointF& r) { return l.y() < r.y(); });
    for (const QPointF& p : spots)
        paintSeed(p, size * m_rng.uniform(0.88, 1.1), aspect, m_rng.uniform(-kPi, kPi),
                  varied(m_rng, m_colour, 4, 0.08, 0.1), false);
    // Stragglers that rolled off the heap.
    for (int k = m_rng.range(6, 12); k > 0; --k) {
        const double s = m_rng.sign();
        const QPointF p = foot + QPointF(s * hx * m_rng.uniform(0.9, 1.15), m_rng.uniform(-4, 12));
        paintSeed(p, size, aspect, m_rng.uniform(-kPi, kPi), varied(m_rng, m_colour, 4, 0.08, 0.1),
                  false);
    }
    // A magnified seed in a roundel, as the old plates show detail.
    const double r = m_rng.uniform(56, 64);
    const QPointF c(m_rng.chance(0.5) ? a.left() + r + 4 : a.right() - r - 4, a.top() + r + 4);
    m_p.setPen(QPen(kSepia, 1.0));
    m_p.setBrush(mix(kPaper, kPale, 0.5));
    m_p.drawEllipse(c, r, r);
    m_p.setPen(QPen(kSepia, 0.4));
    m_p.setBrush(Qt::NoBrush);
    m_p.drawEllipse(c, r - 3, r - 3);
    const double big = r * (aspect > 0.8 ? 0.4 : 0.5);
    paintSeed(c + QPointF(-r * 0.18, -r * 0.12), big, aspect, m_rng.uniform(-0.5, 0.2), m_colour,
              true);
    paintSeed(c + QPointF(r * 0.38, r * 0.42), big * 0.55, std::max(0.3, aspect * 0.5),
              m_rng.uniform(-0.8, -0.3), m_colour, true);
}

void PlateArtist::paintRind(QPointF centre, double angle, double length, double width,
                            bool hollowUp)
{
    const QColor outer = tint(5, 0.08, 0.08);
    const QColor inner = mix(outer, QColor(240, 226, 190), 0.72);
    const QTransform t = QTransform().translate(centre.x(), centre.y()).rotateRadians(angle);
    // A boat-shaped piece of rind; lying hollow side up it shows the pale pith inside the rim.
    QPainterPath piece;
    piece.moveTo(0, 0);
    piece.cubicTo(length * 0.2, -width * 0.7, length * 0.75, -width * 0.75, length,
                  m_rng.uniform(-0.1, 0.1) * width);
    piece.cubicTo(length * 0.75, width * 0.75, length * 0.2, width * 0.7, 0, 0);
    piece = t.map(piece);
    const QPointF mid = t.map(QPointF(length / 2, 0));
    paintBall(piece, mid, length / 2, outer);
    m_p.save();
    m_p.setClipPath(piece);
    m_p.setPen(Qt::NoPen);
    if (hollowUp) {
        QPainterPath hollow;
        hollow.moveTo(length * 0.1, width * 0.05);
        hollow.cubicTo(length * 0.3, -width * 0.45, length * 0.75, -width * 0.5, length * 0.93,
                       width * 0.05);
        hollow.cubicTo(length * 0.75, width * 0.62, length * 0.3, width * 0.58, length * 0.1,
                       width * 0.05);
        hollow = t.map(hollow);
        QRadialGradient g(mid + QPointF(3, 4), length / 2);
        g.setColorAt(0, shade(inner, 1.06));
        g.setColorAt(1, shade(inner, 0.8));
        m_p.fillPath(hollow, g);
        m_p.strokePath(hollow, QPen(alpha(shade(outer, 0.6), 180), 0.8));
        m_p.setBrush(alpha(shade(inner, 0.78), 110));
        for (int k = 0; k < 50; ++k)
            m_p.drawEllipse(t.map(QPointF(m_rng.uniform(0.2, 0.85) * length,
                                          m_rng.uniform(-0.25, 0.35) * width)),
                            0.8, 0.8);
    } else {
        // The outer face is pitted with oil glands.
        for (int k = 0; k < int(length); ++k) {
            const QPointF q = t.map(
                QPointF(m_rng.uniform(0.05, 0.95) * length, m_rng.uniform(-0.45, 0.45) * width));
            m_p.setBrush(alpha(shade(outer, 1.3), 120));
            m_p.drawEllipse(q + QPointF(0.5, 0.5), 1.2, 1.2);
            m_p.setBrush(alpha(shade(outer, 0.5), 170));
            m_p.drawEllipse(q, 0.9, 0.9);
        }
    }
    m_p.restore();
}

void PlateArtist::drawPeel()
{
    const QRectF a = m_area;
    if (m_rng.chance(0.6)) {
        // A whole peel opened out into lobes from the stalk end.
        const QPointF c(a.center().x() + m_rng.uniform(-20, 20), a.top() + a.height() * 0.36);
        const int lobes = m_rng.range(3, 4);
        const double turn = m_rng.uniform(0, 2 * kPi);
        for (int k = 0; k < lobes; ++k)
            paintRind(c, turn + 2 * kPi * k / lobes + m_rng.uniform(-0.2, 0.2),
                      m_rng.uniform(95, 120), m_rng.uniform(60, 75), true);
        m_p.setPen(QPen(inkOf(m_colour), 0.6));
        m_p.setBrush(shade(m_colour, 0.6));
        m_p.drawEllipse(c, 5, 5);
        for (const QPointF& p :
             scatter(m_rng.range(2, 3), QRectF(a.left() + 30, a.bottom() - 90, a.width() - 130, 50),
                     100))
            paintRind(p, m_rng.uniform(-0.5, 0.5), m_rng.uniform(80, 100), m_rng.uniform(40, 50),
                      m_rng.chance(0.5));
        return;
    }
    for (const QPointF& p : scatter(m_rng.range(4, 5), a.adjusted(20, 50, -140, -60), 90))
        paintRind(p, m_rng.uniform(-0.7, 0.7), m_rng.uniform(95, 130), m_rng.uniform(45, 62),
                  m_rng.chance(0.6));
}

} // namespace tavirel::databuild::plate
