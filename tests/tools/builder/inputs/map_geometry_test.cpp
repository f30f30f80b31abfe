// Point-in-ring tests, clipping to a box, label points and the area locator.
#include "tools/quelmar-data/builder/inputs/map_geometry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/area_locator.h"

namespace quelmar::builder {
namespace {

Ring Square(std::int32_t left, std::int32_t bottom, std::int32_t size) {
  return {{left, bottom}, {left + size, bottom}, {left + size, bottom + size}, {left, bottom + size}};
}

TEST(MapGeometry, PointsInRingsCountEvenOdd) {
  const std::vector<Ring> withHole = {Square(0, 0, 100), Square(40, 40, 20)};
  struct Case {
    TMapPoint At;
    bool Inside;
  };
  const Case cases[] = {{{10, 10}, true}, {{50, 50}, false}, {{70, 50}, true}, {{150, 50}, false}, {{-1, 50}, false}};
  for (const Case& c : cases) EXPECT_EQ(PointInRings(withHole, c.At), c.Inside) << c.At.X << "," << c.At.Y;
  // A closed ring (first point repeated) tests the same.
  Ring closed = Square(0, 0, 100);
  closed.push_back(closed.front());
  EXPECT_TRUE(PointInRing(closed, {99, 1}));
  EXPECT_FALSE(PointInRing({}, {0, 0}));
  EXPECT_DOUBLE_EQ(SquaredDistanceToRings(withHole, {130, 50}), 900.0);
  EXPECT_DOUBLE_EQ(SquaredDistanceToRings(withHole, {50, 50}), 100.0);
}

TEST(MapGeometry, LinesAreSplitWhereTheyLeaveTheBox) {
  const MapBox box{0, 0, 100, 100};
  // In, out across the right edge, back in across it, out through the top.
  const Line line = {{50, 50}, {150, 50}, {150, 80}, {50, 80}, {50, 200}};
  const std::vector<Line> pieces = ClipLineToBox(line, box);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0], (Line{{50, 50}, {100, 50}}));
  EXPECT_EQ(pieces[1], (Line{{100, 80}, {50, 80}, {50, 100}}));
  EXPECT_TRUE(ClipLineToBox({{200, 200}, {300, 300}}, box).empty());
  EXPECT_TRUE(ClipLineToBox({{50, 50}}, box).empty());
  EXPECT_EQ(ClipLineToBox({{10, 10}, {20, 20}, {30, 10}}, box),
            std::vector<Line>{Line({{10, 10}, {20, 20}, {30, 10}})});
}

TEST(MapGeometry, RingsAreClippedToTheBox) {
  const MapBox box{0, 0, 100, 100};
  const Ring clipped = ClipRingToBox(Square(50, 50, 100), box);
  EXPECT_EQ(clipped, (Ring{{50, 100}, {50, 50}, {100, 50}, {100, 100}}));
  EXPECT_TRUE(ClipRingToBox(Square(200, 200, 10), box).empty());
  EXPECT_EQ(ClipRingToBox(Square(10, 10, 10), box), Square(10, 10, 10));
}

TEST(MapGeometry, InteriorPointsLieInside) {
  // A U shape: its box's middle is outside; a hole in a square likewise.
  const std::vector<Ring> u = {
      {{0, 0}, {300, 0}, {300, 300}, {200, 300}, {200, 100}, {100, 100}, {100, 300}, {0, 300}}};
  const std::vector<std::vector<Ring>> areas = {u, {Square(0, 0, 100), Square(10, 10, 80)}, {Square(5, 5, 2)}};
  for (const std::vector<Ring>& rings : areas) {
    const std::optional<TMapPoint> label = InteriorPoint(rings);
    ASSERT_TRUE(label.has_value());
    EXPECT_TRUE(PointInRings(rings, *label)) << label->X << "," << label->Y;
  }
  // One map unit wide: no whole point is strictly inside, the label goes on its edge.
  const std::optional<TMapPoint> thin = InteriorPoint({Square(5, 5, 1)});
  ASSERT_TRUE(thin.has_value());
  EXPECT_LE(std::abs(thin->X - 5) + std::abs(thin->Y - 5), 2);
  EXPECT_FALSE(InteriorPoint({}).has_value());
  EXPECT_FALSE(InteriorPoint({{{0, 0}, {10, 0}}}).has_value());  // no area
}

TEST(MapGeometry, CoordinatesOutOfRangeAreDataErrors) {
  EXPECT_EQ(ToMapPoint({-87.5, 41.5}, "test"), (TMapPoint{-1367188, 648438}));
  EXPECT_THROW(ToMapPoint({-187.5, 41.5}, "test"), DataError);
  EXPECT_THROW(ToMapPoint({0, 1e300}, "test"), DataError);
}

TEST(AreaLocator, FindsTheContainingAreaElseTheNearestWithinTolerance) {
  const std::vector<Ring> west = {Square(0, 0, 100)};
  const std::vector<Ring> east = {Square(100, 0, 100)};
  const std::vector<Ring> elsewhere = {Square(1000, 0, 100)};
  AreaLocator locator;
  locator.Add(17031, 17, west);
  locator.Add(17043, 17, east);
  locator.Add(18089, 18, elsewhere);
  struct Case {
    TMapPoint At;
    int Group;
    int Code;
  };
  const Case cases[] = {
      {{50, 50}, 17, 17031},   {{150, 50}, 17, 17043}, {{150, 50}, 18, 0},
      {{1050, 50}, -1, 18089}, {{210, 50}, 17, 17043},  // outside, 10 units east of the east area
      {{250, 50}, 17, 0},                               // beyond the tolerance
  };
  for (const Case& c : cases) EXPECT_EQ(locator.Find(c.At, c.Group, 20), c.Code) << c.At.X << "," << c.At.Y;
}

}  // namespace
}  // namespace quelmar::builder
