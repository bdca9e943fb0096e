// What the button paints: pixels of its persistent image, its window shape and its layout.
#include "ButtonTestSupport.h"

#include "button/PicturePainter.h"
#include "button/Styles.h"
#include "button/WindowButtons.h"

#include <QFontMetrics>

using namespace tavirel::button;
using namespace tavirel::button::test;

namespace {

constexpr Rgb faceBright = 0xFFB0B0; // of the menu's &HFF8080 face, style 3
constexpr Rgb border = 0x733C00;     // the outer border of style 3
constexpr int W = 60;
constexpr int H = 20;

Rgb shift3(Rgb c, int d)
{
    return ShiftColor(c, d, true);
}

QList<Rgb> pixels(const SkinButton* b, const QList<QPoint>& points)
{
    QList<Rgb> found;
    for (const QPoint p : points)
        found << pixelAt(b, p.x(), p.y());
    return found;
}

// The middle column of the face between the bevels, and what style 3 paints there: its
// gradient of 25 steps, running down from the base colour, or up when pressed.
QList<Rgb> faceColumn(const SkinButton* b)
{
    QList<QPoint> column;
    for (int y = 3; y <= H - 4; ++y)
        column << QPoint(W / 2, y);
    return pixels(b, column);
}
QList<Rgb> gradient(Rgb base, bool up)
{
    QList<Rgb> rows;
    for (int y = 3; y <= H - 4; ++y)
        rows << shift3(base, gradientShift(25, H, up ? H - y : y));
    return rows;
}

// A classic-scheme button of 40 × 30 with a 5 × 5 picture centred at (17, 12): the mask colour
// with one black pixel in the middle and one light pixel in the top left corner.
SkinButton* pictureButton(QWidget* host, int type)
{
    QImage picture(5, 5, QImage::Format_RGB32);
    picture.fill(QColor(0xC0, 0xC0, 0xC0));
    picture.setPixel(2, 2, qRgb(0, 0, 0));
    picture.setPixel(0, 0, qRgb(0xF0, 0xF0, 0xF0));
    auto* b = new SkinButton(host);
    b->setButtonType(type);
    b->setColorScheme(3);
    b->setCaption(QString());
    b->setPicturePosition(4);
    b->setPictureNormal(picture);
    b->setGeometry(20, 20, 40, 30);
    b->show();
    return b;
}

} // namespace

class TestButtonPaint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void style3Faces_data();
    void style3Faces();
    void disabledWinsOverCheckedToggle();
    void windowShapes();
    void style10ShowsNoCaption();
    void captionDrawnWhereMeasured_data();
    void captionDrawnWhereMeasured();
    void pictureBesideCaption_data();
    void pictureBesideCaption();
    void otherPositionsKeepTheLayout();
    void transBlt_data();
    void transBlt();
    void pictureRelief_data();
    void pictureRelief();
};

void TestButtonPaint::style3Faces_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<Rgb>>("colours");
    // The bevel of the plain face (light along the top, dark along the bottom and the right) and
    // the rings: frame left and right, bottom, top, second row, inner sides; the border stays.
    const QList<QPoint> frame{{1, 5}, {W - 2, 5}, {5, H - 2}, {5, 1},
                              {5, 2}, {2, 5},     {W - 3, 5}, {0, 5}};
    const auto ring = [](Rgb frame, Rgb bottom, Rgb top, Rgb second, Rgb sides) {
        return QList<Rgb>{frame, frame, bottom, top, second, sides, sides, border};
    };
    const Rgb fb = faceBright;
    QTest::newRow("normal") << "normal" << frame + QList<QPoint>{{5, H - 3}}
                            << QList<Rgb>{shift3(fb, -5),  shift3(fb, -36), shift3(fb, -48),
                                          shift3(fb, 16),  shift3(fb, 10),  shift3(fb, -10),
                                          shift3(fb, -24), border,          shift3(fb, -32)};
    QTest::newRow("orange when hovered")
        << "hover" << frame << ring(0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF);
    QTest::newRow("blue with the focus")
        << "focus" << frame << ring(0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5);
    QTest::newRow("pressed") << "pressed" << QList<QPoint>{{W - 3, 5}, {0, 5}}
                             << QList<Rgb>{fb, border};
}

