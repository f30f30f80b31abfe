#include "tools/quelmar-data/builder/output/geojson_export.h"

#include <gtest/gtest.h>

#include "control/core/errors.h"
#include "control/data/byte_source.h"
#include "platform/kernel/test_files.h"
#include "tools/commands/tree_fixture.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;
using data::AttributeCoding;
using data::ObjectKind;
using data::PointCoding;
using data::TMapPoint;
using nlohmann::ordered_json;
using quelmar::testing::FileCount;
using quelmar::testing::ReadText;
using quelmar::testing::TempDir;
using quelmar::testing::WriteText;
using testing::kChicago;
using testing::SampleDrawing;
using testing::StreetMember;

data::Drawing Read(const std::vector<std::uint8_t>& bytes) {
  data::MemorySource source(bytes);
  data::Drawing drawing;
  data::ReadDrawing(source, drawing);
  return drawing;
}

void Polyline(data::DrawingWriter& w, const data::Attributes& attributes, std::vector<TMapPoint> points) {
  const TMapPoint start = points.front();
  points.erase(points.begin());
  w.Polyline(ObjectKind::Polyline13, AttributeCoding::Long, PointCoding::Absolute, attributes, start, points);
}

// A named street with a ZIP code, an unnamed segment, a state area, a closed
// road, a national and state capital, a label and a hidden state label.
std::vector<std::uint8_t> MixedDrawing() {
  const TMapPoint c = kChicago;
  data::DrawingWriter w;
  w.Extents(c.X, c.X + 4000, c.Y, c.Y + 4000);
  w.FeatureCode(77);
  w.NameString(
      "\x10"
      "66");
  w.NameRef(1);
  w.IndexList(std::vector<std::int32_t>{60601, 60602});
  Polyline(w, {100, 98, 2}, {c, {c.X + 10, c.Y}, {c.X + 10, c.Y + 10}});
  w.GroupMark();
  w.Segment(AttributeCoding::None, PointCoding::Relative, {{c.X + 5, c.Y + 5}, 3, -4, {}});
  const std::vector<TMapPoint> square = {c, {c.X + 100, c.Y}, {c.X + 100, c.Y + 100}, {c.X, c.Y + 100}, c};
  w.FeatureCode(2);
  Polyline(w, {17, 0, 0}, square);
  w.Label(0x57, {0, c.Y}, "IL");
  w.FeatureCode(13);
  Polyline(w, {}, square);
  w.FeatureCode(4);
  w.Place({17167, -114394, {c.X + 1, c.Y + 2}, 600, "*Springfield"});
  w.FeatureCode(23);
  w.Label(0x58, {c.X + 50, c.Y + 60}, "LAKE");
  w.End();
  return w.Bytes();
}

TEST(DrawingFeatures, GivesEachDrawableObjectItsGeometryAndProperties) {
  const ordered_json features = DrawingFeatures(Read(MixedDrawing()), "Y7O37117", {});
  ASSERT_EQ(features.size(), 7u) << features.dump(1);

  EXPECT_EQ(features[0], ordered_json::parse(R"({"type": "Feature",
      "geometry": {"type": "LineString", "coordinates": [[-87.630016, 41.88], [-87.629376, 41.88],
                                                         [-87.629376, 41.88064]]},
      "properties": {"member": "Y7O37117", "kind": "Polyline", "feature_code": 77, "layer": 14,
                     "name": "US HWY 66", "low": 100, "high": 198, "index": 2, "zip": 60602}})"));
  // The group mark ended the name; a segment without attributes has none.
  EXPECT_EQ(features[1]["geometry"], ordered_json::parse(R"({"type": "LineString",
      "coordinates": [[-87.629696, 41.88032], [-87.629504, 41.880064]]})"));
  EXPECT_FALSE(features[1]["properties"].contains("name"));
  EXPECT_FALSE(features[1]["properties"].contains("low"));

  // A closed polyline is a Polygon on an area layer and a LineString elsewhere.
  const ordered_json ring = ordered_json::parse(
      "[[-87.630016, 41.88], [-87.623616, 41.88], [-87.623616, 41.8864], [-87.630016, 41.8864], [-87.630016, 41.88]]");
  EXPECT_EQ(features[2]["geometry"], (ordered_json{{"type", "Polygon"}, {"coordinates", {ring}}}));
  EXPECT_EQ(features[2]["properties"]["low"], 17);
  EXPECT_EQ(features[4]["geometry"], (ordered_json{{"type", "LineString"}, {"coordinates", ring}}));

  // A label at x 0 is never shown, so it has no place on the map.
  EXPECT_TRUE(features[3]["geometry"].is_null());
  EXPECT_EQ(features[3]["properties"]["text"], "IL");
  EXPECT_EQ(features[3]["properties"]["layer"], 2);

  EXPECT_EQ(features[5], ordered_json::parse(R"({"type": "Feature",
      "geometry": {"type": "Point", "coordinates": [-87.629952, 41.880128]},
      "properties": {"member": "Y7O37117", "kind": "PlaceObject", "feature_code": 4, "layer": 4,
                     "name": "Springfield", "population": 114394, "county": 17167, "elevation": 600,
                     "state_capital": true, "national_capital": true}})"));
  EXPECT_EQ(features[6]["geometry"],
            ordered_json::parse(R"({"type": "Point", "coordinates": [-87.626816, 41.88384]})"));
  EXPECT_EQ(features[6]["properties"]["text"], "LAKE");
  EXPECT_EQ(features[6]["properties"]["layer"], 23);
}

