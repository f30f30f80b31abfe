#include "tools/quelmar-data/builder/output/osm_export.h"

#include <gtest/gtest.h>

#include <map>
#include <osmium/handler.hpp>
#include <osmium/io/xml_input.hpp>
#include <osmium/visitor.hpp>

#include "control/core/errors.h"
#include "control/data/byte_source.h"
#include "control/data/cfcc.h"
#include "platform/kernel/test_files.h"
#include "tools/commands/tree_fixture.h"
#include "tools/quelmar-data/builder/name_packer.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;
using data::AttributeCoding;
using data::ObjectKind;
using data::PointCoding;
using data::TMapPoint;
using quelmar::testing::FileCount;
using quelmar::testing::ReadText;
using quelmar::testing::TempDir;
using quelmar::testing::WriteText;
using testing::kChicago;

std::uint8_t CodeOf(std::string_view cfcc) { return data::FeatureCodeOfCfcc(cfcc).value(); }

TEST(HighwayOf, TagsRoadsByLayerRampCodeAndInterstateName) {
  struct Case {
    std::uint8_t code;
    std::string_view name;
    std::string_view highway;
  };
  const Case cases[] = {
      {9, "", "motorway"},  // a layer's own code
      {CodeOf("A11"), "", "motorway"},
      {CodeOf("A21"), "", "trunk"},
      {CodeOf("A31"), "", "secondary"},
      {CodeOf("A37"), "", "secondary"},
      {CodeOf("A51"), "", "track"},
      {CodeOf("A41"), "", "residential"},
      {CodeOf("A41"), "I-90", "motorway"},        // a street named as an interstate
      {CodeOf("A63"), "I-90", "motorway_link"},   // the ramp code wins over the name
      {CodeOf("B11"), "I-90", ""},                // railroads are no roads
      {CodeOf("H11"), "", ""},                    // nor water
      {7, "", ""},                                // nor place boundaries
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HighwayOf(c.code, c.name), c.highway) << int(c.code) << " " << c.name;
  }
}

TEST(RouteRef, WritesRouteNumbersAsOpenStreetMapRefs) {
  const std::pair<std::string_view, std::optional<std::string>> cases[] = {
      {"I-90", "I-90"},
      {"US HWY 41", "US 41"},
      {"US 41", "US 41"},
      {" SR 50 BUS", "SR 50"},  // the number alone
      {"I-", std::nullopt},
      {"USHER ST", std::nullopt},
      {"US HWY BUSINESS", std::nullopt},
      {"NORTH CLARK ST", std::nullopt},
  };
  for (const auto& [name, ref] : cases) EXPECT_EQ(RouteRef(name), ref) << name;
}

TEST(OsmDegrees, WritesSevenDecimalsExactly) {
  const std::pair<std::int32_t, std::string_view> cases[] = {
      {0, "0.0000000"},           {-1, "-0.0000640"},          {15625, "1.0000000"},
      {kChicago.X, "-87.6300160"}, {kChicago.Y, "41.8800000"},
  };
  for (const auto& [units, text] : cases) EXPECT_EQ(OsmDegrees(units), text) << units;
}

void Line(data::DrawingWriter& w, std::vector<TMapPoint> points) {
  const TMapPoint start = points.front();
  points.erase(points.begin());
  w.Polyline(ObjectKind::Polyline13, AttributeCoding::Long, PointCoding::Absolute, {100, 98, 0}, start, points);
}

// Clark Street (a street) running east and the US 41 drive (a US highway)
// running north cross at `cross`; after a group mark an unnamed ramp leaves
// Clark's east end. A river, a railroad and a road segment of no length
// are no part of the network.
constexpr TMapPoint kCross{kChicago.X + 10, kChicago.Y};

std::vector<std::uint8_t> CrossingDrawing() {
  const TMapPoint c = kChicago;
  data::DrawingWriter w;
  w.Extents(c.X, c.X + 4000, c.Y - 4000, c.Y + 4000);
  w.FeatureCode(CodeOf("A41"));
  w.NameString(PackStreetName("N CLARK ST").Bytes);
  w.NameRef(w.Objects() - w.SectionBase());
  Line(w, {c, kCross, {c.X + 20, c.Y}});
  w.FeatureCode(CodeOf("A21"));
  w.NameString(PackStreetName("US HWY 41/N LAKE SHORE DR").Bytes);
  w.NameRef(w.Objects() - w.SectionBase());
  Line(w, {{kCross.X, c.Y - 10}, kCross, kCross, {kCross.X, c.Y + 10}});  // a repeated point is one node
  w.GroupMark();
  w.FeatureCode(CodeOf("A63"));
  w.Segment(AttributeCoding::None, PointCoding::Absolute, {{c.X + 20, c.Y}, 5, 5, {}});
  w.Segment(AttributeCoding::None, PointCoding::Absolute, {{c.X + 30, c.Y}, 0, 0, {}});
  w.FeatureCode(CodeOf("B11"));
  Line(w, {c, {c.X, c.Y + 50}});
  w.FeatureCode(CodeOf("H11"));
  Line(w, {c, {c.X + 50, c.Y + 50}});
  w.End();
  return w.Bytes();
}

