// The two OpenStreetMap readers: the editor's JSON graph and OSM XML/PBF
// files through libosmium. Both use the same tag rules (osm_tags.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "control/core/errors.h"
#include "tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/streets/editor_graph_reader.h"
#include "tools/quelmar-data/builder/streets/file_bytes.h"
#include "tools/quelmar-data/builder/streets/osm_file_reader.h"
#include "tools/quelmar-data/builder/streets/osm_tags.h"

namespace quelmar::builder {
namespace {

using street_testing::At;
using street_testing::StreetTestData;

std::size_t Named(const RawStreets& streets) {
  return static_cast<std::size_t>(std::count_if(streets.Lines.begin(), streets.Lines.end(),
                                                [](const StreetSegment& line) { return !line.Name.empty(); }));
}

const StreetSegment* Find(const RawStreets& streets, const std::string& name) {
  const auto found = std::find_if(streets.Lines.begin(), streets.Lines.end(),
                                  [&](const StreetSegment& line) { return line.Name == name; });
  return found == streets.Lines.end() ? nullptr : &*found;
}

TEST(OsmTagsTest, ReadsRoadAttributes) {
  const std::map<std::string, std::string> tags = {
      {"highway", "residential"}, {"name", "West 8th Street"}, {"oneway", "-1"},        {"bridge", "viaduct"},
      {"tiger:cfcc", "A45"},      {"tiger:zip_left", "94607"}, {"ref", "CA 61;US 101"},
  };
  const auto road = OsmRoadFromTags([&](std::string_view key) -> std::string_view {
    const auto found = tags.find(std::string(key));
    return found == tags.end() ? std::string_view{} : std::string_view(found->second);
  });
  ASSERT_TRUE(road.has_value());
  EXPECT_EQ(road->Attributes.Name, "W 8TH ST");
  EXPECT_EQ(road->Attributes.Cfcc, "A45");
  EXPECT_TRUE(road->Attributes.OneWay);
  EXPECT_TRUE(road->Reversed);
  EXPECT_TRUE(road->Attributes.Bridge);
  EXPECT_FALSE(road->Attributes.Tunnel);
  EXPECT_EQ(road->Attributes.Zip, 94607);
  EXPECT_EQ(road->Attributes.Ref, "CA 61;US 101");
}

TEST(OsmTagsTest, ReadsZipCodes) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"94607", 94607}, {"94607-1234", 94607}, {"94607;94608", 94607}, {"9460", 0}, {"946070", 0}, {"", 0}, {"MI", 0},
  };
  for (const auto& [text, zip] : cases) EXPECT_EQ(ZipFromText(text), zip) << text;
}

TEST(EditorGraphReaderTest, ReadsTheThreeRiversGraph) {
  const RawStreets streets = ReadEditorGraph(StreetTestData() / "three-rivers-mi.intro_graph.json");
  EXPECT_EQ(streets.Lines.size(), 329u);  // every highway way
  EXPECT_EQ(Named(streets), 106u);
  EXPECT_EQ(streets.Addresses.size(), 26u);
  for (const AddressPoint& address : streets.Addresses) {
    EXPECT_EQ(address.Zip, 49093);
    EXPECT_TRUE(address.Street == "MAIN ST" || address.Street == "MICHIGAN AVE" || address.Street == "SPRING ST")
        << address.Street;
  }
  const StreetSegment* michigan = Find(streets, "MICHIGAN AVE");
  ASSERT_NE(michigan, nullptr);
  EXPECT_EQ(michigan->Cfcc, "A21");
  const bool scidmore = std::any_of(streets.Landmarks.begin(), streets.Landmarks.end(), [](const Landmark& l) {
    return l.Name == "Scidmore Park" && l.Kind == LandmarkKind::Park && !l.Rings.empty();
  });
  EXPECT_TRUE(scidmore);
}

TEST(EditorGraphReaderTest, KeepsToTheAreaAndCutsWaysLeavingIt) {
  const std::string graph = R"({
    "n1": {"id": "n1", "loc": [-85.60, 41.95]},
    "n2": {"id": "n2", "loc": [-85.61, 41.95]},
    "n3": {"id": "n3", "loc": [-86.00, 41.95]},
    "n4": {"id": "n4", "loc": [-85.62, 41.95]},
    "n5": {"id": "n5", "loc": [-85.63, 41.95]},
    "n6": {"id": "n6", "loc": [-85.62, 41.96], "tags": {"addr:housenumber": "12", "addr:street": "Elm Street"}},
    "w1": {"id": "w1", "nodes": ["n1", "n2", "n3", "n4", "n5"], "tags": {"highway": "residential", "name": "Elm Street", "oneway": "-1"}},
    "w2": {"id": "w2", "nodes": ["n1", "n9"], "tags": {"highway": "service"}},
    "w3": {"id": "w3", "nodes": ["n1", "n2"], "tags": {"building": "yes"}}
  })";
  const RawStreets all = ParseEditorGraph(graph);
  ASSERT_EQ(all.Lines.size(), 1u);                            // w2 names a node the graph lacks: one node left, no line
  EXPECT_EQ(all.Lines[0].Points.front(), At(-85.63, 41.95));  // oneway=-1 turns the way round
  EXPECT_TRUE(all.Lines[0].OneWay);
  ASSERT_EQ(all.Addresses.size(), 1u);
  EXPECT_EQ(all.Addresses[0].Number, "12");

  const RawStreets area = ParseEditorGraph(graph, GeoBox{-85.70, 41.90, -85.55, 42.00});
  ASSERT_EQ(area.Lines.size(), 2u);  // n3 lies outside: the way does not jump across it
  EXPECT_EQ(area.Lines[0].Points.size(), 2u);
  EXPECT_EQ(area.Lines[1].Points.size(), 2u);
}

