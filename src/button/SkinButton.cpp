#include "SkinButton.h"

#include <QFontMetrics>

#include "CaptionLayout.h"
#include "InputCodes.h"
#include "SkinButtonAccessible.h"
#include "Styles.h"
#include "Surface.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>

// The widget: its persistent image and shape, and the state machine driven by the mouse, the
// keys, the focus and the hover poll.
namespace tavirel::button {

namespace {

constexpr int overTimerInterval = 3; // ms; runs only while the pointer is over the button

QImage blankSurface(int width, int height, int dpi)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    // Text drawn into the image must come out at the size it was measured at on screen.
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::black);
    return image;
}

} // namespace

SkinButton::SkinButton(QWidget* parent, const QString& displayName) : QWidget(parent)
{
    m_rec.redrawEnabled = true;
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // moves without a held button start the hover
    m_overTimer = new QTimer(this);
    m_overTimer->setObjectName(QStringLiteral("OverTimer"));
    m_overTimer->setInterval(overTimerInterval);
    m_overTimer->setTimerType(Qt::PreciseTimer);
    connect(m_overTimer, &QTimer::timeout, this, &SkinButton::overTimerTick);
    initProperties(displayName);
    installSkinButtonAccessibility();
}

SkinButton::~SkinButton()
{
    m_rec.redrawEnabled = false;
}

void SkinButton::initProperties(const QString& displayName)
{
    m_rec.enabled = m_rec.showFocusRect = m_rec.useMaskColor = true;
    m_rec.caption = displayName;
    m_rec.font = font(); // the container's font, inherited
    m_rec.buttonType = 2;
    m_rec.colorScheme = schemeSystem;
    SetColors();
    m_rec.backColor = m_rec.backOver = m_rec.palette.face;
    m_rec.maskColor = 0xC0C0C0;
    m_rec.foreColor = m_rec.foreOver = m_rec.palette.text;
    CalcCaptionRect(m_rec);
}

// --- painting ---------------------------------------------------------------------------

void SkinButton::SetColors()
{
    ColorSettings settings = m_rec.colorSettings();
    const QWidget* container = parentWidget();
    const QPalette& outside = container ? container->palette() : palette();
    settings.containerBack =
        fromQColor(outside.color(container ? container->backgroundRole() : QPalette::Window));
    settings.containerText =
        fromQColor(outside.color(container ? container->foregroundRole() : QPalette::WindowText));
    m_rec.palette = button::SetColors(settings, palette());
}

void SkinButton::Redraw(int state, bool force)
{
    ButtonRecord& b = m_rec;
    if (b.checkBoxBehaviour && b.value)
        state = statePressed; // a checked toggle always looks pressed
    if (!force && b.caption == b.lastCaption && state == b.lastState)
        return;
    if (b.height == 0 || !b.redrawEnabled || b.surface.isNull())
        return;
    b.lastState = quint8(state);
    b.lastCaption = b.caption;

    // A custom-scheme button hovers in the whole palette derived from BackOver.
    const bool swapped = b.isOver && b.colorScheme == schemeCustom;
    const Rgb savedBack = b.backColor;
    if (swapped) {
        b.backColor = b.backOver;
        SetColors();
    }
    Surface surface(b.surface);
    paintFace(b, surface, state);
    if (swapped) {
        b.backColor = savedBack;
        SetColors();
    }
    update();
}

void SkinButton::paintEvent(QPaintEvent*)
{
    // Only the persistent image is shown; while the background is captured, nothing.
    if (m_rec.isCapturing || m_rec.surface.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_rec.surface);
    // The dotted frame of the face can vanish on mid-tone colours; a light and a dark line
    // over it show the focus on any face.
    if (m_rec.hasFocus && m_rec.showFocusRect && isEnabled()) {
        const Rect& f = m_rec.focusRect;
        const QRect ring = QRect(QPoint(f.left, f.top), QPoint(f.right - 1, f.bottom - 1));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(ring.adjusted(-1, -1, 1, 1));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(ring);
    }
}