void TestButtonPaint::style3Faces()
{
    QFETCH(QString, state);
    QFETCH(QList<QPoint>, points);
    ButtonHost host;
    SkinButton* b = menuStyleButton(&host, QSize(W, H));
    QVERIFY(host.showActive());
    b->clearFocus();
    if (state == "hover") {
        pointAt(b, QPoint(W / 2, H / 2));
        QTRY_VERIFY(b->isOver());
    } else if (state == "focus") {
        b->setFocus();
        QTRY_VERIFY(b->hasFocus());
    } else if (state == "pressed") {
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(W / 2, H / 2));
    }
    QTEST(pixels(b, points), "colours");
    // The gradient of a 20-pixel-high face: row 1 d = -1, row 2 d = -2, row 20 d = -25, and
    // -12.5 rounds to -12. Pressed, it runs the other way, darkest on top.
    if (state == "pressed") {
        QCOMPARE(faceColumn(b), gradient(shift3(faceBright, -32), true));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(W / 2, H / 2));
    }
    QCOMPARE(faceColumn(b), gradient(faceBright, false));
    QCOMPARE(pixelAt(b, W / 2, 10), Rgb(0xF0A4A4));
    // The border and the inner corners stay in every state.
    QCOMPARE(
        pixels(b, {{5, 0}, {5, H - 1}, {W - 1, 5}, {1, 1}, {W - 2, 1}, {1, H - 2}, {W - 2, H - 2}}),
        QList<Rgb>({border, border, border, 0x7B4D10, 0x7B4D10, 0x7B4D10, 0x7B4D10}));
    pointAway(&host);
    QTRY_VERIFY(!b->isOver());
}

void TestButtonPaint::disabledWinsOverCheckedToggle()
{
    ButtonHost host;
    SkinButton* b = menuStyleButton(&host, QSize(W, H));
    QVERIFY(host.showActive());
    b->setCheckBoxBehaviour(true);
    b->setValue(true);
    const QList<Rgb> pressed = faceColumn(b);
    QCOMPARE(pressed, gradient(shift3(faceBright, -32), true));
    b->setEnabled(false);
    QCOMPARE(
        pixels(b, {{W / 2, 2}, {W / 2, 10}, {W / 2, H - 2}, {0, 5}, {1, 1}, {W - 2, H - 2}}),
        QList<Rgb>({shift3(faceBright, -24), shift3(faceBright, -24), shift3(faceBright, -24),
                    shift3(faceBright, -84), shift3(faceBright, -72), shift3(faceBright, -72)}));
    b->setEnabled(true);
    QCOMPARE(faceColumn(b), pressed);
}

void TestButtonPaint::windowShapes()
{
    QWidget host;
    host.show();
    SkinButton* b = menuStyleButton(&host, QSize(W, H));
    // The button's rectangle less the pixels a style cuts off: three at each corner for the
    // rounded style 3, none for the rectangular style 15, the corners for style 1, two opposite
    // corners for style 5.
    const auto shape = [](int w, const QList<QPoint>& cut) {
        QRegion region(0, 0, w, H);
        for (const QPoint p : cut)
            region -= QRegion(p.x(), p.y(), 1, 1);
        return region;
    };
    const auto rounded = [](int w) {
        return QList<QPoint>{{0, 0},     {1, 0},         {0, 1},         {w - 2, 0},
                             {w - 1, 0}, {w - 1, 1},     {0, H - 2},     {0, H - 1},
                             {1, H - 1}, {w - 2, H - 1}, {w - 1, H - 1}, {w - 1, H - 2}};
    };
    const QList<std::pair<int, QList<QPoint>>> cuts{
        {3, rounded(W)},
        {15, {}},
        {1, {{0, 0}, {W - 1, 0}, {0, H - 1}, {W - 1, H - 1}}},
        {5, {{W - 1, 0}, {0, H - 1}}}};
    for (const auto& [type, cut] : cuts) {
        b->setButtonType(type);
        QCOMPARE(b->mask(), shape(W, cut));
    }
    b->setButtonType(13); // an oval
    QVERIFY(!b->mask().contains(QPoint(2, 2)) && b->mask().contains(QPoint(W / 2, H / 2)));
    b->setButtonType(3);
    b->resize(W + 10, H); // the shape follows the size
    QCOMPARE(b->mask(), shape(W + 10, rounded(W + 10)));
}

void TestButtonPaint::style10ShowsNoCaption()
{
    QWidget host;
    host.show();
    const auto button = [&host](int type, const QString& caption, bool picture) {
        auto* b = pictureButton(&host, type);
        if (!picture)
            b->setPictureNormal(QImage());
        b->setCaption(caption);
        b->resize(75, 23);
        return b->image();
    };
    QVERIFY(button(2, QStringLiteral("Exit"), false) != button(2, QString(), false));
    QCOMPARE(button(10, QStringLiteral("Exit"), false), button(10, QString(), false));
    QCOMPARE(button(10, QStringLiteral("Exit"), true), button(10, QString(), true));
}

