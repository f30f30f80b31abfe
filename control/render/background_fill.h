#pragma once
// The map background: a plain fill with the background colour, or, when that
// colour is black, the grey texture tiled from the rectangle's top-left corner.
#include <random>

#include "platform/gdi/canvas.h"

namespace quelmar::render {

// Fills `rect`; a black `color` (0) tiles a texture made afresh from `random`.
void FillMapBackground(gdi::Canvas& canvas, const gdi::Rect& rect, gdi::COLORREF color, std::minstd_rand& random);

}  // namespace quelmar::render
