// How the button answers the mouse, keys, focus and the hover poll, and how its settings are
// saved and read back.
#include "ButtonTestSupport.h"

#include "button/PropertyStore.h"
#include "button/WindowButtons.h"

#include <QSignalSpy>
#include <QTimer>

#include <utility>

using namespace tavirel::button;
using namespace tavirel::button::test;

namespace {

// Counts the paints a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

constexpr QPoint inside(30, 10);

} // namespace

class TestButtonBehaviour : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void mouse();
    void keys();
    void toggles();
    void accessKeys_data();
    void accessKeys();
    void arrowKeysMoveTheFocus();
    void hoverCostsNothingWhileStill();
    void settingsRoundTrip();
    void settingsDefaultsAndKeyCase();
    void badSettingsChangeNothing_data();
    void badSettingsChangeNothing();
    void readingPaintsNothing();
    void windowLayouts();

private:
    // The button's events since the last call, in the order raised.
    QStringList events() { return std::exchange(m_events, {}); }

    std::unique_ptr<ButtonHost> m_host;
    SkinButton* m_button = nullptr;
    QStringList m_events;
};

void TestButtonBehaviour::init()
{
    m_host = std::make_unique<ButtonHost>();
    m_button = menuStyleButton(m_host.get(), QSize(60, 20), QStringLiteral("&Go"));
    QVERIFY(m_host->showActive());
    m_button->setFocus();
    QTRY_VERIFY(m_button->hasFocus());
    m_events.clear();
    SkinButton* b = m_button;
    connect(b, &SkinButton::Click, this,
            [this] { m_events << (m_button->value() ? "click, on" : "click"); });
    connect(b, &SkinButton::MouseDown, this, [this](int button, int shift, qreal x, qreal y) {
        m_events << QStringLiteral("down %1 %2 %3,%4").arg(button).arg(shift).arg(x).arg(y);
    });
    connect(b, &SkinButton::MouseUp, this,
            [this](int button) { m_events << QStringLiteral("up %1").arg(button); });
    connect(b, &SkinButton::KeyPress, this,
            [this](int& ascii) { m_events << QStringLiteral("key %1").arg(ascii); });
    connect(b, &SkinButton::MouseOver, this, [this] { m_events << "over"; });
    connect(b, &SkinButton::MouseOut, this, [this] { m_events << "out"; });
}

void TestButtonBehaviour::cleanup()
{
    m_host.reset();
}

void TestButtonBehaviour::mouse()
{
    const QImage face = m_button->image();
    // The right button raises its events but never changes the face nor clicks. In a double
    // click the second press comes at (0, 0) and clicks no more.
    QTest::mousePress(m_button, Qt::RightButton, {}, inside);
    QCOMPARE(m_button->image(), face);
    QTest::mouseRelease(m_button, Qt::RightButton, {}, inside);
    QCOMPARE(m_button->image(), face);
    QTest::mousePress(m_button, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, inside);
    QTest::mouseDClick(m_button, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, inside);
    QCOMPARE(events(), QStringList({"down 2 0 30,10", "up 2", "down 1 0 30,10", "up 1", "click",
                                    "down 1 0 0,0", "up 1"}));

    // Pressed, dragged out and back in (the face follows), released outside: no Click.
    QTest::mousePress(m_button, Qt::LeftButton, {}, inside);
    const QImage pressed = m_button->image();
    QVERIFY(pressed != face);
    const auto moveTo = [this](QPoint p) {
        QCursor::setPos(m_button->mapToGlobal(p));
        QTest::mouseMove(m_button, p);
    };
    const QPoint outside(250, 200);
    moveTo(outside);
    QCOMPARE(m_button->image(), face);
    moveTo(inside);
    QCOMPARE(m_button->image(), pressed);
    moveTo(outside);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, outside);
    QCOMPARE(m_button->image(), face);
    QTest::mouseClick(m_button, Qt::LeftButton, {}, inside);
    QCOMPARE(events(), QStringList({"down 1 0 30,10", "up 1", "down 1 0 30,10", "up 1", "click"}));
}

