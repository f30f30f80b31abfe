#pragma once
// The four real street samples the builder ships, each read, noded into a
// network and given address ranges where a real source for them exists:
//   Chicago, IL (state 17)       vector tiles, zoom 13; ranges from the city's grid
//   San Francisco, CA (6)        vector tiles, zoom 15 (Haight-Ashbury); no ranges
//   Three Rivers, MI (26)        editor JSON graph; ranges interpolated from its address points
//   West Oakland, CA (6)         OSM XML; no ranges
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/streets/raw_streets.h"

namespace quelmar::builder {

struct StreetSampleFiles {
  std::filesystem::path ChicagoTiles;              // folder of 13-X-Y.mvt
  std::filesystem::path SanFranciscoTiles;         // folder of 15-X-Y.mvt
  std::vector<std::string> SanFranciscoTileNames;  // the tiles to read; every tile when empty
  std::filesystem::path ThreeRiversGraph;          // the editor's intro_graph.json
  std::optional<GeoBox> ThreeRiversArea;           // the part of the graph to keep
  std::filesystem::path WestOakland;               // West-Oakland.osm.bz2
};

// The samples in the shared test data folder (../shared/testdata/streets).
StreetSampleFiles SampleFilesIn(const std::filesystem::path& testdataStreetsDir);

// The same samples in the fetched input packages (scripts/fetch-inputs):
// the San Francisco folder there may hold more tiles, so the nine of the
// test data are named; the editor graph is kept to the Three Rivers area.
StreetSampleFiles SampleFilesInInputs(const std::filesystem::path& inputsDir);

// Reads and builds the four samples in the order above. Throws what the
// readers throw (quelmar::IoError, quelmar::DataError) naming the file.
std::vector<StreetSample> LoadStreetSamples(const StreetSampleFiles& files);

}  // namespace quelmar::builder
