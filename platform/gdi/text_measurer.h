#pragma once
// TextMeasurer: the one place that measures text and places it against a
// reference point, so canvases that draw text and canvases that only record it
// agree on where labels go.
#include <cstdint>
#include <string_view>

#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

struct TextExtent {
  int width = 0;    // advance along the baseline, pixels
  int ascent = 0;   // baseline to the top of the character cell
  int descent = 0;  // baseline to the bottom of the character cell
  Size AsSize() const { return Size{width, ascent + descent}; }
  friend bool operator==(const TextExtent&, const TextExtent&) = default;
};

class TextMeasurer {
 public:
  // Measures Windows-1252 text in the font (escapement ignored: the extent
  // runs along the baseline, as GetTextExtentPoint reports it).
  static TextExtent Measure(const Font& font, std::string_view ansiText);

  // Where the baseline of the text starts, relative to the reference point, for
  // the TA_* alignment flags; in the text's own unrotated frame.
  static Point BaselineOffset(const TextExtent& extent, std::uint32_t textAlign);
};

}  // namespace quelmar::gdi
