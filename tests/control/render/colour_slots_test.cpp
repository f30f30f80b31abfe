#include "control/render/colour_slots.h"

#include <gtest/gtest.h>

namespace quelmar::render {
namespace {

struct Slots {
  std::optional<std::int32_t> Set(std::int32_t slot, std::int32_t v) {
    return ColourSlotOption(colours, memory, palette, slot, v);
  }
  std::optional<std::int32_t> Read(std::int32_t slot) { return ColourSlotOption(colours, memory, palette, 0, slot); }

  ShadeColours colours;
  ColourSlotMemory memory;
  LogicalPalette palette;
};

TEST(ColourSlots, PaletteSlots) {
  struct Case {
    std::int32_t slot;
    int entry;
  };
  const Case cases[] = {{16, 1}, {20, 5}, {31, 16}, {2, 17}, {3, 18}};
  for (const Case& c : cases) {
    Slots s;
    EXPECT_EQ(s.Set(c.slot, 0x123456), 0) << c.slot;
    EXPECT_EQ(s.colours.PaletteEntry(c.entry), 0x123456u) << c.slot;
    EXPECT_EQ(s.Read(c.slot), 0x123456) << c.slot;
  }
}

TEST(ColourSlots, SlotsTwoAndThreeReadTheirLastValue) {
  Slots s;
  EXPECT_EQ(s.Read(2), 0x7F0000) << "R 00, G 00, B 7F";
  EXPECT_EQ(s.Read(3), 0x007F00);
  s.colours.SetPaletteEntry(17, 0x111111);
  EXPECT_EQ(s.Read(2), 0x7F0000) << "not the palette entry itself";
}

TEST(ColourSlots, StateSlotsAndTheirRenumbering) {
  struct Case {
    std::int32_t slot;
    std::optional<int> code;
  };
  const Case cases[] = {
      {32, 1},   {62, 31},  {93, 62},  {94, 66},  {95, 67},  {96, 68},        {97, 63},        {98, 64},
      {99, 65},  {100, 71}, {101, 69}, {102, 70}, {103, 72}, {104, std::nullopt}, {107, std::nullopt},
      {31, std::nullopt}, {108, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(StateCodeOfSlot(c.slot), c.code) << c.slot;

  Slots s;
  EXPECT_EQ(s.Set(94, 0x00ABCDEF), 0);
  EXPECT_EQ(s.colours.StateEntry(66), 0x00ABCDEFu);
  EXPECT_EQ(s.Read(94), 0x00ABCDEF);
  EXPECT_EQ(s.colours.StateEntry(63), DefaultStateEntry(63)) << "code 63 itself untouched";

  // Slots whose code is beyond 72 change nothing and read 0.
  const ShadeColours before = s.colours;
  EXPECT_EQ(s.Set(105, 42), 0);
  EXPECT_EQ(s.colours, before);
  EXPECT_EQ(s.Read(106), 0);
}

TEST(ColourSlots, RestoreRebuildAndForeignSlots) {
  Slots s;
  s.Set(16, 1);
  s.Set(40, 2);
  s.colours.SetLand(3);
  EXPECT_EQ(s.Read(-1), 0);
  EXPECT_EQ(s.colours, ShadeColours());

  EXPECT_EQ(s.palette.Handle(), 0);
  EXPECT_EQ(s.Read(0), 0);
  EXPECT_NE(s.palette.Handle(), 0);

  // Not colour slots: the control's own option table answers them.
  for (std::int32_t slot : {1, 4, 15, 108, 128, 65535, -2}) {
    EXPECT_FALSE(s.Set(slot, 5)) << slot;
    EXPECT_FALSE(s.Read(slot)) << slot;
  }
  EXPECT_EQ(s.colours, ShadeColours());
}

}  // namespace
}  // namespace quelmar::render
