#pragma once
// The 256-entry colour table of an underlay image, as 0x00BBGGRR colours.
#include <array>

#include "platform/gdi/gdi_types.h"

namespace quelmar::render {

using UnderlayColours = std::array<gdi::COLORREF, 256>;

}  // namespace quelmar::render
