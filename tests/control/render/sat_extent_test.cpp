// The extent file: coordinate forms, corner order, line limits and the
// lines and files it refuses.
#include "control/render/sat_extent.h"

#include <gtest/gtest.h>

#include "control/core/errors.h"
#include "underlay_test_support.h"

namespace quelmar::render {
namespace {

// -100.5° = -1,570,312.5 units (ties to even: -1,570,312); -99.5° = -1,554,687.5
// (-1,554,688); 40° = 625,000; 39° = 609,375.
constexpr core::MapRect kPlacement{-1570312, 625000, -1554688, 609375};

void ExpectExtent(const core::MapRect& got, const core::MapRect& want) {
  EXPECT_EQ(got.x1, want.x1);
  EXPECT_EQ(got.y1, want.y1);
  EXPECT_EQ(got.x2, want.x2);
  EXPECT_EQ(got.y2, want.y2);
}

struct LineCase {
  const char* name;
  const char* line;
};

class ExtentLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ExtentLine, PlacesTheSameCorners) { ExpectExtent(ParseExtentLine(GetParam().line), kPlacement); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtentLine,
    ::testing::Values(LineCase{"Degrees", "-100.5,40,-99.5,39"},
                      LineCase{"CornersSwapped", "-99.5,39,-100.5,40"},
                      LineCase{"MixedCorners", "-100.5,39,-99.5,40"},
                      LineCase{"DegreesMinutes", "-100:30,40,-99:30,39"},
                      LineCase{"DegreesMinutesSeconds", "-100:29:60,40:0:0,-99:30:0,39"},
                      LineCase{"Star", "*-100.5,40,-99.5,39"},
                      LineCase{"OtherCharactersDropped", " W-100.5 deg , N40 ,-99.5x,39\r\nnext line"},
                      LineCase{"PlusSigns", "-100.5,+40,-99.5,+39"},
                      LineCase{"FifthFieldIgnored", "-100.5,40,-99.5,39,comment"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExtentCoordinate, SignOfTheDegreesAppliesToTheWhole) {
  EXPECT_DOUBLE_EQ(ParseExtentCoordinate("-0:30"), -0.5);
  EXPECT_DOUBLE_EQ(ParseExtentCoordinate("-10:30:36"), -10.51);
  EXPECT_DOUBLE_EQ(ParseExtentCoordinate("10:30:36"), 10.51);
  EXPECT_DOUBLE_EQ(ParseExtentCoordinate("+12.25"), 12.25);
}

class ExtentLineRefusal : public ::testing::TestWithParam<LineCase> {};

TEST_P(ExtentLineRefusal, ThrowsDataError) { EXPECT_THROW(ParseExtentLine(GetParam().line), DataError); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtentLineRefusal,
    ::testing::Values(LineCase{"Empty", ""},
                      LineCase{"ThreeCoordinates", "-100.5,40,-99.5"},
                      LineCase{"NoDigits", "-100.5,north,-99.5,39"},
                      LineCase{"TwoPoints", "-100.5,40,-99..5,39"},
                      LineCase{"FourParts", "-100:1:2:3,40,-99.5,39"},
                      LineCase{"EmptyMinutes", "-100:,40,-99.5,39"},
                      LineCase{"TooLargeForMapUnits", "-100.5,40,999999,39"},
                      // Only 80 characters are read: the fourth coordinate is cut off.
                      LineCase{"BeyondEightyCharacters",
                               "-100.5,40,-99.5                                                                  ,39"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExtentFile, NameIsTheBaseNameUpToTheFirstDot) {
  EXPECT_EQ(ExtentFilePath("maps/us.relief.bmp"), std::filesystem::path("maps/us.sat"));
  EXPECT_EQ(ExtentFilePath("/data/TOPO.PCC"), std::filesystem::path("/data/TOPO.sat"));
  EXPECT_EQ(ExtentFilePath("plain"), std::filesystem::path("plain.sat"));
}

TEST(ExtentFile, ReadsTheFirstLineMatchingTheNameWithoutRegardToCase) {
  test::ScratchFolder folder;
  folder.Write("RELIEF.SAT", "-100.5,40,-99.5,39\n0,0,0,0\n");
  ExpectExtent(ReadExtentFile(folder.Path() / "relief.bmp"), kPlacement);
}

TEST(ExtentFile, MissingFileIsAnIoError) {
  test::ScratchFolder folder;
  EXPECT_THROW(ReadExtentFile(folder.Path() / "none.bmp"), IoError);
}

}  // namespace
}  // namespace quelmar::render
