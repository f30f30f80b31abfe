#include "tools/quelmar-data/builder/inputs/us_atlas.h"

#include <algorithm>
#include <optional>

#include "control/core/errors.h"
#include "control/data/state_table.h"
#include "tools/quelmar-data/builder/inputs/map_geometry.h"
#include "tools/quelmar-data/builder/inputs/text_fields.h"

namespace quelmar::builder {
namespace {

constexpr int kPuertoRicoFips = 72;

// The digits of an id such as "17" or "17031" as a number.
int FipsNumber(const TopoGeometry& geometry, std::size_t digits, const char* what) {
  const std::optional<long long> number = geometry.Id.size() == digits ? ParseInteger(geometry.Id) : std::nullopt;
  if (!number || *number < 0) throw DataError(std::string(what) + ": id \"" + geometry.Id + "\" is not a FIPS number");
  return static_cast<int>(*number);
}

std::vector<Ring> AreaRings(const TopoGeometry& geometry, const char* what) {
  if (geometry.Type != TopoType::Polygon && geometry.Type != TopoType::MultiPolygon) {
    throw DataError(std::string(what) + " " + geometry.Id + " is not an area");
  }
  return ToMapRings(geometry.Polygons, what);
}

}  // namespace

std::string UsStateCode(int fips) {
  if (fips == kPuertoRicoFips) return "PR";
  // Slots 43 and 52 of the engine's table hold PR and VI, which have other FIPS numbers.
  if (fips < 1 || fips > data::kLastStreetStateSlot || fips == 43 || fips == 52) return "";
  return std::string(data::StateCode(fips));
}

std::vector<StateArea> StatesFromTopology(const Topology& topology) {
  std::vector<StateArea> states;
  for (const TopoGeometry& geometry : topology.Object("states")) {
    const int fips = FipsNumber(geometry, 2, "states");
    const std::string code = UsStateCode(fips);
    if (code.empty()) continue;
    StateArea state;
    state.Fips = fips;
    state.Code = code;
    state.Name = geometry.Name();
    state.Rings = AreaRings(geometry, "state");
    states.push_back(std::move(state));
  }
  std::stable_sort(states.begin(), states.end(),
                   [](const StateArea& a, const StateArea& b) { return a.Fips < b.Fips; });
  for (std::size_t i = 1; i < states.size(); ++i) {
    if (states[i].Fips == states[i - 1].Fips) throw DataError("states: state " + states[i].Code + " appears twice");
  }
  return states;
}

std::vector<CountyArea> CountiesFromTopology(const Topology& topology) {
  std::vector<CountyArea> counties;
  for (const TopoGeometry& geometry : topology.Object("counties")) {
    const int code = FipsNumber(geometry, 5, "counties");
    if (UsStateCode(code / 1000).empty()) continue;
    CountyArea county;
    county.StateFips = code / 1000;
    county.CountyFips = code % 1000;
    county.Name = geometry.Name();
    county.Rings = AreaRings(geometry, "county");
    counties.push_back(std::move(county));
  }
  std::stable_sort(counties.begin(), counties.end(),
                   [](const CountyArea& a, const CountyArea& b) { return a.AreaCode() < b.AreaCode(); });
  for (std::size_t i = 1; i < counties.size(); ++i) {
    if (counties[i].AreaCode() == counties[i - 1].AreaCode()) {
      throw DataError("counties: county " + std::to_string(counties[i].AreaCode()) + " appears twice");
    }
  }
  return counties;
}

std::vector<Ring> NationFromTopology(const Topology& topology, const std::vector<StateArea>& states) {
  std::vector<MapBox> stateBoxes;
  for (const StateArea& state : states) {
    if (const std::optional<MapBox> box = BoxOf(state.Rings)) stateBoxes.push_back(*box);
  }
  std::vector<Ring> nation;
  for (const TopoGeometry& geometry : topology.Object("nation")) {
    if (geometry.Type != TopoType::Polygon && geometry.Type != TopoType::MultiPolygon) {
      throw DataError("nation: the outline is not an area");
    }
    for (const LonLatPolygon& polygon : geometry.Polygons) {
      std::vector<Ring> rings = ToMapRings({polygon}, "nation");
      const std::optional<MapBox> box = BoxOf(rings);
      if (!box) continue;
      const bool kept = std::any_of(stateBoxes.begin(), stateBoxes.end(),
                                    [&](const MapBox& stateBox) { return data::BoxesMeet(*box, stateBox); });
      if (kept)
        nation.insert(nation.end(), std::make_move_iterator(rings.begin()), std::make_move_iterator(rings.end()));
    }
  }
  return nation;
}

UsAtlas LoadUsAtlas(const std::filesystem::path& folder) {
  UsAtlas atlas;
  atlas.States = StatesFromTopology(Topology::Read(folder / "states-10m.json"));
  atlas.Counties = CountiesFromTopology(Topology::Read(folder / "counties-10m.json"));
  atlas.Nation = NationFromTopology(Topology::Read(folder / "nation-10m.json"), atlas.States);
  return atlas;
}

}  // namespace quelmar::builder
