#include "PlateDrawing.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace tavirel::databuild::plate {

// ---- bark, stem, twig, whole -------------------------------------------------------------------

void PlateArtist::paintQuill(QPointF centre, double angle, double length, double width,
                             const QColor& colour)
{
    const QPointF dir = polar(angle, 1.0);
    const QList<QPointF> spine = bezier(
        centre - dir * length / 2, centre - dir * length / 6 + perp(dir) * m_rng.uniform(-4, 4),
        centre + dir * length / 6, centre + dir * length / 2, 40);
    const Tube tube =
        makeTube(spine, [&](double t) { return width * (1.0 + 0.05 * std::sin(7 * t)); });
    TubeLook look;
    look.wrinkles = m_rng.range(4, 8);
    look.roundStart = look.roundEnd = false;
    paintTube(tube, colour, look);
    const QPainterPath body = tubeOutline(tube, false, false);
    m_p.save();
    m_p.setClipPath(body);
    m_p.setPen(Qt::NoPen);
    // Lenticels and grey patches of the outer bark.
    for (int k = m_rng.range(14, 26); k > 0; --k) {
        const QPointF p = centre + dir * m_rng.uniform(-0.5, 0.5) * length +
                          perp(dir) * m_rng.uniform(-0.45, 0.45) * width;
        m_p.save();
        m_p.translate(p);
        m_p.rotate(angle * 180 / kPi + 90);
        m_p.setBrush(alpha(shade(colour, 0.5), 140));
        m_p.drawEllipse(QPointF(0, 0), 2.4, 0.7);
        m_p.restore();
    }
    for (int k = m_rng.range(1, 3); k > 0; --k) {
        const QPointF p = centre + dir * m_rng.uniform(-0.4, 0.4) * length;
        m_p.setBrush(QColor(150, 150, 140, 50));
        m_p.drawEllipse(p, width * 0.8, width * 0.4);
    }
    m_p.restore();
    // The cut end: the bark rolled up in a scroll.
    const QPointF end = spine.last();
    m_p.save();
    m_p.translate(end);
    m_p.rotate(angle * 180 / kPi);
    m_p.scale(0.42, 1.0);
    const double r = width / 2;
    const QColor inner = mix(colour, QColor(170, 80, 50), 0.35);
    m_p.setPen(QPen(inkOf(colour), 1.2));
    m_p.setBrush(shade(inner, 1.1));
    m_p.drawEllipse(QPointF(0, 0), r, r);
    QPainterPath spiral;
    for (int i = 0; i <= 80; ++i) {
        const double t = i / 80.0, a = -kPi / 2 + t * 3.4 * kPi;
        const QPointF p = polar(a, r * (0.95 - 0.7 * t));
        i == 0 ? spiral.moveTo(p) : spiral.lineTo(p);
    }
    m_p.setBrush(Qt::NoBrush);
    m_p.setPen(QPen(shade(colour, 0.4), 2.6));
    m_p.drawPath(spiral);
    m_p.restore();
}

void PlateArtist::paintBarkStrip(QPointF centre, double angle, double length, double width,
                                 const QColor& colour)
{
    const QTransform t = QTransform().translate(centre.x(), centre.y()).rotateRadians(angle);
    QList<QPointF> top, bottom;
    const int n = 20;
    for (int i = 0; i <= n; ++i) {
        const double x = -length / 2 + length * i / n, bow = 6 * std::sin(kPi * i / n);
        top.append(t.map(QPointF(x, -width / 2 - bow + m_rng.uniform(-1.5, 1.5))));
        bottom.append(t.map(QPointF(x, width / 2 - bow + m_rng.uniform(-1.5, 1.5))));
    }
    QPolygonF poly;
    for (const QPointF& p : top)
        poly << p;
    for (int k = 0; k < 4; ++k) // ragged broken end
        poly << t.map(
            QPointF(length / 2 + m_rng.uniform(-4, 4), -width / 2 + width * (k + 0.5) / 4));
    for (int i = n; i >= 0; --i)
        poly << bottom[i];
    const QPainterPath body = closedPath(poly);
    castShadow(body);
    QLinearGradient g(t.map(QPointF(0, -width / 2)), t.map(QPointF(0, width / 2)));
    g.setColorAt(0, shade(colour, 1.1));
    g.setColorAt(1, shade(colour, 0.75));
    m_p.fillPath(body, g);
    m_p.save();
    m_p.setClipPath(body);
    // The inner surface shows along the lower edge, the rough outer bark is fissured.
    QPolygonF rim;
    for (const QPointF& p : bottom)
        rim << p;
    for (int i = n; i >= 0; --i)
        rim << bottom[i] + QPointF(0, -width * 0.22);
    m_p.fillPath(closedPath(rim), mix(colour, QColor(176, 96, 64), 0.45));
    for (int k = m_rng.range(8, 14); k > 0; --k) {
        QPainterPath crack;
        QPointF p =
            t.map(QPointF(m_rng.uniform(-0.5, 0.5) * length, m_rng.uniform(-0.4, 0.2) * width));
        crack.moveTo(p);
        for (int s = 0; s < 4; ++s) {
            p += t.map(QPointF(m_rng.uniform(6, 14), m_rng.uniform(-3, 3))) - t.map(QPointF(0, 0));
            crack.lineTo(p);
        }
        m_p.strokePath(crack, QPen(alpha(shade(colour, 0.35), 150), m_rng.uniform(0.6, 1.3)));
    }
    m_p.restore();
    strokeInk(body, colour, 0.8);
}

