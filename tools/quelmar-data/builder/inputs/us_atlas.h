#pragma once
// The nation, state and county outlines of the us-atlas package (Census
// cartographic boundaries as TopoJSON in longitude/latitude). Kept are the
// 50 states, the District of Columbia and Puerto Rico; the other territories
// are left out, and so are the nation's polygons that lie only there.
//
// Throws quelmar::DataError for an object that is missing, an id that is not
// a FIPS number, a geometry that is not an area or a coordinate out of range.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/inputs/topojson.h"

namespace quelmar::builder {

// The two-letter code of a kept state or district ("IL", "DC", "PR");
// "" for any other FIPS number.
std::string UsStateCode(int fips);

// Object "states": one StateArea per kept state, ordered by FIPS number.
std::vector<StateArea> StatesFromTopology(const Topology& topology);
// Object "counties": the counties of the kept states, ordered by area code.
std::vector<CountyArea> CountiesFromTopology(const Topology& topology);
// Object "nation": the rings of the polygons whose box meets a kept state's box.
std::vector<Ring> NationFromTopology(const Topology& topology, const std::vector<StateArea>& states);

struct UsAtlas {
  std::vector<Ring> Nation;
  std::vector<StateArea> States;
  std::vector<CountyArea> Counties;
};

// nation-10m.json, states-10m.json and counties-10m.json in `folder`.
UsAtlas LoadUsAtlas(const std::filesystem::path& folder);

}  // namespace quelmar::builder