TEST(EditorGraphReaderTest, RejectsWhatIsNotAGraph) {
  const char* cases[] = {
      "",
      "[1, 2]",
      R"({"n1": {"loc": "here"}})",
      R"({"n1": {"loc": [-85.6]}})",
      R"({"n1": {"loc": [-185.6, 41.9]}})",
      R"({"n1": 5})",
      R"({"w1": {"nodes": "n1 n2"}})",
      R"({"w1": {"nodes": [1, 2]}})",
      R"({"n1": {"loc": [-85.6, 41.9]}, "w1": {"nodes": ["n1")",
  };
  for (const char* text : cases) EXPECT_THROW(ParseEditorGraph(text), DataError) << text;
  EXPECT_THROW(ReadEditorGraph(StreetTestData() / "no-such-graph.json"), IoError);
}

TEST(OsmFileReaderTest, ReadsWestOakland) {
  const RawStreets streets = ReadOsmFile(StreetTestData() / "West-Oakland.osm.bz2");
  EXPECT_EQ(streets.Lines.size(), 31u);  // every highway way
  std::set<std::string> names;
  std::size_t withZip = 0;
  for (const StreetSegment& line : streets.Lines) {
    if (!line.Name.empty()) names.insert(line.Name);
    if (line.Zip != 0) ++withZip;
  }
  EXPECT_TRUE(names.count("7TH ST"));
  EXPECT_TRUE(names.count("WOOD ST"));
  EXPECT_EQ(withZip, 14u);
  const StreetSegment* wood = Find(streets, "WOOD ST");
  ASSERT_NE(wood, nullptr);
  EXPECT_EQ(wood->Cfcc, "A41");  // tiger:cfcc
  EXPECT_EQ(wood->Zip, 94608);
}

TEST(OsmFileReaderTest, ReadsXmlWithAddressesAndLandmarks) {
  const std::string xml = R"(<?xml version='1.0' encoding='UTF-8'?>
<osm version="0.6">
  <node id="1" lat="37.80" lon="-122.29"/>
  <node id="2" lat="37.80" lon="-122.28"/>
  <node id="3" lat="37.81" lon="-122.28"/>
  <node id="4" lat="37.805" lon="-122.285">
    <tag k="addr:housenumber" v="1060"/><tag k="addr:street" v="Wood Street"/><tag k="addr:postcode" v="94607"/>
  </node>
  <way id="10"><nd ref="1"/><nd ref="2"/><nd ref="3"/>
    <tag k="highway" v="secondary"/><tag k="name" v="Wood Street"/><tag k="tunnel" v="yes"/>
  </way>
  <way id="11"><nd ref="1"/><nd ref="2"/><nd ref="3"/><nd ref="1"/>
    <tag k="leisure" v="park"/><tag k="name" v="Tiny Park"/>
  </way>
  <way id="12"><nd ref="1"/><nd ref="99"/><nd ref="3"/><tag k="highway" v="footway"/></way>
</osm>)";
  const RawStreets streets = ReadOsmData(xml, "osm");
  ASSERT_EQ(streets.Lines.size(), 1u);  // the footway has one known node on each side of a gap
  EXPECT_EQ(streets.Lines[0].Cfcc, "A31");
  EXPECT_TRUE(streets.Lines[0].Tunnel);
  ASSERT_EQ(streets.Addresses.size(), 1u);
  EXPECT_EQ(streets.Addresses[0].Street, "WOOD ST");
  EXPECT_EQ(streets.Addresses[0].Zip, 94607);
  ASSERT_EQ(streets.Landmarks.size(), 1u);
  EXPECT_EQ(streets.Landmarks[0].Rings.size(), 1u);
}

TEST(OsmFileReaderTest, ReportsMissingAndDamagedFiles) {
  EXPECT_THROW(ReadOsmFile(StreetTestData() / "no-such.osm.bz2"), IoError);
  EXPECT_THROW(ReadOsmData("<osm><node id='1' lat='x'", "osm"), DataError);
  EXPECT_THROW(ReadOsmData("not bzip2 at all", "osm.bz2"), DataError);
}

TEST(OsmFileReaderTest, TruncatedFileGivesAnErrorOrFewerLinesNeverACrash) {
  const std::string bytes = ReadFileBytes(StreetTestData() / "West-Oakland.osm.bz2");
  const std::size_t step = std::max<std::size_t>(1, bytes.size() / 150);
  for (std::size_t size = 0; size < bytes.size(); size += step) {
    try {
      EXPECT_LE(ReadOsmData(std::string_view(bytes).substr(0, size), "osm.bz2").Lines.size(), 31u) << size;
    } catch (const DataError&) {
    }
  }
}

}  // namespace
}  // namespace quelmar::builder
