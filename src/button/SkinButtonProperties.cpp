#include "SkinButton.h"

#include <QAccessible>

#include "CaptionLayout.h"
#include "InputCodes.h"

#include <QCursor>
#include <QPixmap>

// The button's settings: every setter stores, recomputes what depends on the setting and
// repaints; reading a saved layout applies all settings at once and paints nothing.
namespace tavirel::button {

void SkinButton::setBackColor(Rgb colour)
{
    m_rec.backColor = colour;
    if (m_designMode)
        m_rec.backOver = colour;
    SetColors();
    redrawLast();
    emit propertyChanged(QStringLiteral("BackColor"));
}

void SkinButton::setBackOver(Rgb colour)
{
    m_rec.backOver = colour;
    SetColors();
    redrawLast();
    emit propertyChanged(QStringLiteral("BackOver"));
}

void SkinButton::setForeColor(Rgb colour)
{
    m_rec.foreColor = colour;
    if (m_designMode)
        m_rec.foreOver = colour;
    SetColors();
    redrawLast();
    emit propertyChanged(QStringLiteral("ForeColor"));
}

void SkinButton::setForeOver(Rgb colour)
{
    m_rec.foreOver = colour;
    SetColors();
    redrawLast();
    emit propertyChanged(QStringLiteral("ForeOver"));
}

void SkinButton::setMaskColor(Rgb colour)
{
    m_rec.maskColor = colour;
    SetColors();
    redrawLast();
    emit propertyChanged(QStringLiteral("MaskColor"));
}

void SkinButton::setButtonType(int type)
{
    m_rec.buttonType = type;
    if (m_designMode) {
        if (type == 5)
            setFontBold(true);
    } else if (type == 11 && m_rec.redrawEnabled) {
        CaptureBackground();
    }
    // The style 3 base colour depends on the style, so the palette follows it.
    SetColors();
    resizeStep();
    emit propertyChanged(QStringLiteral("ButtonType"));
}

void SkinButton::setCaption(const QString& caption)
{
    m_rec.caption = caption;
    SetAccessKeys();
    CalcCaptionRect(m_rec);
    Redraw(stateNormal, true);
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
    emit propertyChanged(QStringLiteral("Caption"));
}

void SkinButton::changeFont(const QFont& changed)
{
    m_fontPart = true;
    setFont(changed); // the font change event lays out and paints
    m_fontPart = false;
}

void SkinButton::setFontBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    changeFont(f);
}

void SkinButton::setFontItalic(bool italic)
{
    QFont f = font();
    f.setItalic(italic);
    changeFont(f);
}

void SkinButton::setFontUnderline(bool underline)
{
    QFont f = font();
    f.setUnderline(underline);
    changeFont(f);
}

qint16 SkinButton::fontSize() const
{
    return qint16(roundHalfEven(font().pointSizeF()));
}

void SkinButton::setFontSize(qint16 points)
{
    QFont f = font();
    f.setPointSizeF(points);
    changeFont(f);
}

void SkinButton::setFontName(const QString& family)
{
    QFont f = font();
    f.setFamily(family);
    changeFont(f);
}

void SkinButton::setColorScheme(int scheme)
{
    m_rec.colorScheme = scheme;
    SetColors();
    Redraw(stateNormal, true);
    emit propertyChanged(QStringLiteral("ColorScheme"));
}

void SkinButton::setShowFocusRect(bool show)
{
    m_rec.showFocusRect = show;
    redrawLast();
    emit propertyChanged(QStringLiteral("ShowFocusRect"));
}

void SkinButton::setMousePointer(int pointer)
{
    m_mousePointer = qint16(pointer);
    applyPointer();
    emit propertyChanged(QStringLiteral("MousePointer"));
}

void SkinButton::setMouseIcon(const QImage& icon)
{
    m_mouseIcon = icon; // an icon the pointer cannot use is simply not shown
    applyPointer();
    emit propertyChanged(QStringLiteral("MouseIcon"));
}

void SkinButton::setHandPointer(bool hand)
{
    m_rec.handPointer = hand;
    m_mouseIcon = QImage();
    m_mousePointer = hand ? 99 : 1;
    applyPointer();
    emit propertyChanged(QStringLiteral("HandPointer"));
}

void SkinButton::applyPointer()
{
    if (m_mousePointer == 0) {
        unsetCursor();
    } else if (m_mousePointer == 99) {
        if (m_rec.handPointer)
            setCursor(Qt::PointingHandCursor);
        else if (!m_mouseIcon.isNull())
            setCursor(QCursor(QPixmap::fromImage(m_mouseIcon)));
        else
            unsetCursor();
    } else {
        setCursor(pointerShape(m_mousePointer));
    }
}

void SkinButton::setSoftBevel(bool soft)
{
    m_rec.softBevel = soft;
    SetColors();
    redrawLast();
    emit propertyChanged(QStringLiteral("SoftBevel"));
}

void SkinButton::setPictureNormal(const QImage& picture)
{
    m_rec.pictureNormal = picture;
    GetPictureSize(m_rec);
    CalcCaptionRect(m_rec);
    redrawLast();
    emit propertyChanged(QStringLiteral("PictureNormal"));
}

