#pragma once
// Bitwise raster operations on device pixels (0x??RRGGBB words). Only the low
// 24 bits take part; the unused top byte of the destination is kept.
#include <cstdint>

#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

// The result of drawing `pen` (a device pixel) over `dst` with a pen mix mode.
std::uint32_t ApplyRop2(Rop2 rop, std::uint32_t pen, std::uint32_t dst);

// True when the operation reads the source (the others only touch the destination).
bool Rop3UsesSource(Rop3 rop);
// True for the operations this layer knows.
bool IsSupportedRop3(Rop3 rop);

// Combines `width` pixels of one row. `src` may be null for operations that do
// not read it.
void BlendRow(Rop3 rop, const std::uint32_t* src, std::uint32_t* dst, int width);

}  // namespace quelmar::gdi
