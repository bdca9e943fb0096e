#include "PlateDrawing.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace tavirel::databuild::plate {

QList<QPointF> PlateArtist::scatter(int count, const QRectF& rect, double minDistance)
{
    QList<QPointF> points;
    for (int attempt = 0; points.size() < count && attempt < count * 80; ++attempt) {
        const QPointF p(m_rng.uniform(rect.left(), rect.right()),
                        m_rng.uniform(rect.top(), rect.bottom()));
        const double need = attempt > count * 50 ? minDistance * 0.6 : minDistance;
        if (std::all_of(points.begin(), points.end(), [&](const QPointF& q) {
                return std::hypot(p.x() - q.x(), p.y() - q.y()) >= need;
            }))
            points.append(p);
    }
    std::sort(points.begin(), points.end(),
              [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    return points;
}

QList<QPointF> PlateArtist::wander(QPointF start, double angle, double length, double curl, int n)
{
    // The heading drifts but is pulled back to where it started, so long pieces stay on the plate.
    QList<QPointF> points{start};
    const double step = length / (n - 1), heading = angle;
    double turn = 0;
    for (int i = 1; i < n; ++i) {
        turn = 0.8 * turn + m_rng.uniform(-curl, curl) - 0.06 * (angle - heading);
        angle += turn;
        points.append(points.last() + polar(angle, step));
    }
    return points;
}

void PlateArtist::castShadow(const QPainterPath& path)
{
    // Three offset copies fake the soft shadow of a specimen lying on the page.
    for (int k = 1; k <= 3; ++k)
        m_p.fillPath(path.translated(1.4 * k, 1.8 * k), QColor(92, 64, 36, 22));
}

void PlateArtist::strokeInk(const QPainterPath& path, const QColor& colour, double width)
{
    m_p.strokePath(path, QPen(inkOf(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void PlateArtist::paintTube(const Tube& tube, const QColor& colour, const TubeLook& look)
{
    const QPainterPath body = tubeOutline(tube, look.roundStart, look.roundEnd);
    if (look.shadow)
        castShadow(body);
    m_p.fillPath(body, shade(colour, 0.62));
    m_p.save();
    m_p.setClipPath(body, Qt::IntersectClip);
    constexpr int layers = 6;
    for (int k = 1; k <= layers; ++k) {
        const double f = double(k) / layers;
        const QColor c = f < 0.6 ? mix(shade(colour, 0.62), colour, f / 0.6)
                                 : mix(colour, shade(colour, 1.3), (f - 0.6) / 0.4);
        m_p.fillPath(tubeOutline(litTube(tube, 0.34 * f, 1.0 - 0.78 * f)), c);
    }

    const QList<QPointF> nm = normals(tube.spine);
    const QList<QPointF> tg = tangents(tube.spine);
    const qsizetype n = tube.spine.size();
    for (int k = 0; k < look.wrinkles; ++k) {
        const double offset = m_rng.uniform(-0.42, 0.42);
        const qsizetype from = m_rng.range(0, int(n / 3));
        const qsizetype to = m_rng.range(int(n / 2), int(n - 1));
        QPainterPath line;
        double drift = 0;
        for (qsizetype i = from; i <= to; ++i) {
            drift = std::clamp(drift + m_rng.uniform(-0.03, 0.03), -0.1, 0.1);
            const QPointF p = tube.spine[i] + nm[i] * (offset + drift) * tube.widths[i];
            i == from ? line.moveTo(p) : line.lineTo(p);
        }
        m_p.strokePath(
            line, QPen(alpha(shade(colour, 0.45), m_rng.range(60, 120)), m_rng.uniform(0.4, 0.8)));
    }
    for (int k = 0; k < look.rings; ++k) {
        const qsizetype i = look.rings == 1 ? n / 2 : 1 + (n - 3) * k / (look.rings - 1);
        const double w = tube.widths[i] * 0.55;
        QPainterPath ring;
        ring.moveTo(tube.spine[i] + nm[i] * w);
        ring.quadTo(tube.spine[i] + tg[i] * w * 0.35, tube.spine[i] - nm[i] * w);
        m_p.strokePath(ring, QPen(alpha(shade(colour, 0.4), look.ringAlpha), 0.7));
        m_p.strokePath(ring.translated(tg[i] * 0.9),
                       QPen(alpha(shade(colour, 1.3), look.ringAlpha / 2), 0.5));
    }
    m_p.restore();
    if (look.outline)
        strokeInk(body, colour, 0.8);
}

void PlateArtist::paintHair(QPointF start, double angle, double length, double width,
                            const QColor& colour)
{
    const Tube hair = makeTube(wander(start, angle, length, 0.09, 14),
                               [&](double t) { return width * (1.0 - 0.8 * t); });
    const QPainterPath path = tubeOutline(hair);
    m_p.fillPath(path, colour);
    m_p.strokePath(path, QPen(alpha(inkOf(colour), 110), 0.35));
}

void PlateArtist::paintBall(const QPainterPath& path, QPointF centre, double radius,
                            const QColor& colour, bool gloss)
{
    castShadow(path);
    QRadialGradient g(centre + kLight * radius * 0.25, radius * 1.35,
                      centre + kLight * radius * 0.5);
    g.setColorAt(0.0, shade(colour, 1.35));
    g.setColorAt(0.3, shade(colour, 1.08));
    g.setColorAt(0.7, colour);
    g.setColorAt(1.0, shade(colour, 0.55));
    m_p.fillPath(path, g);
    if (gloss) {
        const QPointF h = centre + kLight * radius * 0.48;
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(QColor(255, 255, 250, 120));
        m_p.drawEllipse(h, radius * 0.22, radius * 0.14);
        m_p.setBrush(QColor(255, 255, 250, 190));
        m_p.drawEllipse(h, radius * 0.08, radius * 0.06);
    }
    strokeInk(path, colour, 0.8);
}

void PlateArtist::paintSection(QPointF centre, double radius, double squash, const QColor& outer,
                               const QColor& inner, Section kind)
{
    // A transverse slice seen a little from above: rim, cut face and its anatomy.
    const double ry = radius * squash, thick = radius * 0.16;
    QPainterPath side;
    side.addEllipse(centre + QPointF(0, thick), radius, ry);
    QPainterPath face;
    face.addEllipse(centre, radius, ry);
    castShadow(side.united(face));
    m_p.fillPath(side, shade(outer, 0.6));
    QRadialGradient g(centre + kLight * radius * 0.3, radius * 1.3);
    g.setColorAt(0, shade(inner, 1.12));
    g.setColorAt(1, shade(inner, 0.9));
    m_p.fillPath(face, g);

    m_p.save();
    m_p.setClipPath(face);
    m_p.translate(centre);
    m_p.scale(1.0, squash);
    m_p.setBrush(Qt::NoBrush);
    const QColor line = shade(outer, 0.7);
    m_p.setPen(QPen(shade(outer, 0.85), radius * 0.09));
    m_p.drawEllipse(QPointF(0, 0), radius * 0.95, radius * 0.95);
    switch (kind) {
    case Section::Radial: {
        const double cambium = m_rng.uniform(0.45, 0.7);
        m_p.setPen(QPen(alpha(line, 200), 0.9));
        m_p.drawEllipse(QPointF(0, 0), radius * cambium, radius * cambium);
        const int rays = m_rng.range(18, 34);
        m_p.setPen(QPen(alpha(line, 90), 0.6));
        for (int k = 0; k < rays; ++k) {
            const double a = 2 * kPi * k / rays + m_rng.uniform(-0.05, 0.05);
            m_p.drawLine(polar(a, radius * 0.08), polar(a, radius * cambium * 0.97));
        }
        for (int k = 0; k < rays * 2; ++k) {
            m_p.setPen(Qt::NoPen);
            m_p.setBrush(alpha(line, 110));
            const double a = m_rng.uniform(0, 2 * kPi);
            m_p.drawEllipse(polar(a, radius * m_rng.uniform(cambium + 0.05, 0.85)), 0.7, 0.7);
        }
        for (int k = m_rng.range(1, 4); k > 0; --k) {
            const double a = m_rng.uniform(0, 2 * kPi);
            m_p.setPen(QPen(alpha(kInk, 130), 0.8));
            m_p.drawLine(polar(a, radius * m_rng.uniform(0.2, 0.5)),
                         polar(a + m_rng.uniform(-0.1, 0.1), radius * 0.9));
        }
        break;
    }
    case Section::Bundles: {
        m_p.setPen(QPen(alpha(line, 150), 0.7));
        m_p.drawEllipse(QPointF(0, 0), radius * 0.72, radius * 0.72);
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(alpha(line, 170));
        for (int k = m_rng.range(22, 40); k > 0; --k) {
            const double a = m_rng.uniform(0, 2 * kPi);
            const double r =
                radius * (m_rng.chance(0.6) ? m_rng.uniform(0.64, 0.78) : m_rng.uniform(0.05, 0.6));
            m_p.drawEllipse(polar(a, r), radius * 0.035, radius * 0.035);
        }
        break;
    }
    case Section::Rings:
    case Section::Pith: {
        const bool rings = kind == Section::Rings;
        const int count = rings ? m_rng.range(4, 8) : 1;
        for (int k = 1; k <= count; ++k) {
            const double r = radius * (0.2 + 0.68 * k / count);
            m_p.setPen(QPen(alpha(rings ? shade(outer, 0.55) : line, rings ? 160 : 120),
                            rings ? radius * 0.05 : 0.8));
            m_p.drawEllipse(QPointF(0, 0), r, r * m_rng.uniform(0.94, 1.0));
        }
        m_p.setPen(QPen(alpha(line, 70), 0.5));
        for (int k = 0; k < 28; ++k)
            m_p.drawLine(polar(2 * kPi * k / 28, radius * 0.25),
                         polar(2 * kPi * k / 28, radius * 0.88));
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(rings ? shade(outer, 0.7) : mix(inner, kPale, 0.5));
        m_p.drawEllipse(QPointF(0, 0), radius * (rings ? 0.07 : 0.22),
                        radius * (rings ? 0.07 : 0.22));
        break;
    }
    }
    m_p.restore();
    strokeInk(side.united(face), outer, 0.8);
    strokeInk(face, outer, 0.5);
}

void PlateArtist::paintLeaf(QPointF base, double angle, double length, const LeafForm& form,
                            const QColor& colour, bool underside)
{
    const QPointF dir = polar(angle, 1.0), side = perp(dir);
    const QPointF tip = base + dir * length + side * form.bend * length;
    const QList<QPointF> mid = bezier(base, base + dir * length * 0.35,
                                      base + dir * length * 0.7 + side * form.bend * length * 0.9,
                                      tip, std::clamp(int(length / 2.2), 24, 70));
    const QList<QPointF> nm = normals(mid);
    const qsizetype n = mid.size();
    QList<double> half;
    for (qsizetype i = 0; i < n; ++i) {
        const double t = double(i) / double(n - 1);
        double h = length * form.widthRatio *
                   std::pow(std::sin(kPi * std::pow(t, form.widestAt)), form.fullness);
        if (form.lobes > 0)
            h *= 0.5 + 0.5 * std::pow(std::abs(std::sin(kPi * form.lobes * t + 0.3)), 0.7);
        if (form.serration > 0 && i % 2 == 1)
            h *= 1.0 - form.serration;
        half.append(h);
    }
    QPolygonF left, right;
    for (qsizetype i = 0; i < n; ++i) {
        left << mid[i] + nm[i] * half[i];
        right << mid[i] - nm[i] * half[i];
    }
    QPolygonF outline = left;
    for (qsizetype i = n - 1; i >= 0; --i)
        outline << right[i];
    const QPainterPath leaf = closedPath(outline);
    QPolygonF halfPoly = right;
    for (qsizetype i = n - 1; i >= 0; --i)
        halfPoly << mid[i];

    const QColor face = underside ? mix(colour, kPale, 0.28) : colour;
    castShadow(leaf);
    QLinearGradient g(base, tip);
    g.setColorAt(0, shade(face, 0.88));
    g.setColorAt(0.5, face);
    g.setColorAt(1, shade(face, 1.08));
    m_p.fillPath(leaf, g);
    m_p.save();
    m_p.setClipPath(leaf);
    m_p.fillPath(closedPath(halfPoly), alpha(shade(face, 0.7), 70));
    // The mottling of a dried leaf.
    m_p.setPen(Qt::NoPen);
    for (int k = m_rng.range(2, 6); k > 0; --k) {
        m_p.setBrush(alpha(m_rng.chance(0.5) ? shade(face, 0.75) : shade(face, 1.2), 40));
        const QPointF c = mid[m_rng.range(0, int(n - 1))];
        m_p.drawEllipse(c + side * m_rng.uniform(-1, 1) * length * form.widthRatio * 0.6,
                        length * 0.12, length * 0.08);
    }
    const QColor vein = underside ? shade(face, 1.25) : shade(face, 0.62);
    const int veins = std::clamp(int(length / 12), 4, 9);
    for (int k = 0; k < veins; ++k) {
        const qsizetype i = qsizetype(n * (0.08 + 0.8 * k / veins));
        const qsizetype j = std::min(n - 1, i + qsizetype(n * 0.16));
        for (const double s : {1.0, -1.0}) {
            QPainterPath v;
            v.moveTo(mid[i]);
            v.quadTo(mid[i] + nm[i] * s * half[i] * 0.55 + (mid[j] - mid[i]) * 0.2,
                     mid[j] + nm[j] * s * half[j] * 0.88);
            m_p.strokePath(v, QPen(alpha(vein, 150), 0.6));
        }
    }
    m_p.restore();
    QPainterPath rib;
    rib.addPolygon(QPolygonF(mid));
    m_p.strokePath(rib, QPen(alpha(vein, 220), std::max(0.8, length * 0.012)));
    strokeInk(leaf, face, 0.7);
}

void PlateArtist::paintFlowerHead(QPointF centre, double radius, double tilt, double rotation,
                                  const QColor& petal, int petals)
{
    m_p.save();
    m_p.translate(centre);
    m_p.rotate(rotation);
    m_p.scale(1.0, tilt);
    for (int row = 0; row < 2; ++row) {
        const double rowLength = radius * (row == 0 ? 1.0 : 0.82);
        const QColor rowColour = row == 0 ? shade(petal, 0.82) : petal;
        for (int k = 0; k < petals; ++k) {
            const double a = 2 * kPi * (k + 0.5 * row) / petals + m_rng.uniform(-0.08, 0.08);
            const double len = rowLength * m_rng.uniform(0.82, 1.04);
            const double w = len * m_rng.uniform(0.13, 0.19);
            const double r0 = radius * 0.2;
            QPainterPath p;
            p.moveTo(r0, 0);
            p.cubicTo(r0 + len * 0.3, -w, len * 0.9, -w * 1.1, len, m_rng.uniform(-w, w) * 0.3);
            p.cubicTo(len * 0.9, w * 1.1, r0 + len * 0.3, w, r0, 0);
            p = QTransform().rotateRadians(a).map(p);
            QLinearGradient g(polar(a, r0), polar(a, len));
            g.setColorAt(0, shade(rowColour, 0.7));
            g.setColorAt(0.6, rowColour);
            g.setColorAt(1, shade(rowColour, 1.15));
            m_p.fillPath(p, g);
            m_p.strokePath(p, QPen(inkOf(rowColour), 0.45));
            m_p.setPen(QPen(alpha(shade(rowColour, 0.6), 90), 0.4));
            m_p.drawLine(polar(a, r0 * 1.4), polar(a, len * 0.8));
        }
    }
    const double disc = radius * 0.32;
    const QColor discColour = mix(shade(petal, 0.7), QColor(170, 120, 40), 0.5);
    QRadialGradient g(kLight * disc * 0.3, disc * 1.2);
    g.setColorAt(0, shade(discColour, 1.2));
    g.setColorAt(1, shade(discColour, 0.6));
    m_p.setPen(QPen(inkOf(discColour), 0.6));
    m_p.setBrush(g);
    m_p.drawEllipse(QPointF(0, 0), disc, disc);
    m_p.setPen(Qt::NoPen);
    const int florets = std::clamp(int(disc * disc / 6), 12, 90);
    for (int k = 1; k < florets; ++k) {
        const QPointF p = polar(k * 2.39996, disc * 0.92 * std::sqrt(double(k) / florets));
        m_p.setBrush(alpha(shade(discColour, 0.5), 160));
        m_p.drawEllipse(p, 0.9, 0.9);
        m_p.setBrush(alpha(shade(discColour, 1.4), 140));
        m_p.drawEllipse(p + QPointF(-0.3, -0.3), 0.4, 0.4);
    }
    m_p.restore();
}

void PlateArtist::paintOpenFlower(QPointF centre, double radius, double tilt, double rotation,
                                  const QColor& petal, int petals)
{
    m_p.save();
    m_p.translate(centre);
    m_p.rotate(rotation);
    m_p.scale(1.0, tilt);
    LeafForm form;
    form.widthRatio = m_rng.uniform(0.36, 0.46);
    form.widestAt = m_rng.uniform(1.1, 1.6);
    form.fullness = m_rng.uniform(0.3, 0.45);
    for (int k = 0; k < petals; ++k) {
        const double a = 2 * kPi * k / petals + m_rng.uniform(-0.12, 0.12);
        form.bend = m_rng.uniform(-0.08, 0.08);
        paintLeaf(polar(a, radius * 0.08), a, radius * m_rng.uniform(0.88, 1.05), form,
                  varied(m_rng, petal, 4, 0.05, 0.06), false);
    }
    m_p.setBrush(shade(petal, 0.7));
    m_p.setPen(Qt::NoPen);
    m_p.drawEllipse(QPointF(0, 0), radius * 0.2, radius * 0.2);
    const QColor anther(190, 140, 50);
    for (int k = m_rng.range(12, 22); k > 0; --k) {
        const double a = m_rng.uniform(0, 2 * kPi), r = radius * m_rng.uniform(0.22, 0.42);
        m_p.setPen(QPen(alpha(shade(anther, 0.6), 200), 0.6));
        m_p.drawLine(polar(a, radius * 0.05), polar(a, r));
        m_p.setPen(QPen(inkOf(anther), 0.4));
        m_p.setBrush(anther);
        m_p.drawEllipse(polar(a, r), 1.3, 1.3);
    }
    m_p.restore();
}

void PlateArtist::paintBud(QPointF base, double angle, double length, double width,
                           const QColor& colour)
{
    const Tube bud = makeTube(wander(base, angle, length, 0.03, 24), [&](double t) {
        return width * (0.3 + 0.7 * std::pow(t, 1.5)) * (t > 0.88 ? 1.0 - (t - 0.88) * 2.5 : 1.0);
    });
    TubeLook look;
    look.wrinkles = 3;
    paintTube(bud, colour, look);
}

} // namespace tavirel::databuild::plate
