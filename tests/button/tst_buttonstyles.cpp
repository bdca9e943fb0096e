// The faces of the fifteen styles, pixel by pixel: bevels, frames and fills in every state, the
// caption's colour and relief per state, the hover look of a button in its own colours, the
// default button's look and the transparent style's captured background. Expected colours are
// worked out by hand from the fixed classic palette or from the button's own colours.
#include "ButtonTestSupport.h"

#include <QHash>
#include <QPainter>

#include <memory>
#include <optional>

using namespace tavirel::button;
using namespace tavirel::button::test;

namespace {

constexpr int W = 40;
constexpr int H = 20;
constexpr QPoint at(40, 40); // where the buttons sit in the host

// The classic scheme's fixed palette.
constexpr Rgb F = 0xC0C0C0;    // face
constexpr Rgb S = 0x808080;    // shadow
constexpr Rgb L = 0xDFDFDF;    // light
constexpr Rgb Hi = 0xFFFFFF;   // highlight
constexpr Rgb D = 0x000000;    // dark shadow
constexpr Rgb Sel = 0x800000;  // selection
constexpr Rgb Tint = 0xD1ADAD; // selection tint

// A button's own colours (scheme 2): face 806040, so shadow 402000, light 9F7F5F, highlight
// AF8F6F; text red, hovered text green.
constexpr Rgb ownFace = 0x806040;
constexpr Rgb ownShadow = 0x402000;
constexpr Rgb ownLight = 0x9F7F5F;
constexpr Rgb ownHighlight = 0xAF8F6F;
constexpr Rgb ownText = 0x0000FF;
constexpr Rgb ownTextOver = 0x00FF00;

// Stands for "as the face is without a caption there".
constexpr Rgb bare = 0x1000000;

using Points = QList<QPoint>;
using Colours = QList<Rgb>;

// The middle of each edge, the ring one pixel in and the middle of the face.
const Points edges{{0, 10}, {20, 0},     {W - 1, 10}, {20, H - 1}, {1, 10},
                   {20, 1}, {W - 2, 10}, {20, H - 2}, {20, 10}};
// Two rings, on the outermost pixels and one further in: light on the left and top.
Colours rings(Rgb hiOuter, Rgb shOuter, Rgb hiInner, Rgb shInner)
{
    return {hiOuter, hiOuter, shOuter, shOuter, hiInner, hiInner, shInner, shInner, F};
}
Colours outerRing(Rgb hi, Rgb sh)
{
    return {hi, hi, sh, sh, F, F, F, F, F};
}
const Colours plain = outerRing(F, F);
// The two rings one pixel in, inside a dark border: border, outer ring, inner ring, face.
const Points insetEdges{{0, 10},     {20, 0},     {W - 1, 10}, {20, H - 1}, {1, 10},
                        {20, 1},     {W - 2, 10}, {20, H - 2}, {2, 10},     {20, 2},
                        {W - 3, 10}, {20, H - 3}, {20, 10}};
Colours insetRings(Rgb border, Rgb hiOuter, Rgb shOuter, Rgb hiInner, Rgb shInner)
{
    return {border,  border,  border,  border,  hiOuter, hiOuter, shOuter,
            shOuter, hiInner, hiInner, shInner, shInner, F};
}

// Probes written "x,y=colour" apart by blanks: a negative x or y counts from the right or the
// bottom (-1 the last pixel); a colour is hex or a letter of the classic palette above.
std::pair<Points, Colours> probes(const QString& written)
{
    const QHash<QString, Rgb> named{{"F", F}, {"S", S}, {"L", L}, {"Hi", Hi}, {"D", D}};
    Points points;
    Colours colours;
    for (const QString& probe : written.split(u' ', Qt::SkipEmptyParts)) {
        const int x = probe.section(u',', 0, 0).toInt();
        const int y = probe.section(u',', 1).section(u'=', 0, 0).toInt();
        const QString colour = probe.section(u'=', 1);
        points << QPoint(x < 0 ? W + x : x, y < 0 ? H + y : y);
        colours << named.value(colour, colour.toUInt(nullptr, 16));
    }
    return {points, colours};
}

QList<Rgb> pixels(const QImage& image, const Points& points)
{
    QList<Rgb> found;
    for (const QPoint p : points)
        found << fromPixel(image.pixel(p));
    return found;
}

// The face of a button after bringing it into a state with the pointer, the keyboard or its
// settings: "normal", "hover", "pressed" (pressed while hovered, as a click does), "focus" or
// "disabled". A null image when the button never reached the state.
QImage faceIn(ButtonHost& host, SkinButton* b, const QString& state)
{
    b->clearFocus();
    const QPoint middle(b->width() / 2, b->height() / 2);
    const auto hovered = [b] { return b->isOver(); };
    QImage face;
    if (state == QLatin1String("disabled")) {
        b->setEnabled(false);
        face = b->image();
    } else if (state == QLatin1String("focus")) {
        b->setFocus();
        if (QTest::qWaitFor([b] { return b->hasFocus(); }))
            face = b->image();
    } else if (state == QLatin1String("hover") || state == QLatin1String("pressed")) {
        pointAt(b, middle);
        if (QTest::qWaitFor(hovered)) {
            if (state == QLatin1String("pressed"))
                QTest::mousePress(b, Qt::LeftButton, {}, middle);
            face = b->image();
        }
        if (state == QLatin1String("pressed"))
            QTest::mouseRelease(b, Qt::LeftButton, {}, middle);
        pointAway(&host);
        if (!QTest::qWaitFor([b] { return !b->isOver(); }))
            face = QImage();
    } else {
        face = b->image();
    }
    return face;
}

SkinButton* newButton(QWidget* host, int type, int scheme, const QString& caption = {})
{
    auto* b = new SkinButton(host);
    b->setButtonType(type);
    b->setColorScheme(scheme);
    b->setBackColor(ownFace);
    b->setBackOver(ownFace);
    b->setForeColor(ownText);
    b->setForeOver(ownTextOver);
    b->setCaption(caption);
    b->setGeometry(QRect(at, QSize(W, H)));
    b->show();
    return b;
}

// A caption font drawn without smoothing, so that every letter pixel has the caption colour.
QFont sharpFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The first and the last pixel, in reading order, where two faces differ.
std::pair<QPoint, QPoint> inkBounds(const QImage& with, const QImage& without)
{
    QPoint first(-1, -1);
    QPoint last(-1, -1);
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                if (first.x() < 0)
                    first = QPoint(x, y);
                last = QPoint(x, y);
            }
    return {first, last};
}

