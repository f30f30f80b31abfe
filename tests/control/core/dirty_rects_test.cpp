#include "control/core/dirty_rects.h"

#include <gtest/gtest.h>

#include <limits>

namespace quelmar::core {
namespace {

TEST(DirtyRects, KeepsRectanglesWidenedByTwoPixels) {
  DirtyRects rects;
  EXPECT_TRUE(rects.Add(10, 20, 30, 40));
  EXPECT_TRUE(rects.Add(30, 40, 10, 20));  // reversed corners are not empty
  ASSERT_EQ(rects.Count(), 2u);
  EXPECT_EQ(rects.Rects()[0], (TPixelRect{8, 18, 32, 42}));
  EXPECT_EQ(rects.Rects()[1], (TPixelRect{28, 38, 12, 22}));
}

TEST(DirtyRects, IgnoresEmptyRectangles) {
  DirtyRects rects;
  EXPECT_FALSE(rects.Add(10, 20, 10, 40));
  EXPECT_FALSE(rects.Add(10, 20, 30, 20));
  EXPECT_EQ(rects.Count(), 0u);
}

TEST(DirtyRects, IgnoresThe101stRectangle) {
  DirtyRects rects;
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(rects.Add(i, i, i + 5, i + 5));
  EXPECT_FALSE(rects.Add(1, 1, 2, 2));
  EXPECT_EQ(rects.Count(), 100u);
  EXPECT_EQ(rects.Rects().back(), (TPixelRect{97, 97, 106, 106}));
}

TEST(DirtyRects, HandsOutClipRectanglesOnceAndEmpties) {
  DirtyRects rects;
  for (int i = 0; i < 100; ++i) rects.Add(i, i, i + 5, i + 5);
  const auto clips = rects.TakeClipRects();
  ASSERT_EQ(clips.size(), 100u);
  EXPECT_EQ(clips[0], (TPixelRect{-2, -2, 8, 8}));  // one more pixel right and bottom
  EXPECT_EQ(rects.Count(), 0u);
  EXPECT_TRUE(rects.TakeClipRects().empty());
  EXPECT_TRUE(rects.Add(1, 1, 2, 2));  // room again
}

TEST(DirtyRects, SaturatesAtTheIntegerLimits) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  DirtyRects rects;
  ASSERT_TRUE(rects.Add(kMin, kMin + 1, kMax - 1, kMax));
  EXPECT_EQ(rects.Rects()[0], (TPixelRect{kMin, kMin, kMax, kMax}));
  EXPECT_EQ(rects.TakeClipRects()[0], (TPixelRect{kMin, kMin, kMax, kMax}));
}

}  // namespace
}  // namespace quelmar::core
