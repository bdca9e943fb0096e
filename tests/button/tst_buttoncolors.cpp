// The button's colour arithmetic and palettes, checked against worked values.
#include "button/Color.h"
#include "button/Palette.h"
#include "button/Styles.h"

#include <QPalette>
#include <QTest>

using namespace tavirel::button;

class TestButtonColors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shiftColor_data();
    void shiftColor();
    void blendToWhite_data();
    void blendToWhite();
    void gradientRows_data();
    void gradientRows();
    void colourValuesAreBlueGreenRed();
    void menuPalette();
    void classicPaletteIgnoresTheSystem();
    void systemSchemeFollowsThePalette();
};

void TestButtonColors::shiftColor_data()
{
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<int>("delta");
    QTest::addColumn<bool>("proportionalBlue");
    QTest::addColumn<bool>("softBevel");
    QTest::addColumn<Rgb>("expected");
    QTest::newRow("up 48") << Rgb(0x808080) << 48 << false << false << Rgb(0xB0B0B0);
    QTest::newRow("up 48, blue in proportion")
        << Rgb(0x808080) << 48 << true << false << Rgb(0xA0B0B0);
    QTest::newRow("clamped at white") << Rgb(0xFFFFFF) << 10 << false << false << Rgb(0xFFFFFF);
    QTest::newRow("clamped at black") << Rgb(0x050505) << -10 << false << false << Rgb(0x000000);
    QTest::newRow("soft bevel truncates toward zero")
        << Rgb(0x808080) << -5 << false << true << Rgb(0x7E7E7E);
    QTest::newRow("soft bevel turns 1 into nothing")
        << Rgb(0x808080) << 1 << false << true << Rgb(0x808080);
    QTest::newRow("proportional blue truncates toward zero")
        << Rgb(0xFFB0B0) << -12 << true << false << Rgb(0xF0A4A4);
    QTest::newRow("proportional blue clamps at black")
        << Rgb(0xFF0000) << -255 << true << false << Rgb(0x000000);
    QTest::newRow("only the three colour bytes count")
        << Rgb(0x12808080) << 48 << false << false << Rgb(0xB0B0B0);
}

void TestButtonColors::shiftColor()
{
    QFETCH(Rgb, colour);
    QFETCH(int, delta);
    QFETCH(bool, proportionalBlue);
    QFETCH(bool, softBevel);
    QFETCH(Rgb, expected);
    QCOMPARE(ShiftColor(colour, delta, proportionalBlue, softBevel), expected);
}

void TestButtonColors::blendToWhite_data()
{
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<int>("amount");
    QTest::addColumn<Rgb>("expected");
    QTest::newRow("black by 176") << Rgb(0x000000) << 176 << Rgb(0xB0B0B0);
    QTest::newRow("blue by 128") << Rgb(0xFF0000) << 128 << Rgb(0xFF8080);
    QTest::newRow("white stays white") << Rgb(0xFFFFFF) << 176 << Rgb(0xFFFFFF);
    QTest::newRow("nothing by 0") << Rgb(0x123456) << 0 << Rgb(0x123456);
}

void TestButtonColors::blendToWhite()
{
    QFETCH(Rgb, colour);
    QFETCH(int, amount);
    QFETCH(Rgb, expected);
    QCOMPARE(BlendToWhite(colour, amount), expected);
}

void TestButtonColors::gradientRows_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("expected");
    QTest::newRow("20 high, row 1") << 25 << 20 << 1 << -1;
    QTest::newRow("20 high, row 2: -2.5 to even") << 25 << 20 << 2 << -2;
    QTest::newRow("20 high, row 6: -7.5 to even") << 25 << 20 << 6 << -8;
    QTest::newRow("20 high, row 10: -12.5 to even") << 25 << 20 << 10 << -12;
    QTest::newRow("20 high, row 20") << 25 << 20 << 20 << -25;
    QTest::newRow("23 high, last row") << 25 << 23 << 23 << -25;
    QTest::newRow("style 14, 30 high, last row") << 58 << 30 << 30 << -58;
}

void TestButtonColors::gradientRows()
{
    QFETCH(int, total);
    QFETCH(int, height);
    QFETCH(int, row);
    QFETCH(int, expected);
    QCOMPARE(gradientShift(total, height, row), expected);
}

