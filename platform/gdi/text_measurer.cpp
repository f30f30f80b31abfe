#include "platform/gdi/text_measurer.h"

#include <cmath>
#include <string>

#include "platform/gdi/ansi_text.h"
#include "platform/gdi/font_faces.h"

namespace quelmar::gdi {

TextExtent TextMeasurer::Measure(const Font& font, std::string_view ansiText) {
  cairo_scaled_font_t* scaled = CreateScaledFont(font, false);
  cairo_font_extents_t fontExtents;
  cairo_scaled_font_extents(scaled, &fontExtents);
  cairo_text_extents_t textExtents{};
  const std::string utf8 = AnsiToUtf8(ansiText);
  cairo_scaled_font_text_extents(scaled, utf8.c_str(), &textExtents);
  cairo_scaled_font_destroy(scaled);

  TextExtent extent;
  extent.width = static_cast<int>(std::lround(textExtents.x_advance));
  extent.ascent = static_cast<int>(std::lround(fontExtents.ascent));
  extent.descent = static_cast<int>(std::lround(fontExtents.descent));
  return extent;
}

Point TextMeasurer::BaselineOffset(const TextExtent& extent, std::uint32_t textAlign) {
  Point offset;
  const std::uint32_t horizontal = textAlign & TA_CENTER;  // TA_CENTER covers both horizontal bits
  if (horizontal == TA_CENTER) {
    offset.x = -extent.width / 2;
  } else if (horizontal == TA_RIGHT) {
    offset.x = -extent.width;
  }
  const std::uint32_t vertical = textAlign & TA_BASELINE;  // TA_BASELINE covers both vertical bits
  if (vertical == TA_BASELINE) {
    offset.y = 0;
  } else if (vertical == TA_BOTTOM) {
    offset.y = -extent.descent;
  } else {
    offset.y = extent.ascent;
  }
  return offset;
}

}  // namespace quelmar::gdi
