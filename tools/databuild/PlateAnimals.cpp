#include "PlateDrawing.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace tavirel::databuild::plate {

// ---- animal ------------------------------------------------------------------------------------

void PlateArtist::paintInsect(QPointF centre, double angle, double size, const QColor& colour)
{
    // Head to the top in insect coordinates; size is the body length.
    m_p.save();
    m_p.translate(centre);
    m_p.rotate(angle);
    const double s = size / 100.0;
    const QColor leg = shade(colour, 0.85);
    for (int side : {-1, 1}) {
        for (int k = 0; k < 3; ++k) {
            const QPointF hip(side * 8 * s, (-12 + k * 9) * s);
            const double out = side * (k == 0 ? 0.5 : k == 1 ? 0.0 : -0.5);
            const QPointF knee = hip + QPointF(side * 20 * s, (-14 + k * 14) * s + out * 4 * s);
            const QPointF foot = knee + QPointF(side * 8 * s, (k == 0 ? -20 : k == 1 ? 6 : 22) * s);
            paintTube(makeTube(QList<QPointF>{hip, (hip + knee) / 2, knee},
                               [&](double) { return 4.2 * s; }),
                      leg);
            paintTube(makeTube(QList<QPointF>{knee, (knee + foot) / 2, foot},
                               [&](double t) { return (3.4 - 1.6 * t) * s; }),
                      leg);
        }
        QPainterPath antenna;
        antenna.moveTo(side * 4 * s, -40 * s);
        antenna.quadTo(side * 12 * s, -56 * s, side * 22 * s, -62 * s);
        m_p.strokePath(antenna, QPen(inkOf(colour), 1.1 * s, Qt::SolidLine, Qt::RoundCap));
    }
    // Wings, translucent and veined, folded over the abdomen.
    for (int side : {-1, 1}) {
        QPainterPath wing;
        wing.moveTo(side * 6 * s, -22 * s);
        wing.cubicTo(side * 30 * s, -10 * s, side * 26 * s, 50 * s, side * 6 * s, 66 * s);
        wing.cubicTo(side * 2 * s, 40 * s, side * 2 * s, 0, side * 6 * s, -22 * s);
        m_p.fillPath(wing, QColor(236, 228, 205, 110));
        m_p.setPen(QPen(alpha(shade(colour, 0.6), 140), 0.5));
        for (int v = 0; v < 4; ++v)
            m_p.drawLine(QPointF(side * 6 * s, -18 * s),
                         QPointF(side * (8 + v * 4.5) * s, (60 - v * 12) * s));
        m_p.strokePath(wing, QPen(alpha(shade(colour, 0.5), 200), 0.7));
    }
    // Abdomen with segments, thorax, head and eyes.
    QPainterPath abdomen;
    abdomen.addEllipse(QPointF(0, 22 * s), 14 * s, 30 * s);
    paintBall(abdomen, QPointF(0, 22 * s), 30 * s, colour);
    m_p.save();
    m_p.setClipPath(abdomen);
    for (int k = 0; k < 7; ++k) {
        QPainterPath seg;
        const double y = (2 + k * 6.5) * s;
        seg.moveTo(-16 * s, y);
        seg.quadTo(0, y + 5 * s, 16 * s, y);
        m_p.strokePath(seg, QPen(alpha(shade(colour, 0.45), 170), 0.8));
    }
    m_p.restore();
    QPainterPath thorax;
    thorax.addRoundedRect(QRectF(-15 * s, -28 * s, 30 * s, 26 * s), 9 * s, 9 * s);
    paintBall(thorax, QPointF(0, -15 * s), 16 * s, shade(colour, 0.95), true);
    QPainterPath head;
    head.addEllipse(QPointF(0, -35 * s), 13 * s, 8 * s);
    paintBall(head, QPointF(0, -35 * s), 12 * s, colour);
    for (int side : {-1, 1}) {
        QPainterPath eye;
        eye.addEllipse(QPointF(side * 12 * s, -35 * s), 4 * s, 4 * s);
        paintBall(eye, QPointF(side * 12 * s, -35 * s), 4 * s, shade(colour, 0.5), true);
    }
    m_p.restore();
}

void PlateArtist::paintCentipede(QPointF start, double angle, double length, const QColor& colour)
{
    const QList<QPointF> spine = wander(start, angle, length, 0.05, 23);
    const QList<QPointF> nm = normals(spine);
    const double w = length / 18;
    for (int i = 2; i < spine.size() - 1; ++i) {
        for (double side : {-1.0, 1.0}) {
            const QPointF dir = unit(nm[i] * side + (spine[i] - spine[i + 1]) * 0.06);
            paintHair(spine[i] + nm[i] * side * w * 0.4, std::atan2(dir.y(), dir.x()), w * 1.2,
                      w * 0.22, shade(colour, 1.15));
        }
    }
    for (int i = int(spine.size()) - 2; i >= 1; --i) {
        const QPointF d = unit(spine[i + 1] - spine[i]);
        QPainterPath plate;
        const QPointF c = (spine[i] + spine[i + 1]) / 2;
        m_p.save();
        m_p.translate(c);
        m_p.rotate(std::atan2(d.y(), d.x()) * 180 / kPi);
        plate.addRoundedRect(QRectF(-w * 0.62, -w / 2, w * 1.25, w), w * 0.3, w * 0.3);
        const QColor segColour = i == 1 ? QColor(160, 70, 40) : colour;
        QLinearGradient g(0, -w / 2, 0, w / 2);
        g.setColorAt(0, shade(segColour, 1.2));
        g.setColorAt(0.5, segColour);
        g.setColorAt(1, shade(segColour, 0.6));
        m_p.fillPath(plate, g);
        strokeInk(plate, segColour, 0.7);
        m_p.restore();
    }
    // Head with its forcipules and antennae.
    const QPointF back = unit(spine[0] - spine[1]);
    for (double side : {-1.0, 1.0}) {
        const QPointF n = perp(back) * side;
        QPainterPath antenna;
        antenna.moveTo(spine[0]);
        antenna.quadTo(spine[0] + back * w * 1.5 + n * w * 0.6,
                       spine[0] + back * w * 2.4 + n * w * 1.4);
        m_p.strokePath(antenna, QPen(inkOf(colour), 1.0, Qt::SolidLine, Qt::RoundCap));
    }
    QPainterPath head;
    head.addEllipse(spine[0] + back * w * 0.2, w * 0.55, w * 0.55);
    paintBall(head, spine[0], w * 0.55, QColor(150, 70, 40), true);
}

