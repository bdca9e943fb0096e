#pragma once

#include "ButtonRecord.h"
#include "ButtonSettings.h"

#include <QWidget>

class QTimer;

namespace tavirel::button {

// The program's own owner-drawn push button. To a window it is a button with a caption that
// raises Click; it paints itself in one of fifteen styles into a persistent image that is only
// redrawn when its state, caption or settings change, and follows the pointer with a short
// hover poll that runs only while the pointer is over it.
//
// Colours are &HBBGGRR values (see Color.h); a value with the high bit set names a system
// colour. Event arguments follow the program's conventions: Button 1 left, 2 right, 4 middle;
// Shift 1 Shift, 2 Ctrl, 4 Alt; X and Y in the window's pixels; key codes from InputCodes.h.
class SkinButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption USER true)
    Q_PROPERTY(bool value READ value WRITE setValue)

public:
    explicit SkinButton(QWidget* parent = nullptr, const QString& displayName = QString());
    ~SkinButton() override;

    Rgb backColor() const { return m_rec.backColor; }
    void setBackColor(Rgb colour);
    Rgb backOver() const { return m_rec.backOver; }
    void setBackOver(Rgb colour);
    Rgb foreColor() const { return m_rec.foreColor; }
    void setForeColor(Rgb colour);
    Rgb foreOver() const { return m_rec.foreOver; }
    void setForeOver(Rgb colour);
    Rgb maskColor() const { return m_rec.maskColor; }
    void setMaskColor(Rgb colour);
    int buttonType() const { return m_rec.buttonType; }
    void setButtonType(int type);
    QString caption() const { return m_rec.caption; }
    void setCaption(const QString& caption);
    // Enabled is the widget's own: setEnabled(false) draws the disabled face and stops input.
    bool fontBold() const { return font().bold(); }
    void setFontBold(bool bold);
    bool fontItalic() const { return font().italic(); }
    void setFontItalic(bool italic);
    bool fontUnderline() const { return font().underline(); }
    void setFontUnderline(bool underline);
    qint16 fontSize() const; // rounded to whole points
    void setFontSize(qint16 points);
    QString fontName() const { return font().family(); }
    void setFontName(const QString& family);
    int colorScheme() const { return m_rec.colorScheme; }
    void setColorScheme(int scheme);
    bool showFocusRect() const { return m_rec.showFocusRect; }
    void setShowFocusRect(bool show);
    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    QImage mouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QImage& icon);
    bool handPointer() const { return m_rec.handPointer; }
    void setHandPointer(bool hand);
    // Qt child widgets have no window handle of their own; the widget's address names it.
    quintptr hWnd() const { return reinterpret_cast<quintptr>(this); }
    bool softBevel() const { return m_rec.softBevel; }
    void setSoftBevel(bool soft);
    QImage pictureNormal() const { return m_rec.pictureNormal; }
    void setPictureNormal(const QImage& picture);
    QImage pictureOver() const { return m_rec.pictureOver; }
    void setPictureOver(const QImage& picture);
    int picturePosition() const { return m_rec.picturePosition; }
    void setPicturePosition(int position);
    bool useMaskColor() const { return m_rec.useMaskColor; }
    void setUseMaskColor(bool use);
    bool useGreyscale() const { return m_rec.useGreyscale; }
    void setUseGreyscale(bool use);
    int specialEffect() const { return m_rec.specialEffect; }
    void setSpecialEffect(int effect);
    bool checkBoxBehaviour() const { return m_rec.checkBoxBehaviour; }
    void setCheckBoxBehaviour(bool toggles);
    bool value() const { return m_rec.value; }
    void setValue(bool checked);
    QString Version() const { return QStringLiteral("1.0.0"); }

    // Stops painting until Refresh (or the next show).
    void DisableRefresh();
    // Rebuilds palette and layout and paints again.
    void Refresh();

    // What the container tells the button: whether it shows it as its default button, and
    // whether the window is being designed rather than run.
    bool displayAsDefault() const { return m_rec.displayAsDefault; }
    void setDisplayAsDefault(bool isDefault);
    bool designMode() const { return m_designMode; }
    void setDesignMode(bool design) { m_designMode = design; }

    // Applying a saved layout paints nothing; the next show does. Writing gives every setting.
    void ReadProperties(const ButtonSettings& settings);
    ButtonSettings WriteProperties() const;

    // The state the button paints from, and the persistent image it painted last.
    const ButtonRecord& record() const { return m_rec; }
    const QImage& image() const { return m_rec.surface; }
    bool isOver() const { return m_rec.isOver; }
    QChar accessKey() const { return m_accessKey; }
    // Clicks as the access key does (needs Enabled); the screen reader's press action.
    void click();

Q_SIGNALS:
    void Click();
    void MouseDown(int button, int shift, qreal x, qreal y);
    void MouseMove(int button, int shift, qreal x, qreal y);
    void MouseUp(int button, int shift, qreal x, qreal y);
    void KeyPress(int& keyAscii);
    void KeyDown(int& keyCode, int shift);
    void KeyUp(int& keyCode, int shift);
    void MouseOver();
    void MouseOut();
    // A setting changed, so a saved layout holding this button is out of date.
    void propertyChanged(const QString& name);

public:
    // Laid out like a standard push button: at least 75 x 23 pixels, wide enough for the caption.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void initProperties(const QString& displayName);
    void Redraw(int state, bool force);
    void redrawLast() { Redraw(m_rec.lastState, true); }
    void SetColors();
    void SetAccessKeys();
    bool IsMouseOver() const;
    void CaptureBackground();
    void resizeStep();
    void updateShape();
    void press(int button, int shift, QPointF position);
    void clickHandling();
    void overTimerTick();
    void applyPointer();
    void changeFont(const QFont& font);

    ButtonRecord m_rec;
    QTimer* m_overTimer = nullptr;
    int m_shortcutId = 0;
    QChar m_accessKey;
    bool m_designMode = false;
    bool m_reading = false;     // a saved layout is being applied: nothing paints
    bool m_fontPart = false;    // one font sub-property is being set: not reported
    bool m_pressedHere = false; // a left press on the button waits for its release
    int m_mousePointer = 0;
    QImage m_mouseIcon;
};

} // namespace tavirel::button
