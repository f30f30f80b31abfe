// Which places are labelled at which span, with which class; state name
// forms; the two-line split; and the rectangle set labels are placed against.
#include "control/render/label_point_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "control/render/label_occupied_rects.h"

namespace quelmar::render {
namespace {

TEST(PlaceLabelText, LabelledByPopulationAndSpan) {
  struct Case {
    std::int32_t population;
    double span;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {400, 5, ".Town"},        {400, 6, std::nullopt},    // under 500: only at span 5 and closer
      {12000, 50, "!Town"},     {12000, 51, std::nullopt},  // 10,000..14,999: span 50
      {20000, 100, "!Town"},    {20000, 101, std::nullopt},
      {30000, 2000, "!Town"},   {0, 5, " Town"},
      {5000, 5, "&Town"},       {9999, 5, "&Town"},         {10000, 5, "!Town"},
      {49999, 5, "!Town"},      {50000, 5, "~Town"},        {99999, 5, "~Town"},
      {100000, 5, "%Town"},     {299999, 5, "%Town"},       {300000, 5, "+Town"},
      {-7, 5000, "@Town"},  // a place without a population class is always labelled
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceLabelText(c.population, "Town", c.span), c.text) << c.population << " at span " << c.span;
  }
  EXPECT_EQ(PlaceLabelText(-1, "*Washington", 5000), "*Washington");
}

TEST(StateLabelText, FormsBySpan) {
  const auto at = [](double span) {
    LabelScales s;
    s.Span = span;
    s.Below500 = span < 500;
    s.Below100 = span < 100;
    s.Below50 = span < 50;
    return s;
  };
  struct Case {
    const char* name;
    double span;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {"IL\\ILLINOIS", 600, std::nullopt},
      {"IL\\ILLINOIS", 200, "?IL"},
      {"IL\\ILLINOIS", 60, "?I L L I N O I S"},
      {"MA\\MASSACHUSETTS", 60, "?MA"},
      {"CT\\CONNECTICUT", 60, "?CT"},
      {"MA\\MASSACHUSETTS", 40, "?M A S S A C H U S E T T S"},
      {"il\\illinois", 200, "?IL"},
      {"OHIO", 200, "?OHIO"},  // no "\": the whole name
      {"", 60, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(StateLabelText(c.name, at(c.span)), c.text) << c.name << " " << c.span;
}

TEST(SplitTwoLines, BreaksNearTheMiddle) {
  struct Case {
    const char* text;
    std::optional<TwoLines> lines;
  };
  const Case cases[] = {
      {"Abcde Fghijk", TwoLines{"Abcde", "Fghijk"}},        // 12 characters, the blank at 6
      {"Abcdefgh", std::nullopt},                           // 8 characters never split
      {"Elk Grove Village", TwoLines{"Elk Grove", "Village"}},
      {"Wilkes-Barre", TwoLines{"Wilkes", "Barre"}},
      {"Abcd Efg Hijkl", TwoLines{"Abcd", "Efg Hijkl"}},      // equally far: the earlier break
      {"Abc Def Ghij", std::nullopt},                       // ... leaving 3 characters: one line
      {"Abc Defghij", std::nullopt},                        // a line under 4 characters
      {"Abcdefghijkl", std::nullopt},                       // nowhere to break
      {"I L L I N O I S", std::nullopt},                    // letter spaced
  };
  for (const Case& c : cases) EXPECT_EQ(SplitTwoLines(c.text), c.lines) << c.text;
}

TEST(OccupiedRects, OverlapBandAndCapacity) {
  OccupiedRects rects;
  EXPECT_TRUE(rects.Fits({0, 0, 10, 10}));
  rects.Add({0, 0, 10, 10});
  struct Case {
    gdi::Rect box;
    int dx, dy;
    bool fits;
  };
  const Case cases[] = {
      {{10, 0, 20, 10}, 0, 0, true},    // touching edges do not overlap
      {{9, 9, 20, 20}, 0, 0, false},
      {{12, 0, 20, 10}, 3, 0, false},   // inflated into it
      {{12, 0, 20, 10}, 2, 0, true},    // inflated to touch it
      {{0, 12, 10, 20}, 0, 3, false},
      {{0, 0, 0, 0}, 0, 0, false},      // the same corner
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rects.Fits(c.box, c.dx, c.dy), c.fits) << c.box.left << "," << c.box.top;
  }
  // A tall box stored far above a small candidate's top still blocks it.
  rects.Add({100, -500, 110, 500});
  EXPECT_FALSE(rects.Fits({102, 400, 104, 402}));
  EXPECT_TRUE(rects.TryTake({200, 0, 210, 10}));
  EXPECT_FALSE(rects.TryTake({200, 0, 210, 10}));

  rects.Clear();
  for (int i = 0; i < 1100; ++i) rects.Add({i * 20, 0, i * 20 + 10, 10});
  EXPECT_EQ(rects.Size(), OccupiedRects::kCapacity);
  EXPECT_TRUE(rects.Fits({1050 * 20, 0, 1050 * 20 + 10, 10}));  // the ones past capacity were not kept
}

}  // namespace
}  // namespace quelmar::render
