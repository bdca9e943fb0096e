#include "PlateRenderer.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImageWriter>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>

namespace tavirel::databuild {
namespace {

// Everything is drawn on a 400-unit-wide plate and scaled to the requested width, so a thumbnail
// and a full plate show the same picture.
constexpr double kPlateWidth = 400.0;
constexpr double kPi = std::numbers::pi;
// Light falls from the upper left, as on an engraved plate; this points towards it.
const QPointF kLight(-0.55, -0.835);

const QColor kPaper(244, 235, 214);
const QColor kInk(46, 32, 20);
const QColor kSepia(104, 76, 50);
const QColor kPale(255, 249, 233);
const QColor kCream(238, 226, 196);

class Rng
{
public:
    explicit Rng(quint32 seed) : m_engine(seed) {}
    // The standard distributions differ between C++ libraries; scaling the raw engine output keeps
    // a herb's plate the same wherever the builder runs.
    double uniform(double lo, double hi) { return lo + (hi - lo) * (m_engine() / 4294967296.0); }
    int range(int lo, int hi) { return lo + int(m_engine() % quint32(hi - lo + 1)); }
    bool chance(double p) { return uniform(0.0, 1.0) < p; }
    double sign() { return chance(0.5) ? 1.0 : -1.0; }

private:
    std::mt19937 m_engine;
};

// FNV-1a over the UTF-16 text: unlike qHash it does not change between Qt versions, so rebuilt
// databases keep their pictures.
quint32 stableHash(const QString& text)
{
    quint32 hash = 2166136261u;
    for (const QChar c : text) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

// ---- colour ----------------------------------------------------------------------------------

QColor mix(const QColor& a, const QColor& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// Below 1 towards ink, above 1 towards warm white: shading that stays in the drug's own hue.
QColor shade(const QColor& c, double f)
{
    return f < 1.0 ? mix(c, kInk, 1.0 - f) : mix(c, kPale, f - 1.0);
}

QColor alpha(QColor c, int a)
{
    c.setAlpha(a);
    return c;
}

QColor inkOf(const QColor& c)
{
    return alpha(mix(c, kInk, 0.72), 225);
}

QColor varied(Rng& rng, const QColor& c, double hue, double sat, double val)
{
    float h = 0, s = 0, v = 0, a = 1;
    c.getHsvF(&h, &s, &v, &a);
    if (h < 0)
        h = 0.08f; // achromatic: any hue will do, saturation keeps it grey
    h = float(std::fmod(h + rng.uniform(-hue, hue) / 360.0 + 1.0, 1.0));
    s = float(std::clamp(s * (1.0 + rng.uniform(-sat, sat)), 0.0, 1.0));
    v = float(std::clamp(v * (1.0 + rng.uniform(-val, val)), 0.0, 1.0));
    return QColor::fromHsvF(h, s, v, a);
}

QColor defaultColour(const QString& part)
{
    static const QHash<QString, QColor> colours = {
        {"root", QColor(176, 136, 86)},   {"rhizome", QColor(146, 108, 66)},
        {"tuber", QColor(204, 180, 136)}, {"bulb", QColor(226, 214, 180)},
        {"bark", QColor(140, 92, 60)},    {"stem", QColor(160, 126, 80)},
        {"twig", QColor(124, 88, 58)},    {"leaf", QColor(120, 136, 80)},
        {"flower", QColor(214, 170, 60)}, {"fruit", QColor(170, 64, 44)},
        {"seed", QColor(112, 76, 46)},    {"peel", QColor(196, 112, 48)},
        {"whole", QColor(112, 126, 72)},  {"resin", QColor(200, 140, 58)},
        {"fungus", QColor(140, 80, 50)},  {"mineral", QColor(184, 178, 166)},
        {"shell", QColor(214, 204, 186)}, {"animal", QColor(122, 86, 52)},
    };
    return colours.value(part, QColor(168, 130, 92));
}

// ---- geometry --------------------------------------------------------------------------------

double dot(const QPointF& a, const QPointF& b)
{
    return a.x() * b.x() + a.y() * b.y();
}

QPointF unit(const QPointF& v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 1e-9 ? v / length : QPointF(0, 1);
}

QPointF perp(const QPointF& v)
{
    return QPointF(-v.y(), v.x());
}

QPointF polar(double angle, double radius)
{
    return QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
}

QList<QPointF> bezier(QPointF p0, QPointF p1, QPointF p2, QPointF p3, int n)
{
    QList<QPointF> points;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / (n - 1), u = 1.0 - t;
        points.append(u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3);
    }
    return points;
}

QList<QPointF> tangents(const QList<QPointF>& spine)
{
    QList<QPointF> result;
    const qsizetype n = spine.size();
    for (qsizetype i = 0; i < n; ++i)
        result.append(unit(spine[std::min(n - 1, i + 1)] - spine[std::max<qsizetype>(0, i - 1)]));
    return result;
}

QList<QPointF> normals(const QList<QPointF>& spine)
{
    QList<QPointF> result = tangents(spine);
    for (QPointF& t : result)
        t = perp(t);
    return result;
}

QPainterPath closedPath(const QPolygonF& polygon)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

// A smooth closed path through the points (Catmull-Rom turned into cubic segments).
QPainterPath smoothClosed(const QList<QPointF>& pts)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const qsizetype n = pts.size();
    if (n < 3)
        return path;
    path.moveTo(pts[0]);
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF p0 = pts[(i + n - 1) % n], p1 = pts[i], p2 = pts[(i + 1) % n],
                      p3 = pts[(i + 2) % n];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    path.closeSubpath();
    return path;
}

// A long body of varying width along a spine: roots, stems, legs, buds.
struct Tube
{
    QList<QPointF> spine;
    QList<double> widths;
};

Tube makeTube(const QList<QPointF>& spine, const std::function<double(double)>& widthAt)
{
    Tube tube{spine, {}};
    const qsizetype n = spine.size();
    for (qsizetype i = 0; i < n; ++i)
        tube.widths.append(std::max(0.2, widthAt(n > 1 ? double(i) / double(n - 1) : 0.0)));
    return tube;
}

QPainterPath tubeOutline(const Tube& tube, bool roundStart = true, bool roundEnd = true)
{
    const QList<QPointF>& s = tube.spine;
    const qsizetype n = s.size();
    if (n < 2)
        return {};
    const QList<QPointF> nm = normals(s);
    QPolygonF poly;
    for (qsizetype i = 0; i < n; ++i)
        poly << s[i] + nm[i] * tube.widths[i] / 2;
    const QPointF tEnd = unit(s[n - 1] - s[n - 2]);
    const double rEnd = tube.widths[n - 1] / 2;
    for (int k = 1; roundEnd && k < 8; ++k) {
        const double phi = kPi * k / 8;
        poly << s[n - 1] + nm[n - 1] * rEnd * std::cos(phi) + tEnd * rEnd * std::sin(phi);
    }
    for (qsizetype i = n - 1; i >= 0; --i)
        poly << s[i] - nm[i] * tube.widths[i] / 2;
    const QPointF tStart = unit(s[1] - s[0]);
    const double rStart = tube.widths[0] / 2;
    for (int k = 1; roundStart && k < 8; ++k) {
        const double phi = kPi * k / 8;
        poly << s[0] - nm[0] * rStart * std::cos(phi) - tStart * rStart * std::sin(phi);
    }
    return closedPath(poly);
}

// The same tube narrowed and moved towards the light: stacked, these make it look round.
Tube litTube(const Tube& tube, double shift, double widthFactor)
{
    const QList<QPointF> nm = normals(tube.spine);
    Tube out;
    for (qsizetype i = 0; i < tube.spine.size(); ++i) {
        const double w = tube.widths[i];
        out.spine.append(tube.spine[i] + nm[i] * dot(nm[i], kLight) * shift * w);
        out.widths.append(w * widthFactor);
    }
    return out;
}

// Points of a teardrop (apex up, round end down) of half-width w and half-height h; sharpness
// above 1 draws the apex out into a point.
QList<QPointF> teardrop(double w, double h, double sharpness, int n = 40)
{
    QList<QPointF> pts;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * kPi * i / n;
        pts.append(QPointF(w * std::sin(t) * std::pow(std::abs(std::sin(t / 2)), sharpness),
                           -h * std::cos(t)));
    }
    return pts;
}

// An irregular rounded outline: an ellipse whose radius wanders with a few low harmonics.
QList<QPointF> blob(Rng& rng, QPointF centre, double rx, double ry, double angle,
                    double irregularity, int n = 48)
{
    double amp[4], phase[4];
    for (int k = 0; k < 4; ++k) {
        amp[k] = irregularity * rng.uniform(0.3, 1.0) / (k + 1);
        phase[k] = rng.uniform(0, 2 * kPi);
    }
    const QTransform rot = QTransform().rotateRadians(angle);
    QList<QPointF> pts;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * kPi * i / n;
        double r = 1.0;
        for (int k = 0; k < 4; ++k)
            r += amp[k] * std::sin((k + 2) * t + phase[k]);
        pts.append(centre + rot.map(QPointF(rx * r * std::cos(t), ry * r * std::sin(t))));
    }
    return pts;
}

