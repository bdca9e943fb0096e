#include "PlateDrawing.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace tavirel::databuild::plate {

// ---- resin, fungus, mineral, shell -------------------------------------------------------------

void PlateArtist::paintTear(QPointF centre, double size, double angle, const QColor& colour,
                            bool dusty)
{
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(angle);
    const QPainterPath tear = t.map(smoothClosed(
        m_rng.chance(0.5) ? teardrop(size * 0.7, size, m_rng.uniform(0.6, 1.4))
                          : blob(m_rng, QPointF(0, 0), size * 0.8, size * 0.65, 0, 0.12)));
    castShadow(tear);
    QRadialGradient g(centre + kLight * size * 0.2, size * 1.2);
    g.setColorAt(0, alpha(shade(colour, 1.1), 235));
    g.setColorAt(0.7, alpha(colour, 240));
    g.setColorAt(1, alpha(shade(colour, 0.6), 245));
    m_p.fillPath(tear, g);
    m_p.save();
    m_p.setClipPath(tear);
    // Light passing through glows on the side away from the lamp.
    QRadialGradient glow(centre - kLight * size * 0.45, size * 0.6);
    glow.setColorAt(0, alpha(shade(colour, 1.45), 150));
    glow.setColorAt(1, alpha(colour, 0));
    m_p.fillPath(tear, glow);
    if (dusty) {
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(QColor(250, 244, 225, 90));
        for (int k = 0; k < int(size * 3); ++k)
            m_p.drawEllipse(
                centre + QPointF(m_rng.uniform(-size, size), m_rng.uniform(-size, size)), 0.8, 0.8);
    }
    m_p.restore();
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(QColor(255, 255, 248, 170));
    m_p.drawEllipse(centre + kLight * size * 0.4, size * 0.16, size * 0.1);
    m_p.setBrush(QColor(255, 255, 255, 220));
    m_p.drawEllipse(centre + kLight * size * 0.4 + QPointF(-1, -0.5), size * 0.05, size * 0.04);
    strokeInk(tear, colour, 0.6);
}

void PlateArtist::drawResin()
{
    const bool dusty = m_rng.chance(0.5);
    for (const QPointF& p : scatter(m_rng.range(6, 9), m_area.adjusted(55, 55, -55, -55), 100))
        paintTear(p, m_rng.uniform(26, 44), m_rng.uniform(-50, 50), tint(5, 0.1, 0.08), dusty);
}

void PlateArtist::paintCap(QPointF attach, double radius, double angle, const QColor& colour)
{
    // A kidney-shaped bracket cap seen obliquely, zoned with growth rings, lacquered.
    const double notch = kPi / 2;
    const double squash = m_rng.uniform(0.6, 0.8);
    QList<QPointF> pts;
    double wobble[3];
    for (double& w : wobble)
        w = m_rng.uniform(0, 2 * kPi);
    const auto outlineAt = [&](double scale) {
        QList<QPointF> out;
        for (int i = 0; i < 64; ++i) {
            const double t = 2 * kPi * i / 64;
            const double d = std::remainder(t - notch, 2 * kPi);
            double r =
                radius * (1.0 - 0.55 * std::exp(-d * d / 0.25)) *
                (1.0 + 0.04 * std::sin(3 * t + wobble[0]) + 0.03 * std::sin(5 * t + wobble[1]));
            const QPointF p(std::cos(t) * r, std::sin(t) * r * squash - radius * 0.1);
            out.append(QPointF(0, radius * 0.35) + (p - QPointF(0, radius * 0.35)) * scale);
        }
        return out;
    };
    QTransform t;
    t.translate(attach.x(), attach.y());
    t.rotateRadians(angle);
    t.translate(0, -radius * 0.35);
    // Stalk.
    const QPointF stalkTop = t.map(QPointF(0, radius * 0.35));
    paintTube(makeTube(wander(stalkTop, angle + kPi / 2 + m_rng.uniform(-0.3, 0.3), radius * 0.6,
                              0.06, 20),
                       [&](double tt) { return radius * (0.22 - 0.05 * tt); }),
              shade(colour, 0.7));
    const QPainterPath cap = t.map(smoothClosed(outlineAt(1.0)));
    castShadow(cap);
    QRadialGradient g(stalkTop, radius * 1.1);
    g.setColorAt(0, shade(colour, 0.5));
    g.setColorAt(0.75, colour);
    g.setColorAt(0.92, mix(colour, QColor(200, 160, 90), 0.5));
    g.setColorAt(1, QColor(226, 200, 140));
    m_p.fillPath(cap, g);
    m_p.save();
    m_p.setClipPath(cap);
    for (double s = 0.35; s < 0.95; s += m_rng.uniform(0.07, 0.12)) {
        const QPainterPath zone = t.map(smoothClosed(outlineAt(s)));
        m_p.strokePath(zone, QPen(alpha(shade(colour, 0.45), 130), 1.2));
        m_p.strokePath(zone.translated(0.8, 1.2), QPen(alpha(shade(colour, 1.3), 80), 0.6));
    }
    QPainterPath gloss;
    gloss.addEllipse(t.map(QPointF(-radius * 0.35, -radius * 0.35)), radius * 0.35, radius * 0.12);
    m_p.fillPath(gloss, QColor(255, 250, 235, 70));
    m_p.restore();
    strokeInk(cap, colour, 0.9);
}

