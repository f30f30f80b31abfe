#pragma once
// Black-and-white rendering: the switch ("BWON"), the grey offset of shaded
// fills ("SHPOL") and the conversions both apply.
#include <cstdint>

#include "control/render/colour_standard.h"

namespace quelmar::render {

inline constexpr int kDefaultGreyOffset = 128;

class BlackWhiteSettings {
 public:
  bool On() const { return on_; }
  void SetOn(bool on) { on_ = on; }
  // 0..255; 128 leaves greys as computed, each step above brightens by 2.
  int GreyOffset() const { return greyOffset_; }
  // Values outside 0..255 are held at the nearer end.
  void SetGreyOffset(std::int32_t offset);

 private:
  bool on_ = false;
  int greyOffset_ = kDefaultGreyOffset;
};

// A shaded fill as drawn: unchanged in colour mode; in black-and-white mode
// the grey of its weighted brightness, moved by the offset (black stays black).
COLORREF GreyFill(COLORREF colour, const BlackWhiteSettings& settings);

// The line colour index of a filled layer in black-and-white mode: indexes
// above 8 (the light colours) become white, the rest black; the upper 4 bits
// of the byte are kept.
std::uint8_t MonochromeLineIndex(std::uint8_t index);

}  // namespace quelmar::render