// ---- the artist ------------------------------------------------------------------------------

struct TubeLook
{
    int wrinkles = 0;   // longitudinal furrows
    int rings = 0;      // transverse annulations
    int ringAlpha = 90; // how strongly the rings are drawn
    bool roundStart = true;
    bool roundEnd = true;
    bool shadow = true;
    bool outline = true;
};

enum class Section { Radial, Bundles, Rings, Pith };

struct LeafForm
{
    double widthRatio = 0.3; // greatest half-width over length
    double widestAt = 0.8;   // exponent: below 1 widest towards the base, above 1 towards the tip
    double serration = 0.0;  // tooth depth relative to the half-width
    int lobes = 0;
    double bend = 0.0;     // sideways bend of the midrib relative to length
    double fullness = 0.8; // below 0.5 the tip is rounded, as on a petal
};

class PlateArtist
{
public:
    PlateArtist(QPainter& painter, Rng& rng, const QRectF& area, const QColor& colour,
                const QString& latin)
        : m_p(painter), m_rng(rng), m_area(area), m_colour(colour), m_latin(latin.toLower())
    {
    }

    void draw(const QString& part);

private:
    // Pieces
    void castShadow(const QPainterPath& path);
    void strokeInk(const QPainterPath& path, const QColor& colour, double width = 0.9);
    void paintTube(const Tube& tube, const QColor& colour, const TubeLook& look = {});
    void paintHair(QPointF start, double angle, double length, double width, const QColor& colour);
    void paintBall(const QPainterPath& path, QPointF centre, double radius, const QColor& colour,
                   bool gloss = false);
    void paintSection(QPointF centre, double radius, double squash, const QColor& outer,
                      const QColor& inner, Section kind);
    void paintLeaf(QPointF base, double angle, double length, const LeafForm& form,
                   const QColor& colour, bool underside = false);
    void paintFlowerHead(QPointF centre, double radius, double tilt, double rotation,
                         const QColor& petal, int petals);
    void paintOpenFlower(QPointF centre, double radius, double tilt, double rotation,
                         const QColor& petal, int petals);
    void paintBud(QPointF base, double angle, double length, double width, const QColor& colour);
    void paintRootBody(QPointF start, double angle, double length, double width,
                       const QColor& colour, bool crown);
    void paintRhizomePiece(QPointF start, double angle, double length, double width,
                           const QColor& colour);
    void paintRind(QPointF centre, double angle, double length, double width, bool hollowUp);
    void paintQuill(QPointF centre, double angle, double length, double width,
                    const QColor& colour);
    void paintBarkStrip(QPointF centre, double angle, double length, double width,
                        const QColor& colour);
    void paintFacetedLump(QPointF centre, double radius, const QColor& colour, bool sparkle);
    void paintCrystal(QPointF base, double angle, double length, double width,
                      const QColor& colour);
    void paintShellOutside(QPointF umbo, double angle, double size, const QColor& colour,
                           double spread);
    void paintShellInside(QPointF umbo, double angle, double size, const QColor& colour,
                          double spread);
    void paintOyster(QPointF umbo, double angle, double size, const QColor& colour, bool inside);
    void paintInsect(QPointF centre, double angle, double size, const QColor& colour);
    void paintCentipede(QPointF start, double angle, double length, const QColor& colour);
    void paintHorn(QPointF base, double angle, double length, double width, const QColor& colour);
    void paintCoil(QPointF centre, double radius, const QColor& colour);
    void paintSeed(QPointF centre, double size, double aspect, double angle, const QColor& colour,
                   bool detailed);
    void paintTear(QPointF centre, double size, double angle, const QColor& colour, bool dusty);
    void paintCube(QPointF centre, double size, double angle, const QColor& colour);
    void paintCap(QPointF attach, double radius, double angle, const QColor& colour);

