#include "tools/quelmar-data/builder/inputs/places.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/area_locator.h"
#include "tools/quelmar-data/builder/inputs/map_geometry.h"
#include "tools/quelmar-data/builder/inputs/place_names.h"
#include "tools/quelmar-data/builder/inputs/region_codes.h"
#include "tools/quelmar-data/builder/inputs/state_capitals.h"

namespace quelmar::builder {
namespace {

constexpr std::int64_t kMinUsPopulation = 1000;
constexpr std::int64_t kMinForeignPopulation = 100000;
constexpr double kMaxJoinMiles = 25.0;
constexpr double kDuplicateMiles = 5.0;
// A place this close outside every county outline (about 3 miles) still takes the nearest county.
constexpr std::int32_t kCountyTolerance = 800;

// GeoNames feature codes that are not places of their own: sections of
// cities, and abandoned, historical or destroyed places.
bool IsSkippedFeature(std::string_view code) {
  return code == "PPLX" || code == "PPLQ" || code == "PPLH" || code == "PPLW" || code == "PPLCH";
}

struct Candidate {
  Place Entry;
  std::int64_t Id = 0;  // GeoNames id, the last tie-breaker
  const GazetteerEntry* Joined = nullptr;
  std::string Key;  // NameKey of the shown name
};

// Larger population first, then the lower GeoNames id.
bool Preferred(const Candidate& a, const Candidate& b) {
  return std::tie(b.Entry.Population, a.Id) < std::tie(a.Entry.Population, b.Id);
}

const GazetteerEntry* NearestEntry(const std::vector<const GazetteerEntry*>& entries, const LonLat& at) {
  const GazetteerEntry* nearest = nullptr;
  double best = kMaxJoinMiles;
  for (const GazetteerEntry* entry : entries) {
    const double miles = ApproxMiles(entry->At, at);
    if (miles < best) {
      best = miles;
      nearest = entry;
    }
  }
  return nearest;
}

std::vector<Candidate> UnitedStatesCandidates(const std::vector<GeoNamesCity>& cities, const GazetteerIndex& gazetteer,
                                              const std::map<std::string, int, std::less<>>& stateFips) {
  std::vector<Candidate> candidates;
  for (const GeoNamesCity& city : cities) {
    if (city.Population < kMinUsPopulation || IsSkippedFeature(city.FeatureCode)) continue;
    const std::string stateCode = city.Country == "US" ? city.AdminCode : city.Country == "PR" ? "PR" : "";
    const auto state = stateFips.find(stateCode);
    if (state == stateFips.end()) continue;
    Candidate candidate;
    candidate.Id = city.Id;
    Place& place = candidate.Entry;
    place.StateCode = stateCode;
    place.StateFips = state->second;
    place.Population =
        static_cast<std::int32_t>(std::min<std::int64_t>(city.Population, std::numeric_limits<std::int32_t>::max()));
    candidate.Joined = NearestEntry(gazetteer.Find(stateCode, city.Name), city.At);
    if (candidate.Joined != nullptr) {
      place.Name = gazetteer.DisplayName(*candidate.Joined);
      place.At = ToMapPoint(candidate.Joined->At, "gazetteer");
    } else {
      place.Name = city.Name;
      place.At = ToMapPoint(city.At, "cities");
    }
    candidate.Key = NameKey(place.Name);
    candidates.push_back(std::move(candidate));
  }
  return candidates;
}

// Keeps the preferred one of each group of duplicates: cities joined to the
// same gazetteer entry, or of the same state and name within a few miles.
std::vector<Candidate> WithoutDuplicates(std::vector<Candidate> candidates, PlaceCounts& counts) {
  std::sort(candidates.begin(), candidates.end(), Preferred);
  std::set<const GazetteerEntry*> joined;
  std::map<std::string, std::vector<TMapPoint>> keptByName;  // "ST|key" → kept positions
  std::vector<Candidate> kept;
  for (Candidate& candidate : candidates) {
    if (candidate.Joined != nullptr && !joined.insert(candidate.Joined).second) {
      ++counts.Duplicates;
      continue;
    }
    std::vector<TMapPoint>& sameName = keptByName[candidate.Entry.StateCode + '|' + candidate.Key];
    const LonLat here{core::UnitsToDegrees(candidate.Entry.At.X), core::UnitsToDegrees(candidate.Entry.At.Y)};
    const bool near = std::any_of(sameName.begin(), sameName.end(), [&](TMapPoint other) {
      return ApproxMiles(here, {core::UnitsToDegrees(other.X), core::UnitsToDegrees(other.Y)}) < kDuplicateMiles;
    });
    if (near) {
      ++counts.Duplicates;
      continue;
    }
    sameName.push_back(candidate.Entry.At);
    kept.push_back(std::move(candidate));
  }
  return kept;
}

// Marks the capitals of the states given (and Washington when the District is among them).
void MarkCapitals(std::vector<Candidate>& candidates, const std::map<std::string, int, std::less<>>& stateFips) {
  const auto mark = [&](std::string_view stateCode, std::string_view name, bool national) {
    const std::string key = NameKey(name);
    Place* best = nullptr;
    for (Candidate& candidate : candidates) {
      Place& place = candidate.Entry;
      if (place.StateCode == stateCode && candidate.Key == key &&
          (best == nullptr || place.Population > best->Population)) {
        best = &place;
      }
    }
    if (best == nullptr) {
      throw DataError("places: the capital " + std::string(name) + ", " + std::string(stateCode) + " is missing");
    }
    (national ? best->NationalCapital : best->StateCapital) = true;
  };
  for (const StateCapital& capital : StateCapitals()) {
    if (stateFips.contains(capital.StateCode)) mark(capital.StateCode, capital.Name, false);
  }
  if (stateFips.contains("DC")) mark("DC", "Washington", true);
}

std::vector<Place> ForeignPlaces(const std::vector<GeoNamesCity>& cities) {
  std::vector<Candidate> candidates;
  for (const GeoNamesCity& city : cities) {
    if (city.Population < kMinForeignPopulation || IsSkippedFeature(city.FeatureCode)) continue;
    Candidate candidate;
    candidate.Id = city.Id;
    Place& place = candidate.Entry;
    if (city.Country == "CA") {
      place.In = Country::Canada;
      place.StateCode = std::string(CanadianProvinceCode(city.AdminCode));
    } else if (city.Country == "MX") {
      place.In = Country::Mexico;
      place.StateCode = std::string(MexicanStateCode(city.AdminCode));
    } else {
      continue;
    }
    place.Name = city.Name;
    place.Population =
        static_cast<std::int32_t>(std::min<std::int64_t>(city.Population, std::numeric_limits<std::int32_t>::max()));
    place.At = ToMapPoint(city.At, "cities");
    candidate.Key = NameKey(place.Name);
    candidates.push_back(std::move(candidate));
  }
  PlaceCounts ignored;
  candidates = WithoutDuplicates(std::move(candidates), ignored);
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return std::tie(a.Entry.In, b.Entry.Population, a.Entry.Name, a.Id) <
           std::tie(b.Entry.In, a.Entry.Population, b.Entry.Name, b.Id);
  });
  std::vector<Place> places;
  for (Candidate& candidate : candidates) places.push_back(std::move(candidate.Entry));
  return places;
}

}  // namespace

