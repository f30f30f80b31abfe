// The load pass over a small data tree written with the project's writers.
#include "control/data/load_pass.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "control/data/archive_writer.h"
#include "control/data/drawing_writer.h"
#include "control/data/quad.h"

namespace quelmar::data {
namespace {

namespace fs = std::filesystem;

// A drawing of one line inside `box`.
std::vector<std::uint8_t> LineIn(const MapBox& box, std::int16_t version = 402) {
  DrawingWriter w(version);
  w.Extents(box.Left, box.Right, box.Bottom, box.Top);
  w.FeatureCode(77);
  w.Polyline(ObjectKind::Polyline13, AttributeCoding::None, PointCoding::Absolute, {}, {box.Left + 1, box.Bottom + 1},
             std::vector<TMapPoint>{{box.Left + 100, box.Bottom + 100}});
  w.End();
  return w.Bytes();
}

// Chicago's street quad in the 17 archive (its four quarters and the whole
// quad), the 5° state quad around it, and a base map file.
class LoadPassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("load-pass-" + std::to_string(::getpid()));
    fs::create_directories(root_ / "STATES0");
    fs::create_directories(root_ / "Data1");
    quad_ = *QuadAt(QuadGrid::Street, {-1369000, 654400});  // about 87.6° W, 41.9° N
    ArchiveWriter streets(ArchiveLayout::kLayerArchive);
    for (int sub = 0; sub <= 4; ++sub) {
      streets.Add(StreetMemberName({quad_, sub, 17}), LineIn(*SubQuadBox(quad_, sub)));
    }
    streets.WriteFile(root_ / "STATES0" / "17.ZP5");
    const Quad state = *QuadAt(QuadGrid::Overview, {-1369000, 654400});
    ArchiveWriter states(ArchiveLayout::kLayerArchive);
    states.Add(QuadName(state) + "95", LineIn(*QuadBox(state), 400));
    states.WriteFile(root_ / "Data1" / "MSTATE.ZPX");  // other case than the loader asks for
    const auto base = LineIn({-2000000, 300000, -1000000, 800000}, 400);
    std::ofstream out(root_ / "BASE.DCM", std::ios::binary);
    out.write(reinterpret_cast<const char*>(base.data()), static_cast<std::streamsize>(base.size()));
    out.close();

    rules_.ForMiles = [](double miles) { return 100.0 / miles; };  // threshold: 50
    LoadContext context;
    context.DataFolder = root_.string();
    ASSERT_EQ(table_.LoadDrawing(0, "BASE.DCM", "", false, context), 1);
    input_.Folders = {(root_ / "STATES0").string(), "", (root_ / "data1").string(), ""};
  }
  void TearDown() override { fs::remove_all(root_); }

  // A view of the quad's lower-left quarter at `scale`.
  void Run(double scale) {
    const MapBox quarter = *SubQuadBox(quad_, 1);
    input_.LoadRect = {quarter.Left + 10, quarter.Bottom + 10, quarter.Left + 500, quarter.Bottom + 500};
    input_.Scale = scale;
    pass_.Run(table_, input_, rules_);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 1; i <= table_.Count(); ++i) names.push_back(table_.At(i).Name);
    return names;
  }

  fs::path root_;
  Quad quad_;
  DrawingTable table_;
  ScaleRules rules_;
  LoadPassInput input_;
  LoadPass pass_;
};