    // Parts
    void drawRoot();
    void drawRhizome();
    void drawTuber();
    void drawBulb();
    void drawBark();
    void drawStem();
    void drawTwig();
    void drawLeaf();
    void drawFlower();
    void drawFruit();
    void drawSeed();
    void drawPeel();
    void drawWhole();
    void drawResin();
    void drawFungus();
    void drawMineral();
    void drawShell();
    void drawAnimal();
    void drawSlices();

    // The form named by a word of the Latin name, else one picked by the generator.
    int pickForm(const QList<QStringList>& words)
    {
        for (qsizetype k = 0; k < words.size(); ++k)
            for (const QString& word : words[k])
                if (m_latin.contains(word))
                    return int(k);
        return m_rng.range(0, int(words.size()) - 1);
    }
    QList<QPointF> scatter(int count, const QRectF& rect, double minDistance);
    QList<QPointF> wander(QPointF start, double angle, double length, double curl, int n);
    QColor tint(double hue = 5, double sat = 0.08, double val = 0.07)
    {
        return varied(m_rng, m_colour, hue, sat, val);
    }

    QPainter& m_p;
    Rng& m_rng;
    QRectF m_area;
    QColor m_colour;
    QString m_latin; // lower case; a few well-known words steer the choice of form
};

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

// ---- bark, stem, twig ---------------------------------------------------------------------------

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

