#pragma once

#include "ButtonRecord.h"
#include "Surface.h"

namespace tavirel::button {

// The shift of gradient row i (1-based) when a gradient darkens by total over height rows:
// the step is kept in single precision and the product rounded half to even.
int gradientShift(int total, int height, int i);

// Clears the surface, fills it with Face and draws the current style in the given visual state
// (the disabled drawing when the button is disabled), then its picture.
void paintFace(ButtonRecord& b, Surface& s, int state);

} // namespace tavirel::button
