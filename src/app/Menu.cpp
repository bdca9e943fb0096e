#include "Menu.h"

#include "AppContext.h"
#include "LinkLabel.h"
#include "Links.h"
#include "MenuBackground.h"
#include "ModalOpener.h"
#include "button/SkinButton.h"
#include "button/WindowButtons.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace tavirel::app {

namespace {

const QColor linkColour(0xC0, 0xFF, 0xC0); // light green
const QColor linkHoverColour(Qt::white);

constexpr int menuWidth = 600;
constexpr int menuHeight = 400;
constexpr int buttonWidth = 150;
constexpr int buttonHeight = 30;

} // namespace

Menu::Menu(AppContext& context, MenuWindows windows, QWidget* parent)
    : QDialog(parent), m_context(context), m_windows(std::move(windows))
{
    setObjectName(QStringLiteral("Menu"));
    setWindowTitle(QStringLiteral("Tavirel 1.0"));
    setProperty("helpTopic", QStringLiteral("menu.html"));
    setFixedSize(menuWidth, menuHeight);
    setMouseTracking(true);

    const int left = menuWidth - buttonWidth - 36;
    int top = 112;
    using button::SkinButton;
    const auto place = [&](SkinButton* button) {
        button->setGeometry(left, top, buttonWidth, buttonHeight);
        top += buttonHeight + 10;
    };
    SkinButton* herbs = addButton(QStringLiteral("Command1"), QStringLiteral("&Herbs"));
    SkinButton* formulas = addButton(QStringLiteral("Command2"), QStringLiteral("&Formulas"));
    SkinButton* addHerb = addButton(QStringLiteral("Command4"), QStringLiteral("&Add Herb"));
    SkinButton* addFormulas =
        addButton(QStringLiteral("Command3"), QStringLiteral("A&dd Formulas"));
    SkinButton* help = addButton(QStringLiteral("Command5"), QStringLiteral("H&elp"));
    SkinButton* exitButton = addButton(QStringLiteral("Command6"), QStringLiteral("&Exit"));
    for (SkinButton* button : {herbs, formulas, addHerb, addFormulas, help, exitButton})
        place(button);

    connect(herbs, &SkinButton::Click, this, [this] { openWindow(m_windows.herbs); });
    connect(formulas, &SkinButton::Click, this, [this] { openWindow(m_windows.formulas); });
    connect(addHerb, &SkinButton::Click, this, [this] { openWindow(m_windows.addHerb); });
    connect(addFormulas, &SkinButton::Click, this, [this] { openWindow(m_windows.addFormulas); });
    connect(help, &SkinButton::Click, this, [this] {
        // The same path as the F1 key, so help opens however it is asked for.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(this, &press);
    });
    connect(exitButton, &SkinButton::Click, this, &QDialog::accept);

    m_webLink = addLink(QStringLiteral("Label4"), links::webSite);
    m_mailLink = addLink(QStringLiteral("Label5"), links::supportMail);
    m_webLink->setGeometry(28, 334, 260, 20);
    m_mailLink->setGeometry(28, 358, 260, 20);

    auto* build = new QLabel(QStringLiteral("Build 200707"), this);
    build->setObjectName(QStringLiteral("Label1"));
    QPalette palette = build->palette();
    palette.setColor(QPalette::WindowText, QColor(0xE8, 0xF0, 0xE0));
    build->setPalette(palette);
    build->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    build->setGeometry(menuWidth - 160, menuHeight - 30, 140, 20);
}

button::SkinButton* Menu::addButton(const QString& name, const QString& caption)
{
    // Style 3 on the menu's own blue colours, as the menu's saved layout holds them.
    button::SkinButton* button = button::makeMenuButton(this, name, caption);
    // A label left straight for a button keeps its hover colour until the pointer next
    // crosses the background, so moves over a button must not reach the window.
    button->setAttribute(Qt::WA_NoMousePropagation);
    return button;
}

QLabel* Menu::addLink(const QString& name, const QString& text)
{
    auto* label = new LinkLabel(text, this);
    label->setObjectName(name);
    connect(label, &LinkLabel::activated, this, [this, label] { openLink(label); });
    label->setMouseTracking(true);
    label->installEventFilter(this);
    setLinkColour(label, linkColour);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    return label;
}

void Menu::setLinkColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void Menu::openWindow(const WindowFactory& factory)
{
    if (factory)
        ModalOpener::open(factory(this));
}

void Menu::loadExtras()
{
    if (m_windows.extras)
        m_windows.extras(*this);
}

void Menu::openLink(QLabel* label)
{
    const QUrl url =
        label == m_webLink
            ? QUrl(links::webSite)
            : QUrl(QStringLiteral("mailto:%1?subject=Support").arg(links::supportMail));
    QDesktopServices::openUrl(url); // a failure to open is not reported
}

bool Menu::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    if (label && (label == m_webLink || label == m_mailLink)) {
        switch (event->type()) {
        case QEvent::MouseMove:
            setLinkColour(label, linkHoverColour);
            return true;
        case QEvent::MouseButtonPress:
            setCursor(Qt::UpArrowCursor);
            return true;
        case QEvent::MouseButtonRelease: {
            unsetCursor();
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                label->rect().contains(mouse->position().toPoint()))
                openLink(label);
            return true;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Menu::mouseMoveEvent(QMouseEvent* event)
{
    setLinkColour(m_webLink, linkColour);
    setLinkColour(m_mailLink, linkColour);
    QDialog::mouseMoveEvent(event);
}

void Menu::keyPressEvent(QKeyEvent* event)
{
    // The menu is the program's main window: a stray Escape must not end the program.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Menu::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintMenuBackground(painter, rect());
}

} // namespace tavirel::app
