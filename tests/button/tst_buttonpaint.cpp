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
constexpr int W = 60;
constexpr int H = 20;

Rgb shift3(Rgb c, int d)
{
    return ShiftColor(c, d, true);
}

// A 5 × 5 picture in the mask colour with one black pixel in the middle and one light pixel
// in the top left corner.
QImage dotPicture()
{
    QImage picture(5, 5, QImage::Format_RGB32);
    picture.fill(QColor(0xC0, 0xC0, 0xC0));
    picture.setPixel(2, 2, qRgb(0, 0, 0));
    picture.setPixel(0, 0, qRgb(0xF0, 0xF0, 0xF0));
    return picture;
}

// A classic-scheme button of 40 × 30 with the dot picture centred at (17, 12).
SkinButton* pictureButton(QWidget* host, int type)
{
    auto* b = new SkinButton(host);
    b->setButtonType(type);
    b->setColorScheme(3);
    b->setCaption(QString());
    b->setPicturePosition(4);
    b->setPictureNormal(dotPicture());
    b->setGeometry(20, 20, 40, 30);
    b->show();
    return b;
}

} // namespace

class TestButtonPaint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void style3NormalFace();
    void style3Rings_data();
    void style3Rings();
    void style3PressedGradientRunsUp();
    void disabledWinsOverCheckedToggle();
    void windowShapes_data();
    void windowShapes();
    void style10ShowsNoCaption();
    void captionDrawnWhereMeasured_data();
    void captionDrawnWhereMeasured();
    void pictureBesideCaption_data();
    void pictureBesideCaption();
    void otherPositionsKeepTheLayout();
    void paletteFollowsTheStyle();
    void transBlt_data();
    void transBlt();
    void pictureRelief_data();
    void pictureRelief();
    void disabledPictureIsEmbossed();
};

void TestButtonPaint::style3NormalFace()
{
    ButtonHost host;
    SkinButton* b = menuStyleButton(&host, QSize(W, H));
    QVERIFY(host.showActive());
    b->clearFocus();

    for (int y = 3; y <= H - 4; ++y)
        QCOMPARE(pixelAt(b, W / 2, y), shift3(faceBright, gradientShift(25, H, y)));
    QCOMPARE(pixelAt(b, W / 2, 10), Rgb(0xF0A4A4)); // -12.5 rounds to -12
    for (const QPoint p : {QPoint(0, 5), QPoint(W - 1, 5), QPoint(5, 0), QPoint(5, H - 1)})
        QCOMPARE(pixelAt(b, p.x(), p.y()), Rgb(0x733C00));
    for (const QPoint p : {QPoint(1, 1), QPoint(1, H - 2), QPoint(W - 2, 1), QPoint(W - 2, H - 2)})
        QCOMPARE(pixelAt(b, p.x(), p.y()), Rgb(0x7B4D10));
    // The plain bevel: light along the top, dark along the bottom and the right.
    QCOMPARE(pixelAt(b, 5, 1), shift3(faceBright, 16));
    QCOMPARE(pixelAt(b, 5, 2), shift3(faceBright, 10));
    QCOMPARE(pixelAt(b, 5, H - 2), shift3(faceBright, -48));
    QCOMPARE(pixelAt(b, 5, H - 3), shift3(faceBright, -32));
    QCOMPARE(pixelAt(b, W - 2, 5), shift3(faceBright, -36));
    QCOMPARE(pixelAt(b, 1, 5), shift3(faceBright, -5));
}

void TestButtonPaint::style3Rings_data()
{
    QTest::addColumn<bool>("hover");
    QTest::addColumn<Rgb>("frame");
    QTest::addColumn<Rgb>("bottom");
    QTest::addColumn<Rgb>("top");
    QTest::addColumn<Rgb>("second");
    QTest::addColumn<Rgb>("sides");
    QTest::newRow("orange when hovered") << true << Rgb(0x31B2FF) << Rgb(0x0096E7) << Rgb(0xCEF3FF)
                                         << Rgb(0x8CDBFF) << Rgb(0x6BCBFF);
    QTest::newRow("blue with the focus") << false << Rgb(0xE7AE8C) << Rgb(0xEF826B) << Rgb(0xFFE7CE)
                                         << Rgb(0xF7D7BD) << Rgb(0xF0D1B5);
}

