#pragma once
// Process-wide cache of Cairo font faces resolved through fontconfig.
// Internal to the drawing layer.
#include <cairo.h>

#include <string>

#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

// What a face is for. Text is laid out with unhinted outlines so glyph
// positions are the same whichever way it is drawn; drawing uses hinted
// outlines, which keeps aliased text legible.
enum class FaceUse { Layout, DrawAliased, DrawAntialiased };

struct ResolvedFace {
  cairo_font_face_t* face = nullptr;  // owned by the cache, lives for the process
  std::string family;                 // the family fontconfig chose
  double ascentPerEm = 0.9;           // character cell of a one-pixel em
  double descentPerEm = 0.2;
};

const ResolvedFace& FaceFor(const Font& font, FaceUse use);

// The em size in pixels (positive heights are cell heights, negative ones
// character heights, zero the default).
double EmSizeOf(const Font& font);

// Font options matching a face use; release with cairo_font_options_destroy.
cairo_font_options_t* CreateFontOptions(FaceUse use);

}  // namespace quelmar::gdi