// A window painted with a different colour in every pixel: red from x, green from y.
class PatternHost : public ButtonHost
{
public:
    static Rgb colourAt(int x, int y) { return rgb(x * 3 % 256, y * 5 % 256, 0x40); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QImage pattern(size(), QImage::Format_RGB32);
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                pattern.setPixel(x, y, toPixel(colourAt(x, y)));
        QPainter(this).drawImage(0, 0, pattern);
    }
};

} // namespace

class TestButtonStyles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void faces_data();
    void faces();
    void captionColours_data();
    void captionColours();
    void ownColoursWhenHovered_data();
    void ownColoursWhenHovered();
    void defaultButton_data();
    void defaultButton();
    void defaultCaptionInBold();
    void capturedBackground();

private:
    PatternHost m_host;
};

void TestButtonStyles::initTestCase()
{
    QVERIFY(m_host.showActive());
}

void TestButtonStyles::faces_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("state");
    QTest::addColumn<Points>("points");
    QTest::addColumn<Colours>("colours");
    const auto row = [](const char* name, int type, const char* state, const Points& points,
                        const Colours& colours) {
        QTest::newRow(name) << type << QString::fromLatin1(state) << points << colours;
    };
    const auto probe = [&row](const char* name, int type, const char* state, const char* written) {
        const auto [points, colours] = probes(written);
        row(name, type, state, points, colours);
    };
    // Style 1: a dark border round two rings one pixel in.
    row("1 normal", 1, "normal", insetEdges, insetRings(D, Hi, S, Hi, S));
    row("1 pressed", 1, "pressed", insetEdges, insetRings(D, S, Hi, S, Hi));
    row("1 disabled", 1, "disabled", insetEdges, insetRings(D, Hi, S, Hi, S));
    // Style 2: the standard button, dark outside at the bottom right.
    row("2 normal", 2, "normal", edges, rings(Hi, D, L, S));
    row("2 hover", 2, "hover", edges, rings(Hi, D, L, S));
    row("2 pressed", 2, "pressed", edges, rings(D, Hi, S, L));
    row("2 disabled", 2, "disabled", edges, rings(Hi, D, L, S));
    // Style 4: a light face with rounded corners; pressed, in shades of the shadow.
    const char* four = "0,10=D 20,0=D 1,1=D -2,-2=D 20,2=Hi 2,10=Hi 3,3=Hi -3,10=F 20,-3=F -4,-4=F "
                       "-2,10=S 20,-2=S -3,-3=S 20,1=L 1,10=L 20,10=L";
    probe("4 normal", 4, "normal", four);
    probe("4 disabled", 4, "disabled", four);
    probe("4 pressed", 4, "pressed",
          "20,10=707070 0,10=D 20,1=404040 1,10=404040 20,2=606060 2,10=606060 2,2=404040 "
          "3,3=606060 -3,10=S 20,-3=S -4,-4=S -2,10=707070 20,-2=707070 -3,-2=606060 -2,2=606060 "
          "2,-2=606060 -2,-3=606060 1,1=D");
    // Style 5: a face 12 lighter, a highlight inside a frame 26 darker than the shadow.
    probe("5 normal", 5, "normal",
          "20,10=CCCCCC 0,10=666666 20,0=666666 -2,10=666666 20,-2=666666 1,10=Hi 20,1=Hi -1,10=Hi "
          "20,-1=Hi 1,-2=9A9A9A -2,1=9A9A9A");
    probe(
        "5 pressed", 5, "pressed",
        "10,10=909090 1,10=909090 0,10=666666 -2,10=666666 20,-2=666666 -1,10=Hi 20,-1=Hi -1,0=F");
    row("5 disabled", 5, "disabled", edges, outerRing(S, S));
    // Style 6: soft rings in the light shifted by 8.
    row("6 normal", 6, "normal", edges, rings(0xE7E7E7, S, 0xE7E7E7, S));
    row("6 pressed", 6, "pressed", edges, rings(S, 0xE7E7E7, S, 0xE7E7E7));
    row("6 disabled", 6, "disabled", edges, rings(0xE7E7E7, S, 0xE7E7E7, S));
    // Styles 7, 8, 12: one thin ring always, while hovered, or two rings while hovered.
    row("7 normal", 7, "normal", edges, outerRing(Hi, S));
    row("7 pressed", 7, "pressed", edges, outerRing(S, Hi));
    row("7 disabled", 7, "disabled", edges, outerRing(Hi, S));
    row("8 normal", 8, "normal", edges, plain);
    row("8 hover", 8, "hover", edges, outerRing(Hi, S));
    row("8 pressed", 8, "pressed", edges, outerRing(S, Hi));
    row("8 disabled", 8, "disabled", edges, plain);
    row("12 normal", 12, "normal", edges, plain);
    row("12 hover", 12, "hover", edges, rings(Hi, D, L, S));
    row("12 pressed", 12, "pressed", edges, rings(D, Hi, S, L));
    row("12 disabled", 12, "disabled", edges, plain);
    // Style 9: the selection colours, only under the pointer.
    row("9 normal", 9, "normal", edges, plain);
    row("9 hover", 9, "hover", edges + Points{{1, 1}},
        {Sel, Sel, Sel, Sel, Tint, Tint, Tint, Tint, Tint, Tint});
    row("9 pressed", 9, "pressed", edges,
        {Sel, Sel, Sel, Sel, 0xBF8080, 0xBF8080, 0xBF8080, 0xBF8080, 0xBF8080});
    row("9 disabled", 9, "disabled", edges, plain);
    // Style 10: the face alone.
    for (const char* state : {"normal", "pressed", "disabled"})
        row(qPrintable(QStringLiteral("10 %1").arg(state)), 10, state,
            edges + Points{{0, 0}, {W - 1, H - 1}}, Colours(edges.size() + 2, F));
    // Style 13: an oval outlined in the shadow while hovered, sunken (face -32) when pressed;
    // the corners outside it keep the face.
    const char* plainOval = "0,10=F 20,0=F -1,10=F 20,-1=F 20,10=F 0,0=F";
    probe("13 normal", 13, "normal", plainOval);
    probe("13 hover", 13, "hover", "0,10=S 20,0=S -1,10=S 20,-1=S 20,10=F 0,0=F");
    probe("13 pressed", 13, "pressed", "0,10=D 20,0=D -1,10=D 20,-1=D 20,10=A0A0A0 0,0=F");
    probe("13 disabled", 13, "disabled", plainOval);
    // Style 14: a gradient of 58 down from the highlight, rows 10 and 15 29 and 44 darker. The
    // step 58 / 20 is kept in single precision, a little above 2.9, so row 5 is 15 darker: a
    // little above 14.5, not 14.5 rounded to the even 14.
    const QString frame14 =
        "0,10=4E4E4E 20,0=4E4E4E -1,10=4E4E4E 20,-1=4E4E4E 1,10=B7B7B7 "
        "20,1=B7B7B7 -2,10=B7B7B7 20,-2=B7B7B7 20,2=Hi 20,3=Hi 2,10=Hi 3,10=Hi ";
    const QString gradient14 = frame14 + "20,10=E2E2E2 4,10=E2E2E2 20,15=D3D3D3 20,5=F0F0F0";
    probe("14 normal", 14, "normal", qPrintable(gradient14));
    probe("14 hover", 14, "hover", qPrintable(frame14 + "20,10=L 4,10=L 20,15=L 20,5=L"));
    probe("14 disabled", 14, "disabled", qPrintable(gradient14));
    probe("14 pressed", 14, "pressed",
          "20,10=B7B7B7 1,1=B7B7B7 0,10=505050 20,0=505050 -1,10=505050 20,-1=505050 20,-2=Hi "
          "2,-2=Hi -2,10=Hi 1,-2=B7B7B7");
    // Style 15: the pressed face of style 3 in every state but disabled. Face bright F0F0F0,
    // its pressed base C8D0D0 (blue moves in proportion: 240 - 40).
    for (const char* state : {"normal", "hover", "pressed"})
        probe(qPrintable(QStringLiteral("15 %1").arg(state)), 15, state,
              "0,10=733C00 20,0=733C00 1,1=7B4D10 -3,5=F0F0F0 20,-2=D8E0E0 2,10=B2BABA "
              "20,1=A7B0B0 20,10=BCC4C4");
    probe("15 disabled", 15, "disabled",
          "20,10=D2D8D8 0,10=879C9C 20,0=879C9C 1,1=96A8A8 -2,-2=96A8A8");
    // The dotted focus rectangle inverts every other pixel of a rectangle inset by 4 (styles
    // 7 to 13 by 3, style 14 by 5 and one more right and down); some styles show no focus.
    probe("1 focus", 1, "focus", "4,4=3F3F3F 5,4=F -5,-5=3F3F3F");
    probe("6 focus", 6, "focus", "4,4=3F3F3F 5,4=F");
    probe("7 focus", 7, "focus", "3,3=3F3F3F 4,3=F 4,4=F");
    probe("9 focus", 9, "focus", "3,3=3F3F3F 4,4=F");
    probe("12 focus", 12, "focus", "3,3=3F3F3F -4,-4=3F3F3F");
    probe("14 focus", 14, "focus", "6,6=111111 5,5=F0F0F0");
    probe("2 focus, not default", 2, "focus", "4,4=F");
    probe("4 focus", 4, "focus", "4,4=L");
    probe("5 focus", 5, "focus", "4,4=CCCCCC");
    probe("13 focus", 13, "focus", "20,4=F");
}

