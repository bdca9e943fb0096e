#pragma once

#include "ButtonRecord.h"
#include "Surface.h"

#include <optional>

namespace tavirel::button {

// Picture states Redraw asks for after the style drawing.
enum PictureState : int { pictureNormal = 0, picturePressed = 1, pictureDisabled = 2 };

// The picture in one of its states, with relief and, for position 4, the caption on top.
void DrawPicture(ButtonRecord& b, Surface& s, int state);
// The SpecialEffect relief under the picture, moved by offset.
void DrawPictureEffect(ButtonRecord& b, Surface& s, int offset, const QImage& picture);

// Blits picture at (x, y) pixel by pixel. A negative width or height stands for the picture's
// own. Pixels of the transparent colour (when UseMaskColor) keep the surface; a silhouette
// paints every other pixel in one colour (with darkOnly, only the dark ones); otherwise the
// pixel is painted grey, faded over the surface, or as it is.
void TransBlt(const ButtonRecord& b, Surface& s, int x, int y, int width, int height,
              const QImage& picture, Rgb transparent, std::optional<Rgb> silhouette, bool darkOnly,
              bool greyscale, bool fade);

} // namespace tavirel::button
