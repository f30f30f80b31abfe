#include "control/render/colour_grey.h"

#include <algorithm>

namespace quelmar::render {

void BlackWhiteSettings::SetGreyOffset(std::int32_t offset) { greyOffset_ = std::clamp(offset, 0, 255); }

COLORREF GreyFill(COLORREF colour, const BlackWhiteSettings& settings) {
  if (!settings.On()) return colour;
  const int r = gdi::GetRValue(colour);
  const int g = gdi::GetGValue(colour);
  const int b = gdi::GetBValue(colour);
  int grey = (r * 60 + g * 25 + b * 15) / 100;
  if (grey != 0) grey = std::clamp(grey + 2 * (settings.GreyOffset() - kDefaultGreyOffset), 1, 255);
  const auto level = static_cast<std::uint8_t>(grey);
  return RGB(level, level, level);
}

std::uint8_t MonochromeLineIndex(std::uint8_t index) {
  const std::uint8_t colour = (index & 0x0F) > 8 ? kWhite : kBlack;
  return static_cast<std::uint8_t>((index & 0xF0) | colour);
}

}  // namespace quelmar::render
