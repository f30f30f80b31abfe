#include "platform/gdi/text_measurer.h"

#include "platform/gdi/text_layout.h"

namespace quelmar::gdi {

TextExtent TextMeasurer::Measure(const Font& font, std::string_view ansiText) {
  return LayoutText(font, ansiText).extent;
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
  if (vertical == TA_BOTTOM) {
    offset.y = -extent.descent;
  } else if (vertical == TA_TOP) {
    offset.y = extent.ascent;
  }
  return offset;
}

}  // namespace quelmar::gdi
