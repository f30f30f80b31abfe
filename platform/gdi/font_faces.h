#pragma once
// Process-wide cache of Cairo font faces resolved through fontconfig, and the
// scaled fonts the canvases draw and measure with. Internal to the drawing layer.
#include <cairo.h>

#include <string>

#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

struct ResolvedFace {
  cairo_font_face_t* face = nullptr;  // owned by the cache, lives for the process
  std::string family;                 // the family fontconfig chose
  double cellHeightPerEm = 1.0;       // (ascent + descent) of a one-pixel em
};

// Faces are unhinted so glyph advances do not depend on anti-aliasing: text
// measured on one canvas lands the same on another.
const ResolvedFace& FaceFor(const Font& font, bool antialias);

// The em size in pixels of a font (positive heights are cell heights,
// negative ones character heights, zero the default).
double EmSizeOf(const Font& font);

// Font options shared by measuring and drawing: integer advances, no hinting.
cairo_font_options_t* CreateTextFontOptions(bool antialias);

// A scaled font of the given em size without rotation; release with
// cairo_scaled_font_destroy.
cairo_scaled_font_t* CreateScaledFont(const Font& font, bool antialias);

}  // namespace quelmar::gdi
