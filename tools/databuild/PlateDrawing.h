#pragma once

// The artist that draws the part used on a plate. Its shared pieces (tubes, balls, sections,
// leaves, flowers, buds) live in PlateArtist.cpp, the parts each in the file of their family.

#include "PlateCanvas.h"

#include <QColor>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace tavirel::databuild::plate {

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

// A leaf shape of one of the common forms, drawn from the generator.
LeafForm randomLeafForm(Rng& rng);

} // namespace tavirel::databuild::plate
