// The button's colour arithmetic and palettes, checked against worked values.
#include "button/Color.h"
#include "button/Palette.h"
#include "button/Styles.h"

#include <QPalette>
#include <QTest>

using namespace tavirel::button;

namespace {

QString hex(Rgb c)
{
    return QStringLiteral("%1").arg(c, 6, 16, QLatin1Char('0')).toUpper();
}

// The palette's colours by name (all, or those named), as &HBBGGRR in hex, so a failure shows
// which one is off.
QStringList colours(const Palette& p, const QStringList& only = {})
{
    static const QStringList names{"face",       "shadow",        "light", "highlight",
                                   "darkShadow", "faceBright",    "text",  "textOver",
                                   "selection",  "selectionTint", "mask"};
    const QList<Rgb> values{p.face,       p.shadow,        p.light, p.highlight,
                            p.darkShadow, p.faceBright,    p.text,  p.textOver,
                            p.selection,  p.selectionTint, p.mask};
    QStringList texts;
    for (int i = 0; i < names.size(); ++i) {
        if (only.isEmpty() || only.contains(names[i]))
            texts << names[i] + ' ' + hex(values[i]);
    }
    return texts;
}

} // namespace

class TestButtonColors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row holds the value computed and the worked value (colours in hex).
    void arithmetic_data()
    {
        QTest::addColumn<QString>("computed");
        QTest::addColumn<QString>("expected");
        const auto colour = [](const char* name, Rgb computed, Rgb expected) {
            QTest::newRow(name) << hex(computed) << hex(expected);
        };
        colour("shift up 48", ShiftColor(0x808080, 48, false), 0xB0B0B0);
        colour("shift up 48, blue in proportion", ShiftColor(0x808080, 48, true), 0xA0B0B0);
        colour("shift clamped at white", ShiftColor(0xFFFFFF, 10, false), 0xFFFFFF);
        colour("shift clamped at black", ShiftColor(0x050505, -10, false), 0x000000);
        colour("soft bevel truncates toward zero", ShiftColor(0x808080, -5, false, true), 0x7E7E7E);
        colour("soft bevel turns 1 into nothing", ShiftColor(0x808080, 1, false, true), 0x808080);
        colour("proportional blue truncates toward zero", ShiftColor(0xFFB0B0, -12, true),
               0xF0A4A4);
        colour("proportional blue clamps at black", ShiftColor(0xFF0000, -255, true), 0x000000);
        colour("only the three colour bytes count", ShiftColor(0x12808080, 48, false), 0xB0B0B0);
        colour("black to white by 176", BlendToWhite(0x000000, 176), 0xB0B0B0);
        colour("blue to white by 128", BlendToWhite(0xFF0000, 128), 0xFF8080);
        colour("white stays white", BlendToWhite(0xFFFFFF, 176), 0xFFFFFF);
        colour("nothing to white by 0", BlendToWhite(0x123456, 0), 0x123456);
        colour("blue, green, red to a colour", fromQColor(toQColor(0x332211)), 0x332211);
        colour("red, green, blue to a value", fromQColor(QColor(0x11, 0x22, 0x33)), 0x332211);
        colour("a value to an opaque pixel", toPixel(0x332211), qRgb(0x11, 0x22, 0x33));

        // The gradient's shift of row i: the step in single precision, the product rounded half
        // to even.
        const auto shift = [](const char* name, int computed, int expected) {
            QTest::newRow(name) << QString::number(computed) << QString::number(expected);
        };
        shift("20 high, row 1", gradientShift(25, 20, 1), -1);
        shift("20 high, row 2: -2.5 to even", gradientShift(25, 20, 2), -2);
        shift("20 high, row 6: -7.5 to even", gradientShift(25, 20, 6), -8);
        shift("20 high, row 10: -12.5 to even", gradientShift(25, 20, 10), -12);
        shift("20 high, row 20", gradientShift(25, 20, 20), -25);
        shift("23 high, last row", gradientShift(25, 23, 23), -25);
        shift("style 14, 30 high, last row", gradientShift(58, 30, 30), -58);
    }
    void arithmetic()
    {
        QFETCH(QString, computed);
        QFETCH(QString, expected);
        QCOMPARE(computed, expected);
    }

    void menuPalette()
    {
        ColorSettings s;
        s.colorScheme = schemeCustom;
        s.buttonType = 3;
        s.backColor = s.backOver = 0xFF8080;
        s.foreColor = 0x800000;
        s.foreOver = 0xFFFFFF;
        QCOMPARE(
            colours(SetColors(s, QPalette(Qt::green))),
            QStringList({"face FF8080", "shadow BF4040", "light FF9F9F", "highlight FFAFAF",
                         "darkShadow 3F0000", "faceBright FFB0B0", "text 800000", "textOver FFFFFF",
                         "selection 7F0000", "selectionTint FF8080", "mask C0C0C0"}));

        // Style 3 alone moves the base colour's blue in proportion; a soft bevel shifts every
        // derived colour half as far.
        s.backColor = 0x808080;
        QCOMPARE(hex(SetColors(s, QPalette(Qt::green)).faceBright), QStringLiteral("A0B0B0"));
        s.buttonType = 2;
        QCOMPARE(hex(SetColors(s, QPalette(Qt::green)).faceBright), QStringLiteral("B0B0B0"));
        s.softBevel = true;
        QCOMPARE(hex(SetColors(s, QPalette(Qt::green)).shadow), QStringLiteral("606060"));
    }

    void otherSchemes()
    {
        // The classic grey ignores the system colours.
        ColorSettings s;
        s.colorScheme = schemeClassic;
        const Palette classic = SetColors(s, QPalette(Qt::red));
        QCOMPARE(SetColors(s, QPalette(Qt::darkBlue)), classic);
        QCOMPARE(colours(classic, {"face", "selection", "selectionTint"}),
                 QStringList({"face C0C0C0", "selection 800000", "selectionTint D1ADAD"}));

        // The system scheme (1, and any unknown number) follows the palette, the button's own
        // colours ignored, and translates a system colour reference for the mask.
        QPalette system;
        system.setColor(QPalette::Button, QColor(0x10, 0x20, 0x30));
        system.setColor(QPalette::ButtonText, QColor(0x01, 0x02, 0x03));
        system.setColor(QPalette::Highlight, QColor(0, 0, 0));
        s.backColor = 0x00FF00;
        s.maskColor = systemColorRef(colorButtonText);
        for (const int scheme : {1, 0, 7}) {
            s.colorScheme = scheme;
            QCOMPARE(colours(SetColors(s, system),
                             {"face", "text", "textOver", "selectionTint", "mask"}),
                     QStringList({"face 302010", "text 030201", "textOver 030201",
                                  "selectionTint B0B0B0", "mask 030201"}));
        }
        QCOMPARE(TranslateColor(0x123456, system), Rgb(0x123456));
        QCOMPARE(TranslateColor(systemColorRef(colorButtonFace), system), Rgb(0x302010));

        // The container scheme derives everything from the container's colours.
        s.colorScheme = schemeContainer;
        s.containerBack = 0x808080;
        s.containerText = 0x0000FF;
        QCOMPARE(colours(SetColors(s, system), {"face", "shadow", "text"}),
                 QStringList({"face 808080", "shadow 404040", "text 0000FF"}));
    }
};

QTEST_MAIN(TestButtonColors)
#include "tst_buttoncolors.moc"