void SkinButton::setPictureOver(const QImage& picture)
{
    m_rec.pictureOver = picture;
    if (m_rec.isOver)
        redrawLast();
    emit propertyChanged(QStringLiteral("PictureOver"));
}

void SkinButton::setPicturePosition(int position)
{
    m_rec.picturePosition = position;
    CalcCaptionRect(m_rec);
    redrawLast();
    emit propertyChanged(QStringLiteral("PicturePosition"));
}

void SkinButton::setUseMaskColor(bool use)
{
    m_rec.useMaskColor = use;
    if (!m_rec.pictureNormal.isNull())
        redrawLast();
    emit propertyChanged(QStringLiteral("UseMaskColor"));
}

void SkinButton::setUseGreyscale(bool use)
{
    m_rec.useGreyscale = use;
    if (!m_rec.pictureNormal.isNull())
        redrawLast();
    emit propertyChanged(QStringLiteral("UseGreyscale"));
}

void SkinButton::setSpecialEffect(int effect)
{
    m_rec.specialEffect = effect;
    redrawLast();
    emit propertyChanged(QStringLiteral("SpecialEffect"));
}

void SkinButton::setCheckBoxBehaviour(bool toggles)
{
    m_rec.checkBoxBehaviour = toggles;
    redrawLast();
    emit propertyChanged(QStringLiteral("CheckBoxBehaviour"));
}

void SkinButton::setValue(bool checked)
{
    m_rec.value = checked;
    if (m_rec.checkBoxBehaviour)
        Redraw(stateNormal, true);
    emit propertyChanged(QStringLiteral("Value"));
}

void SkinButton::setDisplayAsDefault(bool isDefault)
{
    if (m_rec.displayAsDefault == isDefault)
        return;
    m_rec.displayAsDefault = isDefault;
    if (m_rec.colorScheme != schemeCustom)
        SetColors();
    redrawLast();
}

void SkinButton::DisableRefresh()
{
    m_rec.redrawEnabled = false;
}

void SkinButton::Refresh()
{
    if (m_rec.buttonType == 11)
        CaptureBackground();
    SetColors();
    CalcCaptionRect(m_rec);
    m_rec.redrawEnabled = true;
    redrawLast();
}

// --- saved layouts ----------------------------------------------------------------------

void SkinButton::ReadProperties(const ButtonSettings& s)
{
    m_reading = true;
    m_rec.buttonType = s.buttonType;
    m_rec.caption = s.caption;
    m_rec.enabled = s.enabled;
    setFont(s.font);
    m_rec.font = font();
    m_rec.colorScheme = s.colorScheme;
    m_rec.showFocusRect = s.showFocusRect;
    m_rec.backColor = s.backColor;
    m_rec.backOver = s.backOver;
    m_rec.foreColor = s.foreColor;
    m_rec.foreOver = s.foreOver;
    m_rec.maskColor = s.maskColor;
    m_mousePointer = s.mousePointer;
    applyPointer();
    m_mouseIcon = s.mouseIcon;
    applyPointer();
    m_rec.pictureNormal = s.pictureNormal;
    m_rec.pictureOver = s.pictureOver;
    m_rec.useMaskColor = s.useMaskColor;
    m_rec.softBevel = s.softBevel;
    m_rec.picturePosition = s.picturePosition;
    m_rec.useGreyscale = s.useGreyscale;
    m_rec.specialEffect = s.specialEffect;
    // The hand pointer goes through its setter last, so it decides the pointer.
    m_rec.handPointer = s.handPointer;
    m_mouseIcon = QImage();
    m_mousePointer = s.handPointer ? 99 : 1;
    applyPointer();
    m_rec.checkBoxBehaviour = s.checkBoxBehaviour;
    m_rec.value = s.value;

    setEnabled(m_rec.enabled);
    GetPictureSize(m_rec);
    // A button that already has its size takes the shape of the style just read.
    if (m_rec.width > 0 && m_rec.height > 0)
        updateShape();
    CalcCaptionRect(m_rec);
    SetAccessKeys();
    m_reading = false;
}

ButtonSettings SkinButton::WriteProperties() const
{
    ButtonSettings s;
    s.buttonType = m_rec.buttonType;
    s.caption = m_rec.caption;
    s.enabled = m_rec.enabled;
    s.font = font();
    s.colorScheme = m_rec.colorScheme;
    s.showFocusRect = m_rec.showFocusRect;
    s.backColor = m_rec.backColor;
    s.backOver = m_rec.backOver;
    s.foreColor = m_rec.foreColor;
    s.foreOver = m_rec.foreOver;
    s.maskColor = m_rec.maskColor;
    s.mousePointer = qint16(m_mousePointer);
    s.mouseIcon = m_mouseIcon;
    s.pictureNormal = m_rec.pictureNormal;
    s.pictureOver = m_rec.pictureOver;
    s.useMaskColor = m_rec.useMaskColor;
    s.softBevel = m_rec.softBevel;
    s.picturePosition = m_rec.picturePosition;
    s.useGreyscale = m_rec.useGreyscale;
    s.specialEffect = m_rec.specialEffect;
    s.handPointer = m_rec.handPointer;
    s.checkBoxBehaviour = m_rec.checkBoxBehaviour;
    s.value = m_rec.value;
    return s;
}

} // namespace tavirel::button