// ---- leaf, flower, fruit, seed, peel, whole ----------------------------------------------------

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

// ---- resin, fungus, mineral, shell, animal -----------------------------------------------------

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

void PlateArtist::drawSlices()
{
    // Anything else: a scatter of prepared slices of varied anatomy.
    for (const QPointF& p : scatter(m_rng.range(6, 9), m_area.adjusted(50, 45, -50, -45), 78)) {
        const Section kind = Section(m_rng.range(0, 3));
        paintSection(p, m_rng.uniform(28, 40), m_rng.uniform(0.6, 0.9), tint(),
                     mix(tint(), kCream, m_rng.uniform(0.35, 0.6)), kind);
    }
}

void PlateArtist::draw(const QString& part)
{
    static const QHash<QString, void (PlateArtist::*)()> parts = {
        {"root", &PlateArtist::drawRoot},     {"rhizome", &PlateArtist::drawRhizome},
        {"tuber", &PlateArtist::drawTuber},   {"bulb", &PlateArtist::drawBulb},
        {"bark", &PlateArtist::drawBark},     {"stem", &PlateArtist::drawStem},
        {"twig", &PlateArtist::drawTwig},     {"leaf", &PlateArtist::drawLeaf},
        {"flower", &PlateArtist::drawFlower}, {"fruit", &PlateArtist::drawFruit},
        {"seed", &PlateArtist::drawSeed},     {"peel", &PlateArtist::drawPeel},
        {"whole", &PlateArtist::drawWhole},   {"resin", &PlateArtist::drawResin},
        {"fungus", &PlateArtist::drawFungus}, {"mineral", &PlateArtist::drawMineral},
        {"shell", &PlateArtist::drawShell},   {"animal", &PlateArtist::drawAnimal},
    };
    (this->*parts.value(part, &PlateArtist::drawSlices))();
}

// ---- paper and caption -------------------------------------------------------------------------

void paintPaper(QPainter& p, Rng& rng, double height)
{
    const QRectF page(0, 0, kPlateWidth, height);
    p.fillRect(page, kPaper);
    QRadialGradient vignette(page.center(), height * 0.75);
    vignette.setColorAt(0.5, QColor(255, 250, 236, 0));
    vignette.setColorAt(1.0, QColor(160, 120, 70, 55));
    p.fillRect(page, vignette);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 260; ++k) {
        p.setBrush(QColor(130, 96, 56, rng.range(8, 26)));
        p.drawEllipse(QPointF(rng.uniform(0, kPlateWidth), rng.uniform(0, height)),
                      rng.uniform(0.3, 1.1), rng.uniform(0.3, 1.1));
    }
    for (int k = rng.range(0, 3); k > 0; --k) { // foxing
        p.setBrush(QColor(170, 120, 60, 14));
        const QPointF c(rng.uniform(0, kPlateWidth), rng.uniform(0, height));
        p.drawEllipse(c, rng.uniform(6, 16), rng.uniform(5, 14));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kSepia, 1.2));
    p.drawRect(page.adjusted(10, 10, -10, -10));
    p.setPen(QPen(kSepia, 0.5));
    p.drawRect(page.adjusted(14, 14, -14, -14));
}

