// The TopoJSON reader: quantized and plain arcs, reversal, every geometry
// type, collections, ids and properties; malformed topologies are refused
// with DataError, never a crash.
#include "tools/quelmar-data/builder/inputs/topojson.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/core/errors.h"

namespace quelmar::builder {
namespace {

// Arc 0 runs (0,0)→(2,0)→(2,2) and arc 1 back via (0,2), closing a square;
// arc 2 is a separate line (-3 in the last object is arc 2 reversed). All
// quantized with scale 0.5 and translate (-10, 20), delta-encoded.
const char* const kSquare = R"({
  "type": "Topology",
  "transform": {"scale": [0.5, 0.5], "translate": [-10, 20]},
  "arcs": [[[0, 0], [2, 0], [0, 2]], [[2, 2], [-2, 0], [0, -2]], [[4, 4], [2, 2]]],
  "objects": {
    "areas": {"type": "GeometryCollection", "geometries": [
      {"type": "Polygon", "id": "17", "properties": {"name": "Square"}, "arcs": [[0, 1]]},
      {"type": "Polygon", "id": 5, "arcs": [[-2, -1]]},
      {"type": "MultiPolygon", "arcs": [[[0, 1]], [[1, 0]]]},
      {"type": null},
      {"type": "GeometryCollection", "geometries": [
        {"type": "LineString", "arcs": [2]},
        {"type": "MultiLineString", "arcs": [[2], [0, 1]]},
        {"type": "Point", "coordinates": [4, 6]},
        {"type": "MultiPoint", "coordinates": [[0, 0], [2, 2]]}
      ]}
    ]},
    "single": {"type": "LineString", "arcs": [-3]}
  }
})";

std::vector<LonLat> Points(std::initializer_list<std::pair<double, double>> xy) {
  std::vector<LonLat> points;
  for (const auto& [x, y] : xy) points.push_back({x, y});
  return points;
}

TEST(TopoJson, QuantizedArcsDecodeJoinAndReverse) {
  const Topology topology = Topology::Parse(kSquare);
  EXPECT_EQ(topology.ObjectNames(), (std::vector<std::string>{"areas", "single"}));
  const std::vector<TopoGeometry> areas = topology.Object("areas");
  ASSERT_EQ(areas.size(), 7u);  // the null geometry is left out, the inner collection flattened

  const LonLatLine square = Points({{-10, 20}, {-9, 20}, {-9, 21}, {-10, 21}, {-10, 20}});
  EXPECT_EQ(areas[0].Type, TopoType::Polygon);
  EXPECT_EQ(areas[0].Id, "17");
  EXPECT_EQ(areas[0].Name(), "Square");
  ASSERT_EQ(areas[0].Polygons.size(), 1u);
  EXPECT_EQ(areas[0].Polygons[0], LonLatPolygon{square});

  // ~1 then ~0: the same ring walked backwards.
  EXPECT_EQ(areas[1].Id, "5");
  EXPECT_EQ(areas[1].Name(), "");
  EXPECT_EQ(areas[1].Polygons[0][0], LonLatLine(square.rbegin(), square.rend()));

  EXPECT_EQ(areas[2].Type, TopoType::MultiPolygon);
  ASSERT_EQ(areas[2].Polygons.size(), 2u);
  EXPECT_EQ(areas[2].Polygons[1][0], Points({{-9, 21}, {-10, 21}, {-10, 20}, {-9, 20}, {-9, 21}}));

  EXPECT_EQ(areas[3].Type, TopoType::LineString);
  EXPECT_EQ(areas[3].Lines, std::vector<LonLatLine>{Points({{-8, 22}, {-7, 23}})});
  EXPECT_EQ(areas[4].Type, TopoType::MultiLineString);
  ASSERT_EQ(areas[4].Lines.size(), 2u);
  EXPECT_EQ(areas[4].Lines[1], square);

  // Point positions are quantized but not delta-encoded.
  EXPECT_EQ(areas[5].Points, Points({{-8, 23}}));
  EXPECT_EQ(areas[6].Points, Points({{-10, 20}, {-9, 21}}));

  EXPECT_EQ(topology.Object("single")[0].Lines[0], Points({{-7, 23}, {-8, 22}}));
  EXPECT_TRUE(topology.HasObject("single"));
  EXPECT_FALSE(topology.HasObject("missing"));
}

TEST(TopoJson, PlainArcsAreAbsolute) {
  const Topology topology = Topology::Parse(R"({"type": "Topology",
    "arcs": [[[-87.5, 41.5], [-87.5, 42.0], [-88.0, 42.0]]],
    "objects": {"o": {"type": "LineString", "arcs": [0]}}})");
  EXPECT_EQ(topology.Object("o")[0].Lines[0], Points({{-87.5, 41.5}, {-87.5, 42.0}, {-88.0, 42.0}}));
}

struct MalformedCase {
  const char* Label;
  const char* Text;
};

class TopoJsonMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(TopoJsonMalformed, IsRefusedWithDataError) {
  EXPECT_THROW(
      {
        const Topology topology = Topology::Parse(GetParam().Text);
        topology.Object("o");
      },
      DataError);
}

#define TOPOLOGY(arcs, object) "{\"type\": \"Topology\", \"arcs\": " arcs ", \"objects\": {\"o\": " object "}}"