void PlateArtist::drawBark()
{
    const QRectF a = m_area;
    const int quills = m_rng.range(2, 3);
    const double base = m_rng.uniform(-0.5, -0.2) * (m_rng.chance(0.5) ? 1 : -1);
    for (int k = 0; k < quills; ++k) {
        const QPointF c(a.center().x() + m_rng.uniform(-30, 30),
                        a.top() + a.height() * (0.22 + 0.16 * k) + m_rng.uniform(-8, 8));
        paintQuill(c, base + m_rng.uniform(-0.15, 0.15) + k * 0.12,
                   a.width() * m_rng.uniform(0.7, 0.85), m_rng.uniform(28, 38), tint());
    }
    for (int k = m_rng.range(1, 2); k > 0; --k)
        paintBarkStrip(QPointF(a.center().x() + m_rng.uniform(-40, 40),
                               a.bottom() - 40 - k * 45 + m_rng.uniform(-6, 6)),
                       m_rng.uniform(-0.25, 0.25), a.width() * m_rng.uniform(0.5, 0.75),
                       m_rng.uniform(30, 42), tint(4, 0.1, 0.1));
}

void PlateArtist::drawStem()
{
    const QRectF a = m_area;
    const int pieces = m_rng.range(3, 5);
    const double slope = m_rng.uniform(-0.5, 0.5);
    for (int k = 0; k < pieces; ++k) {
        const double w = m_rng.uniform(11, 22), len = m_rng.uniform(120, 220);
        const QPointF c(a.center().x() + m_rng.uniform(-40, 40),
                        a.top() + 40 + (a.height() * 0.62) * k / std::max(1, pieces - 1));
        const double angle = slope + m_rng.uniform(-0.2, 0.2);
        const QPointF d = polar(angle, len / 2);
        const Tube tube = makeTube(bezier(c - d, c - d / 3, c + d / 3, c + d, 40), [&](double t) {
            double bump = 0;
            for (double node : {0.33, 0.7})
                bump += 0.12 * std::exp(-std::pow((t - node) / 0.025, 2));
            return w * (1.0 + bump);
        });
        TubeLook look;
        look.roundStart = look.roundEnd = false;
        look.rings = 0;
        paintTube(tube, tint(), look);
        // Ribs along the stem and the nodes.
        const QList<QPointF> nm = normals(tube.spine);
        m_p.save();
        m_p.setClipPath(tubeOutline(tube, false, false));
        for (int r = -2; r <= 2; ++r) {
            QPainterPath rib;
            for (int i = 0; i < tube.spine.size(); ++i) {
                const QPointF p = tube.spine[i] + nm[i] * r * 0.19 * tube.widths[i];
                i == 0 ? rib.moveTo(p) : rib.lineTo(p);
            }
            m_p.strokePath(rib, QPen(alpha(shade(m_colour, 0.5), 90), 0.6));
            m_p.strokePath(rib.translated(kLight * 0.8),
                           QPen(alpha(shade(m_colour, 1.4), 70), 0.5));
        }
        for (double node : {0.33, 0.7}) {
            const int i = int(node * (tube.spine.size() - 1));
            m_p.setPen(QPen(alpha(shade(m_colour, 0.4), 180), 1.1));
            m_p.drawLine(tube.spine[i] + nm[i] * tube.widths[i] * 0.6,
                         tube.spine[i] - nm[i] * tube.widths[i] * 0.6);
        }
        m_p.restore();
        m_p.save();
        m_p.translate(tube.spine.last());
        m_p.rotate(angle * 180 / kPi);
        m_p.scale(0.35, 1.0);
        m_p.setPen(QPen(inkOf(m_colour), 1.6));
        m_p.setBrush(mix(m_colour, kCream, 0.6));
        m_p.drawEllipse(QPointF(0, 0), w / 2, w / 2);
        m_p.setBrush(mix(m_colour, kPale, 0.75));
        m_p.setPen(Qt::NoPen);
        m_p.drawEllipse(QPointF(0, 0), w * 0.22, w * 0.22);
        m_p.restore();
    }
    const QList<QPointF> slices =
        scatter(m_rng.range(2, 4), QRectF(a.left() + 40, a.bottom() - 70, a.width() - 80, 40), 60);
    const Section kind = m_rng.chance(0.5) ? Section::Rings : Section::Pith;
    for (const QPointF& p : slices)
        paintSection(p, m_rng.uniform(18, 26), m_rng.uniform(0.6, 0.85), tint(),
                     mix(m_colour, kCream, 0.5), kind);
}