TEST_F(LoadPassTest, StreetScaleLoadsTheQuarterAndTheWholeQuadThenZoomingOutDropsThem) {
  Run(60);
  const std::string quarter = StreetMemberName({quad_, 1, 17});
  const std::string whole = StreetMemberName({quad_, 0, 17});
  EXPECT_NE(table_.FindDrawing(quarter), 0);
  EXPECT_NE(table_.FindDrawing(whole), 0);
  EXPECT_EQ(table_.FindDrawing(StreetMemberName({quad_, 4, 17})), 0) << "a quarter the view does not meet";
  EXPECT_EQ(table_.At(1).Name, "BASE.DCM");
  EXPECT_GT(table_.At(table_.FindDrawing(quarter)).Store.Count(), 0);

  Run(60);  // the same view again loads nothing twice
  const auto names = Names();
  EXPECT_EQ(std::count(names.begin(), names.end(), quarter), 1);

  Run(10);  // far out: the street quads go, the base map stays, the state quad comes
  EXPECT_EQ(table_.FindDrawing(quarter), 0);
  EXPECT_EQ(table_.FindDrawing(whole), 0);
  EXPECT_EQ(table_.At(1).Name, "BASE.DCM");
  EXPECT_EQ(table_.Count(), 2) << ::testing::PrintToString(Names());
}

TEST_F(LoadPassTest, ExactlyAtTheStreetThresholdNoStreetQuadsLoad) {
  Run(50);
  EXPECT_EQ(table_.FindDrawing(StreetMemberName({quad_, 1, 17})), 0);
}

TEST_F(LoadPassTest, HiddenDrawingsAreDroppedAndSwitchesKeepLayersOut) {
  input_.Switches.State = false;
  Run(10);
  EXPECT_EQ(table_.Count(), 1) << "with the state switch off only the base map is loaded";
  input_.Switches.State = true;
  Run(10);
  ASSERT_EQ(table_.Count(), 2);
  table_.HideDrawing(table_.At(2).Name, true);
  input_.Switches.State = false;
  Run(10);
  EXPECT_EQ(table_.Count(), 1);
}

TEST_F(LoadPassTest, UnloadingKeepsTheOtherDrawingsObjects) {
  Run(60);
  ASSERT_GE(table_.Count(), 3);
  const std::string last = table_.At(table_.Count()).Name;
  const auto objects = table_.At(table_.Count()).Store.Objects();
  const std::size_t pages = table_.Heap().PagesInUse();
  table_.UnloadDrawing(2);
  EXPECT_EQ(table_.At(table_.Count()).Name, last);
  EXPECT_EQ(table_.At(table_.Count()).Store.Objects(), objects);
  EXPECT_LT(table_.Heap().PagesInUse(), pages);
}

// Every layer archive and the national archive beside the fixture's, each
// with the member of the view's quad; names as a built tree spells them.
class LoadPassLayersTest : public LoadPassTest {
 protected:
  void SetUp() override {
    LoadPassTest::SetUp();
    fs::create_directories(root_ / "Data2");
    WriteQuadArchive(root_ / "Data1" / "MXtra.zpx", QuadGrid::Extra, "00");
    WriteQuadArchive(root_ / "Data1" / "mrte.zpx", QuadGrid::Network, "");
    WriteQuadArchive(root_ / "Data1" / "mhydro.zpx", QuadGrid::Overview, "94");
    WriteQuadArchive(root_ / "Data1" / "Mcity.zpx", QuadGrid::Overview, "98");
    WriteQuadArchive(root_ / "Data1" / "Mair.zpx", QuadGrid::Overview, "97");
    WriteQuadArchive(root_ / "Data1" / "Mcnty.zpx", QuadGrid::Overview, "93");
    WriteQuadArchive(root_ / "Data2" / "Mland.zpx", QuadGrid::Land, "96");
    WriteQuadArchive(root_ / "STATES0" / "02.ZP5", QuadGrid::National, "");
    input_.Folders.Data2 = (root_ / "Data2").string();
  }

  // The member of `grid` at the view, as the load pass names it.
  std::string MemberAt(QuadGrid grid, const std::string& suffix) const {
    return QuadName(*QuadAt(grid, At())) + suffix;
  }

  void WriteQuadArchive(const fs::path& path, QuadGrid grid, const std::string& suffix) const {
    ArchiveWriter archive(ArchiveLayout::kLayerArchive);
    archive.Add(MemberAt(grid, suffix), LineIn(*QuadBox(*QuadAt(grid, At())), 400));
    archive.WriteFile(path);
  }

