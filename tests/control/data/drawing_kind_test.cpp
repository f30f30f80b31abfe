#include "control/data/drawing_kind.h"

#include <gtest/gtest.h>

namespace quelmar::data {
namespace {

// Scales in "pixels per unit" that fall as the miles rise: the scale of m
// miles is 100 / m, so the street threshold (2 miles) is 50.
ScaleRules Rules() {
  ScaleRules rules;
  rules.ForMiles = [](double miles) { return 100.0 / miles; };
  rules.StreetThreshold = 50;
  return rules;
}

TEST(DrawingKind, KindLetters) {
  EXPECT_EQ(KindLetter("TARVO.ZIP", true), 'P');
  EXPECT_EQ(KindLetter("y7o37117", false), 'Y');
  EXPECT_EQ(KindLetter("HMAP.ZIP", false), 'H');
  EXPECT_EQ(KindLetter("", false), '\0');
}

TEST(DrawingKind, BoundsByKind) {
  const ScaleRules r = Rules();
  struct Case {
    const char* name;
    double lower, upper;
  } const cases[] = {
      {"G1A2B", 100.0 / 25, 50},         {"M1A2B93", 50.0 / 12 / 2, 50},    {"M1A2B94", 50.0 / 12 / 2, 50},
      {"M1A2B95", 50.0 / 12 / 2, 1e6},   {"M1A2B96", 50.0 / 12 * 4, 1e6},   {"M1A2B98", 100.0 / 30, 1e6},
      {"M1A2B90", 50.0 / 12, 50},        {"Q0A0B00", 50, 1e6},              {"Y7O37117", 50, 1e6},
      {"Z1A2B", 100.0 / 16, 1e6},        {"HMAP.ZIP", 0, 1e6},
  };
  for (const Case& c : cases) {
    const ScaleBounds b = BoundsOf(c.name, KindLetter(c.name, false), r);
    EXPECT_DOUBLE_EQ(b.Lower, c.lower) << c.name;
    EXPECT_DOUBLE_EQ(b.Upper, c.upper) << c.name;
  }
}

TEST(DrawingKind, DueRules) {
  const ScaleRules r = Rules();
  const LoadSwitches on;
  LoadSwitches noCounties;
  noCounties.County = false;
  struct Case {
    const char* name;
    double scale;
    LoadSwitches switches;
    bool due;
  } const cases[] = {
      {"Y7O37117", 50, on, true},   // at the street threshold
      {"Y7O37117", 49, on, false},
      {"G1A2B", 10, on, true},
      {"G1A2B", 50, on, false},      // streets take over at the scale of 2 miles
      {"M1A2B94", 10, on, true},
      {"M1A2B94", 60, on, false},
      {"M1A2B93", 60, on, true},     // counties stay at street scales
      {"M1A2B93", 60, noCounties, false},
      {"Q0A0B00", 49, on, false},
      {"TARVO.ZIP", 0.001, on, true},
  };
  for (const Case& c : cases) {
    const char kind = KindLetter(c.name, std::string_view(c.name) == "TARVO.ZIP");
    EXPECT_EQ(DueAt(c.name, kind, BoundsOf(c.name, kind, r), c.scale, r, c.switches), c.due)
        << c.name << " at " << c.scale;
  }
}

TEST(DrawingKind, PaintPriorities) {
  EXPECT_EQ(PaintPriority("TARVO.ZIP", 'P', false), 0);
  EXPECT_EQ(PaintPriority("M1A2B93", 'M', false), 1);
  EXPECT_EQ(PaintPriority("M1A2B98", 'M', false), 2);
  EXPECT_EQ(PaintPriority("Y7O37117", 'Y', false), 6);
  EXPECT_EQ(PaintPriority("Y7O37117", 'Y', true), 10);
  EXPECT_EQ(PaintPriority("Z1A2B", 'Z', false), 16);
  EXPECT_EQ(PaintPriority("OTHER.DCM", 'O', false), 100);
}

}  // namespace
}  // namespace quelmar::data
