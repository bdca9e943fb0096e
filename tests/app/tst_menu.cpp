// The main menu: its buttons open their windows afresh and centred, by click, access key or a
// screen reader's press; help, exit and the two links, by pointer and keyboard.
#include "app/CenterForm.h"
#include "app/Menu.h"
#include "app/MessageBox.h"
#include "button/SkinButton.h"
#include "editors/AddFormulaWindow.h"
#include "herbs/HerbWindow.h"
#include "support/StartedMenu.h"
#include "support/WidgetHelpers.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QTabWidget>

using tavirel::button::SkinButton;
using tavirel::test::control;
using tavirel::test::ModalRecorder;
using tavirel::test::UrlCatcher;

namespace {

// Whether a window of this client size, at this place, has the middle of its frame (the frame
// as the menu has it) within half a pixel of the middle of the screen.
bool centred(const QWidget& menu, QPoint at, QSize client)
{
    const QRect screen = menu.screen()->geometry();
    const QSize outer = client + (menu.frameGeometry().size() - menu.geometry().size());
    return qAbs(at.x() - (screen.width() - outer.width()) / 2.0) <= 0.5 &&
           qAbs(at.y() - (screen.height() - outer.height()) / 2.0) <= 0.5;
}

// Every owner-drawn button of a window, by the name a screen reader speaks.
QStringList spokenButtonNames(QWidget* window)
{
    QStringList names;
    for (SkinButton* button : window->findChildren<SkinButton*>()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
        if (iface && iface->role() == QAccessible::Button && iface->actionInterface())
            names << iface->text(QAccessible::Name);
    }
    names.sort();
    return names;
}

} // namespace

class TestMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_menu.reset(); }
    void centerFormCentresAnyWindow_data();
    void centerFormCentresAnyWindow();
    void buttonsOpenTheirWindowsAfresh_data();
    void buttonsOpenTheirWindowsAfresh();
    void disabledButtonIsNotPressed();
    void helpAndExit();
    void linksFollowThePointer();
    void linksOpen();
    void sharedAccessKeyOnlyMovesTheFocus();
    void shownWindowIsCentredByItsFrame();
    void windowsNameTheirControls();

private:
    tavirel::app::Menu& menu() { return m_menu->menu(); }
    bool activate()
    {
        menu().activateWindow();
        return QTest::qWaitForWindowActive(&menu());
    }
    std::unique_ptr<tavirel::test::StartedMenu> m_menu;
};

void TestMenu::init()
{
    m_menu = std::make_unique<tavirel::test::StartedMenu>();
    QVERIFY2(m_menu->error().isEmpty(), qPrintable(m_menu->error()));
}

void TestMenu::centerFormCentresAnyWindow_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("small") << QSize(301, 201);
    QTest::newRow("larger than the screen") << QSize(5000, 4000);
}

void TestMenu::centerFormCentresAnyWindow()
{
    QFETCH(QSize, size);
    QWidget window;
    window.resize(size);
    tavirel::app::CenterForm(&window);
    // Not shown yet: centred by the outer size it will have, and nothing clamps it.
    QVERIFY(centred(menu(), window.pos(), size));
    if (size.width() > window.screen()->geometry().width())
        QVERIFY(window.x() < 0 && window.y() < 0);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMenu::buttonsOpenTheirWindowsAfresh_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name"); // spoken by a screen reader
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char* button, const char* name, const char* shortcut,
                        const char* window, const char* caption) {
        QTest::newRow(name) << QString(button) << QString(name) << QString(shortcut)
                            << QString(window) << QString(caption);
    };
    row("Command1", "Herbs", "Alt+H", "start", "Herbs");
    row("Command2", "Formulas", "Alt+F", "Pres", "Formulas");
    row("Command4", "Add Herb", "Alt+A", "addHerb", "Add Herbs");
    row("Command3", "Add Formulas", "Alt+D", "addPres", "Add Your Own Formulas");
    row("Command5", "Help", "Alt+E", "HelpWindow", "");
}

