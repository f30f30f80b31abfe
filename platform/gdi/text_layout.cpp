#include "platform/gdi/text_layout.h"

#include <cmath>
#include <string>

#include "platform/com/ansi_text.h"
#include "platform/gdi/font_faces.h"

namespace quelmar::gdi {

GlyphRun LayoutText(const Font& font, std::string_view ansiText) {
  GlyphRun run;
  run.emSize = EmSizeOf(font);
  const ResolvedFace& face = FaceFor(font, FaceUse::Layout);

  // The cell: ascent and descent rounded so that they add up to the rounded
  // cell height (a 12-pixel font has a 12-pixel cell).
  const double ascent = run.emSize * face.ascentPerEm;
  const double cell = run.emSize * (face.ascentPerEm + face.descentPerEm);
  run.extent.ascent = static_cast<int>(std::lround(ascent));
  run.extent.descent = static_cast<int>(std::lround(cell)) - run.extent.ascent;

  const std::string utf8 = com::AnsiToUtf8(ansiText);
  if (utf8.empty()) return run;
  cairo_matrix_t fontMatrix, ctm;
  cairo_matrix_init_scale(&fontMatrix, run.emSize, run.emSize);
  cairo_matrix_init_identity(&ctm);
  cairo_font_options_t* options = CreateFontOptions(FaceUse::Layout);
  cairo_scaled_font_t* scaled = cairo_scaled_font_create(face.face, &fontMatrix, &ctm, options);
  cairo_font_options_destroy(options);

  cairo_glyph_t* glyphs = nullptr;
  int count = 0;
  if (cairo_scaled_font_text_to_glyphs(scaled, 0, 0, utf8.c_str(), static_cast<int>(utf8.size()), &glyphs, &count,
                                       nullptr, nullptr, nullptr) == CAIRO_STATUS_SUCCESS) {
    run.glyphs.assign(glyphs, glyphs + count);
    cairo_text_extents_t extents{};
    cairo_scaled_font_glyph_extents(scaled, glyphs, count, &extents);
    run.extent.width = static_cast<int>(std::lround(extents.x_advance));
  }
  cairo_glyph_free(glyphs);
  cairo_scaled_font_destroy(scaled);
  return run;
}

}  // namespace quelmar::gdi
