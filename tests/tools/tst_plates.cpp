#include "ChimeSynth.h"
#include "PlateRenderer.h"

#include <QGuiApplication>
#include <QtEndian>
#include <QtTest>

using namespace tavirel::databuild;

namespace {

const QStringList kParts = {"root",  "rhizome", "tuber",  "bulb",    "bark",  "stem",
                            "twig",  "leaf",    "flower", "fruit",   "seed",  "peel",
                            "whole", "resin",   "fungus", "mineral", "shell", "animal"};

// Mean absolute channel difference over the drawing, above the caption.
double meanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    const int rows = x.height() * 7 / 10;
    double sum = 0;
    for (int row = 0; row < rows; ++row) {
        const QRgb* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const QRgb* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += std::abs(qRed(p[col]) - qRed(q[col])) +
                   std::abs(qGreen(p[col]) - qGreen(q[col])) +
                   std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
    return sum / (3.0 * x.width() * rows);
}

// Share of pixels in the rectangle that stand out from the paper sampled just inside the frame.
double inkCoverage(const QImage& image, const QRect& rect)
{
    const QColor paper = image.pixelColor(image.width() / 2, qRound(image.width() * 0.055));
    int ink = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            ink += std::abs(c.red() - paper.red()) + std::abs(c.green() - paper.green()) +
                       std::abs(c.blue() - paper.blue()) >
                   60;
        }
    return double(ink) / (rect.width() * rect.height());
}

} // namespace

class TestPlates : public QObject
{
    Q_OBJECT

private slots:
    void jpegDecodesAtRequestedSize_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<int>("width");
        QTest::newRow("thumbnail root") << "root" << 120;
        QTest::newRow("full flower") << "flower" << 420;
        QTest::newRow("full mineral, no colour") << "mineral" << 360;
    }
    void jpegDecodesAtRequestedSize()
    {
        QFETCH(QString, part);
        QFETCH(int, width);
        const QByteArray jpeg =
            encodeJpeg(renderPlate({"Dang Gui", "Radix Angelicae", part, {}, "0042"}, width));
        QVERIFY(jpeg.startsWith("\xFF\xD8"));
        const QImage decoded = QImage::fromData(jpeg);
        QCOMPARE(decoded.width(), width);
        QVERIFY(qAbs(decoded.height() - width * 4 / 3) <= 1);
        QVERIFY(encodeJpeg(QImage()).isEmpty());
    }

    // Every part draws something, seeded by the herb: two herbs of a part never share a plate,
    // and one herb always gets the very same bytes.
    void platesAreOwnAndRepeatable()
    {
        for (const QString& part : kParts) {
            const PlateInfo first{"Huang Qi", "Radix Astragali", part, {}, "0101"};
            const PlateInfo second{"Bai Zhu", "Rhizoma Atractylodis", part, {}, "0102"};
            const QImage a = renderPlate(first, 200);
            const double difference = meanDifference(a, renderPlate(second, 200));
            QVERIFY2(difference > 5.0, qPrintable(part + ": " + QString::number(difference)));
            const QRect drawing(20, 20, 160, 160);
            QVERIFY2(inkCoverage(a, drawing) > 0.04, qPrintable(part));
            QCOMPARE(encodeJpeg(renderPlate(first, 200)), encodeJpeg(a));
        }
    }

    // The drug is painted in its own colour: ink pixels lean towards the colour given.
    void drugColourShows()
    {
        for (const char* part : {"root", "mineral", "fruit"}) {
            const auto lean = [&](const QColor& colour) {
                const QImage image = renderPlate({"Zhu Sha", "Cinnabaris", part, colour, "1"}, 160);
                const QColor paper = image.pixelColor(80, 9);
                double redMinusBlue = 0;
                for (int y = 15; y < 150; ++y)
                    for (int x = 15; x < 145; ++x) {
                        const QColor c = image.pixelColor(x, y);
                        if (std::abs(c.lightness() - paper.lightness()) > 30 ||
                            std::abs(c.hue() - paper.hue()) > 30)
                            redMinusBlue += c.red() - c.blue();
                    }
                return redMinusBlue;
            };
            QVERIFY2(lean(QColor(190, 40, 30)) > lean(QColor(40, 70, 190)) + 10000,
                     qPrintable(part));
        }
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
        QVERIFY(text.first() > innerLeft + 2);
        QVERIFY(text.last() < innerRight - 2);
    }

    void unknownPartGetsSlices()
    {
        const QImage image = renderPlate({"Wu Ming", "Materia ignota", "gizzard", {}, ""}, 240);
        QCOMPARE(image.size(), QSize(240, 320));
        QVERIFY(inkCoverage(image, QRect(20, 20, 200, 220)) > 0.1);
    }

    void chimeIsWellFormedWave()
    {
        const QByteArray wav = synthesiseChime();
        const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
        const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
        QVERIFY(wav.size() > 44);
        QCOMPARE(wav.mid(0, 4), QByteArray("RIFF"));
        QCOMPARE(u32(4), quint32(wav.size() - 8));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(u16(20), quint16(1));     // PCM
        QCOMPARE(u16(22), quint16(1));     // mono
        QCOMPARE(u32(24), quint32(44100)); // sample rate
        QCOMPARE(u32(28), quint32(88200)); // byte rate
        QCOMPARE(u16(34), quint16(16));
        QCOMPARE(wav.mid(36, 4), QByteArray("data"));
        const quint32 bytes = u32(40);
        QCOMPARE(bytes, quint32(wav.size() - 44));
        const double seconds = bytes / 2 / 44100.0;
        QVERIFY(seconds > 0.5 && seconds < 3.0);

        const auto sample = [&](int i) {
            return qFromLittleEndian<qint16>(wav.constData() + 44 + 2 * i);
        };
        int peak = 0;
        for (int i = 0; i < int(bytes / 2); ++i)
            peak = std::max(peak, std::abs(int(sample(i))));
        QVERIFY(peak < 0.9 * 32767);
        QVERIFY(peak > 0.3 * 32767);
        // Faded in over a few milliseconds and out to silence: no clicks at either end.
        int firstMillisecond = 0;
        for (int i = 0; i < 44; ++i)
            firstMillisecond = std::max(firstMillisecond, std::abs(int(sample(i))));
        QVERIFY(firstMillisecond < peak / 5);
        int lastTenMilliseconds = 0;
        for (int i = int(bytes / 2) - 441; i < int(bytes / 2); ++i)
            lastTenMilliseconds = std::max(lastTenMilliseconds, std::abs(int(sample(i))));
        QVERIFY(lastTenMilliseconds < peak / 100);
    }
};

QTEST_MAIN(TestPlates)
#include "tst_plates.moc"