void TestButtonBehaviour::keys()
{
    // Space presses the face and clicks once, on release; not when another key came between.
    const QImage face = m_button->image();
    QTest::keyPress(m_button, Qt::Key_Space);
    QVERIFY(m_button->image() != face);
    QCOMPARE(events(), QStringList({"key 32"}));
    QTest::keyRelease(m_button, Qt::Key_Space);
    QCOMPARE(m_button->image(), face);
    QTest::keyPress(m_button, Qt::Key_Space);
    QTest::keyPress(m_button, Qt::Key_A);
    QTest::keyRelease(m_button, Qt::Key_A);
    QTest::keyRelease(m_button, Qt::Key_Space);
    QCOMPARE(events(), QStringList({"click", "key 32", "key 97"}));

    // A disabled button clicks neither by the mouse, nor its access key, nor space.
    m_button->setEnabled(false);
    QTest::mouseClick(m_button, Qt::LeftButton, {}, inside);
    QTest::keyClick(m_host.get(), Qt::Key_G, Qt::AltModifier);
    QTest::keyClick(m_button, Qt::Key_Space);
    QCOMPARE(events(), QStringList());
    m_button->setEnabled(true);
    QTest::keyClick(m_host.get(), Qt::Key_G, Qt::AltModifier);
    QCOMPARE(events(), QStringList({"click"}));

    // A KeyDown handler may change the key; the button then acts on the changed one.
    connect(m_button, &SkinButton::KeyDown, this, [](int& key, int) {
        if (key == 32)
            key = 0;
    });
    QTest::keyClick(m_button, Qt::Key_Space);
    QVERIFY(!events().contains("click"));
}

void TestButtonBehaviour::toggles()
{
    // Without toggle behaviour Value is only stored: nothing is painted.
    PaintCounter counter(m_button);
    const QImage face = m_button->image();
    m_button->setValue(true);
    QCoreApplication::processEvents();
    QCOMPARE(m_button->image(), face);
    QCOMPARE(counter.paints, 0);

    // A toggle flips Value before Click and stays pressed, hovered or not.
    m_button->setValue(false);
    m_button->setCheckBoxBehaviour(true);
    QTest::mousePress(m_button, Qt::LeftButton, {}, inside);
    const QImage pressed = m_button->image();
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, inside);
    QCOMPARE(m_button->image(), pressed);
    pointAt(m_button, inside);
    QTRY_VERIFY(m_button->isOver());
    pointAway(m_host.get());
    QTRY_VERIFY(!m_button->isOver());
    QCOMPARE(m_button->image(), pressed);
    QTest::keyClick(m_button, Qt::Key_Space);
    QCOMPARE(m_button->image(), face);
    QCOMPARE(events(), QStringList({"down 1 0 30,10", "up 1", "click, on", "over", "out", "key 32",
                                    "click"}));
}

void TestButtonBehaviour::accessKeys_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");   // empty: none
    QTest::addColumn<QString>("probe"); // a key that must not click
    const auto row = [](const char* caption, const char* key, const char* probe) {
        QTest::newRow(caption) << QString(caption) << QString(key) << QString(probe);
    };
    row("&Herbs", "h", "e");
    row("A&dd Formulas", "d", "a");
    row("Save", "", "s");
    row("&&", "", "");
    row("&", "", "");
    row("Save&", "", "s");
    row("a&&b", "", "b");
    row("Salt && &Pepper", "p", "s");
}

void TestButtonBehaviour::accessKeys()
{
    QFETCH(QString, caption);
    QFETCH(QString, key);
    QFETCH(QString, probe);
    m_button->setCaption(caption);
    QCOMPARE(m_button->accessKey().isNull() ? QString() : QString(m_button->accessKey()), key);
    if (!probe.isEmpty())
        QTest::keyClick(m_host.get(), probe.at(0).toLatin1(), Qt::AltModifier);
    if (!key.isEmpty())
        QTest::keyClick(m_host.get(), key.at(0).toLatin1(), Qt::AltModifier);
    QCOMPARE(events(), key.isEmpty() ? QStringList() : QStringList({"click"}));
}

void TestButtonBehaviour::arrowKeysMoveTheFocus()
{
    SkinButton* second = menuStyleButton(m_host.get(), QSize(60, 20), {}, QPoint(20, 60));
    SkinButton* third = menuStyleButton(m_host.get(), QSize(60, 20), {}, QPoint(20, 100));
    second->setFocus();
    for (const auto& [key, to] : QList<std::pair<Qt::Key, SkinButton*>>{{Qt::Key_Left, m_button},
                                                                        {Qt::Key_Right, second},
                                                                        {Qt::Key_Down, third},
                                                                        {Qt::Key_Up, second}}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QVERIFY(to->hasFocus());
    }
}

