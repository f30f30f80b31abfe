#pragma once
// Glyph positions of one line of text, from the unhinted layout face. Both the
// measurement and the drawing of text come from here. Internal to the drawing layer.
#include <cairo.h>

#include <string_view>
#include <vector>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::gdi {

struct GlyphRun {
  std::vector<cairo_glyph_t> glyphs;  // positions relative to the baseline start
  TextExtent extent;
  double emSize = 0;
};

GlyphRun LayoutText(const Font& font, std::string_view ansiText);

}  // namespace quelmar::gdi
