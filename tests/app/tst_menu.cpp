#include "Windows.h"
#include "app/CenterForm.h"
#include "app/MessageBox.h"
#include "app/Startup.h"
#include "button/SkinButton.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QScreen>

using tavirel::app::MessageBox;
using tavirel::app::Startup;
using tavirel::button::SkinButton;
using tavirel::test::control;

// Receives the addresses the menu's links ask the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

class TestMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void centerFormCentresAnyWindow_data();
    void centerFormCentresAnyWindow();
    void buttonsOpenTheirWindowsAfresh_data();
    void buttonsOpenTheirWindowsAfresh();
    void accessKeysPressTheButtons();
    void helpAndExit();
    void linksFollowThePointer();
    void linksOpenTheSiteAndTheMail();
    void sharedAccessKeyOnlyMovesTheFocus();
    void linksWorkFromTheKeyboard();
    void shownWindowIsCentredByItsFrame();

private:
    std::unique_ptr<tavirel::test::ProgramFolder> m_folder;
    std::unique_ptr<Startup> m_startup;
};

void TestMenu::init()
{
    MessageBox::setTestMode(true);
    m_folder = std::make_unique<tavirel::test::ProgramFolder>();
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->errors()));
    m_startup = std::make_unique<Startup>(m_folder->path(), tavirel::programWindows);
    QCOMPARE(m_startup->load(), std::nullopt);
    m_startup->menu().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_startup->menu()));
}

void TestMenu::cleanup()
{
    m_startup.reset();
    m_folder.reset();
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
    const QRect screen = window.screen()->geometry();
    // Not shown yet: centred by the outer size it will have, the frame the menu has.
    const QSize outer =
        size + (m_startup->menu().frameGeometry().size() - m_startup->menu().geometry().size());
    const QPointF exact(screen.width() / 2.0 - outer.width() / 2.0,
                        screen.height() / 2.0 - outer.height() / 2.0);
    QVERIFY(qAbs(window.x() - exact.x()) <= 0.5);
    QVERIFY(qAbs(window.y() - exact.y()) <= 0.5);
    if (size.width() > screen.width())
        QVERIFY(window.x() < 0 && window.y() < 0); // nothing clamps it
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMenu::buttonsOpenTheirWindowsAfresh_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("herbs") << "Command1"
                           << "start"
                           << "Herbs";
    QTest::newRow("formulas") << "Command2"
                              << "Pres"
                              << "Formulas";
    QTest::newRow("add herb") << "Command4"
                              << "addHerb"
                              << "Add Herbs";
    QTest::newRow("add formulas") << "Command3"
                                  << "addPres"
                                  << "Add Your Own Formulas";
}

void TestMenu::buttonsOpenTheirWindowsAfresh()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QList<QPointer<QDialog>> windows;
    tavirel::test::ModalRecorder recorder([&](QDialog& opened) {
        windows << QPointer<QDialog>(&opened);
        return int(QDialog::Accepted);
    });
    auto* push = control<SkinButton>(&m_startup->menu(), button);
    QVERIFY(push);
    QTest::mouseClick(push, Qt::LeftButton);
    QTest::mouseClick(push, Qt::LeftButton);

    QCOMPARE(recorder.opened.size(), 2);
    for (const auto& opened : recorder.opened) {
        QCOMPARE(opened.name, window);
        QCOMPARE(opened.caption, caption);
        // Centred exactly by the outer size, the frame as the menu has it (odd sizes by half a
        // pixel).
        const QRect screen = m_startup->menu().screen()->geometry();
        const QSize outer = opened.size + (m_startup->menu().frameGeometry().size() -
                                           m_startup->menu().geometry().size());
        const QPointF exact((screen.width() - outer.width()) / 2.0,
                            (screen.height() - outer.height()) / 2.0);
        QVERIFY(qAbs(opened.position.x() - exact.x()) <= 0.5);
        QVERIFY(qAbs(opened.position.y() - exact.y()) <= 0.5);
    }
    // Each opening made its own window, and closing destroyed it.
    QVERIFY(windows.at(0).isNull() && windows.at(1).isNull());
    QVERIFY(m_startup->menu().isVisible());
}

void TestMenu::accessKeysPressTheButtons()
{
    tavirel::test::ModalRecorder recorder;
    m_startup->menu().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_startup->menu()));
    // An access key presses its button the way a click does, a moment later.
    QTest::keyClick(&m_startup->menu(), Qt::Key_F, Qt::AltModifier);
    QTRY_COMPARE(recorder.opened.size(), 1);
    QTest::keyClick(&m_startup->menu(), Qt::Key_D, Qt::AltModifier);
    QTRY_COMPARE(recorder.opened.size(), 2);
    QCOMPARE(recorder.opened.at(0).name, QStringLiteral("Pres"));
    QCOMPARE(recorder.opened.at(1).name, QStringLiteral("addPres"));
}

void TestMenu::helpAndExit()
{
    tavirel::test::ModalRecorder recorder;
    QTest::mouseClick(control<SkinButton>(&m_startup->menu(), "Command5"), Qt::LeftButton);
    QCOMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened.first().name, QStringLiteral("HelpWindow"));

    // F1 in any window opens the help over it.
    QWidget* herbWindow = nullptr;
    {
        tavirel::test::ModalRecorder inWindow([&](QDialog& window) {
            if (window.objectName() == QLatin1String("start")) {
                herbWindow = &window;
                window.show();
                QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_F1);
            }
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(control<SkinButton>(&m_startup->menu(), "Command1"), Qt::LeftButton);
        QCOMPARE(inWindow.opened.size(), 2);
        QCOMPARE(inWindow.opened.at(1).name, QStringLiteral("HelpWindow"));
    }
    QVERIFY(herbWindow);

    QTest::keyClick(&m_startup->menu(), Qt::Key_Escape);
    QVERIFY(m_startup->menu().isVisible()); // only Exit or the close box end the program
    QTest::mouseClick(control<SkinButton>(&m_startup->menu(), "Command6"), Qt::LeftButton);
    QVERIFY(!m_startup->menu().isVisible());
    QCOMPARE(m_startup->menu().result(), int(QDialog::Accepted));
}

