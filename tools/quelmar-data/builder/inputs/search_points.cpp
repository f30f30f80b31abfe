#include "tools/quelmar-data/builder/inputs/search_points.h"

#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

#include "control/data/search_table_layout.h"
#include "control/data/state_table.h"
#include "tools/quelmar-data/builder/inputs/place_names.h"
#include "tools/quelmar-data/builder/output/search_tables.h"

namespace quelmar::builder {
namespace {

bool IsCentralOfficeCode(int exchange) { return exchange >= 200 && exchange <= 999 && exchange % 100 != 11; }

}  // namespace

std::vector<ZipPoint> ZipPointsOf(const ZipCentroids& zips) {
  std::vector<ZipPoint> points;
  for (const ZipCentroid& zip : zips.All()) points.push_back({zip.Zip, zip.City, zip.StateCode, zip.At});
  return points;
}

std::vector<PlaceName> GazetteerPlaceNames(const GazetteerIndex& gazetteer) {
  std::vector<PlaceName> places;
  for (const GazetteerEntry& entry : gazetteer.Entries()) {
    if (entry.Kind != GazetteerKind::Place) continue;
    const bool state = data::StreetStateSlot(entry.StateCode) != 0 && entry.StateCode != "PR" && entry.StateCode != "VI";
    if (!state && entry.StateFips != data::kPuertoRicoState) continue;
    TMapPoint at;
    try {
      at = ToMapUnits(entry.At.Lon, entry.At.Lat);
    } catch (const std::invalid_argument&) {
      continue;
    }
    std::vector<std::string> names = CommonNames(entry);
    names.push_back(gazetteer.DisplayName(entry));
    std::set<std::string> seen;
    for (const std::string& name : names) {
      if (!name.empty() && seen.insert(StoredPlaceName(name)).second) places.push_back({name, entry.StateFips, at});
    }
  }
  return places;
}

std::vector<ExchangePoint> ExchangePointsOf(const std::vector<PhonePrefix>& prefixes, const GazetteerIndex& gazetteer,
                                            const ZipCentroids& zips, ExchangeCounts* counts) {
  ExchangeCounts tally;
  // Each exchange takes the place of the longest prefix that covers it.
  struct Claim {
    const PhonePrefix* Prefix = nullptr;
    std::size_t Length = 0;
  };
  std::map<std::pair<int, int>, Claim> claims;
  for (const PhonePrefix& prefix : prefixes) {
    if (prefix.Place.empty() || data::StreetStateSlot(prefix.State) == 0) continue;
    if (prefix.Digits.size() < 3 || prefix.Digits.size() > 6) continue;
    const int area = std::stoi(prefix.Digits.substr(0, 3));
    const std::string lead = prefix.Digits.substr(3);
    int low = 0;
    int count = 1;
    for (char digit : lead) low = low * 10 + (digit - '0');
    for (std::size_t k = lead.size(); k < 3; ++k) low *= 10, count *= 10;
    for (int exchange = low; exchange < low + count; ++exchange) {
      if (!IsCentralOfficeCode(exchange)) continue;
      Claim& claim = claims[{area, exchange}];
      if (!claim.Prefix || prefix.Digits.size() > claim.Length) claim = {&prefix, prefix.Digits.size()};
    }
  }

  std::map<std::string, std::optional<TMapPoint>> points;  // by "ST|name"
  const auto pointOf = [&](const PhonePrefix& prefix) -> std::optional<TMapPoint> {
    const std::string key = prefix.State + "|" + prefix.Place;
    if (const auto found = points.find(key); found != points.end()) return found->second;
    std::optional<TMapPoint> at;
    for (const GazetteerEntry* entry : gazetteer.Find(prefix.State, prefix.Place)) {
      try {
        at = ToMapUnits(entry->At.Lon, entry->At.Lat);
        break;
      } catch (const std::invalid_argument&) {
      }
    }
    if (!at) {
      double x = 0, y = 0;
      int n = 0;
      const std::string name = NameKey(prefix.Place);
      for (const ZipCentroid& zip : zips.All()) {
        if (zip.StateCode == prefix.State && NameKey(zip.City) == name) x += zip.At.X, y += zip.At.Y, ++n;
      }
      if (n > 0) at = TMapPoint{static_cast<std::int32_t>(std::lround(x / n)), static_cast<std::int32_t>(std::lround(y / n))};
    }
    return points[key] = at;
  };

  // The ZIP code nearby, else the nearest of the place's own, else the
  // nearest of its state: a place's gazetteer point may lie far from its
  // ZIP codes' points (Anchorage's lies in the mountains east of the city).
  std::map<std::string, std::int32_t> placeZips;
  const auto zipOf = [&](const PhonePrefix& prefix, TMapPoint at) {
    if (const std::int32_t zip = zips.Nearest(prefix.State, at)) return zip;
    const std::string key = prefix.State + "|" + prefix.Place;
    if (const auto found = placeZips.find(key); found != placeZips.end()) return found->second;
    const std::string name = NameKey(prefix.Place);
    std::int32_t best = 0;
    bool bestSameName = false;
    double bestDistance = 0;
    for (const ZipCentroid& zip : zips.All()) {
      if (zip.StateCode != prefix.State) continue;
      const bool sameName = NameKey(zip.City) == name;
      const double dx = zip.At.X - at.X, dy = zip.At.Y - at.Y;
      const double distance = dx * dx + dy * dy;
      if (best == 0 || (sameName && !bestSameName) || (sameName == bestSameName && distance < bestDistance)) {
        best = zip.Zip, bestSameName = sameName, bestDistance = distance;
      }
    }
    return placeZips[key] = best;
  };

  std::vector<ExchangePoint> exchanges;
  for (const auto& [number, claim] : claims) {
    const std::optional<TMapPoint> at = pointOf(*claim.Prefix);
    if (!at) {
      ++tally.Unplaced;
      continue;
    }
    if (claim.Length == 3) ++tally.AreaCodeWide;
    exchanges.push_back({number.first, number.second, zipOf(*claim.Prefix, *at), claim.Prefix->State,
                         claim.Prefix->Place, *at});
  }
  tally.Exchanges = static_cast<int>(exchanges.size());
  if (counts) *counts = tally;
  return exchanges;
}

}  // namespace quelmar::builder
