#include "tools/quelmar-data/builder/streets/vector_tile_streets.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <fstream>
#include <map>
#include <protozero/pbf_writer.hpp>
#include <set>
#include <string>
#include <vector>

#include "control/core/errors.h"
#include "tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/streets/file_bytes.h"
#include "tools/quelmar-data/builder/streets/vector_tile.h"

namespace quelmar::builder {
namespace {

using street_testing::StreetTestData;

// Writes vector tiles the way tile servers do: per layer, keys and values
// tables and features with tag indexes and command-encoded geometry.
class TileWriter {
 public:
  struct Feature {
    int type;  // 1 point, 2 line, 3 polygon
    std::vector<std::pair<std::string, std::string>> tags;
    std::vector<std::vector<std::pair<int, int>>> parts;
  };

  void AddLayer(const std::string& name, const std::vector<Feature>& features, std::uint32_t extent = 4096) {
    protozero::pbf_writer tile(bytes_);
    protozero::pbf_writer layer(tile, 3);
    layer.add_uint32(15, 2);
    layer.add_string(1, name);
    std::map<std::string, std::uint32_t> keys, values;
    std::vector<std::string> keyList, valueList;
    const auto index = [](auto& table, auto& list, const std::string& text) {
      const auto [found, added] = table.try_emplace(text, static_cast<std::uint32_t>(list.size()));
      if (added) list.push_back(text);
      return found->second;
    };
    for (const Feature& feature : features) {
      std::vector<std::uint32_t> tags;
      for (const auto& [key, value] : feature.tags) {
        tags.push_back(index(keys, keyList, key));
        tags.push_back(index(values, valueList, value));
      }
      protozero::pbf_writer out(layer, 2);
      out.add_packed_uint32(2, tags.begin(), tags.end());
      out.add_uint32(3, static_cast<std::uint32_t>(feature.type));
      std::vector<std::uint32_t> geometry;
      int x = 0, y = 0;
      for (const auto& part : feature.parts) {
        for (std::size_t i = 0; i < part.size(); ++i) {
          if (i == 0) geometry.push_back(1 | (1 << 3));
          if (i == 1) geometry.push_back(2 | (static_cast<std::uint32_t>(part.size() - 1) << 3));
          geometry.push_back(protozero::encode_zigzag32(part[i].first - x));
          geometry.push_back(protozero::encode_zigzag32(part[i].second - y));
          x = part[i].first;
          y = part[i].second;
        }
        if (feature.type == 3) geometry.push_back(7 | (1 << 3));
      }
      out.add_packed_uint32(4, geometry.begin(), geometry.end());
    }
    for (const std::string& key : keyList) layer.add_string(3, key);
    for (const std::string& value : valueList) {
      protozero::pbf_writer encoded(layer, 4);
      encoded.add_string(1, value);
    }
    layer.add_uint32(5, extent);
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

double Lon(std::int32_t x) { return x / 15625.0; }
double Lat(std::int32_t y) { return y / 15625.0; }

TEST(VectorTileStreetsTest, ReadsRoadsLabelsAndLandmarksOfOneTile) {
  TileWriter writer;
  writer.AddLayer("road",
                  {
                      {2,
                       {{"class", "street"}, {"type", "residential"}, {"oneway", "true"}, {"structure", "none"}},
                       {{{0, 2048}, {4096, 2048}}}},
                      {2,
                       {{"class", "primary"}, {"type", "primary"}, {"oneway", "false"}, {"structure", "bridge"}},
                       {{{1024, 0}, {1024, 4096}}}},
                      {2, {{"class", "major_rail"}, {"type", "rail"}}, {{{0, 0}, {4096, 4096}}}},
                      {1, {{"class", "turning_circle"}}, {{{5, 5}}}},
                  });
  writer.AddLayer("road_label", {
                                    {2,
                                     {{"class", "motorway"},
                                      {"name", "Dan Ryan Expressway"},
                                      {"ref", "90\u00B794"},
                                      {"shield", "us-interstate-duplex"}},
                                     {{{0, 100}, {4096, 100}}}},
                                });
  writer.AddLayer("poi_label",
                  {
                      {1, {{"maki", "park"}, {"name", "Grant Park"}}, {{{2000, 2000}}}},
                      {1, {{"maki", "park"}, {"name", "Buffer Park"}}, {{{-50, 2000}}}},  // belongs to the neighbour
                      {1, {{"maki", "bank"}, {"name", "A Bank"}}, {{{100, 100}}}},
                  });

  const RawStreets streets = ReadVectorTileStreets(writer.Bytes(), {13, 2101, 3044});
  ASSERT_EQ(streets.Lines.size(), 2u);
  const StreetSegment& street = streets.Lines[0];
  EXPECT_EQ(street.Cfcc, "A41");
  EXPECT_TRUE(street.OneWay);
  EXPECT_FALSE(street.Bridge);
  EXPECT_TRUE(streets.Lines[1].Bridge);
  EXPECT_EQ(streets.Lines[1].Cfcc, "A21");
  // Tile 13/2101/3044 spans -87.6709..-87.6270 and 41.8696..41.9023.
  ASSERT_EQ(street.Points.size(), 2u);
  EXPECT_NEAR(Lon(street.Points[0].X), -87.67090, 0.0001);
  EXPECT_NEAR(Lon(street.Points[1].X), -87.62695, 0.0001);
  EXPECT_NEAR(Lat(street.Points[0].Y), 41.88592, 0.0001);  // the Mercator middle, not the average

  ASSERT_EQ(streets.Labels.size(), 1u);
  EXPECT_EQ(streets.Labels[0].Name, "DAN RYAN EXPY");
  EXPECT_EQ(streets.Labels[0].Ref, "I 90;I 94");
  EXPECT_EQ(streets.Labels[0].Cfcc, "A11");

  ASSERT_EQ(streets.Landmarks.size(), 1u);
  EXPECT_EQ(streets.Landmarks[0].Name, "Grant Park");
  EXPECT_EQ(streets.Landmarks[0].Kind, LandmarkKind::Park);
}

TEST(VectorTileStreetsTest, ClipsLinesToTheTileSquare) {
  // A line through the buffer, into the tile, out and back in again.
  TileWriter writer;
  writer.AddLayer("road",
                  {{2, {{"class", "street"}}, {{{-200, 100}, {200, 100}, {200, -100}, {300, -100}, {300, 50}}}}}, 4096);
  const RawStreets streets = ReadVectorTileStreets(writer.Bytes(), {13, 2101, 3044});
  ASSERT_EQ(streets.Lines.size(), 2u);
  const TMapPoint west = streets.Lines[0].Points.front();
  EXPECT_NEAR(Lon(west.X), -87.67090, 0.0001);                            // cut at the tile's west edge
  EXPECT_NEAR(Lat(streets.Lines[1].Points.front().Y), 41.90228, 0.0001);  // back in through the north edge
}

TEST(VectorTileStreetsTest, UsesTheLayerExtent) {
  TileWriter writer;
  writer.AddLayer("road", {{2, {{"class", "street"}}, {{{0, 256}, {512, 256}}}}}, 512);
  const RawStreets streets = ReadVectorTileStreets(writer.Bytes(), {13, 2101, 3044});
  ASSERT_EQ(streets.Lines.size(), 1u);
  EXPECT_NEAR(Lon(streets.Lines[0].Points.back().X), -87.62695, 0.0001);
}

TEST(VectorTileStreetsTest, ReadsGzippedTiles) {
  TileWriter writer;
  writer.AddLayer("road", {{2, {{"class", "street"}}, {{{0, 256}, {512, 256}}}}});
  std::string gz(writer.Bytes().size() + 64, '\0');
  z_stream stream{};
  ASSERT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(writer.Bytes().data()));
  stream.avail_in = static_cast<uInt>(writer.Bytes().size());
  stream.next_out = reinterpret_cast<Bytef*>(gz.data());
  stream.avail_out = static_cast<uInt>(gz.size());
  ASSERT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  gz.resize(stream.total_out);
  deflateEnd(&stream);
  EXPECT_EQ(ReadVectorTileStreets(gz, {13, 2101, 3044}).Lines.size(), 1u);
  EXPECT_THROW(ReadVectorTileStreets(gz.substr(0, gz.size() / 2), {13, 2101, 3044}), DataError);
}

TEST(VectorTileStreetsTest, RejectsMalformedTiles) {
  const std::string cases[] = {
      std::string("\x1a\x06\x0a\x03roa", 7),                            // a layer longer than the data
      std::string("\x1a\x02\x28\x00", 4),                               // extent 0
      std::string("\x1a\x06\x12\x04\x12\x02\x00\x00", 8),               // a tag naming a key the layer lacks
      std::string("\x1a\x05\x12\x03\x22\x01\x09", 7),                   // MoveTo without its coordinates
      std::string("\x1a\x05\x12\x03\x22\x01\x0c", 7),                   // command 4 does not exist
      std::string("\x1a\x07\x12\x05\x22\x03\x0a\x00\x00", 9),           // LineTo before MoveTo
      std::string("\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff", 11),  // a varint too long
  };
  for (const std::string& bytes : cases) {
    EXPECT_THROW(DecodeVectorTile(bytes), DataError) << testing::PrintToString(bytes);
  }
  EXPECT_THROW(ReadVectorTileStreets("", {3, 8, 0}), DataError);  // off the zoom 3 grid
}

TEST(VectorTileStreetsTest, TruncatedTileGivesAnErrorOrFewerFeaturesNeverACrash) {
  const std::string tile = ReadFileBytes(StreetTestData() / "chicago-z13" / "13-2100-3044.mvt");
  const RawStreets whole = ReadVectorTileStreets(tile, {13, 2100, 3044});
  const std::size_t step = std::max<std::size_t>(1, tile.size() / 3000);
  std::size_t errors = 0;
  for (std::size_t size = 0; size < tile.size(); size += step) {
    try {
      const RawStreets part = ReadVectorTileStreets(std::string_view(tile).substr(0, size), {13, 2100, 3044});
      EXPECT_LE(part.Lines.size(), whole.Lines.size()) << size;
      EXPECT_LE(part.Labels.size(), whole.Labels.size()) << size;
    } catch (const DataError&) {
      ++errors;
    }
  }
  EXPECT_GT(errors, 0u);
}

TEST(VectorTileFolderTest, ReadsTheChicagoTiles) {
  const RawStreets chicago = ReadVectorTileFolder(StreetTestData() / "chicago-z13");
  std::set<std::string> names;
  for (const StreetSegment& label : chicago.Labels) {
    if (!label.Name.empty()) names.insert(label.Name);
  }
  // 976 names on about 3,000 label lines (the tiles' lines, cut at tile edges).
  EXPECT_NEAR(static_cast<double>(names.size()), 976, 20);
  EXPECT_GT(chicago.Labels.size(), 2900u);
  EXPECT_GT(chicago.Lines.size(), 6000u);
  EXPECT_TRUE(names.count("W ADDISON ST"));
  EXPECT_TRUE(names.count("N LAKE SHORE DR"));
  const auto bridge =
      std::count_if(chicago.Lines.begin(), chicago.Lines.end(), [](const StreetSegment& line) { return line.Bridge; });
  EXPECT_GT(bridge, 100);
  const auto lincolnPark = std::count_if(chicago.Landmarks.begin(), chicago.Landmarks.end(), [](const Landmark& l) {
    return l.Name == "Lincoln Park" && l.Kind == LandmarkKind::Park;
  });
  EXPECT_EQ(lincolnPark, 1);
}

TEST(VectorTileFolderTest, ReadsTheNamedSanFranciscoTiles) {
  const RawStreets all = ReadVectorTileFolder(StreetTestData() / "sanfrancisco-z15");
  std::set<std::string> names;
  for (const StreetSegment& label : all.Labels) names.insert(label.Name);
  EXPECT_NEAR(static_cast<double>(names.size()), 189, 10);
  EXPECT_TRUE(names.count("HAIGHT ST"));
  const RawStreets one = ReadVectorTileFolder(StreetTestData() / "sanfrancisco-z15", {"15-5238-12666.mvt"});
  EXPECT_LT(one.Lines.size(), all.Lines.size() / 3);
}

TEST(VectorTileFolderTest, ReportsMissingFoldersAndBadNames) {
  const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "quelmar-tile-folder";
  std::filesystem::remove_all(folder);
  EXPECT_THROW(ReadVectorTileFolder(folder), IoError);
  std::filesystem::create_directories(folder);
  EXPECT_THROW(ReadVectorTileFolder(folder, {"13-1-1.mvt"}), IoError);
  std::ofstream(folder / "13-x-1.mvt") << "junk";
  EXPECT_THROW(ReadVectorTileFolder(folder), DataError);
  std::filesystem::remove(folder / "13-x-1.mvt");
  std::ofstream(folder / "13-1-1.mvt") << "junk";
  EXPECT_THROW(ReadVectorTileFolder(folder), DataError);
  std::filesystem::remove_all(folder);
}

TEST(TileIdTest, ParsesFileNames) {
  EXPECT_EQ(TileIdFromFileName("13-2098-3042.mvt"), (TileId{13, 2098, 3042}));
  EXPECT_EQ(TileIdFromFileName("0-0-0.mvt"), (TileId{0, 0, 0}));
  for (const char* bad : {"13-2098-3042.pbf", "13-2098.mvt", "13-8192-0.mvt", "25-0-0.mvt", "a-b-c.mvt", "13--1-0.mvt",
                          "13-1-2-3.mvt", ".mvt"}) {
    EXPECT_FALSE(TileIdFromFileName(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace quelmar::builder
