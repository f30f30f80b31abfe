#pragma once
// The Cairo source that paints a brush: a solid colour, or an 8x8 tile repeated
// from device (0, 0) for hatches and patterns. Internal to the Cairo canvas.
#include <cairo.h>

#include <array>
#include <cstdint>

#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

// The 8x8 bits of a hatch style, row 0 first, bit 7 the left pixel.
std::array<std::uint8_t, 8> HatchBits(HatchStyle style);

// nullptr for a null brush. Hatch gaps take the background colour when the
// background mode is opaque and stay untouched when it is transparent.
// Release with cairo_pattern_destroy.
cairo_pattern_t* CreateBrushSource(const Brush& brush, COLORREF bkColor, BkMode bkMode);

void SetSourceColor(cairo_t* cr, COLORREF color);

}  // namespace quelmar::gdi
