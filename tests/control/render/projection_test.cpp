#include "control/render/projection.h"

#include <gtest/gtest.h>

namespace quelmar::render {
namespace {

// A 1000 x 1000 view of one degree square at 0.064 pixels per unit.
core::ViewState View() {
  core::ViewState state;
  state.View().Width = 1000;
  state.View().Height = 1000;
  state.ZoomWindow(-88, 42, -87, 41);
  return state;
}

TEST(Projection, ProjectsAsTheViewDoes) {
  const core::ViewState state = View();
  const Projection projection(state);
  for (const TMapPoint p : {TMapPoint{-1367000, 648000}, TMapPoint{-1360000, 650000}}) {
    const core::TPixelPoint expected = state.MapToPixel(p);
    EXPECT_EQ(projection.Project(p), (gdi::Point{expected.X, expected.Y}));
  }
}

TEST(Projection, ClipsLongSegmentsKeepingTheirSlope) {
  core::ViewState state = View();
  state.SetViewScale(5.0);  // deep zoom: 5 pixels per unit
  state.DeriveEdges();
  const Projection projection(state);
  const core::TViewWindow& v = state.View();
  // A diagonal from far south-west to far north-east of the view.
  const TMapPoint a{v.Left - 1000000, v.Bottom - 1000000};
  const TMapPoint b{v.Left + 1000000, v.Bottom + 1000000};
  std::vector<std::vector<gdi::Point>> runs;
  const TMapPoint line[] = {a, b};
  projection.ProjectLine(line, runs);
  ASSERT_EQ(runs.size(), 1u);
  ASSERT_EQ(runs[0].size(), 2u);
  for (const gdi::Point& p : runs[0]) {
    EXPECT_LE(std::abs(p.x), 32001);
    EXPECT_LE(std::abs(p.y), 32001 + v.Height * 2);
  }
  // The clipped piece still runs at 45°: x grows as y falls.
  const int dx = runs[0][1].x - runs[0][0].x, dy = runs[0][1].y - runs[0][0].y;
  EXPECT_NEAR(double(-dy) / dx, 1.0, 0.01);
}

TEST(Projection, RingsInsideStayWholeAndRingsAroundAreCut) {
  core::ViewState state = View();
  state.SetViewScale(5.0);
  state.DeriveEdges();
  const Projection projection(state);
  const core::TViewWindow& v = state.View();
  std::vector<gdi::Point> out;
  const TMapPoint inside[] = {{v.Left + 1, v.Bottom + 1}, {v.Left + 50, v.Bottom + 1}, {v.Left + 1, v.Bottom + 50}};
  projection.ProjectRing(inside, out);
  EXPECT_EQ(out.size(), 3u);
  const TMapPoint around[] = {{v.Left - 900000, v.Bottom - 900000}, {v.Left + 900000, v.Bottom - 900000},
                              {v.Left + 900000, v.Bottom + 900000}, {v.Left - 900000, v.Bottom + 900000}};
  projection.ProjectRing(around, out);
  ASSERT_EQ(out.size(), 4u);
  for (const gdi::Point& p : out) EXPECT_LE(std::abs(p.x), 32001);
}

TEST(Projection, TheCullingSquareOfARotatedMap) {
  core::ViewState state = View();
  const Projection plain(state);
  EXPECT_EQ(plain.Cull(), (data::MapBox{state.View().Left, state.View().Bottom, state.View().Right, state.View().Top}));
  state.Rotate(30);
  state.PrepareRotation();
  const Projection turned(state);
  EXPECT_LT(turned.Cull().Left, plain.Cull().Left);
  EXPECT_GT(turned.Cull().Top, plain.Cull().Top);
}

}  // namespace
}  // namespace quelmar::render
