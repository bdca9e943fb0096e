#pragma once

#include "Color.h"

#include <QFont>
#include <QImage>
#include <QString>

namespace tavirel::button {

// The persisted settings of one button, in the order a saved layout is read. Defaults are those
// of a freshly read layout that lacks the key; the colour and font defaults depend on the button
// being read and are filled in by the reader.
struct ButtonSettings
{
    int buttonType = 2;
    QString caption;
    bool enabled = true;
    QFont font;
    int colorScheme = 1;
    bool showFocusRect = true;
    Rgb backColor = 0;
    Rgb backOver = 0;
    Rgb foreColor = 0;
    Rgb foreOver = 0;
    Rgb maskColor = 0xC0C0C0;
    qint16 mousePointer = 0;
    QImage mouseIcon;
    QImage pictureNormal;
    QImage pictureOver;
    bool useMaskColor = true;
    bool softBevel = false;
    int picturePosition = 0;
    bool useGreyscale = false;
    int specialEffect = 0;
    bool handPointer = false;
    bool checkBoxBehaviour = false;
    bool value = false;
};

} // namespace tavirel::button