// Largest pixel size (down to a floor) at which the text fits; elided if even that is too wide.
QString fitText(QFont& font, const QString& text, double maxWidth, int pixelSize)
{
    const int floor = std::max(6, pixelSize * 3 / 5);
    for (int size = pixelSize; size >= floor; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(text) <= maxWidth)
            return text;
    }
    font.setPixelSize(floor);
    return QFontMetricsF(font).elidedText(text, Qt::ElideRight, maxWidth);
}

void paintCaption(QPainter& p, const PlateInfo& info, int width, int height)
{
    const double scale = width / kPlateWidth;
    const double margin = 28 * scale;
    const double maxWidth = width - 2 * margin;
    const double rule = height - 110 * scale;

    p.setPen(QPen(kSepia, std::max(0.6, 0.7 * scale)));
    p.drawLine(QPointF(width * 0.3, rule), QPointF(width * 0.7, rule));
    p.setBrush(kSepia);
    const double d = 3 * scale;
    p.drawPolygon(QPolygonF{QPointF(width / 2.0, rule - d), QPointF(width / 2.0 + d, rule),
                            QPointF(width / 2.0, rule + d), QPointF(width / 2.0 - d, rule)});

    QFont pinyin(QStringLiteral("DejaVu Serif"));
    pinyin.setStyleHint(QFont::Serif);
    pinyin.setBold(true);
    const QString first = fitText(pinyin, info.name1, maxWidth, std::max(7, qRound(25 * scale)));
    QFont latin(QStringLiteral("DejaVu Serif"));
    latin.setStyleHint(QFont::Serif);
    latin.setItalic(true);
    const QString second = fitText(latin, info.name2, maxWidth, std::max(6, qRound(17 * scale)));

    p.setPen(QColor(52, 36, 22));
    p.setFont(pinyin);
    p.drawText(QRectF(margin, rule + 8 * scale, maxWidth, 38 * scale), Qt::AlignCenter, first);
    p.setPen(QColor(84, 60, 40));
    p.setFont(latin);
    p.drawText(QRectF(margin, rule + 46 * scale, maxWidth, 30 * scale), Qt::AlignCenter, second);

    if (!info.picno.isEmpty() && width >= 240) {
        QFont small(QStringLiteral("DejaVu Serif"));
        small.setStyleHint(QFont::Serif);
        small.setPixelSize(qRound(10 * scale));
        p.setFont(small);
        p.setPen(kSepia);
        const QString label =
            QFontMetricsF(small).elidedText(info.picno, Qt::ElideRight, width * 0.3);
        p.drawText(QRectF(width * 0.6, 16 * scale, width * 0.4 - 22 * scale, 14 * scale),
                   Qt::AlignRight | Qt::AlignVCenter, label);
    }
}

} // namespace

QImage renderPlate(const PlateInfo& info, int width)
{
    width = std::max(width, 16);
    const int height = qRound(width * 4.0 / 3.0);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);

    const QString part = info.part.trimmed().toLower();
    Rng rng(stableHash(info.name1 + QLatin1Char('|') + info.picno));
    const double scale = width / kPlateWidth;
    const double logicalHeight = height / scale;

    painter.save();
    painter.scale(scale, scale);
    paintPaper(painter, rng, logicalHeight);
    const QColor colour = defaultColour(part);
    const QRectF area(24, 28, kPlateWidth - 48, logicalHeight - 28 - 124);
    painter.setClipRect(area.adjusted(-6, -6, 6, 6));
    PlateArtist(painter, rng, area, varied(rng, colour, 4, 0.06, 0.05), info.name2).draw(part);
    painter.restore();

    paintCaption(painter, info, width, height);
    return image;
}

QByteArray encodeJpeg(const QImage& image, int quality)
{
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(std::clamp(quality, 0, 100));
    if (!writer.write(image))
        return {};
    buffer.close();
    return bytes;
}

} // namespace tavirel::databuild
