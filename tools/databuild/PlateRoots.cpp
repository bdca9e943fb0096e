#include "PlateDrawing.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace tavirel::databuild::plate {

// ---- root, rhizome, tuber, bulb ----------------------------------------------------------------

void PlateArtist::paintRootBody(QPointF start, double angle, double length, double width,
                                const QColor& colour, bool crown)
{
    const QList<QPointF> spine = wander(start, angle, length, 0.035, 56);
    const double taper = m_rng.uniform(0.7, 1.2);
    const double shoulder = m_rng.uniform(0.0, 0.25);
    const auto widthAt = [&](double t) {
        return width * (0.06 + 0.94 * std::pow(1.0 - t, taper)) *
                   (1.0 + shoulder * std::sin(kPi * std::min(1.0, t * 3))) +
               0.6;
    };
    const Tube body = makeTube(spine, widthAt);
    const QList<QPointF> nm = normals(spine);
    const QColor hairColour = shade(colour, 0.85);

    // Rootlets first, so they seem to come from under the root.
    for (int k = m_rng.range(8, 18); k > 0; --k) {
        const int i = m_rng.range(8, int(spine.size()) - 4);
        const double s = m_rng.sign();
        const QPointF dir = unit(nm[i] * s + QPointF(0, 0.9));
        paintHair(spine[i] + nm[i] * s * body.widths[i] * 0.4, std::atan2(dir.y(), dir.x()),
                  m_rng.uniform(12, 42), m_rng.uniform(1.0, 1.8), hairColour);
    }
    // Side roots.
    for (int k = m_rng.range(1, 3); k > 0; --k) {
        const int i = m_rng.range(14, 38);
        const double inwards = spine[i].x() < m_area.center().x() ? 1.0 : -1.0;
        const QPointF along = spine[i + 1] - spine[i];
        // A positive turn is clockwise on the page: leftwards for a root growing downwards.
        double s = m_rng.chance(0.75) ? inwards : -inwards;
        if (along.y() > 0)
            s = -s;
        const double a = std::atan2((spine[i + 1] - spine[i]).y(), (spine[i + 1] - spine[i]).x()) +
                         s * m_rng.uniform(0.3, 0.7);
        const double w0 = body.widths[i] * m_rng.uniform(0.4, 0.6);
        const Tube branch =
            makeTube(wander(spine[i], a, length * m_rng.uniform(0.3, 0.5), 0.05, 36),
                     [&](double t) { return w0 * (1.0 - 0.9 * t) + 0.5; });
        TubeLook look;
        look.wrinkles = 3;
        paintTube(branch, varied(m_rng, colour, 3, 0.04, 0.05), look);
        for (int h = m_rng.range(2, 5); h > 0; --h) {
            const int j = m_rng.range(6, 30);
            paintHair(branch.spine[j], a + m_rng.uniform(-0.9, 0.9), m_rng.uniform(8, 24), 1.0,
                      hairColour);
        }
    }
    if (crown) {
        for (int k = m_rng.range(1, 3); k > 0; --k) {
            const double a = angle + kPi + m_rng.uniform(-0.5, 0.5);
            const double w = width * m_rng.uniform(0.2, 0.35);
            const Tube stub = makeTube(wander(start, a, m_rng.uniform(14, 26), 0.02, 10),
                                       [&](double) { return w; });
            TubeLook look;
            look.roundEnd = false;
            look.rings = 2;
            paintTube(stub, shade(colour, 0.8), look);
        }
    }
    TubeLook look;
    look.wrinkles = m_rng.range(5, 9);
    look.rings = m_rng.chance(0.5) ? m_rng.range(6, 14) : 0;
    look.ringAlpha = 60;
    paintTube(body, colour, look);
}

