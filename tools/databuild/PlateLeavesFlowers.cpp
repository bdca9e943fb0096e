#include "PlateDrawing.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace tavirel::databuild::plate {

// ---- leaf, flower ------------------------------------------------------------------------------

LeafForm randomLeafForm(Rng& rng)
{
    LeafForm form;
    switch (rng.range(0, 3)) {
    case 0: // ovate
        form.widthRatio = rng.uniform(0.28, 0.38);
        form.widestAt = rng.uniform(0.55, 0.75);
        break;
    case 1: // lanceolate
        form.widthRatio = rng.uniform(0.12, 0.18);
        form.widestAt = rng.uniform(0.7, 0.95);
        break;
    case 2: // obovate
        form.widthRatio = rng.uniform(0.25, 0.34);
        form.widestAt = rng.uniform(1.3, 1.7);
        break;
    default: // deeply lobed
        form.widthRatio = rng.uniform(0.3, 0.4);
        form.widestAt = rng.uniform(0.7, 1.0);
        form.lobes = rng.range(2, 4);
        break;
    }
    form.serration = rng.chance(0.5) ? rng.uniform(0.06, 0.14) : 0.0;
    return form;
}

void PlateArtist::drawLeaf()
{
    const QRectF a = m_area;
    LeafForm form = randomLeafForm(m_rng);
    const QColor stemColour = mix(m_colour, QColor(120, 90, 60), 0.5);
    const QPointF base(a.center().x() + m_rng.uniform(-30, 30), a.bottom() - 10);
    const double length = form.widthRatio < 0.2 ? m_rng.uniform(110, 140) : m_rng.uniform(90, 120);
    const QPointF top(a.center().x() + m_rng.uniform(-50, 50), a.top() + length * 0.72 + 4);
    const QList<QPointF> spine = bezier(base, base + QPointF(m_rng.uniform(-40, 40), -120),
                                        top + QPointF(m_rng.uniform(-40, 40), 120), top, 50);
    const Tube stem = makeTube(spine, [](double t) { return 5.0 - 2.5 * t; });
    const int count = m_rng.range(3, 5);
    for (int k = 0; k < count; ++k) {
        const int i = 8 + (40 * k) / count + m_rng.range(-2, 2);
        const double s = k % 2 ? 1.0 : -1.0;
        const double up = std::atan2((spine[i + 1] - spine[i]).y(), (spine[i + 1] - spine[i]).x());
        const double angle = up + s * m_rng.uniform(0.7, 1.1);
        const QPointF petioleEnd = spine[i] + polar(angle, m_rng.uniform(8, 16));
        paintTube(makeTube(QList<QPointF>{spine[i], (spine[i] + petioleEnd) / 2, petioleEnd},
                           [](double t) { return 2.6 - t; }),
                  stemColour);
        form.bend = s * m_rng.uniform(0.02, 0.12);
        paintLeaf(petioleEnd, angle + s * m_rng.uniform(-0.1, 0.15),
                  length * m_rng.uniform(0.8, 1.05), form, tint(6, 0.1, 0.08), m_rng.chance(0.2));
    }
    TubeLook look;
    look.roundStart = false;
    paintTube(stem, stemColour, look);
    form.bend = m_rng.uniform(-0.1, 0.1);
    paintLeaf(spine.last(),
              std::atan2((spine.last() - spine[46]).y(), (spine.last() - spine[46]).x()),
              length * 0.7, form, tint(6, 0.1, 0.08));
    // A loose leaf seen from below lies beside the sprig.
    const bool right = base.x() < a.center().x();
    form.bend = m_rng.uniform(-0.1, 0.1);
    paintLeaf(QPointF(right ? a.right() - 20 : a.left() + 20, a.bottom() - 30),
              right ? m_rng.uniform(-2.6, -2.2) : m_rng.uniform(-0.9, -0.5), length * 0.9, form,
              tint(6, 0.1, 0.08), true);
}

void PlateArtist::drawFlower()
{
    const QRectF a = m_area;
    const int style = pickForm({{"chrysanth", "cartham", "inula", "calendul", "arnica"},
                                {"rosa", "hibisc", "paeon", "prunus", "albizi", "mume"},
                                {"lonicer", "caryophyll", "magnoli", "sophor", "buddlej"}});
    const QColor stalk = mix(m_colour, QColor(110, 110, 60), 0.6);
    if (style == 0) {
        // Composite heads on short stalks.
        const QList<QPointF> spots = scatter(m_rng.range(3, 5), a.adjusted(70, 70, -70, -70), 110);
        for (const QPointF& p : spots) {
            const double r = m_rng.uniform(38, 58);
            const double tilt = m_rng.uniform(0.55, 1.0);
            const double rotation = m_rng.uniform(-25, 25);
            const double down = kPi / 2 + m_rng.uniform(-0.5, 0.5);
            paintTube(makeTube(wander(p, down, r * m_rng.uniform(0.9, 1.5), 0.05, 16),
                               [](double t) { return 3.2 - 1.4 * t; }),
                      stalk);
            paintFlowerHead(p, r, tilt, rotation, tint(5, 0.08, 0.06), m_rng.range(14, 24));
        }
    } else if (style == 1) {
        // Open flowers and buds on a branching stalk.
        const QPointF base(a.center().x() + m_rng.uniform(-30, 30), a.bottom() - 5);
        const QList<QPointF> spots = scatter(m_rng.range(3, 4), a.adjusted(80, 70, -80, -140), 120);
        const QColor leafColour = mix(m_colour, QColor(110, 120, 70), 0.75);
        LeafForm form = randomLeafForm(m_rng);
        for (const QPointF& p : spots) {
            const QList<QPointF> spine = bezier(base, base + QPointF(0, -80),
                                                p + QPointF(m_rng.uniform(-20, 20), 70), p, 30);
            paintTube(makeTube(spine, [](double t) { return 4.0 - 1.8 * t; }), stalk);
            const int i = m_rng.range(6, 14);
            const double s = p.x() < base.x() ? -1.0 : 1.0;
            form.bend = s * 0.08;
            paintLeaf(spine[i], -kPi / 2 + s * m_rng.uniform(0.7, 1.1), m_rng.uniform(55, 75), form,
                      varied(m_rng, leafColour, 5, 0.1, 0.08));
        }
        const int petals = m_rng.range(5, 7);
        for (int k = 0; k < spots.size(); ++k) {
            if (k > 0 && m_rng.chance(0.3))
                paintBud(spots[k] + QPointF(0, 14), -kPi / 2 + m_rng.uniform(-0.4, 0.4), 44, 22,
                         tint());
            else
                paintOpenFlower(spots[k], m_rng.uniform(48, 62), m_rng.uniform(0.65, 1.0),
                                m_rng.uniform(-30, 30), tint(5, 0.08, 0.06), petals);
        }
    } else {
        // Club-shaped tubular buds, scattered in pairs.
        for (const QPointF& p : scatter(m_rng.range(6, 8), a.adjusted(70, 70, -70, -70), 85)) {
            const double angle = m_rng.uniform(-kPi, kPi);
            const double len = m_rng.uniform(80, 110);
            const QPointF base = p - polar(angle, len / 2);
            paintBud(base, angle, len, m_rng.uniform(13, 17), tint(6, 0.1, 0.08));
            if (m_rng.chance(0.5))
                paintBud(base, angle + m_rng.uniform(0.25, 0.45), len * 0.85, m_rng.uniform(11, 14),
                         tint(6, 0.1, 0.08));
        }
    }
}

} // namespace tavirel::databuild::plate