std::vector<Place> BuildPlaces(const std::vector<GeoNamesCity>& cities, const GazetteerIndex& gazetteer,
                               const std::vector<StateArea>& states, const std::vector<CountyArea>& counties,
                               PlaceCounts* counts) {
  PlaceCounts tally;
  std::map<std::string, int, std::less<>> stateFips;
  for (const StateArea& state : states) stateFips.emplace(state.Code, state.Fips);
  std::vector<Candidate> candidates = WithoutDuplicates(UnitedStatesCandidates(cities, gazetteer, stateFips), tally);
  for (const Candidate& candidate : candidates) ++(candidate.Joined != nullptr ? tally.Joined : tally.Unjoined);

  AreaLocator countyLocator;
  for (const CountyArea& county : counties) countyLocator.Add(county.AreaCode(), county.StateFips, county.Rings);
  for (Candidate& candidate : candidates) {
    candidate.Entry.CountyCode = countyLocator.Find(candidate.Entry.At, candidate.Entry.StateFips, kCountyTolerance);
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return std::tie(a.Entry.StateFips, b.Entry.Population, a.Entry.Name, a.Id) <
           std::tie(b.Entry.StateFips, a.Entry.Population, b.Entry.Name, b.Id);
  });
  MarkCapitals(candidates, stateFips);
  std::vector<Place> places;
  places.reserve(candidates.size());
  for (Candidate& candidate : candidates) places.push_back(std::move(candidate.Entry));

  for (Place& place : ForeignPlaces(cities)) places.push_back(std::move(place));
  if (counts != nullptr) *counts = tally;
  return places;
}

}  // namespace quelmar::builder