void PlateArtist::paintHorn(QPointF base, double angle, double length, double width,
                            const QColor& colour)
{
    const QPointF d = polar(angle, 1.0), side = perp(d) * m_rng.sign();
    const QList<QPointF> spine =
        bezier(base, base + d * length * 0.4, base + d * length * 0.75 + side * length * 0.2,
               base + d * length * 0.9 + side * length * 0.45, 60);
    const Tube horn =
        makeTube(spine, [&](double t) { return width * (1.0 - 0.94 * std::pow(t, 1.2)); });
    TubeLook look;
    look.roundStart = false;
    look.wrinkles = 8;
    look.rings = m_rng.range(9, 16);
    look.ringAlpha = 170;
    paintTube(horn, colour, look);
    m_p.save();
    m_p.translate(base);
    m_p.rotate(angle * 180 / kPi);
    m_p.scale(0.35, 1.0);
    m_p.setPen(QPen(inkOf(colour), 2));
    m_p.setBrush(shade(colour, 0.8));
    m_p.drawEllipse(QPointF(0, 0), width / 2, width / 2);
    m_p.setBrush(shade(colour, 0.35));
    m_p.drawEllipse(QPointF(0, 0), width * 0.32, width * 0.32);
    m_p.restore();
}

void PlateArtist::paintCoil(QPointF centre, double radius, const QColor& colour)
{
    QList<QPointF> spine;
    const double turns = m_rng.uniform(2.2, 2.8), phase = m_rng.uniform(0, 2 * kPi);
    for (int i = 0; i < 160; ++i) {
        const double t = i / 159.0;
        spine.append(centre + polar(phase + t * turns * 2 * kPi, radius * (1.0 - 0.72 * t)));
    }
    const double w = radius * 0.27;
    const Tube body =
        makeTube(spine, [&](double t) { return w * (t < 0.1 ? 0.3 + 7 * t : 1.0 - 0.15 * t); });
    TubeLook look;
    paintTube(body, colour, look);
    // Rows of overlapping scales.
    const QPainterPath outline = tubeOutline(body);
    const QList<QPointF> nm = normals(spine);
    const QList<QPointF> tg = tangents(spine);
    m_p.save();
    m_p.setClipPath(outline);
    for (int i = 0; i < spine.size(); i += 2) {
        for (int row = -2; row <= 2; ++row) {
            const QPointF p = spine[i] + nm[i] * (row + (i % 4 ? 0.5 : 0.0)) * body.widths[i] * 0.2;
            QPainterPath scale;
            const double r = body.widths[i] * 0.12;
            scale.moveTo(p + nm[i] * r);
            scale.quadTo(p + tg[i] * r * 1.6, p - nm[i] * r);
            m_p.strokePath(scale, QPen(alpha(shade(colour, 0.45), 150), 0.5));
        }
    }
    m_p.restore();
    // The head lies in the middle of the coil.
    const QPointF head = spine.last();
    QPainterPath skull;
    skull.addEllipse(head, w * 0.7, w * 0.5);
    paintBall(skull, head, w * 0.7, shade(colour, 0.9), true);
}

void PlateArtist::drawAnimal()
{
    const QRectF a = m_area;
    switch (pickForm({{"cicad", "insect", "bombyx", "eupolyphag", "mylabr", "vespa", "scarab"},
                      {"scolopendr", "centiped"},
                      {"cornu", "cervi", "horn"},
                      {"agkistrod", "zaocys", "bungar", "serpent", "snake"}})) {
    case 0:
        for (const QPointF& p : {QPointF(0.3, 0.3), QPointF(0.68, 0.68)})
            paintInsect(QPointF(a.left() + a.width() * p.x(), a.top() + a.height() * p.y()) +
                            QPointF(m_rng.uniform(-10, 10), m_rng.uniform(-10, 10)),
                        m_rng.uniform(-30, 30), m_rng.uniform(130, 150), tint(5, 0.1, 0.1));
        break;
    case 1:
        paintCentipede(QPointF(a.left() + 60, a.top() + 45 + m_rng.uniform(0, 20)),
                       m_rng.uniform(0.75, 0.9), a.height() * 0.9, tint());
        break;
    case 2:
        paintHorn(QPointF(a.left() + 60, a.bottom() - 60), -kPi / 2 + m_rng.uniform(0.3, 0.6),
                  a.height() * 0.8, m_rng.uniform(44, 60), tint());
        paintHorn(QPointF(a.right() - 80, a.bottom() - 40), -kPi / 2 + m_rng.uniform(-0.3, 0.1),
                  a.height() * 0.55, m_rng.uniform(30, 40), tint());
        break;
    default:
        paintCoil(QPointF(a.center().x() + m_rng.uniform(-20, 20), a.center().y() - 10),
                  m_rng.uniform(120, 145), tint());
        break;
    }
}

} // namespace tavirel::databuild::plate
