// How the button answers the mouse, keys, focus and the hover poll, and how its settings are
// saved and read back.
#include "ButtonTestSupport.h"

#include "button/PropertyStore.h"
#include "button/Styles.h"
#include "button/WindowButtons.h"

#include <QSignalSpy>
#include <QTimer>

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
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

constexpr QPoint inside(30, 10);

// Row 10 of the pressed face, left of the caption.
constexpr QPoint faceSample(6, 10);
Rgb pressedFace()
{
    return ShiftColor(ShiftColor(0xFFB0B0, -32, true), gradientShift(25, 20, 10), true);
}

} // namespace

class TestButtonBehaviour : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void rightButtonNeverChangesTheFace();
    void draggingOutCancelsTheClick();
    void spaceClicksOnRelease();
    void doubleClickClicksOnce();
    void togglesFlipBeforeClick();
    void valueWithoutToggleOnlyStores();
    void disabledButtonNeverClicks();
    void accessKeys_data();
    void accessKeys();
    void arrowKeysMoveTheFocus();
    void hoverCostsNothingWhileStill();
    void settingsRoundTrip();
    void settingsDefaults();
    void settingsKeysIgnoreCase();
    void badSettingsChangeNothing_data();
    void badSettingsChangeNothing();
    void readingPaintsNothing();
    void windowLayouts();

private:
    std::unique_ptr<ButtonHost> m_host;
    SkinButton* m_button = nullptr;
};

void TestButtonBehaviour::init()
{
    m_host = std::make_unique<ButtonHost>();
    m_button = menuStyleButton(m_host.get(), QSize(60, 20), QStringLiteral("&Go"));
    QVERIFY(m_host->showActive());
    m_button->setFocus();
    QTRY_VERIFY(m_button->hasFocus());
}

void TestButtonBehaviour::cleanup()
{
    m_host.reset();
}

void TestButtonBehaviour::rightButtonNeverChangesTheFace()
{
    QSignalSpy clicks(m_button, &SkinButton::Click);
    QSignalSpy downs(m_button, &SkinButton::MouseDown);
    QSignalSpy ups(m_button, &SkinButton::MouseUp);
    const QImage face = m_button->image();
    QTest::mousePress(m_button, Qt::RightButton, {}, inside);
    QCOMPARE(m_button->image(), face);
    QTest::mouseRelease(m_button, Qt::RightButton, {}, inside);
    QCOMPARE(m_button->image(), face);
    QCOMPARE(downs.count(), 1);
    QCOMPARE(downs.first().at(0).toInt(), 2);
    QCOMPARE(ups.count(), 1);
    QCOMPARE(clicks.count(), 0);
}

void TestButtonBehaviour::draggingOutCancelsTheClick()
{
    QSignalSpy clicks(m_button, &SkinButton::Click);
    const QImage face = m_button->image();
    QTest::mousePress(m_button, Qt::LeftButton, {}, inside);
    const QImage pressed = m_button->image();
    QVERIFY(pressed != face);

    const QPoint outside(250, 200);
    QCursor::setPos(m_button->mapToGlobal(outside));
    QTest::mouseMove(m_button, outside);
    QCOMPARE(m_button->image(), face); // leaving while held shows the normal face
    QCursor::setPos(m_button->mapToGlobal(inside));
    QTest::mouseMove(m_button, inside);
    QCOMPARE(m_button->image(), pressed); // and back inside the pressed one
    QCursor::setPos(m_button->mapToGlobal(outside));
    QTest::mouseMove(m_button, outside);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, outside);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(m_button->image(), face);

    QTest::mouseClick(m_button, Qt::LeftButton, {}, inside);
    QCOMPARE(clicks.count(), 1);
}

