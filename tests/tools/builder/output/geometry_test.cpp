#include "tools/quelmar-data/builder/output/geometry.h"

#include <gtest/gtest.h>

namespace quelmar::builder {
namespace {

const MapBox kBox{0, 0, 100, 100};

TEST(ClipLine, KeepsInsideAndCutsAtEdges) {
  struct Case {
    const char* what;
    Line line;
    std::vector<Line> expected;
  };
  const Case cases[] = {
      {"inside", {{10, 10}, {90, 90}}, {{{10, 10}, {90, 90}}}},
      {"outside", {{-50, -50}, {-10, 200}}, {}},
      {"crossing", {{-100, 50}, {200, 50}}, {{{0, 50}, {100, 50}}}},
      {"out and back in", {{50, 50}, {150, 50}, {150, 60}, {50, 60}}, {{{50, 50}, {100, 50}}, {{100, 60}, {50, 60}}}},
      {"diagonal keeps its slope", {{-100, -50}, {100, 50}}, {{{0, 0}, {100, 50}}}},
      {"along an edge", {{0, -10}, {0, 110}}, {{{0, 0}, {0, 100}}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ClipLine(c.line, kBox), c.expected) << c.what;
}

TEST(ClipRing, CutsToTheBoxAndCloses) {
  const Ring square{{-50, -50}, {50, -50}, {50, 50}, {-50, 50}};
  const Ring clipped = ClipRing(square, kBox);
  ASSERT_FALSE(clipped.empty());
  EXPECT_EQ(clipped.front(), clipped.back());
  const auto bounds = BoundsOf(clipped);
  EXPECT_EQ(*bounds, (MapBox{0, 0, 50, 50}));
  EXPECT_TRUE(ClipRing({{200, 200}, {300, 200}, {300, 300}}, kBox).empty());
  // A ring around the whole box becomes the box.
  EXPECT_EQ(*BoundsOf(ClipRing({{-10, -10}, {110, -10}, {110, 110}, {-10, 110}}, kBox)), kBox);
}

TEST(Simplify, DropsNearPointsAndKeepsEnds) {
  const Line line{{0, 0}, {50, 1}, {100, 0}, {100, 0}, {150, 80}};
  EXPECT_EQ(SimplifyLine(line, 5), (Line{{0, 0}, {100, 0}, {150, 80}}));
  EXPECT_EQ(SimplifyLine(line, 0), (Line{{0, 0}, {50, 1}, {100, 0}, {150, 80}}));
  // A ring smaller than the tolerance vanishes; a large one stays closed.
  EXPECT_TRUE(SimplifyRing({{0, 0}, {2, 0}, {2, 2}, {0, 2}}, 10).empty());
  const Ring ring = SimplifyRing({{0, 0}, {100, 0}, {100, 100}, {50, 101}, {0, 100}}, 5);
  EXPECT_EQ(ring.front(), ring.back());
  EXPECT_EQ(ring.size(), 5u);
}

TEST(SplitLine, PiecesShareTheirEnds) {
  Line line;
  for (int i = 0; i < 10; ++i) line.push_back({i, 0});
  const std::vector<Line> pieces = SplitLine(line, 4);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].back(), pieces[1].front());
  EXPECT_EQ(pieces[2].back(), (TMapPoint{9, 0}));
  for (const Line& piece : pieces) EXPECT_LE(piece.size(), 4u);
}

TEST(InsideRings, EvenOdd) {
  const std::vector<Ring> withHole{{{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {{40, 40}, {60, 40}, {60, 60}, {40, 60}}};
  EXPECT_TRUE(InsideRings(withHole, {10, 10}));
  EXPECT_FALSE(InsideRings(withHole, {50, 50}));
  EXPECT_FALSE(InsideRings(withHole, {150, 50}));
}

}  // namespace
}  // namespace quelmar::builder