void PlateArtist::drawTwig()
{
    const QRectF a = m_area;
    const QColor bark = tint();
    const QPointF start(a.left() + a.width() * m_rng.uniform(0.2, 0.4), a.bottom() - 90);
    const QPointF end(a.left() + a.width() * m_rng.uniform(0.55, 0.8), a.top() + 20);
    const QList<QPointF> spine = bezier(start, start + QPointF(m_rng.uniform(-40, 40), -100),
                                        end + QPointF(m_rng.uniform(-50, 50), 100), end, 60);
    const Tube main = makeTube(spine, [](double t) { return 13.0 - 8.0 * t; });
    const QList<QPointF> nm = normals(spine);
    QList<QPair<QPointF, double>> buds;
    for (int k = 0; k < 5; ++k) {
        const int i = 10 + k * 9 + m_rng.range(-2, 2);
        const double s = k % 2 ? 1.0 : -1.0;
        const QPointF t = unit(spine[i + 1] - spine[i]);
        const QPointF dir = unit(t + nm[i] * s * m_rng.uniform(0.7, 1.1));
        const double w = main.widths[i] * 0.6;
        if (k < 4 && m_rng.chance(0.8)) {
            const Tube branch = makeTube(
                wander(spine[i], std::atan2(dir.y(), dir.x()), m_rng.uniform(50, 95), 0.04, 30),
                [&](double t) { return w * (1.0 - 0.5 * t); });
            TubeLook look;
            look.wrinkles = 2;
            paintTube(branch, varied(m_rng, bark, 3, 0.05, 0.05), look);
            buds.append({branch.spine.last(), std::atan2(dir.y(), dir.x())});
        } else {
            buds.append(
                {spine[i] + nm[i] * s * main.widths[i] * 0.4, std::atan2(dir.y(), dir.x())});
        }
    }
    TubeLook look;
    look.wrinkles = 4;
    look.rings = 5;
    look.ringAlpha = 70;
    look.roundStart = false;
    paintTube(main, bark, look);
    buds.append(
        {spine.last(), std::atan2((spine.last() - spine[58]).y(), (spine.last() - spine[58]).x())});
    for (const auto& [p, angle] : buds)
        paintBud(p, angle, m_rng.uniform(11, 16), 7, shade(bark, 0.85));
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(alpha(mix(bark, kPale, 0.5), 160));
    for (int k = 0; k < 20; ++k) {
        const int i = m_rng.range(2, 56);
        m_p.drawEllipse(spine[i] + nm[i] * main.widths[i] * m_rng.uniform(-0.3, 0.3), 0.9, 0.5);
    }
    // Cut pieces as sold.
    for (const QPointF& p : scatter(
             m_rng.range(3, 5), QRectF(a.left() + 30, a.bottom() - 60, a.width() - 60, 40), 50)) {
        const double angle = m_rng.uniform(-0.6, 0.6), len = m_rng.uniform(40, 60);
        const double w = m_rng.uniform(8, 11);
        const QPointF d = polar(angle, len / 2);
        const Tube piece =
            makeTube(bezier(p - d, p - d / 3, p + d / 3, p + d, 16), [&](double) { return w; });
        TubeLook cut;
        cut.roundStart = cut.roundEnd = false;
        cut.wrinkles = 2;
        paintTube(piece, varied(m_rng, bark, 3, 0.05, 0.05), cut);
        m_p.setPen(QPen(inkOf(bark), 0.5));
        m_p.setBrush(mix(bark, kCream, 0.55));
        m_p.save();
        m_p.translate(p + d);
        m_p.rotate(angle * 180 / kPi);
        m_p.drawEllipse(QPointF(0, 0), w * 0.2, w * 0.5);
        m_p.restore();
    }
}