void TestButtonStyles::faces()
{
    QFETCH(int, type);
    QFETCH(QString, state);
    QFETCH(Points, points);
    SkinButton* b = newButton(&m_host, type, 3);
    const QImage face = faceIn(m_host, b, state);
    delete b;
    QVERIFY(!face.isNull());
    QTEST(pixels(face, points), "colours");
}

void TestButtonStyles::captionColours_data()
{
    // Where the caption lies and in which colours: its first letter pixel (in reading order) of
    // the normal layout, moved one right and down where the state draws the text there; the
    // pixel up and left of it (the light relief); and the pixel down and right of the last
    // letter pixel (the dark relief, or the second text of the disabled looks).
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("effect");
    QTest::addColumn<Rgb>("main");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<Rgb>("upLeft");
    QTest::addColumn<Rgb>("downRight");
    const auto row = [](const char* name, int type, const char* state, int effect, Rgb main,
                        bool moved, Rgb upLeft, Rgb downRight, int scheme = 2) {
        QTest::newRow(name) << type << scheme << QString::fromLatin1(state) << effect << main
                            << moved << upLeft << downRight;
    };
    row("normal", 1, "normal", 0, ownText, false, bare, bare);
    row("hovered", 1, "hover", 0, ownTextOver, false, bare, bare);
    row("pressed: moved", 1, "pressed", 0, ownTextOver, true, bare, bare);
    row("1 disabled: engraved", 1, "disabled", 0, ownShadow, false, bare, ownHighlight);
    row("2 disabled: engraved", 2, "disabled", 0, ownShadow, false, bare, ownHighlight);
    row("3 hovered", 3, "hover", 0, ownTextOver, false, bare, bare);
    // Face bright A09070 shifted by -104, blue in proportion (160 - 86).
    row("3 disabled", 3, "disabled", 0, 0x4A2808, false, bare, bare);
    row("4 pressed: in the light", 4, "pressed", 0, ownLight, true, bare, bare);
    row("4 disabled: engraved", 4, "disabled", 0, ownShadow, false, bare, ownHighlight);
    row("5 pressed: not moved", 5, "pressed", 0, ownTextOver, false, bare, bare);
    row("5 disabled: flat", 5, "disabled", 0, ownShadow, false, bare, bare);
    row("6 disabled: flat", 6, "disabled", 0, ownShadow, false, bare, bare);
    row("7 disabled: engraved", 7, "disabled", 0, ownShadow, false, bare, ownHighlight);
    row("8 disabled: engraved", 8, "disabled", 0, ownShadow, false, bare, ownHighlight);
    row("9 disabled: flat", 9, "disabled", 0, ownShadow, false, bare, bare);
    row("12 disabled: engraved", 12, "disabled", 0, ownShadow, false, bare, ownHighlight);
    row("13 pressed", 13, "pressed", 0, ownTextOver, true, bare, bare);
    row("13 disabled: engraved", 13, "disabled", 0, ownShadow, false, bare, ownHighlight);
    // Style 14 pressed: the highlight over the shadow shifted by -50 (0E0000).
    row("14 pressed", 14, "pressed", 0, ownHighlight, false, bare, 0x0E0000);
    row("14 disabled", 14, "disabled", 0, ownFace, false, bare, ownHighlight);
    row("15 normal: pressed look", 15, "normal", 0, ownTextOver, true, bare, bare);

    // Relief: the face shifted by +40 and -40 (A88868, 583818); engraved swaps them, shadowed
    // has the dark copy only. The disabled looks have none.
    row("embossed", 2, "normal", 1, ownText, false, 0xA88868, 0x583818);
    row("engraved", 2, "normal", 2, ownText, false, 0x583818, 0xA88868);
    row("shadowed", 2, "normal", 3, ownText, false, bare, 0x583818);
    row("embossed, hovered", 2, "hover", 1, ownTextOver, false, 0xA88868, 0x583818);
    row("embossed, pressed: moved too", 2, "pressed", 1, ownTextOver, true, 0xA88868, 0x583818);
    row("no relief when disabled", 2, "disabled", 1, ownShadow, false, bare, ownHighlight);
    // Styles 3, 4 and 14 build on the bright face: A09070 for style 3 (blue in proportion),
    // B09070 for the others.
    row("3 embossed", 3, "normal", 1, ownText, false, 0xC8B898, 0x786848);
    row("3 engraved, pressed", 3, "pressed", 2, ownTextOver, true, 0x786848, 0xC8B898);
    row("4 embossed", 4, "normal", 1, ownText, false, 0xD8B898, 0x886848);
    row("14 embossed", 14, "normal", 1, ownText, false, 0xD8B898, 0x886848);
    // Pressed, style 4 builds on its sunken face, the shadow -16 (301000).
    row("4 embossed, pressed", 4, "pressed", 1, ownLight, true, 0x583828, 0x080000);
    // Style 9 builds on the selection tint D1ADAD while hovered, else on the face.
    row("9 embossed, hovered", 9, "hover", 1, D, false, 0xF9D5D5, 0xA98585, 3);
    row("9 embossed", 9, "normal", 1, D, false, 0xE8E8E8, 0x989898, 3);
}