void TestButtonBehaviour::spaceClicksOnRelease()
{
    QSignalSpy clicks(m_button, &SkinButton::Click);
    QList<int> typed;
    connect(m_button, &SkinButton::KeyPress, this, [&typed](int& ascii) { typed << ascii; });
    const QImage face = m_button->image();
    QTest::keyPress(m_button, Qt::Key_Space);
    QVERIFY(m_button->image() != face);
    QCOMPARE(clicks.count(), 0);
    QTest::keyRelease(m_button, Qt::Key_Space);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(m_button->image(), face);
    QCOMPARE(typed, QList<int>{32});

    // Another key pressed in between: the space release does nothing.
    QTest::keyPress(m_button, Qt::Key_Space);
    QTest::keyPress(m_button, Qt::Key_A);
    QTest::keyRelease(m_button, Qt::Key_A);
    QTest::keyRelease(m_button, Qt::Key_Space);
    QCOMPARE(clicks.count(), 1);

    // A KeyDown handler may change the key; the button then acts on the changed one.
    connect(m_button, &SkinButton::KeyDown, this, [](int& key, int) {
        if (key == 32)
            key = 0;
    });
    QTest::keyClick(m_button, Qt::Key_Space);
    QCOMPARE(clicks.count(), 1);
}

void TestButtonBehaviour::doubleClickClicksOnce()
{
    QSignalSpy clicks(m_button, &SkinButton::Click);
    QSignalSpy downs(m_button, &SkinButton::MouseDown);
    QSignalSpy ups(m_button, &SkinButton::MouseUp);
    QTest::mousePress(m_button, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, inside);
    QTest::mouseDClick(m_button, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, inside);
    QCOMPARE(downs.count(), 2);
    QCOMPARE(downs.at(0), (QList<QVariant>{1, 0, 30.0, 10.0}));
    QCOMPARE(downs.at(1), (QList<QVariant>{1, 0, 0.0, 0.0}));
    QCOMPARE(ups.count(), 2);
    QCOMPARE(clicks.count(), 1);
}

void TestButtonBehaviour::togglesFlipBeforeClick()
{
    m_button->setCheckBoxBehaviour(true);
    QList<bool> seen;
    connect(m_button, &SkinButton::Click, this, [&] { seen << m_button->value(); });
    QTest::mouseClick(m_button, Qt::LeftButton, {}, inside);
    QCOMPARE(seen, QList<bool>{true});
    QCOMPARE(pixelAt(m_button, faceSample.x(), faceSample.y()), pressedFace());

    pointAt(m_button, inside); // hover starts and ends: still pressed
    QTRY_VERIFY(m_button->isOver());
    pointAway(m_host.get());
    QTRY_VERIFY(!m_button->isOver());
    QCOMPARE(pixelAt(m_button, faceSample.x(), faceSample.y()), pressedFace());

    QTest::keyClick(m_button, Qt::Key_Space);
    QCOMPARE(seen, (QList<bool>{true, false}));
    QVERIFY(pixelAt(m_button, faceSample.x(), faceSample.y()) != pressedFace());
}

void TestButtonBehaviour::valueWithoutToggleOnlyStores()
{
    PaintCounter counter(m_button);
    const QImage face = m_button->image();
    m_button->setValue(true);
    QCoreApplication::processEvents();
    QVERIFY(m_button->value());
    QCOMPARE(m_button->image(), face);
    QCOMPARE(counter.paints, 0);
}

void TestButtonBehaviour::disabledButtonNeverClicks()
{
    QSignalSpy clicks(m_button, &SkinButton::Click);
    m_button->setEnabled(false);
    QTest::mouseClick(m_button, Qt::LeftButton, {}, inside);
    QTest::keyClick(m_host.get(), Qt::Key_G, Qt::AltModifier);
    QTest::keyClick(m_button, Qt::Key_Space);
    QCOMPARE(clicks.count(), 0);
    m_button->setEnabled(true);
    QTest::keyClick(m_host.get(), Qt::Key_G, Qt::AltModifier);
    QCOMPARE(clicks.count(), 1);
}

void TestButtonBehaviour::accessKeys_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");   // empty: none
    QTest::addColumn<QString>("probe"); // a key that must not click
    QTest::newRow("&Herbs") << "&Herbs"
                            << "h"
                            << "e";
    QTest::newRow("A&dd Formulas") << "A&dd Formulas"
                                   << "d"
                                   << "a";
    QTest::newRow("Save") << "Save"
                          << ""
                          << "s";
    QTest::newRow("&&") << "&&"
                        << ""
                        << "";
    QTest::newRow("&") << "&"
                       << ""
                       << "";
    QTest::newRow("trailing &") << "Save&"
                                << ""
                                << "s";
    QTest::newRow("doubled and no other") << "a&&b"
                                          << ""
                                          << "b";
    QTest::newRow("doubled, then a key") << "Salt && &Pepper"
                                         << "p"
                                         << "s";
}

