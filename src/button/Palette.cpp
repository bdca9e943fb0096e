#include "Palette.h"

namespace tavirel::button {

Palette SetColors(const ColorSettings& s, const QPalette& system)
{
    const bool soft = s.softBevel;
    const auto derived = [soft](Palette& p) {
        p.shadow = ShiftColor(p.face, -64, false, soft);
        p.light = ShiftColor(p.face, 31, false, soft);
        p.highlight = ShiftColor(p.face, 47, false, soft);
        p.darkShadow = ShiftColor(p.face, -192, false, soft);
    };

    Palette p;
    switch (s.colorScheme) {
    case schemeCustom:
        p.face = TranslateColor(s.backColor, system);
        p.faceOver = TranslateColor(s.backOver, system);
        derived(p);
        p.text = TranslateColor(s.foreColor, system);
        p.textOver = TranslateColor(s.foreOver, system);
        p.selection = ShiftColor(p.face, -128, false, soft);
        p.selectionTint = p.face;
        break;
    case schemeClassic:
        p.face = p.faceOver = 0xC0C0C0;
        p.shadow = 0x808080;
        p.light = 0xDFDFDF;
        p.highlight = 0xFFFFFF;
        p.darkShadow = 0x000000;
        p.text = p.textOver = 0x000000;
        p.selection = 0x800000;
        p.selectionTint = 0xD1ADAD;
        break;
    case schemeContainer:
        p.face = p.faceOver = s.containerBack;
        derived(p);
        p.text = p.textOver = s.containerText;
        p.selection = systemColor(system, colorHighlight);
        p.selectionTint = BlendToWhite(p.selection, 176);
        break;
    default:
        p.face = p.faceOver = systemColor(system, colorButtonFace);
        p.shadow = systemColor(system, colorButtonShadow);
        p.light = systemColor(system, colorLight3D);
        p.highlight = systemColor(system, colorButtonHighlight);
        p.darkShadow = systemColor(system, colorDarkShadow3D);
        p.text = p.textOver = systemColor(system, colorButtonText);
        p.selection = systemColor(system, colorHighlight);
        p.selectionTint = BlendToWhite(p.selection, 176);
        break;
    }
    p.mask = TranslateColor(s.maskColor, system);
    p.faceBright = ShiftColor(p.face, 48, s.buttonType == 3, soft);
    return p;
}

} // namespace tavirel::button