void TestButtonStyles::captionColours()
{
    QFETCH(int, type);
    QFETCH(int, scheme);
    QFETCH(QString, state);
    QFETCH(int, effect);
    QFETCH(bool, moved);
    const QString caption = QStringLiteral("HE");
    const auto face = [&](int faceType, const QString& faceState, const QString& text, int fx) {
        SkinButton* b = newButton(&m_host, faceType, scheme, text);
        b->resize(60, 30);
        b->setFont(sharpFont());
        b->setSpecialEffect(fx);
        const QImage image = faceIn(m_host, b, faceState);
        delete b;
        return image;
    };
    // The letters of the normal layout, found on a flat style in the plain normal look.
    const QString normal = QStringLiteral("normal");
    const auto [first, last] = inkBounds(face(6, normal, caption, 0), face(6, normal, {}, 0));
    QVERIFY(first.x() > 3 && first.y() > 3 && last.x() < 60 - 4 && last.y() < 30 - 4);

    const QImage with = face(type, state, caption, effect);
    const QImage without = face(type, state, {}, effect);
    QVERIFY(!with.isNull() && !without.isNull());
    const QPoint shift = moved ? QPoint(1, 1) : QPoint();
    const auto expected = [&](Rgb colour, QPoint p) {
        return colour == bare ? fromPixel(without.pixel(p)) : colour;
    };
    QFETCH(Rgb, main);
    QFETCH(Rgb, upLeft);
    QFETCH(Rgb, downRight);
    const QPoint before = first + shift - QPoint(1, 1);
    const QPoint after = last + shift + QPoint(1, 1);
    QCOMPARE(pixels(with, {first + shift, before, after}),
             Colours({main, expected(upLeft, before), expected(downRight, after)}));
}