INSTANTIATE_TEST_SUITE_P(
    Cases, TopoJsonMalformed,
    ::testing::Values(
        MalformedCase{"NotJson", "{\"type\": \"Topology\", "},
        MalformedCase{"NotATopology", R"({"type": "FeatureCollection", "features": []})"},
        MalformedCase{"RootIsArray", "[1, 2]"}, MalformedCase{"NoArcs", R"({"type": "Topology", "objects": {}})"},
        MalformedCase{"NoObjects", R"({"type": "Topology", "arcs": []})"},
        MalformedCase{"NoSuchObject", R"({"type": "Topology", "arcs": [], "objects": {"p": {"type": null}}})"},
        MalformedCase{"ArcIndexTooLarge", TOPOLOGY("[[[0, 0], [1, 1]]]", R"({"type": "LineString", "arcs": [1]})")},
        MalformedCase{"ReversedIndexTooLarge",
                      TOPOLOGY("[[[0, 0], [1, 1]]]", R"({"type": "LineString", "arcs": [-2]})")},
        MalformedCase{"HugeIndex",
                      TOPOLOGY("[[[0, 0], [1, 1]]]", R"({"type": "LineString", "arcs": [18446744073709551615]})")},
        MalformedCase{"MostNegativeIndex",
                      TOPOLOGY("[[[0, 0], [1, 1]]]", R"({"type": "LineString", "arcs": [-9223372036854775808]})")},
        MalformedCase{"FractionalIndex", TOPOLOGY("[[[0, 0], [1, 1]]]", R"({"type": "LineString", "arcs": [0.5]})")},
        MalformedCase{"StringIndex", TOPOLOGY("[[[0, 0], [1, 1]]]", R"({"type": "LineString", "arcs": ["0"]})")},
        MalformedCase{"ArcsNotArray", TOPOLOGY("[[[0, 0], [1, 1]]]", R"({"type": "Polygon", "arcs": 0})")},
        MalformedCase{"RingNotArray", TOPOLOGY("[[[0, 0], [1, 1]]]", R"({"type": "Polygon", "arcs": [0]})")},
        MalformedCase{"PolygonsNotArrays", TOPOLOGY("[[[0, 0], [1, 1]]]", R"({"type": "MultiPolygon", "arcs": [0]})")},
        MalformedCase{"EmptyArc", TOPOLOGY("[[]]", R"({"type": "LineString", "arcs": [0]})")},
        MalformedCase{"PositionNotPair", TOPOLOGY("[[[0]]]", R"({"type": "LineString", "arcs": [0]})")},
        MalformedCase{"CoordinateString", TOPOLOGY("[[[\"a\", 0]]]", R"({"type": "LineString", "arcs": [0]})")},
        MalformedCase{"PointWithoutCoordinates", TOPOLOGY("[]", R"({"type": "Point"})")},
        MalformedCase{"PointCoordinatesNull", TOPOLOGY("[]", R"({"type": "Point", "coordinates": null})")},
        MalformedCase{"UnknownType", TOPOLOGY("[]", R"({"type": "Circle"})")},
        MalformedCase{"TypeNotString", TOPOLOGY("[]", R"({"type": 7})")},
        MalformedCase{"GeometryNotObject", TOPOLOGY("[]", R"({"type": "GeometryCollection", "geometries": [1]})")},
        MalformedCase{"GeometriesMissing", TOPOLOGY("[]", R"({"type": "GeometryCollection"})")},
        MalformedCase{"IdNotStringOrNumber", TOPOLOGY("[]", R"({"type": "Point", "id": [1], "coordinates": [0, 0]})")},
        MalformedCase{"ScaleMissing",
                      R"({"type": "Topology", "transform": {"translate": [0, 0]}, "arcs": [], "objects": {}})"},
        MalformedCase{"ScaleOverflows", R"({"type": "Topology", "transform": {"scale": [1e308, 1], "translate": [0, 0]},
                                            "arcs": [[[10, 0]]], "objects": {}})"}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return std::string(info.param.Label); });

#undef TOPOLOGY

TEST(TopoJson, DeepCollectionsAreRefused) {
  const auto collections = [](int depth) {
    std::string nested = R"({"type": "Point", "coordinates": [0, 0]})";
    for (int i = 0; i < depth; ++i) nested = R"({"type": "GeometryCollection", "geometries": [)" + nested + "]}";
    return R"({"type": "Topology", "arcs": [], "objects": {"o": )" + nested + "}}";
  };
  // 40 collections nest deeper than the reader follows them, but within the
  // JSON nesting limit (two levels each)...
  const Topology topology = Topology::Parse(collections(40));
  EXPECT_THROW(topology.Object("o"), DataError);
  // ... 100 nest deeper than JSON text may.
  EXPECT_THROW(Topology::Parse(collections(100)), DataError);
}

TEST(TopoJson, TruncationAtEveryByteNeverCrashes) {
  const std::string text = kSquare;
  for (std::size_t length = 0; length < text.size(); ++length) {
    try {
      const Topology topology = Topology::Parse(std::string_view(text).substr(0, length));
      for (const std::string& name : topology.ObjectNames()) topology.Object(name);
      ADD_FAILURE() << "a topology cut to " << length << " bytes was read";
    } catch (const DataError&) {
    }
  }
}

TEST(TopoJson, MissingFileIsAnIoError) { EXPECT_THROW(Topology::Read("/nonexistent/quelmar/topology.json"), IoError); }

}  // namespace
}  // namespace quelmar::builder