void PlateArtist::drawRoot()
{
    const int roots = m_rng.range(1, 3);
    const bool sliceLeft = m_rng.chance(0.5);
    const QRectF band = m_area.adjusted(20, 12, -20, -12);
    for (int i = 0; i < roots; ++i) {
        const double f = roots == 1 ? 0.5 : 0.3 + 0.4 * i / (roots - 1);
        const QPointF start(band.left() + band.width() * f + m_rng.uniform(-12, 12) +
                                (sliceLeft ? 15 : -15),
                            band.top() + m_rng.uniform(8, 40));
        const double angle = kPi / 2 + (f - 0.5) * 0.6 + m_rng.uniform(-0.2, 0.2);
        const double width = m_rng.uniform(22, 32) * (roots == 1 ? 1.3 : 1.0);
        paintRootBody(start, angle, band.height() * m_rng.uniform(0.75, 0.92), width,
                      varied(m_rng, m_colour, 4, 0.06, 0.06), true);
    }
    const double r = m_rng.uniform(34, 42);
    const QPointF c(sliceLeft ? band.left() + r + 2 : band.right() - r - 2,
                    band.bottom() - r - m_rng.uniform(0, 40));
    paintSection(c, r, 0.8, m_colour, mix(m_colour, kCream, 0.55), Section::Radial);
}

void PlateArtist::paintRhizomePiece(QPointF start, double angle, double length, double width,
                                    const QColor& colour)
{
    const QList<QPointF> spine = wander(start, angle, length, 0.05, 64);
    const int joints = m_rng.range(3, 6);
    const Tube body = makeTube(spine, [&](double t) {
        const double ends = std::min(1.0, t * 5 + 0.5) * std::min(1.0, (1 - t) * 5 + 0.45);
        return width * ends * (0.76 + 0.24 * std::abs(std::sin(kPi * joints * t + 0.4)));
    });
    const QList<QPointF> nm = normals(spine);
    const QColor hairColour = shade(colour, 0.8);
    for (int k = m_rng.range(8, 16); k > 0; --k) {
        const int i = m_rng.range(4, int(spine.size()) - 5);
        const double s = dot(nm[i], QPointF(0, 1)) > 0 ? 1.0 : -1.0;
        const QPointF dir = unit(nm[i] * s + QPointF(m_rng.uniform(-0.5, 0.5), 0.5));
        paintHair(spine[i] + nm[i] * s * body.widths[i] * 0.35, std::atan2(dir.y(), dir.x()),
                  m_rng.uniform(8, 30), m_rng.uniform(1.0, 1.6), hairColour);
    }
    // Stem bases standing up from the upper side, ending in a round scar.
    QList<QPair<QPointF, double>> scars;
    for (int k = m_rng.range(1, 3); k > 0; --k) {
        const int i = m_rng.range(10, int(spine.size()) - 10);
        const double s = dot(nm[i], QPointF(0, -1)) > 0 ? 1.0 : -1.0;
        const double w = body.widths[i] * m_rng.uniform(0.5, 0.7);
        const QPointF dir = nm[i] * s;
        const Tube knob = makeTube(
            wander(spine[i], std::atan2(dir.y(), dir.x()), body.widths[i] * 0.85, 0.02, 10),
            [&](double t) { return w * (1.0 - 0.15 * t); });
        TubeLook look;
        look.roundEnd = false;
        look.rings = 3;
        paintTube(knob, shade(colour, 0.95), look);
        scars.append({knob.spine.last(), w * 0.5});
    }
    TubeLook look;
    look.wrinkles = m_rng.range(3, 6);
    look.rings = joints * m_rng.range(3, 5) + 1;
    look.ringAlpha = 120;
    paintTube(body, colour, look);
    for (const auto& [c, r] : scars) {
        m_p.setPen(QPen(inkOf(colour), 0.6));
        m_p.setBrush(shade(colour, 0.7));
        m_p.drawEllipse(c, r, r * 0.55);
        m_p.setBrush(Qt::NoBrush);
        m_p.setPen(QPen(alpha(shade(colour, 1.3), 150), 0.5));
        m_p.drawEllipse(c, r * 0.55, r * 0.3);
    }
    // Scars of broken rootlets.
    m_p.setPen(Qt::NoPen);
    for (int k = m_rng.range(5, 12); k > 0; --k) {
        const int i = m_rng.range(3, int(spine.size()) - 4);
        const QPointF p = spine[i] + nm[i] * body.widths[i] * m_rng.uniform(-0.35, 0.35);
        m_p.setBrush(alpha(shade(colour, 0.5), 170));
        m_p.drawEllipse(p, 1.4, 1.1);
        m_p.setBrush(alpha(shade(colour, 1.3), 150));
        m_p.drawEllipse(p + QPointF(-0.5, -0.5), 0.6, 0.5);
    }
}