void TestButtonBehaviour::accessKeys()
{
    QFETCH(QString, caption);
    QFETCH(QString, key);
    QFETCH(QString, probe);
    QSignalSpy clicks(m_button, &SkinButton::Click);
    m_button->setCaption(caption);
    QCOMPARE(QString(m_button->accessKey().isNull() ? QString() : QString(m_button->accessKey())),
             key);
    if (!probe.isEmpty())
        QTest::keyClick(m_host.get(), probe.at(0).toLatin1(), Qt::AltModifier);
    QCOMPARE(clicks.count(), 0);
    if (!key.isEmpty()) {
        QTest::keyClick(m_host.get(), key.at(0).toLatin1(), Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
    }
}

void TestButtonBehaviour::arrowKeysMoveTheFocus()
{
    SkinButton* second = menuStyleButton(m_host.get(), QSize(60, 20), {}, QPoint(20, 60));
    SkinButton* third = menuStyleButton(m_host.get(), QSize(60, 20), {}, QPoint(20, 100));
    second->setFocus();
    QTest::keyClick(second, Qt::Key_Left);
    QVERIFY(m_button->hasFocus());
    QTest::keyClick(m_button, Qt::Key_Right);
    QVERIFY(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Down);
    QVERIFY(third->hasFocus());
    QTest::keyClick(third, Qt::Key_Up);
    QVERIFY(second->hasFocus());
}

void TestButtonBehaviour::hoverCostsNothingWhileStill()
{
    QSignalSpy overs(m_button, &SkinButton::MouseOver);
    QSignalSpy outs(m_button, &SkinButton::MouseOut);
    auto* poll = m_button->findChild<QTimer*>(QStringLiteral("OverTimer"));
    QVERIFY(poll);
    QCOMPARE(poll->interval(), 3);
    QVERIFY(!poll->isActive());
    PaintCounter counter(m_button);

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
    QCOMPARE(overs.count(), 1);

    pointAway(m_host.get());
    QTRY_VERIFY(!m_button->isOver());
    QVERIFY(!poll->isActive());
    QCOMPARE(outs.count(), 1);
    QTRY_VERIFY(counter.paints > painted);

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
    SkinButton* b = m_button;
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    b->setButtonType(9);
    b->setCaption(QStringLiteral("&Latin"));
    b->setEnabled(false);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSizeF(12);
    font.setBold(true);
    b->setFont(font);
    b->setColorScheme(3);
    b->setShowFocusRect(false);
    b->setBackColor(0x102030);
    b->setBackOver(0x405060);
    b->setForeColor(systemColorRef(colorButtonText));
    b->setForeOver(0x010203);
    b->setMaskColor(0x00FF00);
    b->setPictureNormal(picture);
    b->setPictureOver(picture.mirrored());
    b->setUseMaskColor(false);
    b->setSoftBevel(true);
    b->setPicturePosition(2);
    b->setUseGreyscale(true);
    b->setSpecialEffect(2);
    b->setHandPointer(true);
    b->setCheckBoxBehaviour(true);
    b->setValue(true);

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

void TestButtonBehaviour::settingsDefaults()
{
    auto* b = new SkinButton(m_host.get());
    b->setCaption(QStringLiteral("old"));
    QCOMPARE(readButton(*b, PropertyBag()), std::nullopt);
    const ButtonSettings s = b->WriteProperties();
    QCOMPARE(s.buttonType, 2);
    QCOMPARE(s.caption, QString());
    QVERIFY(s.enabled && b->isEnabled());
    QCOMPARE(s.font, b->font());
    QCOMPARE(s.colorScheme, 1);
    QVERIFY(s.showFocusRect);
    QCOMPARE(s.backColor, systemColor(b->palette(), colorButtonFace));
    QCOMPARE(s.backOver, s.backColor);
    QCOMPARE(s.foreColor, systemColor(b->palette(), colorButtonText));
    QCOMPARE(s.foreOver, s.foreColor);
    QCOMPARE(s.maskColor, Rgb(0xC0C0C0));
    QCOMPARE(s.mousePointer, qint16(1)); // "MPTR" 0, then "HAND" False sets the arrow
    QCOMPARE(b->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(s.pictureNormal.isNull() && s.pictureOver.isNull() && s.mouseIcon.isNull());
    QVERIFY(s.useMaskColor && !s.softBevel && !s.useGreyscale && !s.handPointer);
    QCOMPARE(s.picturePosition, 0);
    QCOMPARE(s.specialEffect, 0);
    QVERIFY(!s.checkBoxBehaviour && !s.value);

    PropertyBag written;
    writeButton(*b, written);
    QVERIFY(!written.contains(QStringLiteral("PICN")));
    QVERIFY(!written.contains(QStringLiteral("PICH")));
    QVERIFY(written.contains(QStringLiteral("MICON"))); // always written
}

void TestButtonBehaviour::settingsKeysIgnoreCase()
{
    auto* b = new SkinButton(m_host.get());
    QVariantMap values{{QStringLiteral("btype"), 3},
                       {QStringLiteral("Tx"), QStringLiteral("Save")},
                       {QStringLiteral("BCol"), 0x112233},
                       {QStringLiteral("fCOL"), qint32(0x80000012)},
                       {QStringLiteral("fcolo"), 0x445566}};
    QCOMPARE(readButton(*b, PropertyBag(values)), std::nullopt);
    QCOMPARE(b->buttonType(), 3);
    QCOMPARE(b->caption(), QStringLiteral("Save"));
    QCOMPARE(b->backColor(), Rgb(0x112233));
    QCOMPARE(b->backOver(), Rgb(0x112233)); // "BCOLO" takes the "BCOL" just read
    QCOMPARE(b->foreColor(), Rgb(0x80000012));
    QCOMPARE(b->foreOver(), Rgb(0x445566));
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
    QVERIFY2(error->contains(QLatin1Char('"') + key.toUpper() + QLatin1Char('"')),
             qPrintable(*error));
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
    const auto stored = [](const char* window, const char* button, const char* key) {
        return storedButtonSettings(QLatin1String(window), QLatin1String(button))
            .value(QLatin1String(key));
    };
    QCOMPARE(stored("Menu", "Command1", "TX").toString(), QStringLiteral("&Herbs"));
    QCOMPARE(stored("Menu", "Command1", "COLTYPE").toInt(), 2);
    QCOMPARE(stored("Menu", "Command1", "FCOLO").toInt(), 0x800000); // keeps its colour
    QCOMPARE(stored("Menu", "Command6", "FCOLO").toInt(), 0xFFFFFF);
    QCOMPARE(stored("grph", "Command2", "COLTYPE").toInt(), 1);
    QVERIFY(storedButtonSettings(QStringLiteral("start"), QStringLiteral("Command3")).isEmpty());

    SkinButton* save =
        makeStoredButton(m_host.get(), QStringLiteral("addHerb"), QStringLiteral("Command1"));
    QVERIFY(save);
    QCOMPARE(save->objectName(), QStringLiteral("Command1"));
    QCOMPARE(save->caption(), QStringLiteral("Save"));
    QCOMPARE(save->buttonType(), 3);
    QCOMPARE(save->mousePointer(), 1);
    QCOMPARE(save->font().pointSizeF(), 8.25);

    SkinButton* menu =
        makeMenuButton(m_host.get(), QStringLiteral("Command2"), QStringLiteral("&Formulas"));
    menu->setGeometry(100, 100, 150, 30);
    menu->show();
    QCOMPARE(menu->record().palette.face, Rgb(0xFF8080));
    QCOMPARE(menu->record().palette.textOver, Rgb(0xFFFFFF));
    QCOMPARE(menu->accessKey(), QChar(u'f'));
}

QTEST_MAIN(TestButtonBehaviour)
#include "tst_buttonbehaviour.moc"
