#include "control/render/shading_colours.h"

#include <gtest/gtest.h>

#include "control/render/palette_logical.h"
#include "control/render/shading_area_colour_map.h"

namespace quelmar::render {
namespace {

TEST(ShadeColours, Defaults) {
  const ShadeColours colours;
  EXPECT_EQ(colours.Land(), RGB(0x99, 0xCC, 0x00));
  EXPECT_EQ(colours.Water(), RGB(0x96, 0xBA, 0xE0));
  EXPECT_EQ(colours.PaletteEntry(1), RGB(0xDA, 0xDA, 0xDA));
  EXPECT_EQ(colours.PaletteEntry(20), RGB(0x83, 0x85, 0xC7));
  EXPECT_EQ(colours.PaletteEntry(24), RGB(0, 0, 0));
  const std::pair<int, int> statePalette[] = {{1, 14}, {3, 0}, {17, 18}, {36, 12}, {57, 18}, {58, 2}, {71, 2}};
  for (const auto& [code, entry] : statePalette) {
    EXPECT_EQ(colours.StateEntry(code), PaletteReference(entry)) << code;
    EXPECT_EQ(colours.StateColour(code), colours.PaletteEntry(entry)) << code;
  }
  EXPECT_EQ(colours.StateEntry(72), 0u);
}

TEST(ShadeColours, BoundsOfEntriesCodesAndReferences) {
  ShadeColours colours;
  EXPECT_EQ(colours.PaletteEntry(0), colours.Water());
  for (int entry : {-1, 25, 1 << 20}) {
    EXPECT_EQ(colours.PaletteEntry(entry), kWhiteColour) << entry;
    EXPECT_FALSE(colours.SetPaletteEntry(entry, 1)) << entry;
  }
  EXPECT_FALSE(colours.SetPaletteEntry(0, 1)) << "the water colour has its own setter";
  for (int code : {0, 73, -3}) {
    EXPECT_EQ(colours.StateEntry(code), 0u);
    EXPECT_FALSE(colours.SetStateEntry(code, 1));
  }
  EXPECT_TRUE(colours.SetStateEntry(72, 5));
  EXPECT_EQ(colours.StateColour(72), kWhiteColour) << "code 72 is not drawn";

  // References to entries past the palette (from files or hosts) give white.
  for (std::uint32_t reference : {PaletteReference(25), PaletteReference(0x7FFFFF), 0xFFFFFFFFu}) {
    EXPECT_EQ(colours.Resolve(reference), kWhiteColour) << std::hex << reference;
  }
  EXPECT_EQ(colours.Resolve(PaletteReference(24)), colours.PaletteEntry(24));
  EXPECT_EQ(colours.Resolve(RGB(1, 2, 3)), RGB(1, 2, 3));

  colours.SetLand(1);
  colours.SetPaletteEntry(4, 2);
  colours.SetStateEntry(9, 3);
  colours.RestoreDefaults();
  EXPECT_EQ(colours, ShadeColours());
}

TEST(AreaColourMap, ColourNumbersInTurnSortedAndFreedAfterAPaint) {
  AreaColourMap map;
  map.BeginPaint();
  // The first code gets colour number 1, the second 2, the seventh 1 again.
  const std::uint32_t codes[] = {500, 100, 900, 300, 700, 200, 800};
  const int expected[] = {1, 2, 3, 4, 5, 6, 1};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(map.PaletteEntryFor(codes[i]), expected[i]) << codes[i];
  // Found again by binary search, whatever their order of arrival.
  for (int i = 0; i < 7; ++i) EXPECT_EQ(map.ColourNumberOf(codes[i]), expected[i]) << codes[i];
  EXPECT_EQ(map.PaletteEntryFor(100), 2);
  EXPECT_EQ(map.Size(), 7u);
  map.EndPaint();
  EXPECT_EQ(map.Size(), 7u);

  // Codes not used in the next paint leave the map.
  map.BeginPaint();
  map.PaletteEntryFor(300);
  map.PaletteEntryFor(800);
  map.EndPaint();
  EXPECT_EQ(map.Size(), 2u);
  EXPECT_EQ(map.ColourNumberOf(300), 4);
  EXPECT_EQ(map.ColourNumberOf(500), 0);
}

TEST(AreaColourMap, FullMapGivesTheEntryCountAndKeepsCodesAs24Bits) {
  AreaColourMap map;
  map.BeginPaint();
  for (std::uint32_t code = 1; code <= AreaColourMap::kCapacity; ++code) map.PaletteEntryFor(code);
  EXPECT_EQ(map.Size(), AreaColourMap::kCapacity);
  // Colour number 100: palette entry (99 mod 18) + 1.
  EXPECT_EQ(map.PaletteEntryFor(5000), 10);
  EXPECT_EQ(map.Size(), AreaColourMap::kCapacity);
  EXPECT_EQ(map.ColourNumberOf(0x01000005), map.ColourNumberOf(5));
}

TEST(LogicalPalette, StaticColoursShadesAndNewHandles) {
  ShadeColours colours;
  LogicalPalette palette;
  EXPECT_EQ(palette.Handle(), 0);
  palette.Rebuild(colours);
  const std::int32_t first = palette.Handle();
  EXPECT_NE(first, 0);
  EXPECT_EQ(palette.Entry(0), RGB(0, 0, 0));
  EXPECT_EQ(palette.Entry(255), RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(palette.Entry(11), colours.Land());
  EXPECT_EQ(palette.Entry(12), colours.Water());
  EXPECT_EQ(palette.Entry(13), colours.PaletteEntry(1));
  EXPECT_EQ(palette.Entry(34), colours.PaletteEntry(22));
  EXPECT_EQ(palette.Entry(35), 0u);
  EXPECT_EQ(palette.Entry(-1), 0u);
  EXPECT_EQ(palette.Entry(256), 0u);
  palette.Rebuild(colours);
  EXPECT_NE(palette.Handle(), first);
}

}  // namespace
}  // namespace quelmar::render
