#include "control/data/quad.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace quelmar::data {
namespace {

using core::TMapPoint;

constexpr std::int32_t kMin32 = -2147483647 - 1;
constexpr std::int32_t kMax32 = 2147483647;

TEST(QuadGrid, PrefixesCellsAndShift) {
  struct Case {
    QuadGrid grid;
    char prefix;
    std::int32_t cell;
    bool shifted;
  };
  const Case cases[] = {
      {QuadGrid::Street, 'Y', 5000, false},    {QuadGrid::Extra, 'Q', 312500, false},
      {QuadGrid::Network, 'G', 30000, true},   {QuadGrid::Overview, 'M', 78125, false},
      {QuadGrid::Land, 'U', 12480, false},     {QuadGrid::National, 'Z', 20000, false},
  };
  for (const Case& c : cases) {
    const QuadGridInfo info = GridInfo(c.grid);
    EXPECT_EQ(info.Prefix, c.prefix);
    EXPECT_EQ(info.Cell, c.cell) << c.prefix;
    EXPECT_EQ(info.Shifted, c.shifted) << c.prefix;
  }
}

TEST(QuadAt, ColumnsFrom180WestRowsFromTheEquatorOrTheSouthPole) {
  struct Case {
    QuadGrid grid;
    TMapPoint point;
    std::optional<Quad> quad;
  };
  const Case cases[] = {
      {QuadGrid::Street, {-1432500, 575000}, Quad{QuadGrid::Street, 276, 115}},
      {QuadGrid::Street, {-1427501, 579999}, Quad{QuadGrid::Street, 276, 115}},
      {QuadGrid::Street, {-2812500, 0}, Quad{QuadGrid::Street, 0, 0}},
      // Truncation toward zero: less than a cell short of the origin is still 0.
      {QuadGrid::Street, {-2812500 - 4999, -4999}, Quad{QuadGrid::Street, 0, 0}},
      {QuadGrid::Street, {-2812500 - 5000, 0}, std::nullopt},
      {QuadGrid::Street, {0, -5000}, std::nullopt},
      {QuadGrid::Street, {1296 * 5000 - 2812500 - 1, 1296 * 5000 - 1}, Quad{QuadGrid::Street, 1295, 1295}},
      {QuadGrid::Street, {1296 * 5000 - 2812500, 0}, std::nullopt},
      {QuadGrid::Network, {0, 0}, Quad{QuadGrid::Network, 93, 46}},
      {QuadGrid::Network, {0, -1406250}, Quad{QuadGrid::Network, 93, 0}},
      {QuadGrid::Overview, {-1369219, 654375}, Quad{QuadGrid::Overview, 18, 8}},
      {QuadGrid::Street, {kMax32, kMax32}, std::nullopt},
      {QuadGrid::Extra, {kMax32, 0}, std::nullopt},
      {QuadGrid::Extra, {kMin32, kMin32}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QuadAt(c.grid, c.point), c.quad) << c.point.X << ", " << c.point.Y;
  }
}

TEST(QuadName, WritesAndReadsBase36Pairs) {
  struct Case {
    Quad quad;
    std::string_view name;
  };
  const Case cases[] = {
      {{QuadGrid::Street, 276, 115}, "Y7O37"},  {{QuadGrid::Street, 0, 0}, "Y0000"},
      {{QuadGrid::Street, 1295, 1295}, "YZZZZ"}, {{QuadGrid::Extra, 10, 35}, "Q0A0Z"},
      {{QuadGrid::Network, 36, 1}, "G1001"},    {{QuadGrid::Overview, 18, 8}, "M0I08"},
      {{QuadGrid::Land, 100, 200}, "U2S5K"},    {{QuadGrid::National, 71, 72}, "Z1Z20"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QuadName(c.quad), c.name);
    EXPECT_EQ(ParseQuadName(c.name), c.quad) << c.name;
  }
  EXPECT_EQ(ParseQuadName("y7o37"), (Quad{QuadGrid::Street, 276, 115})) << "either case";
}

TEST(QuadName, RefusesHostileNamesAndInvalidQuads) {
  for (std::string_view name : {"", "Y", "Y7O3", "Y7O371", "Y7O37117", "X7O37", "P0000", "Y7O3!", "Y7O-7", " 7O37",
                                "Y7O37 ", "Y7 37"}) {
    EXPECT_FALSE(ParseQuadName(name)) << name;
  }
  EXPECT_FALSE(ParseQuadName(std::string_view("Y7O\0" "7", 5)));
  EXPECT_FALSE(ParseQuadName("Y7O{7")) << "just past 'Z'";
  for (const Quad& quad : {Quad{QuadGrid::Street, -1, 0}, Quad{QuadGrid::Street, 0, 1296},
                           Quad{static_cast<QuadGrid>(99), 0, 0}}) {
    EXPECT_EQ(QuadName(quad), "");
    EXPECT_FALSE(QuadBox(quad));
  }
}

TEST(QuadView, CoversTheCornersQuadsCutToTheGrid) {
  // A view straddling the line between columns 276 and 277 and rows 115 and 116.
  const std::optional<QuadRange> range = QuadsOfView(QuadGrid::Street, {-1429000, 578000}, {-1426000, 581000});
  ASSERT_TRUE(range);
  EXPECT_EQ(range->Count(), 4);
  const std::vector<Quad> quads = ListQuads(*range);
  const std::vector<Quad> expected = {{QuadGrid::Street, 276, 115}, {QuadGrid::Street, 276, 116},
                                      {QuadGrid::Street, 277, 115}, {QuadGrid::Street, 277, 116}};
  EXPECT_EQ(quads, expected);

  // One point is one quad.
  const std::optional<QuadRange> point = QuadsOfView(QuadGrid::Street, {-1429000, 578000}, {-1429000, 578000});
  ASSERT_TRUE(point);
  EXPECT_EQ(ListQuads(*point), (std::vector<Quad>{{QuadGrid::Street, 276, 115}}));

  // A view reaching past the grid keeps the cells inside it.
  const std::optional<QuadRange> cut = QuadsOfView(QuadGrid::Extra, {kMin32, kMin32}, {-2812500 + 312500, 0});
  ASSERT_TRUE(cut);
  EXPECT_EQ((std::array{cut->FirstColumn, cut->FirstRow, cut->LastColumn, cut->LastRow}),
            (std::array{0, 0, 1, 0}));
  const std::optional<QuadRange> whole = QuadsOfView(QuadGrid::Street, {kMin32, kMin32}, {kMax32, kMax32});
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->Count(), 1296 * 1296);
}