  // The names a fresh table holds after one pass at `scale`, in load order.
  std::vector<std::string> LoadedAt(double scale, const LoadPassInput& input) const {
    DrawingTable table;
    ScaleRules rules = rules_;
    LoadPassInput view = input;
    const MapBox quarter = *SubQuadBox(quad_, 1);
    view.LoadRect = {quarter.Left + 10, quarter.Bottom + 10, quarter.Left + 500, quarter.Bottom + 500};
    view.Scale = scale;
    LoadPass().Run(table, view, rules);
    std::vector<std::string> names;
    for (int i = 1; i <= table.Count(); ++i) names.push_back(table.At(i).Name);
    return names;
  }

 private:
  TMapPoint At() const {
    const MapBox quarter = *SubQuadBox(quad_, 1);
    return {quarter.Left + 250, quarter.Bottom + 250};
  }
};

// The scales of the fixture's rules: the street threshold is 50; the national
// quads load above 6.25, the network from 4 and the hydro layer from 2.08,
// both below 50; the extra overview from 50.
TEST_F(LoadPassLayersTest, EachScaleLoadsItsArchivesMembersInOrder) {
  const std::string extra = MemberAt(QuadGrid::Extra, "00");
  const std::string network = MemberAt(QuadGrid::Network, "");
  const std::string hydro = MemberAt(QuadGrid::Overview, "94");
  const std::string state = MemberAt(QuadGrid::Overview, "95");
  const std::string city = MemberAt(QuadGrid::Overview, "98");
  const std::string air = MemberAt(QuadGrid::Overview, "97");
  const std::string county = MemberAt(QuadGrid::Overview, "93");
  const std::string land = MemberAt(QuadGrid::Land, "96");
  const std::string national = MemberAt(QuadGrid::National, "");
  const std::string quarter = StreetMemberName({quad_, 1, 17});
  const std::string whole = StreetMemberName({quad_, 0, 17});
  struct Case {
    const char* name;
    double scale;
    std::function<void(LoadPassInput&)> change;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"far out: the layers from the lowest bounds", 3, nullptr, {hydro, state, county}},
      {"mid scale: national quads and every layer but the extra overview", 20, nullptr,
       {national, network, hydro, state, city, air, county, land}},
      {"street scale: streets, the extra overview, no network or hydro", 60, nullptr,
       {national, quarter, whole, extra, state, city, air, county, land}},
      {"switches keep their layers out", 20,
       [](LoadPassInput& in) {
         in.Switches.Highway = false;
         in.Switches.Landmark = false;
         in.Switches.Air = false;
       },
       {national, hydro, state, city, county}},
      {"without the Data2 folder no landmarks", 20, [](LoadPassInput& in) { in.Folders.Data2.clear(); },
       {national, network, hydro, state, city, air, county}},
      {"without the Data1 folder no overview, the Data2 landmarks neither", 60,
       [](LoadPassInput& in) { in.Folders.Data1.clear(); }, {national, quarter, whole}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadPassInput input = input_;
    if (c.change) c.change(input);
    EXPECT_EQ(LoadedAt(c.scale, input), c.expected);
  }
}

TEST(LoadDrawing, SourcesThatCannotBeOpenedLeaveNoEntry) {
  DrawingTable table;
  LoadContext context;
  context.DataFolder = "/nonexistent";
  EXPECT_EQ(table.LoadDrawing(kLoadFromArchive, "17.ZP5", "Y7O37117", true, context), 0);
  EXPECT_EQ(table.LoadError(), kLoadSourceNotOpened);
  EXPECT_EQ(table.LoadDrawing(0, "f:\\TARVO50\\NOSUCH.DCM", "", false, context), 0);
  EXPECT_EQ(table.Count(), 0);
  // The built-in base map is always there.
  EXPECT_EQ(table.LoadDrawing(0, "TARVO.ZIP", "", false, context), 1);
  EXPECT_EQ(table.At(1).Kind, 'P');
}

}  // namespace
}  // namespace quelmar::data