void PlateArtist::paintCube(QPointF centre, double size, double angle, const QColor& colour)
{
    // A diced cube in cabinet projection: lit top, two shaded sides.
    const QPointF x = polar(angle, size), y = polar(angle - 0.75, size * 0.5), z(0, -size);
    const QPointF o = centre - (x + y + z) / 2;
    const QPolygonF front{o, o + x, o + x + z, o + z};
    const QPolygonF side{o + x, o + x + y, o + x + y + z, o + x + z};
    const QPolygonF top{o + z, o + x + z, o + x + y + z, o + y + z};
    QPainterPath all = closedPath(front).united(closedPath(side)).united(closedPath(top));
    castShadow(all);
    m_p.setPen(QPen(inkOf(colour), 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_p.setBrush(shade(colour, 0.9));
    m_p.drawPolygon(front);
    m_p.setBrush(shade(colour, 0.75));
    m_p.drawPolygon(side);
    m_p.setBrush(shade(colour, 1.08));
    m_p.drawPolygon(top);
}

void PlateArtist::drawFungus()
{
    const QRectF a = m_area;
    // Dark drugs are the lacquered bracket caps; pale ones the sclerotium, sold diced.
    if (m_colour.lightness() < 150) {
        paintCap(QPointF(a.center().x() - 30 + m_rng.uniform(-10, 10), a.top() + a.height() * 0.42),
                 m_rng.uniform(95, 115), m_rng.uniform(-0.3, 0.3), tint());
        paintCap(QPointF(a.center().x() + 50 + m_rng.uniform(-10, 10), a.bottom() - 80),
                 m_rng.uniform(55, 70), m_rng.uniform(-0.5, 0.5), tint());
        return;
    }
    // Sclerotium: a rough, dark-skinned lump, and the pale flesh diced.
    const QColor skin = mix(QColor(96, 66, 42), m_colour, 0.2);
    const QPointF c(a.center().x() + m_rng.uniform(-20, 20), a.top() + a.height() * 0.33);
    const double r = m_rng.uniform(80, 95);
    const QPainterPath lump =
        smoothClosed(blob(m_rng, c, r, r * 0.78, m_rng.uniform(-0.3, 0.3), 0.1));
    paintBall(lump, c, r, skin);
    m_p.save();
    m_p.setClipPath(lump);
    for (int k = 0; k < 70; ++k) {
        const QPointF p = c + QPointF(m_rng.uniform(-r, r), m_rng.uniform(-r, r));
        QPainterPath w;
        w.moveTo(p);
        w.quadTo(p + QPointF(m_rng.uniform(-8, 8), m_rng.uniform(-8, 8)),
                 p + QPointF(m_rng.uniform(-14, 14), m_rng.uniform(-10, 10)));
        m_p.strokePath(w, QPen(alpha(shade(skin, 0.4), 150), 0.8));
        m_p.strokePath(w.translated(-0.8, -0.8), QPen(alpha(shade(skin, 1.5), 70), 0.5));
    }
    // Where a piece has been broken off, the pale flesh shows.
    const QPainterPath face =
        smoothClosed(blob(m_rng, c + QPointF(r * 0.55, r * 0.4), r * 0.55, r * 0.4, -0.5, 0.15));
    QRadialGradient g(c + QPointF(r * 0.3, r * 0.2), r * 0.8);
    g.setColorAt(0, mix(m_colour, kPale, 0.4));
    g.setColorAt(1, shade(m_colour, 0.85));
    m_p.fillPath(face, g);
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(alpha(shade(m_colour, 0.75), 120));
    for (int k = 0; k < 50; ++k)
        m_p.drawEllipse(c + QPointF(r * m_rng.uniform(0.1, 1.0), r * m_rng.uniform(0.0, 0.8)), 0.9,
                        0.9);
    m_p.strokePath(face, QPen(alpha(shade(skin, 0.5), 220), 1.2));
    m_p.restore();
    for (const QPointF& p : scatter(
             m_rng.range(5, 8),
             QRectF(a.left() + 40, a.top() + a.height() * 0.62, a.width() - 80, a.height() * 0.3),
             55))
        paintCube(p, m_rng.uniform(24, 34), m_rng.uniform(-0.4, 0.4),
                  varied(m_rng, m_colour, 3, 0.1, 0.04));
}

void PlateArtist::paintFacetedLump(QPointF centre, double radius, const QColor& colour,
                                   bool sparkle)
{
    const int n = m_rng.range(6, 9);
    QPolygonF rim;
    double a0 = m_rng.uniform(0, 2 * kPi);
    for (int i = 0; i < n; ++i)
        rim << centre + polar(a0 + 2 * kPi * (i + m_rng.uniform(-0.3, 0.3)) / n,
                              radius * m_rng.uniform(0.7, 1.1));
    const QPainterPath body = closedPath(rim);
    castShadow(body);
    const QPointF peak = centre + kLight * radius * 0.18 +
                         QPointF(m_rng.uniform(-0.15, 0.15), m_rng.uniform(-0.15, 0.15)) * radius;
    m_p.setPen(Qt::NoPen);
    for (int i = 0; i < n; ++i) {
        const QPointF v0 = rim[i], v1 = rim[(i + 1) % n];
        const QPointF facing = unit((v0 + v1) / 2 - peak);
        const double light = 1.0 + 0.42 * dot(facing, kLight) + m_rng.uniform(-0.05, 0.05);
        QLinearGradient g(peak, (v0 + v1) / 2);
        g.setColorAt(0, shade(colour, light + 0.06));
        g.setColorAt(1, shade(colour, light - 0.08));
        m_p.setBrush(g);
        m_p.drawPolygon(QPolygonF{peak, v0, v1});
    }
    for (int i = 0; i < n; ++i) {
        const QPointF facing = unit(rim[i] - peak);
        m_p.setPen(QPen(
            alpha(dot(facing, kLight) > 0 ? shade(colour, 1.5) : shade(colour, 0.55), 150), 0.6));
        m_p.drawLine(peak, rim[i]);
    }
    if (sparkle) {
        m_p.setPen(QPen(QColor(255, 255, 255, 200), 0.6));
        for (int k = m_rng.range(1, 3); k > 0; --k) {
            const QPointF s = (peak * 2 + rim[m_rng.range(0, n - 1)]) / 3;
            m_p.drawLine(s - QPointF(3, 0), s + QPointF(3, 0));
            m_p.drawLine(s - QPointF(0, 3), s + QPointF(0, 3));
        }
    }
    strokeInk(body, colour, 0.9);
}

void PlateArtist::paintCrystal(QPointF base, double angle, double length, double width,
                               const QColor& colour)
{
    // A hexagonal prism with a pointed termination: three faces visible, shaded left to right.
    const QPointF d = polar(angle, 1.0), s = perp(d);
    const QPointF tip = base + d * (length + width * 0.7);
    const double edges[] = {-0.5, -0.25, 0.25, 0.5};
    const double shades[] = {1.22, 1.0, 0.72};
    QPolygonF outline;
    for (int f = 0; f < 3; ++f) {
        const QPointF b0 = base + s * edges[f] * width, b1 = base + s * edges[f + 1] * width;
        const QPointF t0 = b0 + d * length * (1 - 0.04 * std::abs(edges[f])),
                      t1 = b1 + d * length * (1 - 0.04 * std::abs(edges[f + 1]));
        const double light = shades[dot(s, kLight) > 0 ? f : 2 - f];
        QLinearGradient g(base, base + d * length);
        g.setColorAt(0, alpha(shade(colour, light * 0.9), 235));
        g.setColorAt(1, alpha(shade(colour, light * 1.05), 225));
        m_p.setPen(QPen(alpha(shade(colour, 1.4), 140), 0.5));
        m_p.setBrush(g);
        m_p.drawPolygon(QPolygonF{b0, b1, t1, t0});
        m_p.setBrush(alpha(shade(colour, light * 1.1), 235));
        m_p.drawPolygon(QPolygonF{t0, t1, tip});
    }
    outline << base - s * width / 2 << base - s * width / 2 + d * length * 0.98 << tip
            << base + s * width / 2 + d * length * 0.98 << base + s * width / 2;
    strokeInk(closedPath(outline), colour, 0.8);
}

void PlateArtist::drawMineral()
{
    const QRectF a = m_area;
    const bool crystals = m_rng.chance(0.45);
    if (crystals) {
        const QPointF base(a.center().x() + m_rng.uniform(-30, 30), a.top() + a.height() * 0.62);
        paintFacetedLump(base + QPointF(0, 20), 55, shade(m_colour, 0.85), false);
        QList<double> angles;
        for (int k = m_rng.range(4, 7); k > 0; --k)
            angles.append(-kPi / 2 + m_rng.uniform(-0.9, 0.9));
        std::sort(angles.begin(), angles.end(),
                  [](double l, double r) { return std::abs(l + kPi / 2) > std::abs(r + kPi / 2); });
        for (double angle : angles)
            paintCrystal(base + QPointF(m_rng.uniform(-30, 30), m_rng.uniform(-5, 15)), angle,
                         m_rng.uniform(70, 170), m_rng.uniform(20, 34), tint(4, 0.08, 0.06));
    } else {
        for (const QPointF& p : scatter(m_rng.range(3, 5), a.adjusted(70, 70, -70, -110), 110))
            paintFacetedLump(p, m_rng.uniform(45, 70), tint(4, 0.1, 0.08),
                             m_colour.lightness() > 120);
    }
    for (const QPointF& p :
         scatter(m_rng.range(5, 9), QRectF(a.left() + 30, a.bottom() - 60, a.width() - 60, 40), 28))
        paintFacetedLump(p, m_rng.uniform(8, 16), tint(4, 0.1, 0.08), false);
}

namespace {

// A bivalve outline with the umbo at the origin and the valve hanging below it: an inverted
// teardrop, fuller (clam) or more pointed at the hinge (scallop-like) as roundness falls, and a
// little lopsided as real valves are.
QPainterPath fanOutline(Rng& rng, double size, double roundness)
{
    const double skew = rng.uniform(-0.18, 0.18);
    const double wobble = rng.uniform(0, 2 * kPi);
    QList<QPointF> pts;
    for (int i = 0; i < 60; ++i) {
        const double t = 2 * kPi * i / 60;
        const double y = size * 0.5 * (1 - std::cos(t));
        double x = size * 0.58 * std::sin(t) * std::pow(std::abs(std::sin(t / 2)), roundness);
        x *= 1 + 0.015 * std::sin(7 * t + wobble);
        pts.append(QPointF(x * 1.12 - skew * y, y));
    }
    return smoothClosed(pts);
}

} // namespace

void PlateArtist::paintShellOutside(QPointF umbo, double angle, double size, const QColor& colour,
                                    double spread)
{
    m_p.save();
    m_p.translate(umbo);
    m_p.rotate(angle);
    const QPainterPath shell = fanOutline(m_rng, size, spread);
    castShadow(shell);
    QRadialGradient g(QPointF(0, 0), size * 1.05, QPointF(-size * 0.1, size * 0.2));
    g.setColorAt(0, shade(colour, 0.75));
    g.setColorAt(0.4, shade(colour, 1.05));
    g.setColorAt(1, colour);
    m_p.fillPath(shell, g);
    m_p.save();
    m_p.setClipPath(shell);
    // Growth bands, alternately darker, and the radial ribs.
    int band = 0;
    for (double s = 0.97; s > 0.1; s -= m_rng.uniform(0.04, 0.1), ++band) {
        const QPainterPath inner = QTransform::fromScale(s, s).map(shell);
        if (band % 2)
            m_p.fillPath(inner, alpha(shade(colour, 0.8), 40));
        m_p.strokePath(inner, QPen(alpha(shade(colour, 0.5), 110), 0.6));
    }
    const int ribs = m_rng.range(14, 26);
    for (int k = 0; k <= ribs; ++k) {
        const double phi = -1.3 + 2.6 * k / ribs;
        const QPointF end(std::sin(phi) * size * 1.2, std::cos(phi) * size * 1.2);
        m_p.setPen(QPen(alpha(shade(colour, 0.55), 110), 0.8));
        m_p.drawLine(QPointF(0, 0), end);
        m_p.setPen(QPen(alpha(shade(colour, 1.35), 110), 0.6));
        m_p.drawLine(QPointF(-1.2, 0), end + QPointF(-1.2, 0));
    }
    if (m_rng.chance(0.5)) {
        for (int k = m_rng.range(2, 3); k > 0; --k) {
            const double phi = m_rng.uniform(-1.0, 1.0);
            QPainterPath ray;
            ray.moveTo(0, 0);
            ray.lineTo(polar(kPi / 2 - phi - 0.06, size * 1.2));
            ray.lineTo(polar(kPi / 2 - phi + 0.06, size * 1.2));
            ray.closeSubpath();
            m_p.fillPath(ray, alpha(shade(colour, 0.55), 70));
        }
    }
    m_p.restore();
    strokeInk(shell, colour, 0.9);
    m_p.restore();
}

void PlateArtist::paintShellInside(QPointF umbo, double angle, double size, const QColor& colour,
                                   double spread)
{
    m_p.save();
    m_p.translate(umbo);
    m_p.rotate(angle);
    const QPainterPath shell = fanOutline(m_rng, size, spread);
    castShadow(shell);
    m_p.fillPath(shell, shade(colour, 0.9));
    const QPainterPath inner = QTransform().translate(0, size * 0.06).scale(0.9, 0.9).map(shell);
    QRadialGradient nacre(QPointF(-size * 0.15, size * 0.45), size * 0.8);
    nacre.setColorAt(0, QColor(252, 250, 246));
    nacre.setColorAt(0.5, mix(QColor(232, 232, 238), colour, 0.25));
    nacre.setColorAt(0.8, mix(QColor(236, 222, 226), colour, 0.3));
    nacre.setColorAt(1, mix(colour, kPale, 0.2));
    m_p.fillPath(inner, nacre);
    // Muscle scar, pallial line and hinge teeth.
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(alpha(mix(colour, QColor(120, 90, 130), 0.5), 110));
    m_p.drawEllipse(QPointF(size * 0.2, size * 0.55), size * 0.12, size * 0.09);
    m_p.strokePath(QTransform().translate(0, size * 0.1).scale(0.75, 0.8).map(shell),
                   QPen(alpha(shade(colour, 0.7), 90), 0.6));
    m_p.setPen(QPen(alpha(shade(colour, 0.5), 200), 1.2));
    for (int k = -2; k <= 2; ++k)
        m_p.drawLine(QPointF(k * size * 0.04, size * 0.04), QPointF(k * size * 0.05, size * 0.1));
    strokeInk(shell, colour, 0.9);
    m_p.restore();
}

void PlateArtist::paintOyster(QPointF umbo, double angle, double size, const QColor& colour,
                              bool inside)
{
    // Long and irregular, built of overlapping rough lamellae.
    m_p.save();
    m_p.translate(umbo);
    m_p.rotate(angle);
    const QList<QPointF> pts =
        blob(m_rng, QPointF(0, size * 0.55), size * 0.38, size * 0.58, 0, 0.12, 60);
    QList<QPointF> rough;
    for (int i = 0; i < pts.size(); ++i)
        rough.append(pts[i] +
                     QPointF(m_rng.uniform(-1.5, 1.5), m_rng.uniform(-1.5, 1.5)) * (size / 60));
    const QPainterPath shell = smoothClosed(rough);
    castShadow(shell);
    if (inside) {
        m_p.fillPath(shell, shade(colour, 0.85));
        const QPainterPath cup =
            QTransform().translate(0, size * 0.08).scale(0.85, 0.85).map(shell);
        QRadialGradient nacre(QPointF(0, size * 0.6), size * 0.6);
        nacre.setColorAt(0, QColor(250, 248, 244));
        nacre.setColorAt(1, mix(QColor(226, 226, 232), colour, 0.3));
        m_p.fillPath(cup, nacre);
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(QColor(120, 96, 140, 110));
        m_p.drawEllipse(QPointF(size * 0.08, size * 0.7), size * 0.1, size * 0.08);
    } else {
        for (double s = 1.0; s > 0.25; s -= m_rng.uniform(0.08, 0.14)) {
            QList<QPointF> layer;
            for (const QPointF& p : rough)
                layer.append(QPointF(p.x() * s, p.y() * s) +
                             QPointF(m_rng.uniform(-1.2, 1.2), m_rng.uniform(-1.2, 1.2)));
            const QPainterPath l = smoothClosed(layer);
            m_p.fillPath(l, shade(colour, 0.85 + 0.3 * (1 - s) + m_rng.uniform(-0.06, 0.06)));
            m_p.strokePath(l, QPen(alpha(shade(colour, 1.3), 160), 0.8));
            m_p.strokePath(l.translated(1, 1.5), QPen(alpha(shade(colour, 0.5), 120), 0.6));
        }
    }
    strokeInk(shell, colour, 0.9);
    m_p.restore();
}

void PlateArtist::drawShell()
{
    // Two valves, one from outside and one from inside, staggered; the stagger may be mirrored.
    const QRectF a = m_area;
    const double m = m_rng.sign();
    const double cx = a.center().x();
    const QPointF first(cx - m * a.width() * m_rng.uniform(0.1, 0.18),
                        a.top() + m_rng.uniform(20, 40));
    const QPointF second(cx + m * a.width() * m_rng.uniform(0.1, 0.18),
                         a.top() + a.height() * m_rng.uniform(0.46, 0.54));
    if (pickForm({{"ostre", "oyster"}, {"concha", "arcae", "meretric", "cyclin"}}) == 0) {
        paintOyster(first, m * m_rng.uniform(-25, -5), m_rng.uniform(165, 200), tint(), false);
        paintOyster(second, m * m_rng.uniform(5, 25), m_rng.uniform(145, 180), tint(), true);
    } else {
        const double spread = m_rng.uniform(0.2, 0.9);
        paintShellOutside(first, m * m_rng.uniform(-20, 5), m_rng.uniform(145, 175), tint(),
                          spread);
        paintShellInside(second, m * m_rng.uniform(-5, 20), m_rng.uniform(125, 150), tint(),
                         spread);
    }
    // Broken pieces beside the lower valve.
    const QRectF rubble(m > 0 ? a.left() + 25 : a.right() - 25 - a.width() * 0.4, a.bottom() - 50,
                        a.width() * 0.4, 30);
    for (const QPointF& p : scatter(m_rng.range(2, 5), rubble, 30))
        paintFacetedLump(p, m_rng.uniform(8, 14), tint(), false);
}

} // namespace tavirel::databuild::plate
