// sample-basemap: writes a small stand-in for the built-in archives — the
// outline of the contiguous United States, a handful of real cities and one
// cross-country highway — so that a control always has a base map to load.
// The real base map is built from public data by the data builder.
#include <cmath>
#include <filesystem>
#include <iostream>
#include <vector>

#include "control/core/errors.h"
#include "control/data/archive_writer.h"
#include "control/data/drawing_writer.h"
#include "control/data/feature_code.h"
#include "tools/quelmar-data/commands.h"

namespace quelmar::tools {

namespace {

using data::TMapPoint;

TMapPoint Units(double lon, double lat) {
  return {static_cast<std::int32_t>(std::lround(lon * 15625)), static_cast<std::int32_t>(std::lround(lat * 15625))};
}

// The outline of the 48 states, coarsely, clockwise from Cape Flattery.
constexpr double kOutline[][2] = {
    {-124.7, 48.4}, {-122.8, 49.0}, {-95.2, 49.0},  {-94.8, 49.4},  {-89.6, 48.0},  {-84.8, 46.5},
    {-82.4, 45.3},  {-82.5, 42.0},  {-79.0, 43.3},  {-76.3, 44.2},  {-74.7, 45.0},  {-71.5, 45.0},
    {-70.0, 46.7},  {-67.8, 47.1},  {-67.0, 44.8},  {-70.2, 43.7},  {-70.6, 42.7},  {-70.0, 41.7},
    {-73.9, 40.5},  {-75.5, 38.5},  {-76.0, 35.2},  {-78.0, 33.8},  {-80.9, 32.0},  {-81.4, 30.5},
    {-80.0, 26.7},  {-80.4, 25.2},  {-81.8, 26.1},  {-82.7, 28.0},  {-84.3, 30.0},  {-86.5, 30.4},
    {-89.6, 30.2},  {-89.4, 29.0},  {-91.5, 29.5},  {-94.0, 29.7},  {-97.3, 27.8},  {-97.2, 25.9},
    {-99.3, 26.6},  {-101.4, 29.8}, {-104.5, 29.6}, {-106.5, 31.8}, {-108.2, 31.3}, {-111.1, 31.3},
    {-114.8, 32.5}, {-117.1, 32.5}, {-118.5, 34.0}, {-120.6, 34.6}, {-122.5, 37.5}, {-123.8, 39.8},
    {-124.2, 42.0}, {-124.0, 46.3}, {-124.7, 48.4},
};

struct City {
  const char* name;
  double lon, lat;
  std::int32_t county;  // state FIPS × 1000 + county FIPS
  std::int32_t population;  // negative: a state capital
};
constexpr City kCities[] = {
    {"*Washington", -77.0369, 38.9072, 11001, 689545},
    {"New York", -74.0060, 40.7128, 36061, 8388607},  // the largest count the field holds
    {"Los Angeles", -118.2437, 34.0522, 6037, 3898747},
    {"Chicago", -87.6298, 41.8781, 17031, 2746388},
    {"Houston", -95.3698, 29.7604, 48201, 2304580},
    {"Denver", -104.9903, 39.7392, 8031, -715522},
    {"Springfield", -89.6501, 39.7817, 17167, -114394},
    {"Seattle", -122.3321, 47.6062, 53033, 737015},
};

// Interstate 80, San Francisco to New York, through its larger cities.
constexpr double kInterstate80[][2] = {
    {-122.42, 37.77}, {-121.49, 38.58}, {-119.81, 39.53}, {-111.89, 40.76}, {-104.82, 41.14},
    {-96.00, 41.26},  {-93.61, 41.59},  {-87.63, 41.57},  {-81.69, 41.50},  {-74.17, 40.73},
};

std::vector<TMapPoint> Points(const double (*lonLat)[2], std::size_t count) {
  std::vector<TMapPoint> points;
  for (std::size_t i = 0; i < count; ++i) points.push_back(Units(lonLat[i][0], lonLat[i][1]));
  return points;
}

void WriteLine(data::DrawingWriter& writer, const std::vector<TMapPoint>& points) {
  std::vector<TMapPoint> vertices(points.begin() + 1, points.end());
  writer.Polyline(data::ObjectKind::Polyline12, data::AttributeCoding::None, data::PointCoding::Absolute, {},
                  points.front(), vertices);
}

std::vector<std::uint8_t> BaseMap() {
  data::DrawingWriter writer;
  // The base map's first extents are the bounds the view may pan within.
  const TMapPoint sw = Units(-175, 1), ne = Units(-48, 85);
  writer.Extents(sw.X, ne.X, sw.Y, ne.Y);
  writer.FeatureCode(0);  // the country
  WriteLine(writer, Points(kOutline, std::size(kOutline)));
  writer.FeatureCode(4);  // major cities
  for (const City& c : kCities) {
    data::PlaceObject place;
    place.Name = c.name;
    place.Point = Units(c.lon, c.lat);
    place.County = c.county;
    place.Population = c.population;
    writer.Place(place);
  }
  writer.FeatureCode(data::kHighwayCode);
  WriteLine(writer, Points(kInterstate80, std::size(kInterstate80)));
  writer.End();
  return writer.Bytes();
}

std::vector<std::uint8_t> HighwayNetwork() {
  data::DrawingWriter writer;
  const TMapPoint sw = Units(-125, 24), ne = Units(-66, 50);
  writer.Extents(sw.X, ne.X, sw.Y, ne.Y);
  writer.FeatureCode(14);  // the network's routable roads
  WriteLine(writer, Points(kInterstate80, std::size(kInterstate80)));
  writer.End();
  return writer.Bytes();
}

void WriteArchive(const std::filesystem::path& path, const char* member, const std::vector<std::uint8_t>& bytes) {
  data::ArchiveWriter archive(data::ArchiveLayout::kPlainZip);
  archive.Add(member, bytes, data::ImplodeVariant{true, true});
  archive.WriteFile(path);
}

}  // namespace

void AddSampleCommand(CLI::App& cli, int& exitCode) {
  CLI::App* cmd = cli.add_subcommand("sample-basemap",
                                     "Write a small stand-in base map (TARVO.ZIP) and highway network (HMAP.ZIP)");
  static std::string folder;
  cmd->add_option("-o,--output", folder, "Folder to write the two archives into")->required();
  cmd->callback([&exitCode] {
    try {
      std::filesystem::create_directories(folder);
      WriteArchive(std::filesystem::path(folder) / "TARVO.ZIP", "TARVO.DCM", BaseMap());
      WriteArchive(std::filesystem::path(folder) / "HMAP.ZIP", "HTOTAL.DCM", HighwayNetwork());
      exitCode = 0;
    } catch (const std::exception& e) {
      std::cerr << "quelmar-data sample-basemap: " << e.what() << "\n";
      exitCode = 1;
    }
  });
}

}  // namespace quelmar::tools