void TestButtonStyles::ownColoursWhenHovered_data()
{
    // Face 806040, hovered face 408060: the whole palette follows the hovered face.
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("state");
    QTest::addColumn<Points>("points");
    QTest::addColumn<Colours>("colours");
    const Points twoRings{{20, 10}, {0, 10}, {1, 10}, {W - 2, 10}};
    // Highlight +47, light +31, shadow -64 of each face.
    QTest::newRow("2 normal") << 2 << "normal" << twoRings
                              << Colours{ownFace, ownHighlight, ownLight, ownShadow};
    QTest::newRow("2 hovered") << 2 << "hover" << twoRings
                               << Colours{0x408060, 0x6FAF8F, 0x5F9F7F, 0x004020};
    // Style 3's gradient: bright face A09070, hovered 50B090; rows 3 and 10 are 4 and 12
    // darker (12.5 rounds to even), blue in proportion.
    QTest::newRow("3 normal") << 3 << "normal" << Points{{20, 3}, {20, 10}}
                              << Colours{0x9D8C6C, 0x968464};
    QTest::newRow("3 hovered") << 3 << "hover" << Points{{20, 3}, {20, 10}}
                               << Colours{0x4FAC8C, 0x4BA484};
    // Style 9 takes its tint from the face, and darkens it by 32 when pressed.
    QTest::newRow("9 hovered") << 9 << "hover" << Points{{1, 1}, {20, 10}}
                               << Colours{0x408060, 0x408060};
    QTest::newRow("9 pressed") << 9 << "pressed" << Points{{1, 1}, {20, 10}, {0, 10}}
                               << Colours{0x206040, 0x206040, 0x000000};
}