void TestButtonBehaviour::hoverCostsNothingWhileStill()
{
    auto* poll = m_button->findChild<QTimer*>(QStringLiteral("OverTimer"));
    QVERIFY(poll);
    QCOMPARE(poll->interval(), 3);
    QVERIFY(!poll->isActive());
    PaintCounter counter(m_button);

    // Polled while hovered, but painted only when the state changes.
    pointAt(m_button, inside);
    QTRY_VERIFY(m_button->isOver());
    QVERIFY(poll->isActive());
    QTRY_VERIFY(counter.paints > 0);
    const int painted = counter.paints;
    QSignalSpy ticks(poll, &QTimer::timeout);
    QTRY_VERIFY(ticks.count() >= 5);
    pointAt(m_button, inside + QPoint(1, 0));
    pointAt(m_button, inside + QPoint(1, 1));
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, painted);
    pointAway(m_host.get());
    QTRY_VERIFY(!m_button->isOver());
    QVERIFY(!poll->isActive());
    QTRY_VERIFY(counter.paints > painted);
    QCOMPARE(events(), QStringList({"over", "out"}));

    // Moves with the button held inside keep the pressed face without painting it again.
    pointAt(m_button, inside);
    QTRY_VERIFY(m_button->isOver());
    QTest::mousePress(m_button, Qt::LeftButton, {}, inside);
    QCoreApplication::processEvents();
    const int pressed = counter.paints;
    QTest::mouseMove(m_button, inside + QPoint(1, 0));
    QTest::mouseMove(m_button, inside + QPoint(2, 1));
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, pressed);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, inside);
}

void TestButtonBehaviour::settingsRoundTrip()
{
    // Every setting away from its default.
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSizeF(12);
    font.setBold(true);
    SkinButton* b = m_button;
    // clang-format off
    b->ReadProperties({.buttonType = 9, .caption = QStringLiteral("&Latin"), .enabled = false,
                       .font = font, .colorScheme = 3, .showFocusRect = false,
                       .backColor = 0x102030, .backOver = 0x405060,
                       .foreColor = systemColorRef(colorButtonText), .foreOver = 0x010203,
                       .maskColor = 0x00FF00, .mousePointer = 99, .mouseIcon = {},
                       .pictureNormal = picture,
                       .pictureOver = picture.mirrored(), .useMaskColor = false,
                       .softBevel = true, .picturePosition = 2, .useGreyscale = true,
                       .specialEffect = 2, .handPointer = true, .checkBoxBehaviour = true,
                       .value = true});
    // clang-format on

    PropertyBag saved;
    writeButton(*b, saved);
    for (const QString& key : settingKeys())
        QVERIFY2(saved.values().contains(key.toLower()), qPrintable(key));
    QCOMPARE(saved.values().size(), settingKeys().size());
    QCOMPARE(saved.value(QStringLiteral("FCOL")).toInt(), qint32(0x80000012));

    auto* copy = new SkinButton(m_host.get());
    QCOMPARE(readButton(*copy, saved), std::nullopt);
    PropertyBag again;
    writeButton(*copy, again);
    QCOMPARE(again.values(), saved.values());
    QVERIFY(!copy->isEnabled());
    QCOMPARE(copy->accessKey(), QChar(u'l'));
    QCOMPARE(copy->mousePointer(), 99);
    QCOMPARE(copy->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(copy->fontSize(), qint16(12));
}

void TestButtonBehaviour::settingsDefaultsAndKeyCase()
{
    auto* b = new SkinButton(m_host.get());
    b->setCaption(QStringLiteral("old"));
    QCOMPARE(readButton(*b, PropertyBag()), std::nullopt);
    const ButtonSettings s = b->WriteProperties();
    const Rgb face = systemColor(b->palette(), colorButtonFace);
    const Rgb text = systemColor(b->palette(), colorButtonText);
    // "MPTR" 0, then "HAND" False sets the arrow (1).
    QCOMPARE(
        QVariantList({s.buttonType, s.caption, s.enabled, s.colorScheme, s.showFocusRect,
                      s.backColor, s.backOver, s.foreColor, s.foreOver, s.maskColor, s.mousePointer,
                      s.useMaskColor, s.softBevel, s.picturePosition, s.useGreyscale,
                      s.specialEffect, s.handPointer, s.checkBoxBehaviour, s.value}),
        QVariantList({2, QString(), true, 1, true, face, face, text, text, Rgb(0xC0C0C0), 1, true,
                      false, 0, false, 0, false, false, false}));
    QVERIFY(b->isEnabled());
    QCOMPARE(s.font, b->font());
    QCOMPARE(b->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(s.pictureNormal.isNull() && s.pictureOver.isNull() && s.mouseIcon.isNull());
    PropertyBag written;
    writeButton(*b, written);
    QVERIFY(!written.contains(QStringLiteral("PICN")) && !written.contains(QStringLiteral("PICH")));
    QVERIFY(written.contains(QStringLiteral("MICON"))); // always written

    // Keys are matched without regard to case; "BCOLO" takes the "BCOL" just read.
    QVariantMap values{{QStringLiteral("btype"), 3},
                       {QStringLiteral("Tx"), QStringLiteral("Save")},
                       {QStringLiteral("BCol"), 0x112233},
                       {QStringLiteral("fCOL"), qint32(0x80000012)},
                       {QStringLiteral("fcolo"), 0x445566}};
    QCOMPARE(readButton(*b, PropertyBag(values)), std::nullopt);
    QCOMPARE(QVariantList({b->buttonType(), b->caption(), b->backColor(), b->backOver(),
                           b->foreColor(), b->foreOver()}),
             QVariantList({3, QStringLiteral("Save"), Rgb(0x112233), Rgb(0x112233), Rgb(0x80000012),
                           Rgb(0x445566)}));
    values.insert(QStringLiteral("BCOLO"), 0x778899);
    QCOMPARE(readButton(*b, PropertyBag(values)), std::nullopt);
    QCOMPARE(b->backOver(), Rgb(0x778899));
}

void TestButtonBehaviour::badSettingsChangeNothing_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("style as words") << "BTYPE" << QVariant(QStringLiteral("three"));
    QTest::newRow("style as a fraction") << "BTYPE" << QVariant(2.5);
    QTest::newRow("enabled as a word") << "enab" << QVariant(QStringLiteral("maybe"));
    QTest::newRow("colour beyond 32 bits") << "BCOL" << QVariant(qint64(1) << 40);
    QTest::newRow("pointer beyond 16 bits") << "MPTR" << QVariant(40000);
    QTest::newRow("picture that is none") << "PICN" << QVariant(QByteArray("not a picture"));
    QTest::newRow("font as a number") << "FONT" << QVariant(12);
    QTest::newRow("caption as a picture") << "TX" << QVariant(QImage(2, 2, QImage::Format_RGB32));
}

void TestButtonBehaviour::badSettingsChangeNothing()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    PropertyBag bag = windowButtonSettings(QStringLiteral("Exit"));
    bag.setValue(key, value);
    const std::optional<QString> error = readButton(*m_button, bag);
    QVERIFY(error);
    QVERIFY2(error->contains('"' + key.toUpper() + '"'), qPrintable(*error));
    QCOMPARE(m_button->caption(), QStringLiteral("&Go"));
    QCOMPARE(m_button->colorScheme(), 2);

    // An unusable pointer icon is ignored rather than refused.
    bag = windowButtonSettings(QStringLiteral("Exit"));
    bag.setValue(QStringLiteral("MICON"), QByteArray("junk"));
    QCOMPARE(readButton(*m_button, bag), std::nullopt);
}

