#pragma once
// Turning symbols: the rotated picture is the source turned by the angle
// about its centre (clockwise on the screen for positive degrees, as a
// heading turns), transparent outside it, in the bounding box of the turned
// rectangle.
#include <cstdint>
#include <memory>

#include "control/core/dirty_rects.h"
#include "control/items/symbol.h"

namespace quelmar::items {

// The bounding box of the rectangle `r` turned by `degrees` about its centre.
core::TPixelRect RotatedBounds(const core::TPixelRect& r, double degrees);

// The symbol's drawn picture turned by `degrees` (nearest source pixel for
// each pixel of the result), with a mask that is black where it shows.
std::unique_ptr<SymbolImage> RotateSymbol(const Symbol& symbol, double degrees);

}  // namespace quelmar::items
