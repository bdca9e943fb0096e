#include "PlateCanvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace tavirel::databuild::plate {

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

Tube makeTube(const QList<QPointF>& spine, const std::function<double(double)>& widthAt)
{
    Tube tube{spine, {}};
    const qsizetype n = spine.size();
    for (qsizetype i = 0; i < n; ++i)
        tube.widths.append(std::max(0.2, widthAt(n > 1 ? double(i) / double(n - 1) : 0.0)));
    return tube;
}

QPainterPath tubeOutline(const Tube& tube, bool roundStart, bool roundEnd)
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
QList<QPointF> teardrop(double w, double h, double sharpness, int n)
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
                    double irregularity, int n)
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

namespace {

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

} // namespace

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
    // Fitted above, so the text never needs clipping: a clipped letter would look like a fault.
    p.drawText(QRectF(margin, rule + 8 * scale, maxWidth, 38 * scale),
               Qt::AlignCenter | Qt::TextDontClip, first);
    p.setPen(QColor(84, 60, 40));
    p.setFont(latin);
    p.drawText(QRectF(margin, rule + 46 * scale, maxWidth, 30 * scale),
               Qt::AlignCenter | Qt::TextDontClip, second);

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

} // namespace tavirel::databuild::plate