void SkinButton::resizeStep()
{
    if (m_rec.isCapturing)
        return;
    m_rec.width = width();
    m_rec.height = height();
    if (m_rec.surface.size() != size())
        m_rec.surface = blankSurface(width(), height(), logicalDpiY());
    updateShape();
    CalcCaptionRect(m_rec);
    if (m_rec.height != 0)
        Redraw(stateNormal, true);
}

void SkinButton::updateShape()
{
    const int w = m_rec.width;
    const int h = m_rec.height;
    const int type = m_rec.buttonType;
    Rect focus{0, 0, w, h};
    if (type >= 7 && type <= 13)
        focus = {3, 3, w - 3, h - 3};
    else if (type == 14)
        focus = Rect{5, 5, w - 5, h - 5}.moved(1, 1);
    else
        focus = {4, 4, w - 4, h - 4};
    m_rec.focusRect = focus;
    m_rec.region = MakeRegion(type, w, h);
    setMask(m_rec.region);
}

QSize SkinButton::sizeHint() const
{
    QString text = m_rec.caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
    text.replace(QChar(1), QLatin1Char('&'));
    const QFontMetrics metrics(font());
    return QSize(qMax(75, metrics.horizontalAdvance(text) + 24), qMax(23, metrics.height() + 10));
}

void SkinButton::resizeEvent(QResizeEvent*)
{
    resizeStep();
}

void SkinButton::CaptureBackground()
{
    QWidget* container = parentWidget();
    if (!container || width() <= 0 || height() <= 0)
        return;
    // The button paints nothing while capturing, so the container renders what lies behind it.
    m_rec.isCapturing = true;
    QImage captured = blankSurface(width(), height(), logicalDpiY());
    {
        QPainter painter(&captured);
        container->render(&painter, QPoint(), QRegion(geometry()),
                          QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    m_rec.captured = captured;
    m_rec.isCapturing = false;
}

void SkinButton::showEvent(QShowEvent*)
{
    if (m_rec.buttonType == 11 && m_rec.captured.isNull())
        CaptureBackground();
    m_rec.redrawEnabled = true;
    SetColors();
    Redraw(stateNormal, true);
}

void SkinButton::hideEvent(QHideEvent*)
{
    m_rec.redrawEnabled = false;
}

void SkinButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        // Only the button's own setting counts; a disabled window around it blocks input alone.
        m_rec.enabled = !testAttribute(Qt::WA_ForceDisabled);
        if (!m_reading) {
            Redraw(stateNormal, true);
            emit propertyChanged(QStringLiteral("Enabled"));
        }
        break;
    case QEvent::FontChange:
        m_rec.font = font();
        if (!m_reading) {
            CalcCaptionRect(m_rec);
            Redraw(stateNormal, true);
            if (!m_fontPart)
                emit propertyChanged(QStringLiteral("Font"));
        }
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        if (m_rec.colorScheme != schemeCustom) {
            SetColors();
            redrawLast();
        }
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

// --- interaction ------------------------------------------------------------------------

void SkinButton::SetAccessKeys()
{
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    m_accessKey = accessKeyOf(m_rec.caption);
    if (m_accessKey.isNull())
        return;
    const auto key = Qt::Key(m_accessKey.toUpper().unicode());
    m_shortcutId = grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, key)));
}

bool SkinButton::IsMouseOver() const
{
    // Over exactly when the pointer's topmost widget is this one: a child or another window
    // covering the button, or a corner cut off its shape, counts as not over.
    return QApplication::widgetAt(QCursor::pos()) == this;
}

bool SkinButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId) {
        // A key that several controls share only moves the focus, one control per press, as
        // a standard push button does; clicking on it could end the program by surprise.
        if (static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            setFocus(Qt::ShortcutFocusReason);
            return true;
        }
        click();
        return true;
    }
    return QWidget::event(event);
}

void SkinButton::press(int button, int shift, QPointF position)
{
    emit MouseDown(button, shift, position.x(), position.y());
    m_rec.lastButton = quint8(button);
    if (button != 2)
        Redraw(statePressed, false);
}

void SkinButton::mousePressEvent(QMouseEvent* event)
{
    const int button = mouseButtonCode(event->button());
    m_pressedHere = button == 1;
    press(button, shiftMask(event->modifiers()), event->position());
}

void SkinButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_rec.lastButton != 1) {
        mousePressEvent(event);
        return;
    }
    // The second press of a double click: pressed face and MouseDown at (0, 0) without
    // modifiers, but its release gives no second Click. The toolkit keeps the pointer captured
    // until that release.
    m_pressedHere = false;
    press(1, 0, QPointF(0, 0));
}

void SkinButton::mouseMoveEvent(QMouseEvent* event)
{
    const int buttons = mouseButtonMask(event->buttons());
    emit MouseMove(buttons, shiftMask(event->modifiers()), event->position().x(),
                   event->position().y());
    if (buttons != 0 && buttons != 1)
        return;
    if (!IsMouseOver()) {
        Redraw(stateNormal, false); // leaving while held shows the normal face
        return;
    }
    if (buttons == 0) {
        if (!m_rec.isOver) {
            m_overTimer->start();
            m_rec.isOver = true;
            Redraw(stateNormal, true);
            emit MouseOver();
        }
        return;
    }
    // Held inside: the pressed face in the hover palette; after the release the face is the
    // plain one until the next move starts hovering.
    m_rec.isOver = true;
    Redraw(statePressed, false);
    m_rec.isOver = false;
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    const int button = mouseButtonCode(event->button());
    emit MouseUp(button, shiftMask(event->modifiers()), event->position().x(),
                 event->position().y());
    if (button != 2)
        Redraw(stateNormal, false);
    if (button != 1)
        return;
    const bool pressedHere = m_pressedHere;
    m_pressedHere = false;
    const QPoint at = event->position().toPoint();
    const bool inside =
        rect().contains(at) && (m_rec.region.isEmpty() || m_rec.region.contains(at));
    if (pressedHere && inside)
        clickHandling();
}

void SkinButton::click()
{
    m_rec.lastButton = 1;
    clickHandling();
}

void SkinButton::clickHandling()
{
    if (m_rec.lastButton != 1 || !m_rec.enabled)
        return;
    if (m_rec.checkBoxBehaviour)
        m_rec.value = !m_rec.value;
    Redraw(stateNormal, true);
    repaint(); // the new face is on screen before Click's handler runs
    emit Click();
}

void SkinButton::overTimerTick()
{
    if (IsMouseOver())
        return;
    m_overTimer->stop();
    m_rec.isOver = false;
    Redraw(stateNormal, true);
    emit MouseOut();
}

void SkinButton::keyPressEvent(QKeyEvent* event)
{
    int keyCode = virtualKeyCode(*event);
    emit KeyDown(keyCode, shiftMask(event->modifiers()));
    m_rec.lastKey = quint8(keyCode);
    bool handled = true;
    switch (keyCode) {
    case keySpace:
        Redraw(statePressed, false);
        break;
    case keyEnter:
        // Enter presses the focused button, so every button works from the keyboard alone.
        if (!event->isAutoRepeat())
            click();
        break;
    case keyLeft:
    case keyUp:
        focusNextPrevChild(false);
        break;
    case keyRight:
    case keyDown:
        focusNextPrevChild(true);
        break;
    default:
        handled = false;
        break;
    }
    if (!event->text().isEmpty()) {
        int keyAscii = event->text().at(0).unicode();
        emit KeyPress(keyAscii);
    }
    // Other keys (Escape among them) are left to the window.
    if (!handled)
        event->ignore();
}

void SkinButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        event->ignore(); // a held key is released once, at the end
        return;
    }
    int keyCode = virtualKeyCode(*event);
    emit KeyUp(keyCode, shiftMask(event->modifiers()));
    if (keyCode != keySpace || m_rec.lastKey != keySpace) {
        event->ignore();
        return;
    }
    if (m_rec.checkBoxBehaviour)
        m_rec.value = !m_rec.value;
    Redraw(stateNormal, false);
    repaint();
    emit Click();
}

void SkinButton::focusInEvent(QFocusEvent*)
{
    m_rec.hasFocus = true;
    redrawLast();
}

void SkinButton::focusOutEvent(QFocusEvent*)
{
    m_rec.hasFocus = false;
    redrawLast();
}

} // namespace tavirel::button