void TestButtonPaint::style3Rings()
{
    QFETCH(bool, hover);
    ButtonHost host;
    SkinButton* b = menuStyleButton(&host, QSize(W, H));
    QVERIFY(host.showActive());
    if (hover) {
        b->clearFocus();
        pointAt(b, QPoint(W / 2, H / 2));
        QTRY_VERIFY(b->isOver());
    } else {
        b->setFocus();
        QTRY_VERIFY(b->hasFocus());
    }
    QTEST(pixelAt(b, 1, 5), "frame");
    QTEST(pixelAt(b, W - 2, 5), "frame");
    QTEST(pixelAt(b, 5, H - 2), "bottom");
    QTEST(pixelAt(b, 5, 1), "top");
    QTEST(pixelAt(b, 5, 2), "second");
    QTEST(pixelAt(b, 2, 5), "sides");
    QTEST(pixelAt(b, W - 3, 5), "sides");
    QCOMPARE(pixelAt(b, 0, 5), Rgb(0x733C00)); // the outer border stays
    pointAway(&host);
    QTRY_VERIFY(!b->isOver());
}

void TestButtonPaint::style3PressedGradientRunsUp()
{
    ButtonHost host;
    SkinButton* b = menuStyleButton(&host, QSize(W, H));
    QVERIFY(host.showActive());
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(W / 2, H / 2));
    const Rgb base = shift3(faceBright, -32);
    for (int y = 3; y <= H - 4; ++y)
        QCOMPARE(pixelAt(b, W / 2, y), shift3(base, gradientShift(25, H, H - y)));
    QVERIFY(redOf(pixelAt(b, W / 2, 3)) < redOf(pixelAt(b, W / 2, H - 4))); // darkest on top
    QCOMPARE(pixelAt(b, W - 3, 5), faceBright);
    QCOMPARE(pixelAt(b, 0, 5), Rgb(0x733C00));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(W / 2, H / 2));
    QCOMPARE(pixelAt(b, W / 2, 3), shift3(faceBright, gradientShift(25, H, 3)));
}

void TestButtonPaint::disabledWinsOverCheckedToggle()
{
    ButtonHost host;
    SkinButton* b = menuStyleButton(&host, QSize(W, H));
    QVERIFY(host.showActive());
    b->setCheckBoxBehaviour(true);
    b->setValue(true);
    const Rgb pressed = shift3(shift3(faceBright, -32), gradientShift(25, H, H - 10));
    QCOMPARE(pixelAt(b, W / 2, 10), pressed);

    b->setEnabled(false);
    for (const int y : {2, 10, H - 2})
        QCOMPARE(pixelAt(b, W / 2, y), shift3(faceBright, -24));
    QCOMPARE(pixelAt(b, 0, 5), shift3(faceBright, -84));
    QCOMPARE(pixelAt(b, 1, 1), shift3(faceBright, -72));
    QCOMPARE(pixelAt(b, W - 2, H - 2), shift3(faceBright, -72));

    b->setEnabled(true);
    QCOMPARE(pixelAt(b, W / 2, 10), pressed);
}

void TestButtonPaint::windowShapes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("inside");
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(W - 2, 0),
                           QPoint(W - 1, 1), QPoint(0, H - 2), QPoint(1, H - 1),
                           QPoint(W - 1, H - 1), QPoint(W - 2, H - 1), QPoint(W - 1, H - 2)})
        QTest::addRow("style 3 cuts (%d, %d)", p.x(), p.y()) << 3 << p << false;
    for (const QPoint p : {QPoint(1, 1), QPoint(2, 0), QPoint(W - 2, H - 2), QPoint(W - 3, H - 1)})
        QTest::addRow("style 3 keeps (%d, %d)", p.x(), p.y()) << 3 << p << true;
    QTest::newRow("style 15 is rectangular") << 15 << QPoint(0, 0) << true;
    QTest::newRow("style 15, far corner") << 15 << QPoint(W - 1, H - 1) << true;
    QTest::newRow("style 1 cuts a pixel") << 1 << QPoint(0, 0) << false;
    QTest::newRow("style 1 keeps the next") << 1 << QPoint(1, 0) << true;
    QTest::newRow("style 5 keeps top left") << 5 << QPoint(0, 0) << true;
    QTest::newRow("style 5 cuts top right") << 5 << QPoint(W - 1, 0) << false;
    QTest::newRow("style 13 is an oval") << 13 << QPoint(2, 2) << false;
    QTest::newRow("style 13 middle") << 13 << QPoint(W / 2, H / 2) << true;
}

