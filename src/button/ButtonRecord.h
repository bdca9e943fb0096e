#pragma once

#include "Palette.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

namespace tavirel::button {

// A rectangle as the layout computes it: right and bottom are exclusive edges.
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    Rect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    bool operator==(const Rect&) const = default;
};

// Visual states handed to Redraw.
enum VisualState : quint8 { stateNormal = 0, statePressed = 2 };

// Everything one button knows, in one place: settings, derived palette, layout and the state of
// the last paint. The widget owns one; the layout and painting routines work on it.
struct ButtonRecord
{
    int buttonType = 2;
    int colorScheme = schemeSystem;
    int picturePosition = 0;
    int specialEffect = 0;
    int height = 0;
    int width = 0;

    Rgb backColor = 0;
    Rgb backOver = 0;
    Rgb foreColor = 0;
    Rgb foreOver = 0;
    Rgb maskColor = 0xC0C0C0;

    bool useMaskColor = true;
    bool useGreyscale = false;
    bool handPointer = false;

    QImage pictureNormal; // null when no picture is set
    QImage pictureOver;
    QImage captured; // the container's pixels behind a style 11 button; null until first shown

    QString caption;
    Rect captionRect;
    Rect textRect;
    Rect focusRect;
    int captionWidth = 0;
    int captionHeight = 0;
    int wrapWidth = 1; // the width the caption was wrapped at when measured
    int pictureX = 0;
    int pictureY = 0;
    int pictureWidth = 0;
    int pictureHeight = 0;
    QRegion region;

    quint8 lastButton = 0;
    quint8 lastKey = 0;
    bool enabled = true;
    bool softBevel = false;
    bool hasFocus = false;
    bool showFocusRect = true;

    Palette palette;

    quint8 lastState = stateNormal;
    QString lastCaption;
    bool redrawEnabled = true;
    bool isOver = false;
    bool isCapturing = false;
    quint8 lastCaptionMode = 0;
    bool checkBoxBehaviour = false;
    bool value = false;

    QFont font;                    // the face's font
    bool displayAsDefault = false; // the container shows this button as its default button
    QImage surface;                // the persistent image every paint goes into

    ColorSettings colorSettings() const
    {
        ColorSettings s;
        s.colorScheme = colorScheme;
        s.buttonType = buttonType;
        s.softBevel = softBevel;
        s.backColor = backColor;
        s.backOver = backOver;
        s.foreColor = foreColor;
        s.foreOver = foreOver;
        s.maskColor = maskColor;
        return s;
    }
    bool hasPicture() const { return !pictureNormal.isNull() || !pictureOver.isNull(); }
};

} // namespace tavirel::button
