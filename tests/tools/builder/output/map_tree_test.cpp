#include "tools/quelmar-data/builder/output/map_tree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "tools/quelmar-data/builder/output/verify_tree.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;

Ring Box(double west, double south, double east, double north) {
  return {ToMapUnits(west, south), ToMapUnits(east, south), ToMapUnits(east, north), ToMapUnits(west, north),
          ToMapUnits(west, south)};
}

// A small country: one state with one county, a lake, two cities on a
// highway, an airport, and a few streets with a range.
NationalInputs SmallCountry() {
  NationalInputs n;
  n.Nation.push_back(Box(-91.5, 37.0, -87.5, 42.5));
  n.States.push_back({17, "IL", "Illinois", {Box(-91.5, 37.0, -87.5, 42.5)}});
  n.Counties.push_back({17, 31, "Cook", {Box(-88.3, 41.4, -87.5, 42.2)}});
  n.Lakes.push_back({"Lake Test", {Box(-89.0, 40.0, -88.8, 40.2)}});
  n.Rivers.push_back({"", {ToMapUnits(-91.0, 37.5), ToMapUnits(-90.0, 39.0)}});
  Place chicago;
  chicago.Name = "Chicago";
  chicago.StateCode = "IL";
  chicago.StateFips = 17;
  chicago.CountyCode = 17031;
  chicago.Population = 2746388;
  chicago.At = ToMapUnits(-87.63, 41.88);
  Place springfield = chicago;
  springfield.Name = "Springfield";
  springfield.CountyCode = 17167;
  springfield.Population = 114394;
  springfield.StateCapital = true;
  springfield.At = ToMapUnits(-89.65, 39.78);
  n.Places = {chicago, springfield};
  n.Airports.push_back({"ORD", "Chicago O'Hare International", "Chicago", "IL", ToMapUnits(-87.90, 41.98)});
  n.Highways.push_back({"I-55", true, {springfield.At, chicago.At}, {"Springfield, IL", "Chicago, IL"}});
  return n;
}

std::vector<StreetSample> SmallStreets() {
  StreetSample sample;
  sample.Source = "fixture";
  sample.StateFips = 17;
  StreetSegment s;
  s.Name = "W ADDISON ST";
  s.Cfcc = "A41";
  s.Points = {ToMapUnits(-87.66, 41.947), ToMapUnits(-87.65, 41.947)};
  s.Low = 1000;
  s.High = 1198;
  sample.Segments.push_back(s);
  s.Name = "N CLARK ST";
  s.Points = {ToMapUnits(-87.655, 41.94), ToMapUnits(-87.655, 41.95)};
  s.Low = 3500;
  s.High = 3598;
  sample.Segments.push_back(s);
  return {sample};
}

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TempFolder {
  fs::path path = fs::temp_directory_path() / ("map-tree-" + std::to_string(::getpid()));
  TempFolder() { fs::create_directories(path); }
  ~TempFolder() { fs::remove_all(path); }
};

TEST(MapTree, TheEngineReadsBackEverythingItWrote) {
  TempFolder temp;
  const fs::path tree = temp.path / "map";
  const ZipCentroids zips({{60613, "IL", ToMapUnits(-87.655, 41.947), "Chicago"}});
  const TreeReport report = WriteMapTree(SmallCountry(), SmallStreets(), zips, tree, [](const std::string&) {});
  EXPECT_GT(report.BaseMapBytes, 0u);
  EXPECT_TRUE(fs::exists(tree / "MAP.INI"));
  EXPECT_FALSE(fs::exists(temp.path / "map.partial"));
  std::ostringstream out;
  EXPECT_EQ(VerifyTree(tree, VerifyOptions{}, out), 0) << out.str();
}

TEST(MapTree, BuildingTwiceGivesTheSameBytes) {
  TempFolder temp;
  const ZipCentroids zips({{60613, "IL", ToMapUnits(-87.655, 41.947), "Chicago"}});
  WriteMapTree(SmallCountry(), SmallStreets(), zips, temp.path / "a", [](const std::string&) {});
  WriteMapTree(SmallCountry(), SmallStreets(), zips, temp.path / "b", [](const std::string&) {});
  std::size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(temp.path / "a")) {
    if (!entry.is_regular_file()) continue;
    const fs::path twin = temp.path / "b" / fs::relative(entry.path(), temp.path / "a");
    ASSERT_TRUE(fs::exists(twin)) << twin;
    EXPECT_EQ(Bytes(entry.path()), Bytes(twin)) << entry.path();
    ++files;
  }
  EXPECT_GE(files, 12u);
}

TEST(MapTree, AFailedBuildLeavesTheOldTree) {
  TempFolder temp;
  const fs::path tree = temp.path / "map";
  const ZipCentroids zips;
  WriteMapTree(SmallCountry(), SmallStreets(), zips, tree, [](const std::string&) {});
  const std::string before = Bytes(tree / "TARVO.ZIP");
  // A street of an unknown feature class stops the build midway.
  std::vector<StreetSample> bad = SmallStreets();
  bad[0].Segments[0].Cfcc = "Q99";
  EXPECT_ANY_THROW(WriteMapTree(SmallCountry(), bad, zips, tree, [](const std::string&) {}));
  EXPECT_EQ(Bytes(tree / "TARVO.ZIP"), before);
  EXPECT_FALSE(fs::exists(temp.path / "map.partial"));
}

}  // namespace
}  // namespace quelmar::builder
