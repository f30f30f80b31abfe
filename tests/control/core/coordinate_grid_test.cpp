#include "control/core/coordinate_grid.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "control/core/view_state.h"
#include "control/core/view_test_fixture.h"

namespace quelmar::core {
namespace {

using namespace quelmar::core::test_views;

std::vector<TGridLine> Only(const std::vector<TGridLine>& lines, bool meridians) {
  std::vector<TGridLine> out;
  for (const TGridLine& l : lines) {
    if (l.Meridian == meridians) out.push_back(l);
  }
  return out;
}

std::vector<std::string> Labels(const std::vector<TGridLine>& lines) {
  std::vector<std::string> out;
  for (const TGridLine& l : lines) out.push_back(l.Label);
  return out;
}

TEST(SnapGridSpacing, RoundsToTheFirstBaseBelowTheValue) {
  struct Case {
    double x;
    TxLLMode mode;
    double expected;
  };
  const Case cases[] = {
      {12, TmDEG, 10},     {4.7, TmDEG, 4},       {-3, TmDEG, -4},   {0.3, TmDEG, 0.25},
      {0.0005, TmDEG, 1},  // below every base
      {0.3, TmHMS, 0.25},  {0.1, TmHMS, 1.0 / 12}, {0.0303, TmSMALL, 1.0 / 30},
      {0.0001, TmHMS, 1},  {kNaN, TmDEG, 1},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(SnapGridSpacing(c.x, c.mode), c.expected) << c.x;
}

TEST(CoordinateGrid, StepsInMapUnitsConvertedFromDegrees) {
  // 23,674 units = 1.515 degrees across: 0.303 per fifth snaps to 0.25 degree,
  // 3,906.25 map units (41.25 pixels), not 0.25 map units.
  const ViewState state = ChicagoView();
  const auto lines = ComputeCoordinateGrid(state, TmDEG);
  const auto meridians = Only(lines, true);
  const auto parallels = Only(lines, false);
  EXPECT_EQ(Labels(meridians), (std::vector<std::string>{"-88.0", "-87.8", "-87.5", "-87.2", "-87.0", "-86.8"}));
  EXPECT_EQ(Labels(parallels), (std::vector<std::string>{"41.0", "41.2", "41.5", "41.8", "42.0"}));
  for (std::size_t i = 1; i < meridians.size(); ++i) {
    EXPECT_NEAR(meridians[i].From.X - meridians[i - 1].From.X, 41.25, 1.0);
  }
  // -88° is 4,024 units east of Left: round(42.49) = 42; the line runs one
  // view height beyond the top and the bottom.
  EXPECT_EQ(meridians[0].From, (TPixelPoint{42, 330}));
  EXPECT_EQ(meridians[0].To, (TPixelPoint{42, -165}));
  // 41° N is the bottom edge; the line runs one view width beyond each side.
  EXPECT_EQ(parallels[0].From, (TPixelPoint{-250, 165}));
  EXPECT_EQ(parallels[0].To, (TPixelPoint{500, 165}));
}

TEST(CoordinateGrid, LabelsMinuteModesWithSecondsOnlyForFineSpacings) {
  const ViewState wide = ChicagoView();  // 0.25 degree: minutes only
  const auto coarse = Only(ComputeCoordinateGrid(wide, TmHMS), true);
  ASSERT_FALSE(coarse.empty());
  EXPECT_EQ(coarse[0].Label, "- 88\xB0" "00' ");
  EXPECT_EQ(coarse[1].Label, "- 87\xB0" "45' ");

  ViewState narrow;
  narrow.ZoomWindow(-87.7, 41.9, -87.6, 41.8);  // 2-minute spacing: seconds shown
  const auto fine = ComputeCoordinateGrid(narrow, TmHMS);
  ASSERT_GE(fine.size(), 4u);
  for (const TGridLine& l : fine) {
    // k/30 degree must read as whole even minutes, never 59 seconds short.
    ASSERT_EQ(l.Label.size(), 12u) << l.Label;
    EXPECT_EQ(l.Label.substr(8), " 00\"") << l.Label;
    EXPECT_EQ((l.Label[6] - '0') % 2, 0) << l.Label;
  }
}

TEST(CoordinateGrid, FollowsTheRotation) {
  ViewState state = ChicagoView();
  ASSERT_TRUE(state.Rotate(90));
  for (const TGridLine& l : Only(ComputeCoordinateGrid(state, TmDEG), true)) {
    EXPECT_LE(std::abs(l.From.Y - l.To.Y), 1);  // meridians lie horizontal
  }
}

TEST(CoordinateGrid, StaysBoundedForDegenerateViews) {
  struct Case {
    std::int32_t left, bottom, right, top;
    std::size_t maxLines;
  };
  const Case cases[] = {
      {0, 0, -100, 100, 0},  // Right < Left: negative spacing, no grid
      {0, 0, 100, 2000000, 2 * kMaxGridLinesPerDirection},  // 0.001° spacing, 2,000,000 units tall
      {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min(),
       std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(), 20},
  };
  for (const Case& c : cases) {
    ViewState state;
    TViewWindow& v = state.View();
    v.Left = c.left;
    v.Bottom = c.bottom;
    v.Right = c.right;
    v.Top = c.top;
    EXPECT_LE(ComputeCoordinateGrid(state, TmDEG).size(), c.maxLines) << c.right;
  }
  ViewState tall;
  tall.View().Right = 100;
  tall.View().Top = 2000000;
  EXPECT_EQ(Only(ComputeCoordinateGrid(tall, TmDEG), false).size(),
            static_cast<std::size_t>(kMaxGridLinesPerDirection));
}

}  // namespace
}  // namespace quelmar::core