void PlateArtist::drawRhizome()
{
    const QRectF a = m_area;
    const bool flip = m_rng.chance(0.5);
    const double dir = flip ? kPi : 0.0;
    const double x0 = flip ? a.right() - 40 : a.left() + 40;
    paintRhizomePiece(QPointF(x0, a.top() + a.height() * m_rng.uniform(0.24, 0.3)),
                      dir + (flip ? -1 : 1) * m_rng.uniform(-0.15, 0.15),
                      a.width() * m_rng.uniform(0.72, 0.82), m_rng.uniform(34, 44), tint());
    paintRhizomePiece(QPointF(flip ? a.right() - 60 : a.left() + 60,
                              a.top() + a.height() * m_rng.uniform(0.52, 0.58)),
                      dir + (flip ? -1 : 1) * m_rng.uniform(-0.15, 0.2),
                      a.width() * m_rng.uniform(0.5, 0.65), m_rng.uniform(24, 32), tint());
    const double r = m_rng.uniform(28, 34);
    paintSection(QPointF(flip ? a.left() + r + 25 : a.right() - r - 25, a.bottom() - r - 16), r,
                 0.78, m_colour, mix(m_colour, kCream, 0.5), Section::Bundles);
    if (m_rng.chance(0.6))
        paintSection(QPointF(flip ? a.left() + 3 * r + 40 : a.right() - 3 * r - 40,
                             a.bottom() - r * 0.8 - 10),
                     r * 0.75, 0.8, m_colour, mix(m_colour, kCream, 0.45), Section::Bundles);
}

void PlateArtist::drawTuber()
{
    const QList<QPointF> spots = scatter(m_rng.range(3, 4), m_area.adjusted(75, 70, -75, -60), 125);
    const int cut = m_rng.range(0, int(spots.size()) - 1);
    const bool ringed = m_rng.chance(0.5);
    for (int k = 0; k < spots.size(); ++k) {
        const double rx = m_rng.uniform(46, 62), ry = rx * m_rng.uniform(0.55, 0.8);
        const double angle = m_rng.uniform(-0.6, 0.6);
        const QColor c = tint();
        const QList<QPointF> pts = blob(m_rng, spots[k], rx, ry, angle, 0.1);
        const QPainterPath body = smoothClosed(pts);
        paintBall(body, spots[k], rx, c);
        m_p.save();
        m_p.setClipPath(body);
        for (int w = m_rng.range(5, 10); w > 0; --w) {
            const QPointF p =
                spots[k] + QPointF(m_rng.uniform(-rx, rx), m_rng.uniform(-ry, ry)) * 0.8;
            QPainterPath wrinkle;
            wrinkle.moveTo(p);
            wrinkle.quadTo(p + polar(angle + m_rng.uniform(-0.6, 0.6), rx * 0.25) + QPointF(0, 3),
                           p + polar(angle + m_rng.uniform(-0.4, 0.4), rx * 0.5));
            m_p.strokePath(wrinkle, QPen(alpha(shade(c, 0.45), 100), 0.6));
        }
        m_p.setPen(Qt::NoPen);
        // Some tubers are ringed with rows of small dots (scars of scale leaves).
        for (int ring = 1; ringed && ring < 8; ++ring) {
            const double x = -rx + 2 * rx * ring / 8;
            for (double y = -ry; y <= ry; y += 3.2) {
                const QPointF local(x + 0.15 * rx * (1 - (y / ry) * (y / ry)), y);
                m_p.setBrush(alpha(shade(c, 0.45), 150));
                m_p.drawEllipse(spots[k] + QTransform().rotateRadians(angle).map(local), 0.9, 0.9);
            }
        }
        for (int e = m_rng.range(3, 7); e > 0; --e) {
            const QPointF p =
                spots[k] + QPointF(m_rng.uniform(-rx, rx), m_rng.uniform(-ry, ry)) * 0.7;
            m_p.setBrush(alpha(shade(c, 1.3), 160));
            m_p.drawEllipse(p + QPointF(0.6, 0.6), 2.2, 1.6);
            m_p.setBrush(alpha(shade(c, 0.4), 200));
            m_p.drawEllipse(p, 1.6, 1.1);
        }
        if (k == cut) {
            // Half of it sliced away: the horny, slightly translucent inside.
            QPainterPath face;
            face.addEllipse(spots[k] + QPointF(rx * 0.3, ry * 0.05), rx * 0.62, ry * 0.7);
            QRadialGradient g(spots[k] + QPointF(rx * 0.2, -ry * 0.2), rx);
            g.setColorAt(0, mix(c, kPale, 0.65));
            g.setColorAt(1, mix(c, kCream, 0.3));
            m_p.fillPath(face, g);
            m_p.strokePath(face, QPen(alpha(shade(c, 0.6), 160), 0.7));
            QPainterPath ring;
            ring.addEllipse(spots[k] + QPointF(rx * 0.3, ry * 0.05), rx * 0.45, ry * 0.5);
            m_p.strokePath(ring, QPen(alpha(shade(c, 0.7), 90), 0.5));
        }
        m_p.restore();
        if (m_rng.chance(0.5)) {
            // A bud at one end.
            const QPointF tip = spots[k] + QTransform().rotateRadians(angle).map(QPointF(-rx, 0));
            paintBud(tip + QPointF(4, 0), angle + kPi + m_rng.uniform(-0.3, 0.3), rx * 0.35, 7,
                     shade(c, 0.75));
        }
    }
}