void PlateArtist::drawWhole()
{
    const QRectF a = m_area;
    const QColor leaf = m_colour;
    const QColor stem = mix(m_colour, QColor(120, 96, 60), 0.4);
    const QColor root = mix(m_colour, QColor(150, 112, 70), 0.75);
    const QPointF base(a.center().x() + m_rng.uniform(-25, 25), a.bottom() - 75);
    // Roots.
    for (int k = m_rng.range(7, 12); k > 0; --k) {
        const double angle = kPi / 2 + m_rng.uniform(-0.9, 0.9);
        paintHair(base + QPointF(m_rng.uniform(-4, 4), 2), angle, m_rng.uniform(30, 70),
                  m_rng.uniform(1.6, 3.2), varied(m_rng, root, 4, 0.08, 0.08));
    }
    paintRootBody(base, kPi / 2 + m_rng.uniform(-0.2, 0.2), m_rng.uniform(50, 70), 9, root, false);
    // Basal leaves and the stem with its alternate leaves.
    LeafForm form = randomLeafForm(m_rng);
    const double length = m_rng.uniform(72, 92);
    for (int k = m_rng.range(2, 3); k > 0; --k) {
        const double s = k % 2 ? 1.0 : -1.0;
        form.bend = -s * 0.1;
        paintLeaf(base, -kPi / 2 + s * m_rng.uniform(0.9, 1.3), length, form,
                  varied(m_rng, leaf, 5, 0.1, 0.08));
    }
    const QPointF top(base.x() + m_rng.uniform(-40, 40), a.top() + 62);
    const QList<QPointF> spine = bezier(base, base + QPointF(m_rng.uniform(-30, 30), -100),
                                        top + QPointF(m_rng.uniform(-30, 30), 80), top, 50);
    TubeLook look;
    look.wrinkles = 2;
    paintTube(makeTube(spine, [](double t) { return 5.0 - 2.8 * t; }), stem, look);
    const int leaves = m_rng.range(3, 6);
    for (int k = 0; k < leaves; ++k) {
        const int i = 10 + 34 * k / leaves;
        const double s = k % 2 ? 1.0 : -1.0;
        const double up = std::atan2((spine[i + 1] - spine[i]).y(), (spine[i + 1] - spine[i]).x());
        form.bend = s * 0.06;
        paintLeaf(spine[i], up + s * m_rng.uniform(0.6, 1.0), length * (1.0 - 0.45 * k / leaves),
                  form, varied(m_rng, leaf, 5, 0.1, 0.08));
    }
    // Flowers at the top, in a hue of their own.
    const QColor flower = varied(
        m_rng, m_rng.chance(0.5) ? QColor(150, 110, 170) : QColor(220, 190, 90), 20, 0.2, 0.1);
    if (m_rng.chance(0.5)) {
        for (int k = 0; k < 3; ++k)
            paintFlowerHead(
                top + QPointF((k - 1) * 30, std::abs(k - 1) * 14 + m_rng.uniform(-4, 4)),
                m_rng.uniform(16, 22), m_rng.uniform(0.6, 0.9), m_rng.uniform(-20, 20), flower, 14);
    } else {
        for (int k = 0; k < 9; ++k) {
            const QPointF p = top + QPointF(m_rng.uniform(-8, 8), -k * 6.5 + 14);
            paintBud(p, -kPi / 2 + (k % 2 ? 0.7 : -0.7), 14, 7, varied(m_rng, flower, 6, 0.1, 0.1));
        }
    }
}

} // namespace tavirel::databuild::plate
