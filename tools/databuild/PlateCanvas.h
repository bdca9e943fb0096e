#pragma once

// The ground every plate is drawn on: the seeded generator, the palette, the colour and geometry
// helpers the parts are drawn with, and the paper, frame and caption.

#include "PlateRenderer.h"

#include <QColor>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QString>

#include <functional>
#include <numbers>
#include <random>

namespace tavirel::databuild::plate {

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

quint32 stableHash(const QString& text);

// ---- colour ------------------------------------------------------------------------------------

QColor mix(const QColor& a, const QColor& b, double t);
QColor shade(const QColor& c, double f);
QColor alpha(QColor c, int a);
QColor inkOf(const QColor& c);
QColor varied(Rng& rng, const QColor& c, double hue, double sat, double val);
QColor defaultColour(const QString& part);

// ---- geometry ----------------------------------------------------------------------------------

double dot(const QPointF& a, const QPointF& b);
QPointF unit(const QPointF& v);
QPointF perp(const QPointF& v);
QPointF polar(double angle, double radius);
QList<QPointF> bezier(QPointF p0, QPointF p1, QPointF p2, QPointF p3, int n);
QList<QPointF> tangents(const QList<QPointF>& spine);
QList<QPointF> normals(const QList<QPointF>& spine);
QPainterPath closedPath(const QPolygonF& polygon);
QPainterPath smoothClosed(const QList<QPointF>& pts);

// A long body of varying width along a spine: roots, stems, legs, buds.
struct Tube
{
    QList<QPointF> spine;
    QList<double> widths;
};

Tube makeTube(const QList<QPointF>& spine, const std::function<double(double)>& widthAt);
QPainterPath tubeOutline(const Tube& tube, bool roundStart = true, bool roundEnd = true);
Tube litTube(const Tube& tube, double shift, double widthFactor);
QList<QPointF> teardrop(double w, double h, double sharpness, int n = 40);
QList<QPointF> blob(Rng& rng, QPointF centre, double rx, double ry, double angle,
                    double irregularity, int n = 48);

// ---- paper and caption -------------------------------------------------------------------------

void paintPaper(QPainter& p, Rng& rng, double height);
void paintCaption(QPainter& p, const PlateInfo& info, int width, int height);

} // namespace tavirel::databuild::plate