void PlateArtist::drawBulb()
{
    if (pickForm({{"fritillar", "allii", "tulip"}, {"lili"}}) == 0) {
        // Small rounded bulbs, the outer scale embracing a smaller inner one.
        const QList<QPointF> spots =
            scatter(m_rng.range(4, 6), m_area.adjusted(60, 60, -60, -50), 110);
        for (const QPointF& p : spots) {
            const double h = m_rng.uniform(38, 56), w = h * m_rng.uniform(0.85, 1.05);
            const double angle = m_rng.uniform(-30, 30);
            const QColor c = tint(4, 0.1, 0.05);
            QTransform t;
            t.translate(p.x(), p.y());
            t.rotate(angle);
            const QPainterPath body =
                t.map(smoothClosed(teardrop(w, h, m_rng.uniform(0.45, 0.75))));
            paintBall(body, p, h, c);
            QPainterPath inner;
            const double s = m_rng.sign();
            inner.moveTo(0, h * 0.9);
            inner.cubicTo(s * w * 0.9, h * 0.3, s * w * 0.6, -h * 0.5, s * w * 0.05, -h * 0.9);
            inner.cubicTo(s * w * 0.1, -h * 0.3, -s * w * 0.1, h * 0.5, 0, h * 0.9);
            inner = t.map(inner);
            m_p.fillPath(inner, alpha(shade(c, 1.15), 200));
            strokeInk(inner, c, 0.6);
            m_p.setPen(Qt::NoPen);
            m_p.setBrush(alpha(shade(c, 0.55), 180));
            m_p.drawEllipse(t.map(QPointF(0, h * 0.92)), w * 0.25, w * 0.12);
        }
        return;
    }
    // Loose fleshy scales: thick, boat-shaped, with a few parallel veins and an incurved margin.
    for (const QPointF& p : scatter(m_rng.range(5, 7), m_area.adjusted(65, 65, -65, -70), 95)) {
        const double len = m_rng.uniform(85, 115), w = len * m_rng.uniform(0.26, 0.34);
        const double bow = m_rng.sign() * m_rng.uniform(0.3, 0.6) * w;
        const QColor c = tint(4, 0.12, 0.05);
        QTransform t;
        t.translate(p.x(), p.y());
        t.rotate(m_rng.uniform(-180, 180));
        const auto edge = [&](double side, double inset) {
            QPainterPath e;
            e.moveTo(-len / 2, 0);
            e.cubicTo(-len / 2 + len * 0.05, side * w * (1 - inset) + bow, len * 0.3,
                      side * w * 1.1 * (1 - inset) + bow, len / 2, bow * 1.5);
            return e;
        };
        QPainterPath scale = edge(1, 0);
        scale.connectPath(edge(-1, 0).toReversed());
        scale.closeSubpath();
        scale = t.map(scale);
        paintBall(scale, t.map(QPointF(0, bow)), len * 0.4, c);
        m_p.save();
        m_p.setClipPath(scale);
        for (int v = -2; v <= 2; ++v)
            m_p.strokePath(t.map(edge(v * 0.3, 0.1)), QPen(alpha(shade(c, 0.7), 110), 0.6));
        m_p.strokePath(t.map(edge(-1, 0.12)), QPen(alpha(shade(c, 1.35), 200), 1.6));
        m_p.restore();
        strokeInk(scale, c, 0.7);
    }
}

} // namespace tavirel::databuild::plate
