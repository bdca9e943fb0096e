#include "PlateRenderer.h"

#include "PlateDrawing.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>

namespace tavirel::databuild {
namespace plate {

// ---- dispatch by part --------------------------------------------------------------------------

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

} // namespace plate

using namespace plate;

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
    const QColor colour = info.colour.isValid() ? info.colour : defaultColour(part);
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
