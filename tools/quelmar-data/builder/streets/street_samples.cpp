#include "tools/quelmar-data/builder/streets/street_samples.h"

#include <utility>

#include "tools/quelmar-data/builder/streets/address_interpolation.h"
#include "tools/quelmar-data/builder/streets/chicago_address_grid.h"
#include "tools/quelmar-data/builder/streets/editor_graph_reader.h"
#include "tools/quelmar-data/builder/streets/osm_file_reader.h"
#include "tools/quelmar-data/builder/streets/street_network.h"
#include "tools/quelmar-data/builder/streets/vector_tile_streets.h"

namespace quelmar::builder {

namespace {

constexpr int kIllinois = 17;
constexpr int kCalifornia = 6;
constexpr int kMichigan = 26;

// The Haight-Ashbury / Cole Valley tiles.
const std::vector<std::string> kSanFranciscoTiles = {
    "15-5237-12665.mvt", "15-5237-12666.mvt", "15-5237-12667.mvt", "15-5238-12665.mvt", "15-5238-12666.mvt",
    "15-5238-12667.mvt", "15-5239-12665.mvt", "15-5239-12666.mvt", "15-5239-12667.mvt",
};

// Three Rivers, Michigan, with a margin around the graph's own nodes.
constexpr GeoBox kThreeRivers{-85.66, 41.92, -85.57, 42.01};

// Tiles carry their own topology only within a tile; two map units join
// the pieces that tile edges cut. OSM sources share nodes exactly, so one
// unit only absorbs rounding.
constexpr NetworkOptions kTileNetwork{2, 3, 2999};
constexpr NetworkOptions kOsmNetwork{1, 3, 2999};

StreetSample FromTiles(const std::filesystem::path& folder, const std::vector<std::string>& tiles, int stateFips,
                       const std::string& source) {
  RawStreets raw = ReadVectorTileFolder(folder, tiles);
  StreetSample sample;
  sample.Source = source + " (" + folder.string() + ")";
  sample.StateFips = stateFips;
  sample.Segments = BuildStreetNetwork(std::move(raw.Lines), raw.Labels, kTileNetwork);
  sample.Landmarks = std::move(raw.Landmarks);
  return sample;
}

}  // namespace

StreetSampleFiles SampleFilesIn(const std::filesystem::path& testdataStreetsDir) {
  StreetSampleFiles files;
  files.ChicagoTiles = testdataStreetsDir / "chicago-z13";
  files.SanFranciscoTiles = testdataStreetsDir / "sanfrancisco-z15";
  files.SanFranciscoTileNames = kSanFranciscoTiles;
  files.ThreeRiversGraph = testdataStreetsDir / "three-rivers-mi.intro_graph.json";
  files.ThreeRiversArea = kThreeRivers;
  files.WestOakland = testdataStreetsDir / "West-Oakland.osm.bz2";
  return files;
}

StreetSampleFiles SampleFilesInInputs(const std::filesystem::path& inputsDir) {
  const std::filesystem::path realWorld = inputsDir / "npm" / "@mapbox" / "mvt-fixtures" / "real-world";
  StreetSampleFiles files;
  files.ChicagoTiles = realWorld / "chicago";
  files.SanFranciscoTiles = realWorld / "sanfrancisco";
  files.SanFranciscoTileNames = kSanFranciscoTiles;
  files.ThreeRiversGraph = inputsDir / "npm" / "@openstreetmap" / "id" / "data" / "intro_graph.json";
  files.ThreeRiversArea = kThreeRivers;
  files.WestOakland = inputsDir / "deb" / "python-osmnx-doc" / "usr" / "share" / "doc" / "python-osmnx-doc" /
                      "examples" / "tests" / "input_data" / "West-Oakland.osm.bz2";
  return files;
}

std::vector<StreetSample> LoadStreetSamples(const StreetSampleFiles& files) {
  std::vector<StreetSample> samples;

  StreetSample chicago = FromTiles(files.ChicagoTiles, {}, kIllinois,
                                   "Chicago, IL: OpenStreetMap vector tiles, ranges from the city's address grid");
  SetChicagoGridRanges(chicago.Segments);
  samples.push_back(std::move(chicago));

  samples.push_back(FromTiles(files.SanFranciscoTiles, files.SanFranciscoTileNames, kCalifornia,
                              "San Francisco, CA: OpenStreetMap vector tiles"));

  RawStreets threeRivers = ReadEditorGraph(files.ThreeRiversGraph, files.ThreeRiversArea);
  StreetSample michigan;
  michigan.Source = "Three Rivers, MI: OpenStreetMap editor graph, ranges interpolated from its addresses (" +
                    files.ThreeRiversGraph.string() + ")";
  michigan.StateFips = kMichigan;
  michigan.Segments = BuildStreetNetwork(std::move(threeRivers.Lines), {}, kOsmNetwork);
  InterpolateAddressRanges(michigan.Segments, threeRivers.Addresses);
  michigan.Addresses = std::move(threeRivers.Addresses);
  michigan.Landmarks = std::move(threeRivers.Landmarks);
  samples.push_back(std::move(michigan));

  RawStreets oakland = ReadOsmFile(files.WestOakland);
  StreetSample westOakland;
  westOakland.Source = "West Oakland, CA: OpenStreetMap XML (" + files.WestOakland.string() + ")";
  westOakland.StateFips = kCalifornia;
  westOakland.Segments = BuildStreetNetwork(std::move(oakland.Lines), {}, kOsmNetwork);
  westOakland.Addresses = std::move(oakland.Addresses);
  westOakland.Landmarks = std::move(oakland.Landmarks);
  samples.push_back(std::move(westOakland));
  return samples;
}

}  // namespace quelmar::builder