void TestButtonStyles::ownColoursWhenHovered()
{
    QFETCH(int, type);
    QFETCH(QString, state);
    QFETCH(Points, points);
    std::unique_ptr<SkinButton> button(newButton(&m_host, type, 2)); // gone on failure too
    SkinButton* b = button.get();
    b->setBackOver(0x408060);
    QImage face;
    if (state == QLatin1String("hover")) {
        // Read while hovering: the hovered palette is only lent to the paint.
        pointAt(b, QPoint(W / 2, H / 2));
        QTRY_VERIFY(b->isOver());
        face = b->image();
        QCOMPARE(b->record().palette.face, ownFace);
        pointAway(&m_host);
        QTRY_VERIFY(!b->isOver());
        QVERIFY(b->image() != face);
    } else {
        face = faceIn(m_host, b, state);
    }
    button.reset();
    QVERIFY(!face.isNull());
    QTEST(pixels(face, points), "colours");
}

void TestButtonStyles::defaultButton_data()
{
    // What the container's default button looks like, and that it needs the focus rectangles.
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("focusRect");
    QTest::addColumn<Points>("points");
    QTest::addColumn<Colours>("colours");
    // Style 2: a dark border round two rings one pixel in.
    QTest::newRow("2") << 2 << "normal" << true << insetEdges << insetRings(D, Hi, D, L, S);
    QTest::newRow("2 without focus rectangles")
        << 2 << "normal" << false << edges << rings(Hi, D, L, S);
    QTest::newRow("2 pressed: dark border, shadow inside")
        << 2 << "pressed" << true << insetEdges << Colours{D, D, D, D, S, S, S, S, F, F, F, F, F};
    QTest::newRow("2 pressed without focus rectangles")
        << 2 << "pressed" << false << edges << rings(D, Hi, S, L);
    // Style 3: the blue ring; the plain bevel (bright face F0F0F0 +16 and -48) without focus
    // rectangles.
    const Points ring{{1, 5}, {W - 2, 5}, {5, H - 2}, {5, 1}, {5, 2}, {2, 5}, {W - 3, 5}};
    QTest::newRow("3") << 3 << "normal" << true << ring
                       << Colours{0xE7AE8C, 0xE7AE8C, 0xEF826B, 0xFFE7CE,
                                  0xF7D7BD, 0xF0D1B5, 0xF0D1B5};
    QTest::newRow("3 without focus rectangles")
        << 3 << "normal" << false << Points{{5, 1}, {5, H - 2}} << Colours{0xFFFFFF, 0xB4C0C0};
    // Other styles take no notice.
    QTest::newRow("1") << 1 << "normal" << true << insetEdges << insetRings(D, Hi, S, Hi, S);
    QTest::newRow("12") << 12 << "normal" << true << edges << plain;
}