TEST(DrawingFeatures, KeepsOnlyTheLayersAsked) {
  const data::Drawing drawing = Read(MixedDrawing());
  struct Case {
    std::vector<int> layers;
    std::vector<std::string> kinds;
  };
  const Case cases[] = {
      {{2}, {"Polyline", "LabelText"}},
      {{14, 4}, {"Polyline", "Segment", "PlaceObject"}},
      {{30}, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> kinds;
    for (const ordered_json& feature : DrawingFeatures(drawing, "M", c.layers)) {
      kinds.push_back(feature["properties"]["kind"]);
    }
    EXPECT_EQ(kinds, c.kinds) << ::testing::PrintToString(c.layers);
  }
}

ordered_json ReadJson(const fs::path& path) { return ordered_json::parse(ReadText(path)); }

TEST(ExportGeoJson, WritesADrawingFileAsOneFeatureCollection) {
  TempDir dir;
  const std::vector<std::uint8_t> bytes = SampleDrawing();
  WriteText(dir / "Y7O37117.DCM", std::string(bytes.begin(), bytes.end()));
  GeoJsonOptions options;
  options.input = dir / "Y7O37117.DCM";
  options.output = dir / "out.geojson";
  const GeoJsonResult result = ExportGeoJson(options);
  EXPECT_EQ(result.drawings, 1u);
  EXPECT_EQ(result.features, 2u);
  EXPECT_TRUE(result.problems.empty());
  const ordered_json collection = ReadJson(options.output);
  EXPECT_EQ(collection["type"], "FeatureCollection");
  ASSERT_EQ(collection["features"].size(), 2u);
  EXPECT_EQ(collection["features"][0]["properties"]["member"], "Y7O37117.DCM");
  EXPECT_EQ(collection["features"][0]["properties"]["name"], "MAIN");
  EXPECT_EQ(FileCount(dir.path()), 2u);  // no temporary file left behind
}

TEST(ExportGeoJson, TakesTheNamedMembersOfAnArchive) {
  TempDir dir;
  testing::GoodTree().Write(dir.path());
  GeoJsonOptions options;
  options.input = dir / "STATES0/17.ZP5";
  options.output = dir / "out.geojson";
  struct Case {
    std::vector<std::string> members;
    std::vector<std::string> found;
  };
  std::string lower = StreetMember(0, 17);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const Case cases[] = {
      {{}, {StreetMember(0, 17), StreetMember(1, 17)}},                   // index order
      {{lower}, {StreetMember(0, 17)}},                                   // any case
      {{StreetMember(1, 17).substr(0, 6) + "X"}, {StreetMember(1, 17)}},  // the map's look-up key
  };
  for (const Case& c : cases) {
    options.members = c.members;
    const GeoJsonResult result = ExportGeoJson(options);
    EXPECT_EQ(result.drawings, c.found.size());
    std::vector<std::string> members;
    const ordered_json collection = ReadJson(options.output);
    for (const ordered_json& feature : collection["features"]) {
      if (feature["properties"]["kind"] == "Polyline") members.push_back(feature["properties"]["member"]);
    }
    EXPECT_EQ(members, c.found);
  }
}

TEST(ExportGeoJson, RefusesWhatItCannotDo) {
  TempDir dir;
  testing::GoodTree().Write(dir.path());
  const std::vector<std::uint8_t> bytes = SampleDrawing();
  WriteText(dir / "PLAIN.DCM", std::string(bytes.begin(), bytes.end()));
  GeoJsonOptions archive;
  archive.input = dir / "STATES0/17.ZP5";
  archive.output = dir / "out.geojson";

  GeoJsonOptions noMember = archive;
  noMember.members = {"Y0000017"};
  EXPECT_THROW(ExportGeoJson(noMember), DataError);
  GeoJsonOptions drawingMember = archive;
  drawingMember.input = dir / "PLAIN.DCM";
  drawingMember.members = {"X"};
  EXPECT_THROW(ExportGeoJson(drawingMember), ArgumentError);
  GeoJsonOptions badLayer = archive;
  badLayer.layers = {14, 34};
  EXPECT_THROW(ExportGeoJson(badLayer), ArgumentError);
  GeoJsonOptions noInput = archive;
  noInput.input = dir / "none.zpx";
  EXPECT_THROW(ExportGeoJson(noInput), IoError);
  GeoJsonOptions noFolder = archive;
  noFolder.output = dir / "none/out.geojson";
  EXPECT_THROW(ExportGeoJson(noFolder), IoError);
  EXPECT_FALSE(fs::exists(archive.output));
}

TEST(ExportGeoJson, WritesWhatWasReadOfADamagedMemberAndSaysSo) {
  TempDir dir;
  testing::TreeContents tree = testing::GoodTree();
  tree.archives["STATES0/17.ZP5"].members[0].second = SampleDrawing(kChicago, false);
  tree.Write(dir.path());
  GeoJsonOptions options;
  options.input = dir / "STATES0/17.ZP5";
  options.output = dir / "out.geojson";
  const GeoJsonResult result = ExportGeoJson(options);
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_NE(result.problems[0].find(StreetMember(1, 17) + ": reading stopped after 8 records"), std::string::npos)
      << result.problems[0];
  EXPECT_EQ(result.features, 4u);
  EXPECT_EQ(ReadJson(options.output)["features"].size(), 4u);
}

// Cut inputs give an error or a smaller collection, never a crash. The
// archive readers meet every cut in the verifier's test; here every third
// keeps the many atomic writes quick.
TEST(ExportGeoJson, SurvivesTruncatedInputs) {
  TempDir dir;
  testing::GoodTree().Write(dir.path());
  const std::vector<std::uint8_t> drawing = SampleDrawing();
  const std::pair<const char*, std::string> inputs[] = {
      {"17.ZP5", ReadText(dir / "STATES0/17.ZP5")},
      {"TARVO.ZIP", ReadText(dir / "TARVO.ZIP")},
      {"Y7O37117.DCM", std::string(drawing.begin(), drawing.end())},
  };
  for (const auto& [name, whole] : inputs) {
    GeoJsonOptions options;
    options.input = dir / name;
    options.output = dir / "out.geojson";
    const std::size_t step = std::string_view(name).ends_with(".DCM") ? 1 : 3;
    std::vector<std::size_t> sizes;
    for (std::size_t size = 0; size < whole.size(); size += step) sizes.push_back(size);
    sizes.push_back(whole.size());
    for (const std::size_t size : sizes) {
      WriteText(options.input, whole.substr(0, size));
      try {
        const GeoJsonResult result = ExportGeoJson(options);
        EXPECT_EQ(ReadJson(options.output)["features"].size(), result.features);
        if (size == whole.size()) {
          EXPECT_TRUE(result.problems.empty()) << name;
        }
      } catch (const Error&) {
        EXPECT_LT(size, whole.size()) << name;
      }
    }
  }
}

}  // namespace
}  // namespace quelmar::builder