void TestButtonColors::colourValuesAreBlueGreenRed()
{
    QCOMPARE(toQColor(0x332211), QColor(0x11, 0x22, 0x33));
    QCOMPARE(fromQColor(QColor(0x11, 0x22, 0x33)), Rgb(0x332211));
    QCOMPARE(toPixel(0x332211), qRgb(0x11, 0x22, 0x33));
}

void TestButtonColors::menuPalette()
{
    ColorSettings s;
    s.colorScheme = schemeCustom;
    s.buttonType = 3;
    s.backColor = s.backOver = 0xFF8080;
    s.foreColor = 0x800000;
    s.foreOver = 0xFFFFFF;
    const Palette p = SetColors(s, QPalette(Qt::green));
    QCOMPARE(p.face, Rgb(0xFF8080));
    QCOMPARE(p.shadow, Rgb(0xBF4040));
    QCOMPARE(p.light, Rgb(0xFF9F9F));
    QCOMPARE(p.highlight, Rgb(0xFFAFAF));
    QCOMPARE(p.darkShadow, Rgb(0x3F0000));
    QCOMPARE(p.faceBright, Rgb(0xFFB0B0));
    QCOMPARE(p.text, Rgb(0x800000));
    QCOMPARE(p.textOver, Rgb(0xFFFFFF));
    QCOMPARE(p.selection, Rgb(0x7F0000));
    QCOMPARE(p.selectionTint, p.face);
    QCOMPARE(p.mask, Rgb(0xC0C0C0));

    // Style 3 alone moves the base colour's blue in proportion.
    s.buttonType = 2;
    QCOMPARE(SetColors(s, QPalette(Qt::green)).faceBright, Rgb(0xFFB0B0));
    s.backColor = 0x808080;
    QCOMPARE(SetColors(s, QPalette(Qt::green)).faceBright, Rgb(0xB0B0B0));
    s.buttonType = 3;
    QCOMPARE(SetColors(s, QPalette(Qt::green)).faceBright, Rgb(0xA0B0B0));
    s.softBevel = true; // every derived colour shifts half as far
    QCOMPARE(SetColors(s, QPalette(Qt::green)).shadow, Rgb(0x606060));
}

void TestButtonColors::classicPaletteIgnoresTheSystem()
{
    ColorSettings s;
    s.colorScheme = schemeClassic;
    const Palette a = SetColors(s, QPalette(Qt::red));
    const Palette b = SetColors(s, QPalette(Qt::darkBlue));
    QCOMPARE(a, b);
    QCOMPARE(a.face, Rgb(0xC0C0C0));
    QCOMPARE(a.selectionTint, Rgb(0xD1ADAD));
    QCOMPARE(a.selection, Rgb(0x800000));
}

void TestButtonColors::systemSchemeFollowsThePalette()
{
    QPalette system;
    system.setColor(QPalette::Button, QColor(0x10, 0x20, 0x30));
    system.setColor(QPalette::ButtonText, QColor(0x01, 0x02, 0x03));
    system.setColor(QPalette::Highlight, QColor(0, 0, 0));
    ColorSettings s;
    s.backColor = 0x00FF00; // ignored by the system scheme
    s.maskColor = systemColorRef(colorButtonText);
    for (const int scheme : {1, 0, 7}) {
        s.colorScheme = scheme;
        const Palette p = SetColors(s, system);
        QCOMPARE(p.face, Rgb(0x302010));
        QCOMPARE(p.text, Rgb(0x030201));
        QCOMPARE(p.textOver, Rgb(0x030201));
        QCOMPARE(p.selectionTint, Rgb(0xB0B0B0));
        QCOMPARE(p.mask, Rgb(0x030201)); // a system colour reference, translated
    }
    QCOMPARE(TranslateColor(0x123456, system), Rgb(0x123456));
    QCOMPARE(TranslateColor(systemColorRef(colorButtonFace), system), Rgb(0x302010));

    // The container scheme derives everything from the container's colours.
    s.colorScheme = schemeContainer;
    s.containerBack = 0x808080;
    s.containerText = 0x0000FF;
    const Palette c = SetColors(s, system);
    QCOMPARE(c.face, Rgb(0x808080));
    QCOMPARE(c.shadow, Rgb(0x404040));
    QCOMPARE(c.text, Rgb(0x0000FF));
}

QTEST_MAIN(TestButtonColors)
#include "tst_buttoncolors.moc"
