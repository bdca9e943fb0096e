#include "ChimeSynth.h"
#include "PlateRenderer.h"

#include <QGuiApplication>
#include <QtEndian>
#include <QtTest>

using namespace tavirel::databuild;

namespace {

int distance(const QColor& p, const QColor& q)
{
    return std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
           std::abs(p.blue() - q.blue());
}

// Mean absolute channel difference over the drawing, above the caption.
double meanDifference(const QImage& a, const QImage& b)
{
    const int rows = a.height() * 7 / 10;
    double sum = 0;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += distance(a.pixelColor(x, y), b.pixelColor(x, y));
    return sum / (3.0 * a.width() * rows);
}

// The drawing (the square under the top margin) against the paper sampled just inside the frame:
// the share of it that is inked, and how far its ink leans to red over blue, per pixel.
std::pair<double, double> ink(const QImage& image)
{
    const QColor paper = image.pixelColor(image.width() / 2, qRound(image.width() * 0.055));
    const int margin = image.width() / 10, side = image.width() * 8 / 10;
    double inked = 0, lean = 0;
    for (int y = margin; y < margin + side; ++y)
        for (int x = margin; x < margin + side; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (distance(c, paper) > 60) {
                ++inked;
                lean += c.red() - c.blue();
            }
        }
    return {inked / (side * side), lean / (side * side)};
}

} // namespace

class TestPlates : public QObject
{
    Q_OBJECT

private slots:
    // Every part draws something of its own in the colour of the drug, seeded by the herb: two
    // herbs of a part never share a plate, one herb always gets the very same bytes, and the JPEG
    // decodes at the size asked for, three wide by four high. An unknown part gets slices.
    void platesAreOwnAndRepeatable_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<int>("width");
        for (const char* part :
             {"root", "rhizome", "tuber", "bulb", "bark", "stem", "twig", "leaf", "flower", "fruit",
              "seed", "peel", "whole", "resin", "fungus", "mineral", "shell", "animal", "gizzard"})
            QTest::newRow(part) << part << 200;
        QTest::newRow("thumbnail") << "root" << 120;
        QTest::newRow("full size") << "flower" << 420;
    }
    void platesAreOwnAndRepeatable()
    {
        QFETCH(QString, part);
        QFETCH(int, width);
        const auto plate = [&](const char* name1, const char* picno, const QColor& colour = {}) {
            return renderPlate({name1, "Radix", part, colour, picno}, width);
        };
        const QImage a = plate("Huang Qi", "0101");
        const double difference = meanDifference(a, plate("Bai Zhu", "0102"));
        const double coverage = ink(a).first;
        const double red = ink(plate("Zhu Sha", "1", QColor(190, 40, 30))).second;
        const double blue = ink(plate("Zhu Sha", "1", QColor(40, 70, 190))).second;
        const QString measured =
            QStringLiteral("difference %1, ink %2, red lean %3 / blue lean %4");
        QVERIFY2(difference > 5.0 && coverage > 0.04 && red > blue + 5,
                 qPrintable(measured.arg(difference).arg(coverage).arg(red).arg(blue)));
        const QByteArray jpeg = encodeJpeg(a);
        QCOMPARE(encodeJpeg(plate("Huang Qi", "0101")), jpeg);
        QVERIFY(jpeg.startsWith("\xFF\xD8"));
        QCOMPARE(QImage::fromData(jpeg).size(), QSize(width, qRound(width * 4 / 3.0)));
        QVERIFY(encodeJpeg(QImage()).isEmpty());
    }

    void longCaptionStaysInsideFrame()
    {
        const QString latin = "Herba cum Radice Gynostemmatis pentaphylli et Polygoni multiflori "
                              "praeparata secundum usum antiquum";
        const QImage image =
            renderPlate({"Jiao Gu Lan", latin, "whole", QColor(90, 110, 60), "7"}, 400);
        const int top = image.height() - 80, bottom = image.height() - 24;
        // Text columns have some dark pixels in the caption band; frame lines are dark throughout.
        QList<int> text;
        int innerLeft = 0, innerRight = image.width();
        for (int x = 0; x < image.width(); ++x) {
            int dark = 0;
            for (int y = top; y < bottom; ++y)
                dark += qGray(image.pixel(x, y)) < 150;
            if (dark > (bottom - top) * 9 / 10)
                (x < image.width() / 2 ? innerLeft = x : innerRight = std::min(innerRight, x));
            else if (dark > 0)
                text.append(x);
        }
        QVERIFY(text.size() > image.width() / 3);
        QVERIFY(text.first() > innerLeft + 2 && text.last() < innerRight - 2);
    }

    // A PCM wave, 16-bit mono at 44.1 kHz, between half a second and three seconds long, loud
    // but not clipping, faded in over a few milliseconds and out to silence: no clicks.
    void chimeIsWellFormedWave()
    {
        const QByteArray wav = synthesiseChime();
        QVERIFY(wav.size() > 44);
        const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
        const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
        QCOMPARE(wav.mid(0, 4) + wav.mid(8, 8) + wav.mid(36, 4), QByteArray("RIFFWAVEfmt data"));
        const QList<quint32> header{u32(4), u16(20), u16(22), u32(24), u32(28), u16(34), u32(40)};
        const quint32 size = wav.size();
        QCOMPARE(header, QList<quint32>({size - 8, 1, 1, 44100, 88200, 16, size - 44}));
        const int samples = (size - 44) / 2;
        QVERIFY(samples > 44100 / 2 && samples < 3 * 44100);
        const auto peak = [&](int from, int to) {
            int loudest = 0;
            for (int i = from; i < to; ++i)
                loudest = std::max(
                    loudest, std::abs(qFromLittleEndian<qint16>(wav.constData() + 44 + 2 * i)));
            return loudest;
        };
        const int loudest = peak(0, samples);
        QVERIFY(loudest > 0.3 * 32767 && loudest < 0.9 * 32767);
        QVERIFY(peak(0, 44) < loudest / 5);                    // the first millisecond
        QVERIFY(peak(samples - 441, samples) < loudest / 100); // the last ten milliseconds
    }
};

QTEST_MAIN(TestPlates)
#include "tst_plates.moc"
