#pragma once

#include "Color.h"

class QPalette;

namespace tavirel::button {

// The colours every drawing style paints with, rebuilt by SetColors.
struct Palette
{
    Rgb face = 0;
    Rgb light = 0;
    Rgb highlight = 0;
    Rgb shadow = 0;
    Rgb darkShadow = 0;
    Rgb text = 0;
    Rgb textOver = 0;
    Rgb faceOver = 0;
    Rgb mask = 0;
    Rgb faceBright = 0;
    Rgb selection = 0;
    Rgb selectionTint = 0;

    bool operator==(const Palette&) const = default;
};

// The palette sources: 1 (and any value other than 2, 3, 4) the system colours, 2 the button's
// own colours, 3 the fixed classic grey, 4 the colours of the container window.
enum ColorSchemeKind : int {
    schemeSystem = 1,
    schemeCustom = 2,
    schemeClassic = 3,
    schemeContainer = 4
};

// What SetColors reads besides the system colours.
struct ColorSettings
{
    int colorScheme = schemeSystem;
    int buttonType = 2;
    bool softBevel = false;
    Rgb backColor = 0;
    Rgb backOver = 0;
    Rgb foreColor = 0;
    Rgb foreOver = 0;
    Rgb maskColor = 0xC0C0C0;
    Rgb containerBack = 0; // the container's background, for scheme 4
    Rgb containerText = 0; // the container's text colour, for scheme 4
};

Palette SetColors(const ColorSettings& settings, const QPalette& system);

} // namespace tavirel::button