// Opened by a click, by the access key (a moment later, as a click) and by a screen reader's
// press action: a new window each time, centred, destroyed when closed.
void TestMenu::buttonsOpenTheirWindowsAfresh()
{
    QFETCH(QString, button);
    QFETCH(QString, name);
    QFETCH(QString, shortcut);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QVERIFY(activate());
    QList<QPointer<QDialog>> windows;
    ModalRecorder recorder([&](QDialog& opened) {
        windows << QPointer<QDialog>(&opened);
        return int(QDialog::Accepted);
    });
    auto* push = control<SkinButton>(&menu(), button);
    QVERIFY(push);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(push);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Accelerator), shortcut);
    QAccessibleActionInterface* actions = iface->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames(), QStringList({QAccessibleActionInterface::pressAction()}));
    QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
             QStringList({shortcut}));

    QTest::mouseClick(push, Qt::LeftButton);
    if (window != "HelpWindow") { // "H&elp" shares its key with "&Exit"
        QTest::keyClick(&menu(), shortcut.back().toLower().toLatin1(), Qt::AltModifier);
        QTRY_COMPARE(recorder.opened.size(), 2);
    }
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(recorder.opened.size(), window == "HelpWindow" ? 2 : 3);
    for (const auto& opened : recorder.opened) {
        QCOMPARE(opened.name, window);
        if (!caption.isEmpty())
            QCOMPARE(opened.caption, caption);
        QVERIFY(centred(menu(), opened.position, opened.size));
    }
    for (const auto& opened : windows)
        QVERIFY(opened.isNull());
    QVERIFY(menu().isVisible());
}

