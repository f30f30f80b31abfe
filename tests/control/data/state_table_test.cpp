#include "control/data/state_table.h"

#include <gtest/gtest.h>

#include <string>

namespace quelmar::data {
namespace {

TEST(StateCodes, SlotsAreFipsNumbers) {
  struct Case {
    int number;
    std::string_view code;
  };
  const Case cases[] = {
      {1, "AL"}, {2, "AK"}, {4, "AZ"},  {11, "DC"}, {17, "IL"}, {43, "PR"}, {52, "VI"}, {56, "WY"},
      {60, "AB"}, {72, "SA"}, {3, ""},  {7, ""},    {14, ""},   {57, ""},   {59, ""},   {0, ""},
      {-1, ""},  {73, ""},  {78, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(StateCode(c.number), c.code) << c.number;
}

TEST(StateCodes, StateNumberLooksUpExactCodes) {
  struct Case {
    std::string_view code;
    int number;
  };
  const Case cases[] = {
      {"AL", 1}, {"IL", 17}, {"WY", 56}, {"SA", 72}, {"PR", 72}, {"VI", 78},
      {"", 0},   {"il", 0},  {"ILL", 0}, {"I", 0},   {"XX", 0},  {std::string_view("IL\0", 3), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(StateNumber(c.code), c.number) << c.code;
}

TEST(StateBoxes, EveryEntryButAlaskaParsesInCodeOrder) {
  int previous = 0;
  for (std::size_t i = 0; i < kStateBoxEntries.size(); ++i) {
    const std::optional<StateBox> box = ParseStateBoxEntry(kStateBoxEntries[i]);
    if (i == 1) {
      EXPECT_FALSE(box);
      continue;
    }
    ASSERT_TRUE(box) << i;
    EXPECT_GT(box->State, previous) << i;
    EXPECT_NE(StateCode(box->State), "") << box->State;
    EXPECT_LT(box->Box.Left, box->Box.Right) << box->State;
    EXPECT_LT(box->Box.Bottom, box->Box.Top) << box->State;
    previous = box->State;
  }
}

TEST(StateBoxes, BoxRunsToTheFarCornerOfTheUpperRightQuad) {
  // "177O37823O": Illinois, street quads (7O, 37) to (82, 3O).
  const std::optional<StateBox> box = StateBoxOf(17);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->Box, (MapBox{276 * 5000 - 2812500, 115 * 5000, 291 * 5000 - 2812500, 133 * 5000}));
  for (int state : {2, 3, 14, 0, -1, 57, 72, 99, 100}) EXPECT_FALSE(StateBoxOf(state)) << state;
}

TEST(StateBoxes, RefusesMalformedEntries) {
  for (std::string_view entry : {"", "017Y2M893", "017Y2M89311", "A17Y2M8931", "017Y2M89!1", "01 Y2M8931"}) {
    EXPECT_FALSE(ParseStateBoxEntry(entry)) << entry;
  }
}

TEST(StateBoxes, InStateBoxIncludesTheEdges) {
  const MapBox il = StateBoxOf(17)->Box;
  struct Case {
    std::int32_t x, y;
    bool inside;
  };
  const Case cases[] = {
      {-1369219, 654375, true},  // Chicago
      {il.Left, il.Bottom, true},
      {il.Right, il.Top, true},
      {il.Left - 1, il.Bottom, false},
      {il.Right, il.Top + 1, false},
      {il.Right + 1, 600000, false},
  };
  for (const Case& c : cases) EXPECT_EQ(InStateBox(17, c.x, c.y), c.inside) << c.x << ", " << c.y;
  EXPECT_FALSE(InStateBox(2, 0, 0)) << "Alaska has no box";
  EXPECT_FALSE(InStateBox(72, -1033000, 285000)) << "Puerto Rico's box is under its slot, 43";
  EXPECT_TRUE(InStateBox(43, -1033000, 285000));
}

TEST(StateBoxes, MarginsWidenEachAxisOnItsOwn) {
  const MapBox il = StateBoxOf(17)->Box;
  const std::int32_t midY = (il.Bottom + il.Top) / 2;
  const std::int32_t midX = (il.Left + il.Right) / 2;
  // Margin y comes before margin x.
  EXPECT_TRUE(InStateBoxWithMargin(17, il.Right + 10, midY, 0, 10));
  EXPECT_FALSE(InStateBoxWithMargin(17, il.Right + 10, midY, 10, 0));
  EXPECT_TRUE(InStateBoxWithMargin(17, midX, il.Bottom - 10, 10, 0));
  EXPECT_FALSE(InStateBoxWithMargin(17, midX, il.Bottom - 10, 0, 10));
  EXPECT_FALSE(InStateBoxWithMargin(17, il.Left - 11, midY, 0, 10));
  // Margins carrying the box past the int32 range do not wrap.
  constexpr std::int32_t kMax = 2147483647;
  EXPECT_TRUE(InStateBoxWithMargin(17, il.Right + kMax, il.Bottom - kMax, kMax, kMax));
}

}  // namespace
}  // namespace quelmar::data