void TestButtonPaint::windowShapes()
{
    QFETCH(int, type);
    QFETCH(QPoint, point);
    QFETCH(bool, inside);
    QWidget host;
    host.show();
    SkinButton* b = menuStyleButton(&host, QSize(W, H));
    b->setButtonType(type);
    QCOMPARE(b->mask().contains(point), inside);
    b->resize(W + 10, H); // the shape follows the size
    QVERIFY(b->mask().contains(QPoint(W + 5, H / 2)));
}

void TestButtonPaint::style10ShowsNoCaption()
{
    QWidget host;
    host.show();
    const auto button = [&host](int type, const QString& caption, bool picture) {
        auto* b = new SkinButton(&host);
        b->setButtonType(type);
        b->setColorScheme(3);
        b->setPicturePosition(4);
        if (picture)
            b->setPictureNormal(dotPicture());
        b->setCaption(caption);
        b->resize(75, 23);
        b->show();
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
    b->resize(75, position == 2 || position == 3 ? 50 : 23);
    b->show();
    const ButtonRecord& r = b->record();
    const Rect c = r.captionRect;
    QVERIFY(r.captionWidth > 0); // blanks are measured too
    switch (caption.trimmed().isEmpty() ? 4 : position) {
    case 0: // centred right of x = 17, the picture 4 pixels before it
        QCOMPARE(c.left, 17 + (75 - 17 - r.captionWidth) / 2);
        QCOMPARE(r.pictureX + 16 + 4, c.left);
        QCOMPARE(r.pictureY, (23 - 16) / 2);
        break;
    case 1:
        QCOMPARE(r.pictureX, c.right + 4);
        QCOMPARE(r.pictureY, (23 - 16) / 2);
        break;
    case 2:
        QCOMPARE(c.top, 17 + (50 - 17 - r.captionHeight) / 2);
        QCOMPARE(r.pictureY, c.top - 16 - 2);
        QCOMPARE(r.pictureX, (75 - 16) / 2);
        break;
    case 3:
        QCOMPARE(r.pictureY, c.bottom + 2);
        QCOMPARE(r.pictureX, (75 - 16) / 2);
        break;
    default: // behind the caption, or no visible caption: centred
        QCOMPARE(QPoint(r.pictureX, r.pictureY), QPoint((75 - 16) / 2, (23 - 16) / 2));
        break;
    }
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

void TestButtonPaint::paletteFollowsTheStyle()
{
    QWidget host;
    auto* b = new SkinButton(&host);
    b->setColorScheme(2);
    b->setBackColor(0x808080);
    QCOMPARE(b->record().palette.faceBright, Rgb(0xB0B0B0));
    b->setButtonType(3); // the style 3 base colour moves blue in proportion
    QCOMPARE(b->record().palette.faceBright, Rgb(0xA0B0B0));
}

void TestButtonPaint::transBlt_data()
{
    // The picture row: mask colour, dark grey, light grey, a colour (red C0, green 60, blue 30).
    QTest::addColumn<bool>("useMask");
    QTest::addColumn<int>("silhouette"); // -1 none
    QTest::addColumn<bool>("darkOnly");
    QTest::addColumn<bool>("grey");
    QTest::addColumn<bool>("fade");
    QTest::addColumn<QList<Rgb>>("expected");
    const Rgb under = 0x302010;
    QTest::newRow("plain") << true << -1 << false << false << false
                           << QList<Rgb>{under, 0x202020, 0xF0F0F0, 0x3060C0};
    QTest::newRow("mask colour painted when not used")
        << false << -1 << false << false << false
        << QList<Rgb>{0xC0C0C0, 0x202020, 0xF0F0F0, 0x3060C0};
    QTest::newRow("silhouette") << true << 0xFF0000 << false << false << false
                                << QList<Rgb>{under, 0xFF0000, 0xFF0000, 0xFF0000};
    QTest::newRow("silhouette of the dark pixels") << true << 0xFF0000 << true << false << false
                                                   << QList<Rgb>{under, 0xFF0000, under, 0xFF0000};
    QTest::newRow("greyscale") << true << -1 << false << true << false
                               << QList<Rgb>{under, 0x202020, 0xF0F0F0, 0x787878};
    QTest::newRow("fade over the surface")
        << true << -1 << false << false << true << QList<Rgb>{under, 0x25201A, 0xB0AAA5, 0x304A85};
}

void TestButtonPaint::transBlt()
{
    QFETCH(bool, useMask);
    QFETCH(int, silhouette);
    QFETCH(bool, darkOnly);
    QFETCH(bool, grey);
    QFETCH(bool, fade);
    QFETCH(QList<Rgb>, expected);
    ButtonRecord record;
    record.useMaskColor = useMask;
    QImage picture(4, 1, QImage::Format_RGB32);
    const QList<Rgb> row{0xC0C0C0, 0x202020, 0xF0F0F0, 0x3060C0};
    for (int i = 0; i < 4; ++i)
        picture.setPixel(i, 0, toPixel(row.at(i)));
    QImage image(6, 1, QImage::Format_RGB32);
    image.fill(toQColor(0x302010));
    Surface surface(image);
    TransBlt(record, surface, 1, 0, -1, -1, picture, 0xC0C0C0,
             silhouette < 0 ? std::nullopt : std::optional<Rgb>(Rgb(silhouette)), darkOnly, grey,
             fade);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(surface.pixel(1 + i, 0), expected.at(i));
    QCOMPARE(surface.pixel(0, 0), Rgb(0x302010));
    QCOMPARE(surface.pixel(5, 0), Rgb(0x302010));
}

void TestButtonPaint::pictureRelief_data()
{
    QTest::addColumn<int>("effect");
    QTest::addColumn<Rgb>("downRight");
    QTest::addColumn<bool>("upLeftPainted");
    QTest::addColumn<Rgb>("upLeft");
    // The classic face C0C0C0 gives the style 3 base F0F0F0.
    QTest::newRow("embossed") << 1 << Rgb(0xC8C8C8) << true << Rgb(0xFFFFFF);
    QTest::newRow("engraved") << 2 << Rgb(0xFFFFFF) << true << Rgb(0xC8C8C8);
    QTest::newRow("shadowed") << 3 << Rgb(0xC8C8C8) << false << Rgb(0);
}

void TestButtonPaint::pictureRelief()
{
    QFETCH(int, effect);
    QFETCH(bool, upLeftPainted);
    QWidget host;
    host.show();
    SkinButton* b = pictureButton(&host, 3);
    b->setSpecialEffect(effect);
    QCOMPARE(QPoint(b->record().pictureX, b->record().pictureY), QPoint(17, 12));
    QCOMPARE(pixelAt(b, 19, 14), Rgb(0x000000));
    QTEST(pixelAt(b, 20, 15), "downRight"); // the copy of the black dot
    // The copy of the light corner pixel one up and left of the picture.
    if (upLeftPainted)
        QTEST(pixelAt(b, 16, 11), "upLeft");
    else
        QCOMPARE(pixelAt(b, 16, 11), ShiftColor(0xF0F0F0, gradientShift(25, 30, 11), true));
}

void TestButtonPaint::disabledPictureIsEmbossed()
{
    QWidget host;
    host.show();
    SkinButton* b = pictureButton(&host, 1);
    b->setEnabled(false);
    QCOMPARE(pixelAt(b, 19, 14), Rgb(0x808080)); // Shadow where the picture is dark
    QCOMPARE(pixelAt(b, 20, 15), Rgb(0xFFFFFF)); // Highlight one down and right of it
    QCOMPARE(pixelAt(b, 17, 12), Rgb(0xC0C0C0)); // light pixels leave the face
    QCOMPARE(pixelAt(b, 18, 13), Rgb(0xC0C0C0));
}

QTEST_MAIN(TestButtonPaint)
#include "tst_buttonpaint.moc"