void TestMenu::linksFollowThePointer()
{
    Startup& s = *m_startup;
    auto* web = control<QLabel>(&s.menu(), "Label4");
    auto* mail = control<QLabel>(&s.menu(), "Label5");
    auto* build = control<QLabel>(&s.menu(), "Label1");
    QVERIFY(web && mail && build);
    QCOMPARE(build->text(), QStringLiteral("Build 200707"));
    const auto colour = [](QLabel* l) { return l->palette().color(QPalette::WindowText); };
    const QColor green(0xC0, 0xFF, 0xC0);
    QCOMPARE(colour(web), green);
    QCOMPARE(colour(mail), green);

    QTest::mouseMove(web, QPoint(5, 5));
    QCOMPARE(colour(web), QColor(Qt::white));
    QCOMPARE(colour(mail), green);
    QTest::mouseMove(&s.menu(), QPoint(5, 150));
    QCOMPARE(colour(web), green);

    // Left straight for a button, the label stays white until the background is crossed.
    QTest::mouseMove(mail, QPoint(5, 5));
    auto* herbs = control<SkinButton>(&s.menu(), "Command1");
    QTest::mouseMove(herbs, QPoint(5, 5));
    QCOMPARE(colour(mail), QColor(Qt::white));
    QTest::mouseMove(&s.menu(), QPoint(5, 150));
    QCOMPARE(colour(mail), green);

    QTest::mousePress(web, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(s.menu().cursor().shape(), Qt::UpArrowCursor);
    QTest::mouseRelease(web, Qt::LeftButton, {}, QPoint(500, 500)); // released off the link
    QCOMPARE(s.menu().cursor().shape(), Qt::ArrowCursor);
}

void TestMenu::linksOpenTheSiteAndTheMail()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    auto* web = control<QLabel>(&m_startup->menu(), "Label4");
    auto* mail = control<QLabel>(&m_startup->menu(), "Label5");
    QTest::mouseClick(web, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(mail, Qt::LeftButton, {}, QPoint(5, 5));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));

    QCOMPARE(catcher.urls.size(), 2);
    QCOMPARE(catcher.urls.at(0), QUrl(web->text()));
    QCOMPARE(catcher.urls.at(1),
             QUrl(QStringLiteral("mailto:%1?subject=Support").arg(mail->text())));
    QVERIFY(web->text().startsWith(QStringLiteral("https://")));
}

void TestMenu::sharedAccessKeyOnlyMovesTheFocus()
{
    // "H&elp" and "&Exit" share E: the key moves the focus between them and clicks nothing.
    tavirel::test::ModalRecorder recorder;
    Startup& s = *m_startup;
    s.menu().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.menu()));
    auto* help = control<SkinButton>(&s.menu(), "Command5");
    auto* exitButton = control<SkinButton>(&s.menu(), "Command6");
    QTest::keyClick(&s.menu(), Qt::Key_E, Qt::AltModifier);
    QVERIFY(help->hasFocus() || exitButton->hasFocus());
    QWidget* first = QApplication::focusWidget();
    QTest::keyClick(&s.menu(), Qt::Key_E, Qt::AltModifier);
    QVERIFY(help->hasFocus() || exitButton->hasFocus());
    QVERIFY(QApplication::focusWidget() != first);
    QTest::qWait(0);
    QVERIFY(s.menu().isVisible());
    QVERIFY(recorder.opened.isEmpty());

    // Enter then presses the button that has the focus.
    if (!help->hasFocus())
        QTest::keyClick(&s.menu(), Qt::Key_E, Qt::AltModifier);
    QVERIFY(help->hasFocus());
    QTest::keyClick(help, Qt::Key_Return);
    QCOMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened.first().name, QStringLiteral("HelpWindow"));
    QVERIFY(s.menu().isVisible());
}

void TestMenu::linksWorkFromTheKeyboard()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    Startup& s = *m_startup;
    s.menu().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.menu()));
    auto* web = control<QLabel>(&s.menu(), "Label4");
    auto* mail = control<QLabel>(&s.menu(), "Label5");
    // Tab from the last button reaches both links, in their order.
    control<SkinButton>(&s.menu(), "Command6")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), web);
    QTest::keyClick(web, Qt::Key_Return);
    QTest::keyClick(web, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), mail);
    QTest::keyClick(mail, Qt::Key_Space);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QCOMPARE(catcher.urls.size(), 2);
    QCOMPARE(catcher.urls.at(0), QUrl(web->text()));
    QVERIFY(catcher.urls.at(1).toString().startsWith(QStringLiteral("mailto:")));

    // The link with the focus shows a frame: its picture differs from the one without.
    const QImage focused = mail->grab().toImage();
    web->setFocus();
    QVERIFY(mail->grab().toImage() != focused);
}

void TestMenu::shownWindowIsCentredByItsFrame()
{
    bool centred = false;
    tavirel::test::ModalRecorder recorder([&](QDialog& window) {
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
    QTest::mouseClick(control<SkinButton>(&m_startup->menu(), "Command1"), Qt::LeftButton);
    QCOMPARE(recorder.opened.size(), 1);
    QVERIFY(centred);
}

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
