// The underlay styles' colour tables, entry by entry at the ends and joints of
// their ramps, and the logical palette made from them.
#include "control/render/underlay_styles.h"

#include <gtest/gtest.h>

#include "control/render/underlay_palette.h"

namespace quelmar::render {
namespace {

using gdi::RGB;

UnderlayColours Numbered() {
  UnderlayColours colours{};
  for (std::size_t i = 0; i < 256; ++i) colours[i] = static_cast<gdi::COLORREF>(0x010000 * i + 7);
  return colours;
}

struct EntryCase {
  TxUndMode style;
  int entry;
  gdi::COLORREF colour;
};

class StyledEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(StyledEntry, HasTheRampColour) {
  const EntryCase& c = GetParam();
  EXPECT_EQ(StyledColours(c.style, Numbered())[static_cast<std::size_t>(c.entry)], c.colour)
      << "style " << c.style << " entry " << c.entry;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StyledEntry,
    ::testing::Values(
        EntryCase{UndMono, 0, RGB(32, 32, 32)}, EntryCase{UndMono, 128, RGB(143, 143, 143)},
        EntryCase{UndMono, 255, RGB(255, 255, 255)},
        // Entry 0 continues the 5..10 blend below 5: 2·(70 80 40) - (90 90 50).
        EntryCase{UndTopo, 0, RGB(0x50, 0x70, 0x30)}, EntryCase{UndTopo, 1, RGB(0x40, 0x60, 0x30)},
        EntryCase{UndTopo, 3, RGB(0x58, 0x70, 0x38)}, EntryCase{UndTopo, 5, RGB(0x70, 0x80, 0x40)},
        EntryCase{UndTopo, 10, RGB(0x90, 0x90, 0x50)}, EntryCase{UndTopo, 15, RGB(0x90, 0xA0, 0x10)},
        EntryCase{UndTopo, 25, RGB(0xA0, 0x90, 0x20)}, EntryCase{UndTopo, 70, RGB(0x10, 0xE0, 0x00)},
        EntryCase{UndTopo, 147, RGB(252, 240, 0)}, EntryCase{UndTopo, 148, RGB(0xFF, 0xF0, 0x00)},
        EntryCase{UndTopo, 180, RGB(0xC0, 0xC0, 0xC0)},
        // The 148..180 blend runs on to entry 199; blue passes 255 and is kept there.
        EntryCase{UndTopo, 199, RGB(155, 164, 255)}, EntryCase{UndTopo, 200, RGB(209, 209, 209)},
        EntryCase{UndTopo, 255, RGB(0xFF, 0xFF, 0xFF)},
        EntryCase{UndShadow, 0, RGB(0x30, 0x30, 0x00)}, EntryCase{UndShadow, 96, RGB(152, 152, 0)},
        EntryCase{UndShadow, 191, RGB(254, 254, 0)}, EntryCase{UndShadow, 192, RGB(0xFF, 0xFF, 0x00)},
        EntryCase{UndShadow, 255, RGB(0xFF, 0xFF, 0xFF)}));

TEST(UnderlayStyles, UserStyleAndUnknownStylesKeepTheImageColours) {
  EXPECT_EQ(StyledColours(UndUser, Numbered()), Numbered());
  EXPECT_EQ(StyledColours(static_cast<TxUndMode>(9), Numbered()), Numbered());
}

TEST(UnderlayPalette, StaticColoursAtBothEndsAndImageColoursBetween) {
  const UnderlayColours palette = UnderlayLogicalPalette(Numbered());
  EXPECT_EQ(palette[0], RGB(0, 0, 0));
  EXPECT_EQ(palette[7], RGB(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(palette[255], RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(palette[246], RGB(0xFF, 0xFB, 0xF0));
  EXPECT_EQ(palette[10], 0u);
  EXPECT_EQ(palette[11], Numbered()[11]);
  EXPECT_EQ(palette[226], Numbered()[226]);
  EXPECT_EQ(palette[227], 0u);
}

}  // namespace
}  // namespace quelmar::render
