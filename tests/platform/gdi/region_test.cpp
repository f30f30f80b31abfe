#include "platform/gdi/region.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/gdi/pixel_checks.h"

namespace quelmar::gdi {
namespace {

using ::testing::ElementsAre;

// Every pixel of a 12x12 area, as the region covers it.
std::string Coverage(const Region& region) {
  std::string text;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) text += region.Contains(x, y) ? '#' : '.';
    text += '\n';
  }
  return text;
}

// How many rectangles of the region hold each pixel: never more than one.
bool Disjoint(const Region& region) {
  for (int y = -2; y < 14; ++y) {
    for (int x = -2; x < 14; ++x) {
      int holders = 0;
      for (const Rect& r : region.Rects()) holders += x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      if (holders > 1) return false;
    }
  }
  return true;
}

TEST(RegionTest, UnionOfOverlappingRectanglesCoversEachPixelOnce) {
  const Rect rects[] = {{0, 0, 4, 4}, {2, 2, 6, 6}, {8, 0, 10, 2}, {0, 8, 0, 12} /* empty */};
  const Region region = Region::FromRects(rects);
  EXPECT_TRUE(Disjoint(region));
  EXPECT_EQ(Coverage(region), testing::Rows({
                                  "####....##..",
                                  "####....##..",
                                  "######......",
                                  "######......",
                                  "..####......",
                                  "..####......",
                                  "............",
                                  "............",
                                  "............",
                                  "............",
                                  "............",
                                  "............",
                              }));
  EXPECT_EQ(region.Bounds(), (Rect{0, 0, 10, 6}));
}

TEST(RegionTest, AdjacentPiecesMergeIntoPlainRectangles) {
  const Rect halves[] = {{0, 0, 5, 3}, {5, 0, 9, 3}, {0, 3, 9, 7}};
  EXPECT_THAT(Region::FromRects(halves).Rects(), ElementsAre(Rect{0, 0, 9, 7}));
  EXPECT_THAT(Region(Rect{1, 1, 3, 3}).Union(Rect{1, 1, 2, 2}).Rects(), ElementsAre(Rect{1, 1, 3, 3}));
}

TEST(RegionTest, IntersectionsAndOffsets) {
  const Rect rects[] = {{0, 0, 4, 4}, {6, 0, 10, 4}};
  const Region region = Region::FromRects(rects);
  EXPECT_THAT(region.Intersect(Rect{2, 1, 8, 3}).Rects(), ElementsAre(Rect{2, 1, 4, 3}, Rect{6, 1, 8, 3}));
  EXPECT_THAT(region.Intersect(Region(Rect{3, 3, 7, 9})).Rects(), ElementsAre(Rect{3, 3, 4, 4}, Rect{6, 3, 7, 4}));
  EXPECT_TRUE(region.Intersect(Rect{4, 0, 6, 4}).IsEmpty());
  EXPECT_THAT(region.Offset(-1, 2).Rects(), ElementsAre(Rect{-1, 2, 3, 6}, Rect{5, 2, 9, 6}));
  EXPECT_TRUE(Region().IsEmpty());
  EXPECT_TRUE(Region(Rect{3, 3, 3, 9}).IsEmpty());
  EXPECT_EQ(Region().Bounds(), Rect{});
}

}  // namespace
}  // namespace quelmar::gdi