void TestButtonPaint::captionDrawnWhereMeasured_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::newRow("Exit") << "Exit" << QSize(75, 23);
    QTest::newRow("menu caption") << "A&dd Formulas" << QSize(150, 30);
    QTest::newRow("short") << "Add -->" << QSize(75, 23);
    QTest::newRow("wrapped in three lines") << "Show the herb" << QSize(44, 50);
}

void TestButtonPaint::captionDrawnWhereMeasured()
{
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QWidget host;
    host.show();
    SkinButton* b = menuStyleButton(&host, size, caption);
    b->setFont(buttonFont());
    const ButtonRecord& r = b->record();
    QVERIFY(r.captionHeight >= QFontMetrics(b->font()).height());
    QCOMPARE(r.captionRect.right - r.captionRect.left, r.captionWidth);
    // Laid out from (1, 1), centred in the face; the pressed text one pixel further.
    QCOMPARE(r.captionRect.left, 1 + (size.width() - 1 - r.captionWidth) / 2);
    QCOMPARE(r.captionRect.top, 1 + (size.height() - 1 - r.captionHeight) / 2);
    QCOMPARE(r.textRect, r.captionRect.moved(1, 1));
    // Outside the measured box the face is the bare gradient, and inside it the text reaches
    // both side edges: no line broke off the measured ones.
    const int h = size.height();
    const auto bare = [&](int x, int y) {
        return pixelAt(b, x, y) == shift3(faceBright, gradientShift(25, h, y));
    };
    for (int y = 3; y <= h - 4; ++y) {
        if (y >= r.captionRect.top - 1 && y <= r.captionRect.bottom)
            continue;
        for (int x = 3; x <= size.width() - 4; ++x)
            QVERIFY2(bare(x, y), qPrintable(QStringLiteral("text at (%1, %2)").arg(x).arg(y)));
    }
    const auto inked = [&](int fromX, int toX) {
        for (int y = r.captionRect.top; y < r.captionRect.bottom; ++y)
            for (int x = fromX; x < toX; ++x)
                if (!bare(x, y))
                    return true;
        return false;
    };
    QVERIFY(inked(r.captionRect.left, r.captionRect.left + 3));
    QVERIFY(inked(r.captionRect.right - 3, r.captionRect.right));
}

void TestButtonPaint::pictureBesideCaption_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("caption");
    QTest::newRow("left") << 0 << "Go";
    QTest::newRow("right") << 1 << "Go";
    QTest::newRow("above") << 2 << "Go";
    QTest::newRow("below") << 3 << "Go";
    QTest::newRow("behind") << 4 << "Go";
    QTest::newRow("left of a caption of spaces") << 0 << "   ";
}

void TestButtonPaint::pictureBesideCaption()
{
    QFETCH(int, position);
    QFETCH(QString, caption);
    QWidget host;
    auto* b = new SkinButton(&host);
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    b->setPictureNormal(picture);
    b->setPicturePosition(position);
    b->setCaption(caption);
    host.show();
    const int h = position == 2 || position == 3 ? 50 : 23;
    b->resize(75, h);
    b->show();
    const ButtonRecord& r = b->record();
    const Rect c = r.captionRect;
    QVERIFY(r.captionWidth > 0);                  // blanks are measured too
    QPoint expected((75 - 16) / 2, (h - 16) / 2); // centred: behind, or no visible caption
    switch (caption.trimmed().isEmpty() ? 4 : position) {
    case 0: // the caption centred right of x = 17, the picture 4 pixels before it
        QCOMPARE(c.left, 17 + (75 - 17 - r.captionWidth) / 2);
        expected.setX(c.left - 16 - 4);
        break;
    case 1:
        expected.setX(c.right + 4);
        break;
    case 2:
        QCOMPARE(c.top, 17 + (50 - 17 - r.captionHeight) / 2);
        expected.setY(c.top - 16 - 2);
        break;
    case 3:
        expected.setY(c.bottom + 2);
        break;
    }
    QCOMPARE(QPoint(r.pictureX, r.pictureY), expected);
    // The picture is really painted where the layout put it.
    QCOMPARE(pixelAt(b, r.pictureX + 1, r.pictureY + 1), Rgb(0x0000FF));
}

void TestButtonPaint::otherPositionsKeepTheLayout()
{
    QWidget host;
    host.show();
    auto* b = new SkinButton(&host);
    b->setCaption(QStringLiteral("Go"));
    b->resize(75, 23);
    b->show();
    const Rect laidOut = b->record().captionRect;
    b->setPicturePosition(5);
    b->setCaption(QStringLiteral("Go"));
    b->setCaption(QStringLiteral("Go"));
    QCOMPARE(b->record().captionRect, laidOut);
    QCOMPARE(b->record().textRect, laidOut.moved(1, 1));
}