// A disabled button tells a screen reader so, and its press action does nothing.
void TestMenu::disabledButtonIsNotPressed()
{
    auto* herbs = control<SkinButton>(&menu(), "Command1");
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(herbs);
    QVERIFY(iface->state().focusable);
    QVERIFY(activate());
    herbs->setFocus();
    QVERIFY(iface->state().focused);
    QTest::mousePress(herbs, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(iface->state().pressed);
    QTest::mouseRelease(herbs, Qt::LeftButton, {}, QPoint(500, 500)); // released outside
    QVERIFY(!iface->state().pressed);

    herbs->setEnabled(false);
    QVERIFY(iface->state().disabled);
    QVERIFY(iface->actionInterface()->actionNames().isEmpty());
    ModalRecorder recorder;
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    QVERIFY(recorder.opened.isEmpty());
}

void TestMenu::helpAndExit()
{
    // F1 in any window opens the help over it.
    bool helpInWindow = false;
    ModalRecorder recorder([&](QDialog& window) {
        if (window.objectName() == QLatin1String("start")) {
            window.show();
            QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_F1);
            helpInWindow = true;
        }
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(control<SkinButton>(&menu(), "Command1"), Qt::LeftButton);
    QVERIFY(helpInWindow);
    QCOMPARE(recorder.opened.size(), 2);
    QCOMPARE(recorder.opened.at(1).name, QStringLiteral("HelpWindow"));

    QTest::keyClick(&menu(), Qt::Key_Escape);
    QVERIFY(menu().isVisible()); // only Exit or the close box end the program
    QTest::mouseClick(control<SkinButton>(&menu(), "Command6"), Qt::LeftButton);
    QVERIFY(!menu().isVisible());
    QCOMPARE(menu().result(), int(QDialog::Accepted));
}

void TestMenu::linksFollowThePointer()
{
    auto* web = control<QLabel>(&menu(), "Label4");
    auto* mail = control<QLabel>(&menu(), "Label5");
    QVERIFY(web && mail);
    QCOMPARE(control<QLabel>(&menu(), "Label1")->text(), QStringLiteral("Build 200707"));
    const auto colour = [](QLabel* l) { return l->palette().color(QPalette::WindowText); };
    const QColor green(0xC0, 0xFF, 0xC0);
    QCOMPARE(colour(web), green);
    QCOMPARE(colour(mail), green);

    QTest::mouseMove(web, QPoint(5, 5));
    QCOMPARE(colour(web), QColor(Qt::white));
    QCOMPARE(colour(mail), green);
    QTest::mouseMove(&menu(), QPoint(5, 150));
    QCOMPARE(colour(web), green);

    // Left straight for a button, the label stays white until the background is crossed.
    QTest::mouseMove(mail, QPoint(5, 5));
    QTest::mouseMove(control<SkinButton>(&menu(), "Command1"), QPoint(5, 5));
    QCOMPARE(colour(mail), QColor(Qt::white));
    QTest::mouseMove(&menu(), QPoint(5, 150));
    QCOMPARE(colour(mail), green);

    QTest::mousePress(web, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(menu().cursor().shape(), Qt::UpArrowCursor);
    QTest::mouseRelease(web, Qt::LeftButton, {}, QPoint(500, 500)); // released off the link
    QCOMPARE(menu().cursor().shape(), Qt::ArrowCursor);
}

// The site and the mail open by a click, from the keyboard (Tab from the last button, Enter or
// space) and by a screen reader's press; the focused link shows a frame.
void TestMenu::linksOpen()
{
    UrlCatcher catcher;
    auto* web = control<QLabel>(&menu(), "Label4");
    auto* mail = control<QLabel>(&menu(), "Label5");
    QVERIFY(web->text().startsWith(QStringLiteral("https://")));
    const QList<QUrl> both{QUrl(web->text()),
                           QUrl(QStringLiteral("mailto:%1?subject=Support").arg(mail->text()))};
    QTest::mouseClick(web, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(mail, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(catcher.urls, both);

    QVERIFY(activate());
    control<SkinButton>(&menu(), "Command6")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), web);
    QTest::keyClick(web, Qt::Key_Return);
    QTest::keyClick(web, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), mail);
    QTest::keyClick(mail, Qt::Key_Space);
    QCOMPARE(catcher.urls.mid(2), both);
    const QImage focused = mail->grab().toImage();
    web->setFocus();
    QVERIFY(mail->grab().toImage() != focused);

    for (QLabel* link : {web, mail}) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(link);
        QCOMPARE(iface->role(), QAccessible::Link);
        QCOMPARE(iface->text(QAccessible::Name), link->text());
        QVERIFY(iface->state().focusable);
        QVERIFY(iface->actionInterface());
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QCOMPARE(catcher.urls.mid(4), both);
}

void TestMenu::sharedAccessKeyOnlyMovesTheFocus()
{
    // "H&elp" and "&Exit" share E: the key moves the focus between them and clicks nothing.
    ModalRecorder recorder;
    QVERIFY(activate());
    auto* help = control<SkinButton>(&menu(), "Command5");
    auto* exitButton = control<SkinButton>(&menu(), "Command6");
    QTest::keyClick(&menu(), Qt::Key_E, Qt::AltModifier);
    QVERIFY(help->hasFocus() || exitButton->hasFocus());
    QWidget* first = QApplication::focusWidget();
    QTest::keyClick(&menu(), Qt::Key_E, Qt::AltModifier);
    QVERIFY(help->hasFocus() || exitButton->hasFocus());
    QVERIFY(QApplication::focusWidget() != first);
    QTest::qWait(0);
    QVERIFY(menu().isVisible());
    QVERIFY(recorder.opened.isEmpty());

    // Enter then presses the button that has the focus.
    if (!help->hasFocus())
        QTest::keyClick(&menu(), Qt::Key_E, Qt::AltModifier);
    QVERIFY(help->hasFocus());
    QTest::keyClick(help, Qt::Key_Return);
    QCOMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened.first().name, QStringLiteral("HelpWindow"));
    QVERIFY(menu().isVisible());
}

void TestMenu::shownWindowIsCentredByItsFrame()
{
    bool centred = false;
    ModalRecorder recorder([&](QDialog& window) {
        window.show();
        const QRect screen = window.screen()->geometry();
        // The frame's middle on the screen's middle (QRect::center rounds down).
        centred = QTest::qWaitFor([&] {
            const QRect outer = window.frameGeometry();
            return qAbs(2 * outer.x() + outer.width() - screen.width()) <= 1 &&
                   qAbs(2 * outer.y() + outer.height() - screen.height()) <= 1;
        });
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(control<SkinButton>(&menu(), "Command1"), Qt::LeftButton);
    QCOMPARE(recorder.opened.size(), 1);
    QVERIFY(centred);
}

// What a screen reader speaks in the windows the menu opens.
void TestMenu::windowsNameTheirControls()
{
    tavirel::editors::AddFormulaWindow addFormula(m_menu->context());
    QCOMPARE(spokenButtonNames(&addFormula), QStringList({"Add -->", "Delete", "Exit", "Save"}));
    SkinButton plain(nullptr, QStringLiteral("Salt && &Pepper")); // one ampersand spoken
    QCOMPARE(QAccessible::queryAccessibleInterface(&plain)->text(QAccessible::Name),
             QStringLiteral("Salt & Pepper"));

    tavirel::herbs::HerbWindow window(m_menu->context());
    QVERIFY(tavirel::test::showExposed(&window));
    QCOMPARE(spokenButtonNames(&window),
             QStringList({"Delete", "Exit", "Exit", "Exit", "Exit", "Go", "Graphic", "Latin"}));
    tavirel::test::doubleClick(control<QListWidget>(&window, "List1"), QStringLiteral("Ma Huang"));
    QCOMPARE(control<QTabWidget>(&window, "SSTab1")->currentIndex(), 1);
    const auto spoken = [&window](const char* name, QAccessible::Text what) {
        return QAccessible::queryAccessibleInterface(control<QWidget>(&window, name))->text(what);
    };
    QCOMPARE(spoken("Label14", QAccessible::Name), QStringLiteral("Ma Huang"));
    QCOMPARE(spoken("Label14", QAccessible::Description), QStringLiteral("Pinyin name"));
    QCOMPARE(spoken("Label1", QAccessible::Name), QStringLiteral("Herba Ephedrae"));
    // Each box is named by the caption beside it.
    QCOMPARE(spoken("Text6", QAccessible::Name), QStringLiteral("Meridians"));
}

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
