// PlaceUnderlay: when an image is drawn at all, its scale, the clipped screen
// rectangle (whole magnified pixels at clipped edges) and the source window.
#include "control/render/underlay_placement.h"

#include <gtest/gtest.h>

namespace quelmar::render {
namespace {

constexpr std::int32_t kViewWidth = 250;
constexpr std::int32_t kViewHeight = 165;

std::optional<UnderlayPlacement> Place(core::TPixelPoint nw, core::TPixelPoint se, std::int32_t w, std::int32_t h) {
  return PlaceUnderlay(nw, se, kViewWidth, kViewHeight, w, h);
}

struct HiddenCase {
  const char* name;
  core::TPixelPoint nw, se;
  std::int32_t width, height;
};

class UnderlayNotDrawn : public ::testing::TestWithParam<HiddenCase> {};

TEST_P(UnderlayNotDrawn, GivesNoPlacement) {
  const HiddenCase& c = GetParam();
  EXPECT_FALSE(Place(c.nw, c.se, c.width, c.height).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnderlayNotDrawn,
    ::testing::Values(HiddenCase{"LeftOfTheView", {-50, 0}, {-1, 100}, 10, 10},
                      HiddenCase{"RightOfTheView", {251, 0}, {300, 100}, 10, 10},
                      HiddenCase{"AboveTheView", {0, -50}, {100, -1}, 10, 10},
                      HiddenCase{"BelowTheView", {0, 166}, {100, 200}, 10, 10},
                      HiddenCase{"OnePixelWide", {10, 10}, {11, 100}, 10, 10},
                      HiddenCase{"OnePixelHigh", {10, 10}, {100, 11}, 10, 10},
                      // 101 screen pixels per image pixel.
                      HiddenCase{"MagnifiedPast100", {0, 0}, {101, 100}, 2, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnderlayPlacement, MagnifiedExactly100TimesIsDrawn) {
  const auto placement = Place({0, 0}, {100, 100}, 2, 2);
  ASSERT_TRUE(placement);
  EXPECT_EQ(placement->MagnifyX, 100);
  EXPECT_EQ(placement->MagnifyY, 100);
}

TEST(UnderlayPlacement, ImageCoveringTheViewOneToOne) {
  // 250 × 165 image pixels whose corner pixels land on the view's corner pixels.
  const auto placement = Place({0, 0}, {249, 164}, 250, 165);
  ASSERT_TRUE(placement);
  EXPECT_DOUBLE_EQ(placement->X.Factor(), 1.0);
  EXPECT_EQ(placement->MagnifyX, 0);
  EXPECT_EQ(placement->Left, 0);
  EXPECT_EQ(placement->Top, 0);
  EXPECT_EQ(placement->Width(), 250);
  EXPECT_EQ(placement->Height(), 165);
  EXPECT_EQ(placement->FirstColumn, 0);
  EXPECT_EQ(placement->LastColumn, 249);
  EXPECT_EQ(placement->FirstRow, 0);
  EXPECT_EQ(placement->LastRow, 164);
}

TEST(UnderlayPlacement, MagnifiedEdgesStayOnWholeImagePixels) {
  // 4 screen pixels per image pixel: 101 image pixels over 400 screen pixels.
  const auto placement = Place({-10, -7}, {390, 393}, 101, 101);
  ASSERT_TRUE(placement);
  EXPECT_EQ(placement->MagnifyX, 4);
  EXPECT_EQ(placement->MagnifyY, 4);
  // Left: -10 mod 4 = -2, two whole image pixels in from the image's edge.
  EXPECT_EQ(placement->Left, -2);
  EXPECT_EQ(placement->FirstColumn, 2);
  EXPECT_EQ(placement->Top, -3);  // -7 mod 4
  EXPECT_EQ(placement->FirstRow, 1);
  // Right and bottom: two magnified pixels past the view.
  EXPECT_EQ(placement->Right, 250 + 8);
  EXPECT_EQ(placement->LastColumn, (258 + 10) / 4);
  EXPECT_EQ(placement->Bottom, 165 + 8);
  EXPECT_EQ(placement->LastRow, (173 + 7) / 4);
}

TEST(UnderlayPlacement, MagnifiedEdgeNeverPassesTheImage) {
  const auto placement = Place({-10, 0}, {254, 100}, 34, 11);  // 8 screen pixels per image pixel
  ASSERT_TRUE(placement);
  EXPECT_EQ(placement->MagnifyX, 8);
  EXPECT_EQ(placement->Right, 254);  // not 250 + 16
  EXPECT_EQ(placement->LastColumn, 33);
}

TEST(UnderlayPlacement, ShrunkImageClipsToTheView) {
  // 1,000 image pixels over 500 screen pixels, starting 100 pixels left of the view.
  const auto placement = Place({-100, 10}, {400, 110}, 1001, 101);
  ASSERT_TRUE(placement);
  EXPECT_EQ(placement->MagnifyX, 0);
  EXPECT_EQ(placement->Left, 0);
  EXPECT_EQ(placement->Right, kViewWidth);
  EXPECT_EQ(placement->FirstColumn, 200);
  EXPECT_EQ(placement->LastColumn, 700);
  EXPECT_EQ(placement->Top, 10);
  EXPECT_EQ(placement->Bottom, 110);
}

TEST(UnderlayAxis, IndexIsCutToTheImage) {
  const UnderlayAxis axis{10, 36};
  EXPECT_EQ(axis.ImageIndex(0), 0);
  EXPECT_EQ(axis.ImageIndex(3), 0);
  EXPECT_EQ(axis.ImageIndex(4), 1);
  EXPECT_EQ(axis.ImageIndex(36), 9);
  EXPECT_EQ(axis.ImageIndex(40), 9);
}

}  // namespace
}  // namespace quelmar::render
