// The closest-street walk's parts: a line's nearest point and the list of
// the ten nearest hits.
#include "control/search/closest_streets.h"

#include <gtest/gtest.h>

#include <vector>

namespace quelmar::search {
namespace {

using core::TMapPoint;

TEST(DistanceToLine, FindsTheNearestPointOfAnyPiece) {
  const struct {
    std::vector<TMapPoint> line;
    TMapPoint centre;
    double units;
    TMapPoint nearest;
  } cases[] = {
      {{{0, 0}, {100, 0}}, {40, 30}, 30, {40, 0}},                // the foot of the perpendicular
      {{{0, 0}, {100, 0}}, {130, 40}, 50, {100, 0}},              // beyond the end: the end
      {{{0, 0}, {0, 100}, {100, 100}}, {60, 90}, 10, {60, 100}},  // the second piece is nearer
      {{{5, 5}}, {8, 9}, 5, {5, 5}},                              // one point
      {{{7, 7}, {7, 7}}, {7, 10}, 3, {7, 7}},                     // a piece of no length
  };
  for (const auto& c : cases) {
    const std::optional<LineDistance> d = DistanceToLine(c.line, c.centre);
    ASSERT_TRUE(d);
    EXPECT_DOUBLE_EQ(d->Units, c.units);
    EXPECT_EQ(d->Nearest, c.nearest);
  }
  EXPECT_FALSE(DistanceToLine({}, {0, 0}));
}

ClosestHit Hit(std::string text, double units) {
  ClosestHit hit;
  hit.Text = std::move(text);
  hit.Units = units;
  return hit;
}

TEST(ClosestList, KeepsTheTenNearestOnceEach) {
  ClosestList list;
  for (int d : {50, 10, 90, 30, 70, 20, 60, 40, 80, 100}) list.Add(Hit(std::to_string(d), d));
  ASSERT_EQ(list.Hits().size(), 10u);
  list.Add(Hit("far", 110));   // no nearer than the tenth: dropped, no eleventh entry
  list.Add(Hit("again", 30));  // as near as one listed: dropped
  list.Add(Hit("near", 5));    // first; the farthest goes
  std::vector<std::string> texts;
  for (const ClosestHit& hit : list.Hits()) texts.push_back(hit.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{"near", "10", "20", "30", "40", "50", "60", "70", "80", "90"}));
}

}  // namespace
}  // namespace quelmar::search