TEST(QuadView, NothingForInvertedOrOutsideViews) {
  struct Case {
    TMapPoint lowerLeft, upperRight;
  };
  const Case cases[] = {
      {{-1426000, 578000}, {-1429000, 581000}},  // x inverted
      {{-1429000, 581000}, {-1426000, 578000}},  // y inverted
      {{kMin32, 0}, {-2812500 - 5000, 1000}},    // west of the grid
      {{0, kMin32}, {1000, -5000}},              // south of the grid
      {{6480000, 0}, {kMax32, 1000}},            // east of the grid
  };
  for (const Case& c : cases) EXPECT_FALSE(QuadsOfView(QuadGrid::Street, c.lowerLeft, c.upperRight));
}

TEST(QuadBox, CellsAndQuarters) {
  const Quad y7o37{QuadGrid::Street, 276, 115};
  const MapBox cell{-1432500, 575000, -1427500, 580000};
  EXPECT_EQ(QuadBox(y7o37), cell);
  struct Case {
    int sub;
    std::optional<MapBox> box;
  };
  const Case cases[] = {
      {0, cell},
      {1, MapBox{-1432500, 575000, -1430000, 577500}},
      {2, MapBox{-1430000, 575000, -1427500, 577500}},
      {3, MapBox{-1432500, 577500, -1430000, 580000}},
      {4, MapBox{-1430000, 577500, -1427500, 580000}},
      {5, std::nullopt},
      {-1, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(SubQuadBox(y7o37, c.sub), c.box) << c.sub;

  EXPECT_EQ(QuadBox({QuadGrid::Network, 93, 0}), (MapBox{-22500, -1406250, 7500, -1376250})) << "shifted rows";
  EXPECT_EQ(SubQuadBox({QuadGrid::Land, 0, 0}, 4), (MapBox{-2812500 + 6240, 6240, -2812500 + 12480, 12480}));
  EXPECT_EQ(QuadBox({QuadGrid::Extra, 1295, 1295}), (MapBox{1295 * 312500 - 2812500, 1295 * 312500,
                                                            1296 * 312500 - 2812500, 1296 * 312500}));

  // Each point of the view's quads lies in the box of the quad QuadAt gives it.
  for (TMapPoint p : {TMapPoint{-1432500, 575000}, TMapPoint{-1427501, 579999}, TMapPoint{-1, 1}}) {
    for (QuadGrid grid : {QuadGrid::Street, QuadGrid::Network, QuadGrid::Land}) {
      const std::optional<Quad> quad = QuadAt(grid, p);
      ASSERT_TRUE(quad);
      EXPECT_TRUE(BoxContains(*QuadBox(*quad), p.X, p.Y)) << QuadName(*quad);
    }
  }
}

TEST(QuadStreetMember, NamesQuadSubAndState) {
  const Quad y7o37{QuadGrid::Street, 276, 115};
  struct Case {
    StreetMember member;
    std::string_view name;
  };
  const Case cases[] = {
      {{y7o37, 1, 17}, "Y7O37117"}, {{y7o37, 4, 17}, "Y7O37417"}, {{y7o37, 0, 17}, "Y7O37017"},
      {{y7o37, 2, 1}, "Y7O37201"},  {{y7o37, 3, 99}, "Y7O37399"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StreetMemberName(c.member), c.name);
    EXPECT_EQ(ParseStreetMemberName(c.name), c.member) << c.name;
  }
  for (const StreetMember& bad : {StreetMember{y7o37, 5, 17}, StreetMember{y7o37, -1, 17},
                                  StreetMember{y7o37, 1, 100}, StreetMember{y7o37, 1, -1},
                                  StreetMember{{QuadGrid::Overview, 276, 115}, 1, 17},
                                  StreetMember{{QuadGrid::Street, 1296, 0}, 1, 17}}) {
    EXPECT_EQ(StreetMemberName(bad), "");
  }
  for (std::string_view name : {"", "Y7O3711", "Y7O371170", "M7O37117", "Y7O37517", "Y7O37/17", "Y7O3711A",
                                "Y7O371 7", "Y7O!7117"}) {
    EXPECT_FALSE(ParseStreetMemberName(name)) << name;
  }
}

}  // namespace
}  // namespace quelmar::data
