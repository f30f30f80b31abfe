// The numbered options of SetOption and the road options.
#include "control/core/option_table.h"

#include <gtest/gtest.h>

#include "control/core/road_options.h"

namespace quelmar::core {
namespace {

struct Options : ::testing::Test {
  OptionValues values;
  std::uint32_t color = 0xAFFFFF;
  int paletteRecreated = 0;
  OptionHooks hooks{[this] { return color; }, [this](std::uint32_t c) { color = c; }, [this] { ++paletteRecreated; }};
  std::int32_t Write(std::int32_t n, std::int32_t v) { return SetOption(values, hooks, n, v).value(); }
  std::int32_t Read(std::int32_t v) { return SetOption(values, hooks, 0, v).value(); }
};

TEST_F(Options, WritesAreReadBack) {
  struct Case {
    std::int32_t n, written, read;
  } cases[] = {
      {1, 0x123456, 0x123456},   // the background colour
      {2, 0x0000FF, 0x0000FF},   {3, 0x00FF00, 0x00FF00},
      {16, 7, 7},                {31, 8, 8},
      {32, 9, 9},                {107, 10, 10},
      {128, 15, 15},             {129, 3, 3},   // tenths of a mile
      {130, 0x1FF, 0xFF},        {131, 1, 1},   // bytes keep the low eight bits
      {132, 0, 0},               {133, 25, 10}, // the label size factor is clamped to 1..10
      {133, -3, 1},              {134, 0, 0},
      {135, 0, 0},               {143, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Write(c.n, c.written), 0) << c.n;
    EXPECT_EQ(Read(c.n), c.read) << c.n;
  }
  EXPECT_EQ(color, 0x123456u);
  EXPECT_EQ(values.colours[32], 0x0000FFu);  // option 2 is mirrored into entry 32
  EXPECT_EQ(values.colours[115], 10u);       // entries 32..107 sit 8 further on
}

TEST_F(Options, ArchiveExtensionAndStreetVersion) {
  EXPECT_EQ(Read(65523), 0x35505A);  // "ZP5", first letter in the low byte
  Write(65523, 0x59505A);
  EXPECT_EQ(values.archiveExtension, ".ZPY");
  EXPECT_EQ(Read(65523), 0x59505A);
  Write(65523, 0x2F5A);  // a slash or a zero byte is no extension: ignored
  EXPECT_EQ(values.archiveExtension, ".ZPY");
  values.archiveExtension = ".ZP5";
  Write(65521, 12345);
  EXPECT_EQ(values.archiveExtension, ".ZPY");
  EXPECT_EQ(values.streetDataVersion, 400);
  Write(65522, 402);
  EXPECT_EQ(values.streetDataVersion, 402);
}

TEST_F(Options, ReadOnlyAndUnknownOptions) {
  EXPECT_EQ(Read(0), 0);
  EXPECT_EQ(paletteRecreated, 1);
  EXPECT_EQ(Read(61152), 0);
  EXPECT_EQ(values.nameBufferReads, 1);
  for (std::int32_t n : {4, 15, 108, 127, 136, 999, 70000, -5}) {
    EXPECT_EQ(Write(n, 1), 0) << n;
    EXPECT_EQ(Read(n), 0) << n;
  }
  // Entries reached through the layer styles wait for them.
  EXPECT_FALSE(SetOption(values, hooks, 94, 1));
  EXPECT_FALSE(SetOption(values, hooks, 0, 102));
  EXPECT_FALSE(SetOption(values, hooks, 0, -1));
}

TEST(RoadOptions, ClassesGroupsAndClamps) {
  RoadOptions o;
  RoadOption(o, 17, 9);  // priority of class 1, clamped to 5
  EXPECT_EQ(o.priority[1], 5);
  RoadOption(o, 18, -2);
  EXPECT_EQ(o.priority[2], 0);
  RoadOption(o, 3, 55);  // speed of class 3
  EXPECT_EQ(o.speed[3], 55);
  RoadOption(o, 38, 7);  // third value of class 6
  EXPECT_EQ(o.third[6], 7);
  RoadOption(o, 48, 0xFF);  // route-line colour
  RoadOption(o, 49, 2);     // highlight
  EXPECT_EQ(o.routeLineColour, 0xFF);
  EXPECT_EQ(o.routeHighlight, 2);
  const RoadOptions before = o;
  for (std::int32_t n : {7, 0, 16 + 7, 50, 64, -1}) RoadOption(o, n, 30);  // outside the table
  EXPECT_EQ(o.speed, before.speed);
  EXPECT_EQ(o.priority, before.priority);
  EXPECT_EQ(o.third, before.third);
  EXPECT_EQ(o.routeLineColour, before.routeLineColour);
}

}  // namespace
}  // namespace quelmar::core