void TestButtonPaint::transBlt_data()
{
    // A picture row of the mask colour, dark grey, light grey and a colour (red C0, green 60,
    // blue 30), drawn over 302010 with the options named.
    QTest::addColumn<QString>("options");
    QTest::addColumn<QList<Rgb>>("expected");
    const Rgb under = 0x302010;
    QTest::newRow("plain") << "" << QList<Rgb>{under, 0x202020, 0xF0F0F0, 0x3060C0};
    QTest::newRow("mask colour painted when not used")
        << "no mask" << QList<Rgb>{0xC0C0C0, 0x202020, 0xF0F0F0, 0x3060C0};
    QTest::newRow("silhouette") << "silhouette" << QList<Rgb>{under, 0xFF0000, 0xFF0000, 0xFF0000};
    QTest::newRow("silhouette of the dark pixels")
        << "silhouette dark" << QList<Rgb>{under, 0xFF0000, under, 0xFF0000};
    QTest::newRow("greyscale") << "grey" << QList<Rgb>{under, 0x202020, 0xF0F0F0, 0x787878};
    QTest::newRow("fade over the surface")
        << "fade" << QList<Rgb>{under, 0x25201A, 0xB0AAA5, 0x304A85};
}

void TestButtonPaint::transBlt()
{
    QFETCH(QString, options);
    QFETCH(QList<Rgb>, expected);
    ButtonRecord record;
    record.useMaskColor = !options.contains("no mask");
    QImage picture(4, 1, QImage::Format_RGB32);
    const QList<Rgb> row{0xC0C0C0, 0x202020, 0xF0F0F0, 0x3060C0};
    for (int i = 0; i < 4; ++i)
        picture.setPixel(i, 0, toPixel(row.at(i)));
    QImage image(6, 1, QImage::Format_RGB32);
    image.fill(toQColor(0x302010));
    Surface surface(image);
    const std::optional<Rgb> silhouette =
        options.contains("silhouette") ? std::optional<Rgb>(0xFF0000) : std::nullopt;
    TransBlt(record, surface, 1, 0, -1, -1, picture, 0xC0C0C0, silhouette, options.contains("dark"),
             options.contains("grey"), options.contains("fade"));
    QList<Rgb> painted;
    for (int i = 0; i < 6; ++i)
        painted << surface.pixel(i, 0);
    QCOMPARE(painted, QList<Rgb>{0x302010} + expected + QList<Rgb>{0x302010});
}

void TestButtonPaint::pictureRelief_data()
{
    // Pixels: the black dot, the copy of it one down and right, the copy of the light corner
    // pixel one up and left of the picture, and a light pixel of the picture.
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("effect"); // -1: disabled
    QTest::addColumn<QList<Rgb>>("expected");
    // The classic face C0C0C0 gives the style 3 base F0F0F0.
    const Rgb face = ShiftColor(0xF0F0F0, gradientShift(25, 30, 11), true);
    QTest::newRow("embossed") << 3 << 1 << QList<Rgb>{0, 0xC8C8C8, 0xFFFFFF};
    QTest::newRow("engraved") << 3 << 2 << QList<Rgb>{0, 0xFFFFFF, 0xC8C8C8};
    QTest::newRow("shadowed") << 3 << 3 << QList<Rgb>{0, 0xC8C8C8, face};
    // Disabled: Shadow where the picture is dark, Highlight one down and right of it; light
    // pixels leave the face.
    QTest::newRow("disabled") << 1 << -1 << QList<Rgb>{0x808080, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0};
}

void TestButtonPaint::pictureRelief()
{
    QFETCH(int, type);
    QFETCH(int, effect);
    QFETCH(QList<Rgb>, expected);
    QWidget host;
    host.show();
    SkinButton* b = pictureButton(&host, type);
    if (effect < 0)
        b->setEnabled(false);
    else
        b->setSpecialEffect(effect);
    QCOMPARE(QPoint(b->record().pictureX, b->record().pictureY), QPoint(17, 12));
    const QList<QPoint> at = effect < 0 ? QList<QPoint>{{19, 14}, {20, 15}, {17, 12}, {18, 13}}
                                        : QList<QPoint>{{19, 14}, {20, 15}, {16, 11}};
    QCOMPARE(pixels(b, at), expected);
}

QTEST_MAIN(TestButtonPaint)
#include "tst_buttonpaint.moc"