void TestButtonBehaviour::readingPaintsNothing()
{
    const QImage face = m_button->image();
    PropertyBag bag = windowButtonSettings(QStringLiteral("Other"));
    bag.setValue(QStringLiteral("BTYPE"), 15);
    QCOMPARE(readButton(*m_button, bag), std::nullopt);
    QCOMPARE(m_button->image(), face);                // style 15 would look different
    QVERIFY(m_button->mask().contains(QPoint(0, 0))); // the shape follows the style read
    m_button->Refresh();
    QVERIFY(m_button->image() != face);
}

void TestButtonBehaviour::windowLayouts()
{
    const auto menu = [](const char* caption, const char* key) {
        return menuButtonSettings(QLatin1String(caption)).value(QLatin1String(key));
    };
    // "&Herbs" keeps its text colour when hovered; the other windows use the system colours.
    QCOMPARE(QVariantList(
                 {menu("&Herbs", "TX"), menu("&Herbs", "COLTYPE"), menu("&Herbs", "FCOLO"),
                  menu("&Exit", "FCOLO"),
                  windowButtonSettings(QStringLiteral("Exit")).value(QLatin1String("COLTYPE"))}),
             QVariantList({QStringLiteral("&Herbs"), 2, 0x800000, 0xFFFFFF, 1}));

    SkinButton* save =
        makeWindowButton(m_host.get(), QStringLiteral("Command1"), QStringLiteral("Save"));
    QCOMPARE(QVariantList({save->objectName(), save->caption(), save->buttonType(),
                           save->mousePointer(), save->font().pointSizeF()}),
             QVariantList({QStringLiteral("Command1"), QStringLiteral("Save"), 3, 1, 8.25}));

    SkinButton* formulas =
        makeMenuButton(m_host.get(), QStringLiteral("Command2"), QStringLiteral("&Formulas"));
    formulas->setGeometry(100, 100, 150, 30);
    formulas->show();
    QCOMPARE(QVariantList({formulas->record().palette.face, formulas->record().palette.textOver,
                           formulas->accessKey()}),
             QVariantList({Rgb(0xFF8080), Rgb(0xFFFFFF), QChar(u'f')}));
}

QTEST_MAIN(TestButtonBehaviour)
#include "tst_buttonbehaviour.moc"
