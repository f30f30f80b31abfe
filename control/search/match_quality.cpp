#include "control/search/match_quality.h"

#include <array>
#include <string_view>

#include "control/core/coordinate_format.h"
#include "control/search/city_name.h"
#include "control/search/house_number.h"
#include "control/search/result_line.h"

namespace quelmar::search {
namespace {

constexpr double kNumberWeight = 0.2;
constexpr double kNameWeight = 0.4;
constexpr double kTypeWeight = 0.1;
constexpr double kDirectionWeight = 0.1;
constexpr double kPlaceWeight = 0.1;
constexpr double kZipWeight = 0.1;

constexpr std::array<std::string_view, 8> kDirections = {"N", "S", "E", "W", "NE", "NW", "SE", "SW"};
constexpr std::array<std::string_view, 16> kTypes = {"RD",  "LN",  "ST", "PL",  "DR",  "TR",   "AVE", "PKWY",
                                                     "CIR", "HWY", "TER", "CT", "TPK", "BLVD", "WAY", "SQ"};

// A street name in its three parts: a leading direction, the name, a final type.
struct StreetParts {
  std::string Direction, Name, Type;
};

template <std::size_t N>
bool OneOf(std::string_view word, const std::array<std::string_view, N>& words) {
  for (std::string_view w : words) {
    if (w == word) return true;
  }
  return false;
}

StreetParts PartsOf(std::string_view street) {
  StreetParts parts;
  std::string_view rest = street;
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  if (const std::size_t space = rest.find(' '); space != std::string_view::npos) {
    const std::string_view first = rest.substr(0, space);
    if (OneOf(first, kDirections)) {
      parts.Direction = first;
      rest.remove_prefix(space + 1);
    }
  }
  if (const std::size_t space = rest.rfind(' '); space != std::string_view::npos) {
    const std::string_view last = rest.substr(space + 1);
    if (OneOf(last, kTypes)) {
      parts.Type = last;
      rest = rest.substr(0, space);
    }
  }
  parts.Name = rest;
  return parts;
}

struct Tally {
  double typed = 0, matched = 0;
  void Add(double weight, double share) {
    typed += weight;
    matched += weight * share;
  }
  double Score() const { return typed > 0 ? matched / typed : 0; }
};

}  // namespace

MatchQuality StreetLineQuality(const TypedAddress& typed, const ShortString& line) {
  const ShortString street = UpperCase(ResultField(line, 1));
  const ShortString place = UpperCase(ResultField(line, 2));
  const ShortString range = ResultField(line, 3);
  const ShortString zip = ResultField(line, 5);
  MatchQuality quality;
  const bool intersection = street.StartsWith("*") || range == ShortString("N/A");
  const bool inRange = typed.HouseKey != 0 && !intersection && ParseAddressRange(range).Contains(typed.HouseKey);
  quality.Precision = intersection ? MatchPrecision::Intersection
                      : inRange    ? MatchPrecision::House
                                   : MatchPrecision::Street;
  Tally tally;
  if (typed.HouseKey != 0) tally.Add(kNumberWeight, inRange || intersection ? 1 : 0);
  const StreetParts want = PartsOf(UpperCase(typed.Street).View());
  // An intersection's name holds both streets: the first one is compared.
  std::string_view shown = street.View();
  if (intersection) {
    shown.remove_prefix(shown.starts_with("*") ? 1 : 0);
    shown = shown.substr(0, shown.find(" AND "));
  }
  const StreetParts got = PartsOf(shown);
  if (!want.Name.empty()) {
    tally.Add(kNameWeight, want.Name == got.Name ? 1 : got.Name.find(want.Name) != std::string::npos ? 0.5 : 0);
  }
  if (!want.Type.empty()) tally.Add(kTypeWeight, want.Type == got.Type ? 1 : 0);
  if (!want.Direction.empty()) tally.Add(kDirectionWeight, want.Direction == got.Direction ? 1 : 0);
  if (!typed.City.Empty()) {
    const ShortString city = UpperCase(typed.City);
    tally.Add(kPlaceWeight, CityContains(city, place) || WordContains(city, place) ? 1 : 0);
  }
  if (!typed.Zip.Empty()) tally.Add(kZipWeight, typed.Zip == zip ? 1 : 0);
  quality.Score = tally.Score();
  return quality;
}

MatchQuality PointQuality(const TypedAddress& typed, MatchPrecision precision) {
  Tally tally;
  if (typed.HouseKey != 0) tally.Add(kNumberWeight, 0);
  if (!PartsOf(UpperCase(typed.Street).View()).Name.empty()) tally.Add(kNameWeight + kTypeWeight, 0);
  if (!typed.City.Empty()) tally.Add(kPlaceWeight, 1);
  if (!typed.Zip.Empty()) tally.Add(kZipWeight, precision == MatchPrecision::Zip ? 1 : 0);
  return {precision, tally.Score()};
}

const char* PrecisionName(MatchPrecision precision) {
  switch (precision) {
    case MatchPrecision::House: return "house";
    case MatchPrecision::Street: return "street";
    case MatchPrecision::Intersection: return "intersection";
    case MatchPrecision::Zip: return "zip";
    case MatchPrecision::City: return "city";
  }
  return "street";
}

std::string MatchInfoText(const MatchQuality& quality) {
  return std::string(PrecisionName(quality.Precision)) + '\t' + core::FormatFixed(quality.Score, 2);
}

}  // namespace quelmar::search