// What libosmium reads of a file: the nodes' places and each way's nodes and tags.
struct ReadBack : osmium::handler::Handler {
  std::map<osmium::object_id_type, std::pair<double, double>> nodes;  // lon, lat
  struct Way {
    std::vector<osmium::object_id_type> nodes;
    std::map<std::string, std::string> tags;
  };
  std::vector<Way> ways;

  void node(const osmium::Node& node) { nodes[node.id()] = {node.location().lon(), node.location().lat()}; }
  void way(const osmium::Way& way) {
    Way& read = ways.emplace_back();
    for (const osmium::NodeRef& ref : way.nodes()) read.nodes.push_back(ref.ref());
    for (const osmium::Tag& tag : way.tags()) read.tags[tag.key()] = tag.value();
  }
};

ReadBack ReadOsm(const fs::path& path) {
  ReadBack read;
  osmium::io::Reader reader(osmium::io::File(path.string(), "osm"));
  osmium::apply(reader, read);
  reader.close();
  return read;
}

TEST(ExportOsm, WritesTheRoadNetworkWithJunctionsAsSharedNodes) {
  TempDir dir;
  const std::vector<std::uint8_t> bytes = CrossingDrawing();
  WriteText(dir / "Y7O37117.DCM", std::string(bytes.begin(), bytes.end()));
  OsmExportOptions options;
  options.input = dir / "Y7O37117.DCM";
  options.output = dir / "roads.osm";
  const OsmExportResult result = ExportOsm(options);
  EXPECT_TRUE(result.problems.empty());
  EXPECT_EQ(result.drawings, 1u);
  EXPECT_EQ(result.ways, 3u);
  EXPECT_EQ(result.nodes, 6u);
  EXPECT_EQ(FileCount(dir.path()), 2u);  // no temporary file left behind

  const std::string text = ReadText(options.output);
  EXPECT_TRUE(text.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\"")) << text;
  EXPECT_NE(text.find("<node id=\"2\" lat=\"41.8800000\" lon=\"-87.6293760\"/>"), std::string::npos) << text;

  const ReadBack read = ReadOsm(options.output);
  ASSERT_EQ(read.nodes.size(), 6u);
  ASSERT_EQ(read.ways.size(), 3u);
  const ReadBack::Way& clark = read.ways[0];
  const ReadBack::Way& drive = read.ways[1];
  const ReadBack::Way& ramp = read.ways[2];
  ASSERT_EQ(clark.nodes.size(), 3u);
  ASSERT_EQ(drive.nodes.size(), 3u);
  ASSERT_EQ(ramp.nodes.size(), 2u);
  EXPECT_EQ(clark.nodes[1], drive.nodes[1]);  // the crossing
  EXPECT_EQ(clark.nodes[2], ramp.nodes[0]);   // where the ramp leaves
  EXPECT_DOUBLE_EQ(read.nodes.at(drive.nodes[1]).first, -87.629376);
  EXPECT_DOUBLE_EQ(read.nodes.at(drive.nodes[1]).second, 41.88);

  using Tags = std::map<std::string, std::string>;
  EXPECT_EQ(clark.tags, (Tags{{"highway", "residential"}, {"name", "NORTH CLARK ST"}}));
  EXPECT_EQ(drive.tags, (Tags{{"highway", "trunk"}, {"name", "US HWY 41"}, {"ref", "US 41"}}));
  EXPECT_EQ(ramp.tags, (Tags{{"highway", "motorway_link"}}));
}

TEST(OsmNetwork, WritesNamesAsXmlText) {
  const TMapPoint c = kChicago;
  data::DrawingWriter w;
  w.Extents(c.X, c.X + 4000, c.Y, c.Y + 4000);
  w.FeatureCode(CodeOf("A41"));
  w.NameString("A&B \"<C>\"/I-94");
  w.NameRef(w.Objects() - w.SectionBase());
  Line(w, {c, {c.X + 1, c.Y}});
  w.End();
  data::MemorySource source(w.Bytes());
  data::Drawing drawing;
  data::ReadDrawing(source, drawing);
  OsmNetwork network;
  network.AddDrawing(drawing);
  const std::string xml = network.Xml();
  EXPECT_NE(xml.find("<tag k=\"name\" v=\"A&amp;B &quot;&lt;C&gt;&quot;\"/>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<tag k=\"ref\" v=\"I-94\"/>"), std::string::npos) << xml;
}

TEST(ExportOsm, LeavesNoOutputForInputItCannotRead) {
  TempDir dir;
  const std::vector<std::uint8_t> cut = testing::SampleDrawing(kChicago, false);
  WriteText(dir / "CUT.DCM", std::string(cut.begin(), cut.end()));
  OsmExportOptions options;
  options.output = dir / "roads.osm";

  options.input = dir / "none.DCM";
  EXPECT_THROW(ExportOsm(options), IoError);
  EXPECT_FALSE(fs::exists(options.output));

  // A drawing that stops before its end is named and nothing is written.
  options.input = dir / "CUT.DCM";
  const OsmExportResult result = ExportOsm(options);
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_NE(result.problems[0].find("CUT.DCM: reading stopped"), std::string::npos) << result.problems[0];
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

}  // namespace
}  // namespace quelmar::builder
