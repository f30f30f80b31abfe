#include "control/search/geo_find.h"

#include <charconv>
#include <cmath>

#include "control/core/coordinate_format.h"
#include "control/core/errors.h"
#include "control/search/address_split.h"
#include "control/search/city_name.h"
#include "control/search/house_number.h"
#include "control/search/result_line.h"

namespace quelmar::search {
namespace {

constexpr double kDefaultRadiusMiles = 10;

std::optional<double> ParseNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

double RadiusOf(const ShortString& address) {
  const int bar = address.Pos("|");
  if (bar == 0) return kDefaultRadiusMiles;
  const std::optional<double> radius = ParseNumber(address.From(bar + 1).View());
  if (!radius || !(*radius >= 0 && *radius <= 25000)) {
    throw ArgumentError("The radius after \"|\" is not a number of 0 to 25000 miles");
  }
  return *radius;
}

std::optional<SearchCentre> PointOfFields(const ShortString& line, int lonField, int latField) {
  const auto lon = ParseNumber(ResultField(line, lonField).View());
  const auto lat = ParseNumber(ResultField(line, latField).View());
  if (!lon || !lat || !(std::abs(*lon) <= 180) || !(std::abs(*lat) <= 90)) return std::nullopt;
  return SearchCentre{*lon, *lat};
}

std::string PointText(const SearchCentre& centre) {
  return core::FormatFixed(centre.Lon, 6) + "," + core::FormatFixed(centre.Lat, 6);
}

// The first word of the city through CanonicalDirectional, then the
// directionals written out, as the filters compare it.
ShortString FilterCity(const ShortString& city) {
  ShortString text = city;
  if (const int space = city.Pos(" ")) {
    text = CanonicalDirectional(city.Copy(1, space)) + city.From(space + 1);
  }
  return ExpandDirectionals(text);
}

bool PlaceHoldsCity(const ShortString& city, const ShortString& place) {
  return CityContains(city, place) || WordContains(city, place);
}

// A street result line as GeoFind collects it, in capitals: street, place,
// range, state, ZIP code, an empty field, then "longitude,latitude".
ShortString CollectedLine(const std::string& resultLine) {
  const ShortString line(resultLine);
  std::string collected;
  for (int n = 1; n <= 5; ++n) collected += ResultField(line, n).Str() + '\t';
  collected += '\t' + ResultField(line, 6).Str() + "," + ResultField(line, 7).Str();
  return UpperCase(ShortString(collected));
}

struct Collected {
  ShortString Line;
  bool Marked = false;
  bool Kept = true;
};

}  // namespace

void AddSearchCentre(std::vector<SearchCentre>& centres, SearchCentre centre) {
  for (const SearchCentre& listed : centres) {
    if (std::hypot(listed.Lon - centre.Lon, listed.Lat - centre.Lat) < 1) return;
  }
  if (centres.size() < kMaxSearchCentres) centres.push_back(centre);
}

void AddPlaceCentres(std::vector<SearchCentre>& centres, const ShortString& city, const ShortString& state,
                     const std::function<std::vector<ShortString>(const ShortString& query)>& placeLines) {
  std::vector<ShortString> queries = {city + "*," + state};
  if (city.StartsWith("DES") && city.Length() > 3 && city.At(4) != ' ') {
    queries.push_back("Des " + city.From(4) + "*," + state);
  }
  if (city.StartsWith("DE") && city.Length() > 2 && city.At(3) != ' ') {
    queries.push_back("De " + city.From(3) + "*," + state);
  }
  if (city.StartsWith("ST ")) queries.push_back("Saint " + city.From(4) + "*," + state);
  for (const ShortString& query : queries) {
    for (const ShortString& line : placeLines(query)) {
      if (const auto point = PointOfFields(line, 3, 4)) AddSearchCentre(centres, *point);
    }
  }
}

int GeoFind(const ShortString& address, const GeoFindServices& services,
            const std::function<void(const GeoFindHit&)>& report) {
  const double radius = RadiusOf(address);
  AddressLookups lookups;
  lookups.ZipLine = services.ZipLine;
  lookups.PlaceLine = services.PlaceLine;
  const SplitAddressResult split = SplitAddress(address, lookups);
  if (split.Street.Empty() && split.City.Empty() && split.State.Empty() && split.Zip.Empty() &&
      split.TypedCity.Empty()) {
    return 0;
  }
  const HouseNumberAndStreet numbered = ExtractHouseNumber(split.Street);
  const ShortString street = UpperCase(numbered.Street);
  ShortString city = split.City;
  ShortString state = split.State;

  TypedAddress typed;
  typed.HouseKey = numbered.Key;
  typed.Street = street;
  typed.City = split.City.Empty() ? split.TypedCity : split.City;
  typed.Zip = split.Zip;

  // The centres: the ZIP code's point, else the places of the city.
  std::vector<SearchCentre> centres;
  std::optional<SearchCentre> zipPoint;
  if (!split.Zip.Empty()) {
    const ShortString zipLine = services.ZipLine ? services.ZipLine(std::stoi(split.Zip.Str())) : ShortString();
    if (!zipLine.Empty()) {
      const ShortString zipCity = UpperCase(ResultField(zipLine, 2));
      if (!zipCity.Contains(city.View())) city = zipCity;
      if (state.Empty()) state = ResultField(zipLine, 3);
      zipPoint = PointOfFields(zipLine, 5, 6);
      if (zipPoint) centres.push_back(*zipPoint);
    }
  } else if (!city.Empty() && services.PlaceLines) {
    AddPlaceCentres(centres, city, state, services.PlaceLines);
  }
  if (centres.empty()) centres.push_back(services.ViewCentre);

  const ShortString filterCity = FilterCity(city);
  std::vector<Collected> lines;
  bool cityEqual = false, streetPrefix = false, cityContains = false;
  if (!city.Empty() && !street.Empty() && services.Streets) {
    for (const SearchCentre& centre : centres) {
      StreetQuery query;
      query.Street = street;
      query.Cross = "?";
      query.State = state.Str();
      query.RadiusMiles = radius;
      query.CentreLon = centre.Lon;
      query.CentreLat = centre.Lat;
      query.HouseKey = numbered.Key;
      services.Streets(query, [&](const StreetReport& found) {
        Collected collected{CollectedLine(found.Line)};
        const ShortString place = ResultField(collected.Line, 2);
        const ShortString name = ResultField(collected.Line, 1);
        cityEqual = cityEqual || SaintForm(place) == SaintForm(filterCity);
        streetPrefix = streetPrefix || name.StartsWith(street.View());
        cityContains = cityContains || PlaceHoldsCity(filterCity, place);
        lines.push_back(std::move(collected));
      });
    }
  }

  // Filter by the typed city and street; mark the lines whose range holds
  // the house number.
  bool anyMarked = false;
  for (Collected& line : lines) {
    const ShortString place = ResultField(line.Line, 2);
    const ShortString name = ResultField(line.Line, 1);
    const bool placeHolds = PlaceHoldsCity(filterCity, place);
    if (cityEqual && !placeHolds) line.Kept = false;
    if (streetPrefix && !name.StartsWith(street.View())) line.Kept = false;
    if (cityContains && !placeHolds) {
      line.Kept = false;
    } else if (name.Contains(street.View())) {
      if (ParseAddressRange(ResultField(line.Line, 3)).Contains(numbered.Key)) {
        line.Marked = anyMarked = true;
        line.Line = ReplaceResultField(line.Line, 3, HouseNumberText(numbered.Key));
      }
    } else {
      line.Kept = false;
    }
  }

  int count = 0;
  for (const Collected& line : lines) {
    if (!line.Kept || (anyMarked && !line.Marked)) continue;
    ++count;
    report({line.Line.Str(), StreetLineQuality(typed, line.Line)});
  }
  if (count > 0) return count;

  // Nothing on the streets: the ZIP code's point, the city's, or its places.
  if (!split.Zip.Empty() && zipPoint) {
    report({"\t" + city.Str() + "\t\t" + state.Str() + "\t" + split.Zip.Str() + "\t\t" + PointText(*zipPoint),
            PointQuality(typed, MatchPrecision::Zip)});
    return 1;
  }
  if (!city.Empty() && !state.Empty()) {
    report({"\t" + city.Str() + "\t\t" + state.Str() + "\t\t\t" + PointText(centres.back()),
            PointQuality(typed, MatchPrecision::City)});
    return 1;
  }
  if (!city.Empty()) {
    if (services.ReportPlaces) services.ReportPlaces(city + "*", PointQuality(typed, MatchPrecision::City));
    return -1;
  }
  if (!split.TypedCity.Empty()) {
    if (services.ReportPlaces) {
      services.ReportPlaces(split.TypedCity + "," + state, PointQuality(typed, MatchPrecision::City));
    }
    return -1;
  }
  return 0;
}

}  // namespace quelmar::search