void TestButtonStyles::defaultButton()
{
    QFETCH(int, type);
    QFETCH(QString, state);
    QFETCH(bool, focusRect);
    QFETCH(Points, points);
    SkinButton* b = newButton(&m_host, type, 3);
    b->setShowFocusRect(focusRect);
    b->setDisplayAsDefault(true);
    const QImage face = faceIn(m_host, b, state);
    delete b;
    QVERIFY(!face.isNull());
    QTEST(pixels(face, points), "colours");
}

void TestButtonStyles::defaultCaptionInBold()
{
    // Style 14 writes the default button's caption in bold, without changing its layout.
    const auto ink = [this](bool isDefault, const QString& caption) {
        SkinButton* b = newButton(&m_host, 14, 3, caption);
        b->resize(80, 30);
        b->setFont(sharpFont());
        const Rect laidOut = b->record().captionRect;
        b->setDisplayAsDefault(isDefault);
        const QImage face = b->image();
        const bool kept = b->record().captionRect == laidOut && !b->font().bold();
        delete b;
        return std::make_pair(face, kept);
    };
    const QString caption = QStringLiteral("Exit");
    const auto [regular, regularKept] = ink(false, caption);
    const auto [bold, boldKept] = ink(true, caption);
    const QImage empty = ink(false, {}).first;
    QVERIFY(regularKept && boldKept);
    const auto inked = [&empty](const QImage& face) {
        int count = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                count += face.pixel(x, y) != empty.pixel(x, y);
        return count;
    };
    QVERIFY(inked(regular) > 10);
    QVERIFY2(inked(bold) > inked(regular) + 5,
             qPrintable(QStringLiteral("%1 %2").arg(inked(bold)).arg(inked(regular))));
}

void TestButtonStyles::capturedBackground()
{
    const std::unique_ptr<SkinButton> button(newButton(&m_host, 2, 3)); // gone on failure too
    SkinButton* b = button.get();
    b->setButtonType(11); // captures what lies behind it at once
    const Points points{{0, 0}, {W - 1, H - 1}, {20, 10}, {W - 1, 0}};
    const auto behind = [&points](QPoint topLeft) {
        Colours colours;
        for (const QPoint p : points)
            colours << PatternHost::colourAt(topLeft.x() + p.x(), topLeft.y() + p.y());
        return colours;
    };
    QCOMPARE(pixels(b->image(), points), behind(at));
    const QImage pressed = faceIn(m_host, b, QStringLiteral("pressed"));
    QVERIFY(!pressed.isNull());
    QCOMPARE(pixels(pressed, points), behind(at));
    // Moved, it shows the old background until it captures again.
    const QPoint moved(70, 90);
    b->move(moved);
    b->setShowFocusRect(false); // paints again
    QCOMPARE(pixels(b->image(), points), behind(at));
    b->Refresh();
    QCOMPARE(pixels(b->image(), points), behind(moved));
    QCOMPARE(pixels(faceIn(m_host, b, QStringLiteral("disabled")), points), behind(moved));
}

QTEST_MAIN(TestButtonStyles)
#include "tst_buttonstyles.moc"
