// What a screen reader learns of the program's own controls, read through Qt's accessibility
// interfaces as an assistive technology reads them.
#include "Windows.h"
#include "app/MessageBox.h"
#include "app/Startup.h"
#include "button/SkinButton.h"
#include "editors/AddFormulaWindow.h"
#include "herbs/HerbWindow.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>

using tavirel::app::MessageBox;
using tavirel::app::Startup;
using tavirel::button::SkinButton;
using tavirel::test::control;

// Receives the addresses the menu's links ask the desktop to open.
class LinkCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

namespace {

QAccessibleInterface* accessible(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    if (!iface)
        qWarning("no accessible interface for %s", qPrintable(widget->objectName()));
    return iface;
}

// Every owner-drawn button of a window, by the name a screen reader speaks.
QStringList spokenButtonNames(QWidget* window)
{
    QStringList names;
    for (SkinButton* button : window->findChildren<SkinButton*>()) {
        QAccessibleInterface* iface = accessible(button);
        if (iface && iface->role() == QAccessible::Button)
            names << iface->text(QAccessible::Name);
    }
    names.sort();
    return names;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void menuButtonsArePushButtons_data();
    void menuButtonsArePushButtons();
    void buttonStatesFollowTheControl();
    void linksAreLinks();
    void herbWindowNamesItsButtonsAndHeadings();
    void addFormulaWindowNamesItsButtons();

private:
    std::unique_ptr<tavirel::test::ProgramFolder> m_folder;
    std::unique_ptr<Startup> m_startup;
};

void TestAccessibility::init()
{
    MessageBox::setTestMode(true);
    m_folder = std::make_unique<tavirel::test::ProgramFolder>();
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->errors()));
    m_startup = std::make_unique<Startup>(m_folder->path(), tavirel::programWindows);
    QCOMPARE(m_startup->load(), std::nullopt);
    m_startup->menu().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_startup->menu()));
}

void TestAccessibility::cleanup()
{
    m_startup.reset();
    m_folder.reset();
}

void TestAccessibility::menuButtonsArePushButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QString>("opens");
    QTest::newRow("herbs") << "Command1"
                           << "Herbs"
                           << "Alt+H"
                           << "start";
    QTest::newRow("formulas") << "Command2"
                              << "Formulas"
                              << "Alt+F"
                              << "Pres";
    QTest::newRow("add herb") << "Command4"
                              << "Add Herb"
                              << "Alt+A"
                              << "addHerb";
    QTest::newRow("add formulas") << "Command3"
                                  << "Add Formulas"
                                  << "Alt+D"
                                  << "addPres";
    QTest::newRow("help") << "Command5"
                          << "Help"
                          << "Alt+E"
                          << "HelpWindow";
}

void TestAccessibility::menuButtonsArePushButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, name);
    QFETCH(QString, shortcut);
    QFETCH(QString, opens);
    QAccessibleInterface* iface = accessible(control<SkinButton>(&m_startup->menu(), button));
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Accelerator), shortcut);
    QAccessibleActionInterface* actions = iface->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames(), QStringList({QAccessibleActionInterface::pressAction()}));
    QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
             QStringList({shortcut}));

    // The press action clicks the button: its window opens.
    tavirel::test::ModalRecorder recorder;
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened.first().name, opens);
}

void TestAccessibility::buttonStatesFollowTheControl()
{
    auto* herbs = control<SkinButton>(&m_startup->menu(), "Command1");
    QAccessibleInterface* iface = accessible(herbs);
    QVERIFY(iface->state().focusable);
    m_startup->menu().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_startup->menu()));
    herbs->setFocus();
    QVERIFY(iface->state().focused);

    QTest::mousePress(herbs, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(iface->state().pressed);
    QTest::mouseRelease(herbs, Qt::LeftButton, {}, QPoint(500, 500)); // released outside
    QVERIFY(!iface->state().pressed);

    herbs->setEnabled(false);
    QVERIFY(iface->state().disabled);
    QVERIFY(iface->actionInterface()->actionNames().isEmpty());
    tavirel::test::ModalRecorder recorder;
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    QVERIFY(recorder.opened.isEmpty());

    // A caption with a doubled ampersand speaks one ampersand.
    SkinButton plain(nullptr, QStringLiteral("Salt && &Pepper"));
    QCOMPARE(accessible(&plain)->text(QAccessible::Name), QStringLiteral("Salt & Pepper"));
}

void TestAccessibility::linksAreLinks()
{
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    for (const char* name : {"Label4", "Label5"}) {
        auto* link = control<QLabel>(&m_startup->menu(), name);
        QAccessibleInterface* iface = accessible(link);
        QCOMPARE(iface->role(), QAccessible::Link);
        QCOMPARE(iface->text(QAccessible::Name), link->text());
        QVERIFY(iface->state().focusable);
        QVERIFY(iface->actionInterface());
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QCOMPARE(catcher.urls.size(), 2);
    QCOMPARE(catcher.urls.at(1).scheme(), QStringLiteral("mailto"));
}

void TestAccessibility::herbWindowNamesItsButtonsAndHeadings()
{
    tavirel::herbs::HerbWindow window(m_startup->context());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(spokenButtonNames(&window),
             QStringList({"Delete", "Exit", "Exit", "Exit", "Exit", "Go", "Graphic", "Latin"}));

    tavirel::test::doubleClick(control<QListWidget>(&window, "List1"), QStringLiteral("Ma Huang"));
    QCOMPARE(control<QTabWidget>(&window, "SSTab1")->currentIndex(), 1);
    QAccessibleInterface* pinyin = accessible(control<QLabel>(&window, "Label14"));
    QAccessibleInterface* latin = accessible(control<QLabel>(&window, "Label1"));
    QCOMPARE(pinyin->text(QAccessible::Name), QStringLiteral("Ma Huang"));
    QCOMPARE(latin->text(QAccessible::Name), QStringLiteral("Herba Ephedrae"));
    QCOMPARE(pinyin->text(QAccessible::Description), QStringLiteral("Pinyin name"));
    // Each box is named by the caption beside it.
    QCOMPARE(accessible(control<QWidget>(&window, "Text6"))->text(QAccessible::Name),
             QStringLiteral("Meridians"));
}

void TestAccessibility::addFormulaWindowNamesItsButtons()
{
    tavirel::editors::AddFormulaWindow window(m_startup->context());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(spokenButtonNames(&window), QStringList({"Add -->", "Delete", "Exit", "Save"}));
    for (SkinButton* button : window.findChildren<SkinButton*>())
        QVERIFY(accessible(button)->actionInterface());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
