#include "control/render/colour_grey.h"

#include <gtest/gtest.h>

namespace quelmar::render {
namespace {

TEST(GreyFill, WeightedBrightnessMovedByTheOffset) {
  struct Case {
    COLORREF colour;
    int offset;
    int grey;
  };
  const Case cases[] = {
      {RGB(255, 0, 0), 128, 153},      // 255 × 60 / 100
      {RGB(255, 0, 0), 138, 173},      // + 2 × 10
      {RGB(0, 0, 0), 255, 0},          // black stays black
      {RGB(0, 255, 0), 128, 63},
      {RGB(0, 0, 255), 128, 38},
      {RGB(255, 255, 255), 200, 255},  // held at 255
      {RGB(10, 10, 10), 0, 1},         // held at 1, never black
      {RGB(0x96, 0xBA, 0xE0), 128, (0x96 * 60 + 0xBA * 25 + 0xE0 * 15) / 100},
  };
  for (const Case& c : cases) {
    BlackWhiteSettings settings;
    settings.SetOn(true);
    settings.SetGreyOffset(c.offset);
    const auto g = static_cast<std::uint8_t>(c.grey);
    EXPECT_EQ(GreyFill(c.colour, settings), RGB(g, g, g)) << std::hex << c.colour << " offset " << std::dec << c.offset;
  }
}

TEST(GreyFill, ColourModeAndOffsetBounds) {
  BlackWhiteSettings settings;
  EXPECT_EQ(GreyFill(RGB(12, 34, 56), settings), RGB(12, 34, 56));
  EXPECT_EQ(settings.GreyOffset(), 128);
  settings.SetGreyOffset(-40);
  EXPECT_EQ(settings.GreyOffset(), 0);
  settings.SetGreyOffset(1 << 30);
  EXPECT_EQ(settings.GreyOffset(), 255);
}

TEST(MonochromeLineIndex, LightIndexesWhiteOthersBlackUpperBitsKept) {
  const std::pair<std::uint8_t, std::uint8_t> cases[] = {
      {0, 0}, {1, 0}, {8, 0}, {9, 15}, {14, 15}, {15, 15}, {0x1C, 0x1F}, {0x47, 0x40},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(MonochromeLineIndex(in), out) << int(in);
}

}  // namespace
}  // namespace quelmar::render
