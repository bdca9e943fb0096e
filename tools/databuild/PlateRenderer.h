#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

namespace tavirel::databuild {

// What a plate shows: the Pinyin name (name1), the Latin name (name2), the part used (root, leaf,
// seed, mineral, ...), the colour of the dried crude drug (may be invalid: the part then decides)
// and the picture number the plate is filed under.
struct PlateInfo
{
    QString name1;
    QString name2;
    QString part;
    QColor colour;
    QString picno;
};

// A botanical-style plate in the manner of an old herbal: the part used drawn on warm paper in a
// thin frame, the Pinyin and Latin names as caption. Portrait, height about width * 4/3. The
// arrangement is seeded from the names, so every herb gets its own plate and the same herb always
// gets the same one.
QImage renderPlate(const PlateInfo& info, int width);

// JPEG bytes of an image; empty when it cannot be encoded.
QByteArray encodeJpeg(const QImage& image, int quality = 88);

} // namespace tavirel::databuild
