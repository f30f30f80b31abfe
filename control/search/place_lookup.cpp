#include "control/search/place_lookup.h"

#include <algorithm>

#include "control/core/coordinate_format.h"
#include "control/core/map_units.h"
#include "control/data/name_unpack.h"
#include "control/data/state_table.h"
#include "control/search/city_name.h"
#include "control/search/title_case.h"
#include "control/search/wildcard.h"

namespace quelmar::search {

using data::kCitySortNameWidth;
using data::CityCount;
using data::CityOffsetAt;
using data::CityRecordAt;
using data::CitySortKey;
using data::CityStateCode;

namespace {

constexpr int kMaxDisplayNameLength = 40;

ShortString Padded(ShortString text) {
  while (text.Length() < static_cast<int>(kCitySortNameWidth)) text.Append(" ");
  return text;
}

std::string SortKeyOf(const Place& place) { return CitySortKey(place.Name, place.Record.State); }

// The first index in [low, high) whose key is not below `key`.
std::int32_t LowerBound(TableBytes bytes, std::int32_t low, std::int32_t high, const std::string& key) {
  while (low < high) {
    const std::int32_t middle = low + (high - low) / 2;
    const std::optional<Place> place = PlaceAt(bytes, middle);
    // A damaged record sorts after everything, so the bisection stays in bounds.
    if (place && SortKeyOf(*place) < key) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

ShortString WithoutColon(const std::string& name) { return ShortString(std::string_view(name).substr(0, name.find(':'))); }

}  // namespace

bool IsPlaceListQuery(const ShortString& text) { return text.Contains("*") || text.Contains("?"); }

std::vector<ShortString> PlaceQueryForms(const ShortString& text) {
  std::vector<ShortString> forms{text};
  const ShortString upper = UpperCase(text);
  if (upper.StartsWith("DES ") || upper.StartsWith("DE ")) return forms;
  for (std::string_view prefix : {"DES", "DE"}) {
    const int length = static_cast<int>(prefix.size());
    const char after = upper.At(length + 1);
    if (upper.StartsWith(prefix) && after != '\0' && after != ' ') {
      ShortString form = text;
      form.Insert(" ", length + 1);
      forms.push_back(form);
    }
  }
  return forms;
}

std::string PlaceQueryKey(const ShortString& text, bool listMode) {
  ShortString typed = text;
  const ShortString upper = UpperCase(typed);
  if (upper.StartsWith("ST. ")) {
    typed = ShortString("SAINT ") + typed.From(5);
  } else if (upper.StartsWith("ST ")) {
    typed = ShortString("SAINT ") + typed.From(4);
  }
  typed = UpperCase(typed);
  const int comma = typed.Pos(",");
  const int blank = typed.Pos(" ");
  ShortString name = comma > 0 ? typed.Copy(1, comma - 1) : typed;
  if (blank > 0 && (comma == 0 || blank < comma)) {
    name = CanonicalDirectional(name.Copy(1, blank)) + name.From(blank + 1);
  }
  std::string key = Padded(name).Str();
  if (comma > 0) {
    const ShortString state = Trim(typed.From(comma + 1));
    key += ',';
    if (listMode) {
      key += state.Str();
    } else {
      const int number = std::clamp(data::StateNumber(state.View()), 0, 99);
      key += static_cast<char>('0' + number / 10);
      key += static_cast<char>('0' + number % 10);
    }
  }
  return key;
}

std::optional<Place> PlaceAt(TableBytes bytes, std::int32_t index) {
  const std::optional<std::int32_t> offset = CityOffsetAt(bytes, index);
  if (!offset || *offset < 0) return std::nullopt;
  std::optional<CityRecord> record = CityRecordAt(bytes, static_cast<std::size_t>(*offset));
  if (!record) return std::nullopt;
  std::string name = data::UnpackPairs(record->PackedName);
  return Place{index, std::move(*record), std::move(name)};
}

std::optional<Place> FindPlaceAtOrAfter(TableBytes bytes, const std::string& key) {
  const std::optional<std::int32_t> count = CityCount(bytes);
  if (!count || *count == 0) return std::nullopt;
  const std::int32_t index = std::min(LowerBound(bytes, 0, *count, key), *count - 1);
  return PlaceAt(bytes, index);
}

std::optional<Place> FindPlaceExact(TableBytes bytes, const ShortString& text) {
  return FindPlaceAtOrAfter(bytes, PlaceQueryKey(text, false));
}

bool NameBeginsWithQuery(const Place& place, const ShortString& text) {
  const std::string key = PlaceQueryKey(text, false);
  const std::string name = key.substr(0, key.find(','));
  const std::string typed = name.substr(0, name.find_last_not_of(' ') + 1);
  return CitySortKey(place.Name, place.Record.State).starts_with(typed);
}

std::vector<Place> FindPlaceList(TableBytes bytes, const ShortString& text) {
  std::vector<Place> places;
  const std::optional<std::int32_t> count = CityCount(bytes);
  if (!count) return places;
  const ShortString key = PlaceQueryKey(text, true);
  const int comma = key.Pos(",");
  const ShortString cityPattern = comma > 0 ? key.Copy(1, comma - 1) : key;
  ShortString statePattern = comma > 0 ? RemoveSpaces(key.From(comma + 1)) : ShortString("*");
  if (statePattern.Empty() || statePattern == "*") statePattern = "*";

  // Only the names that begin with the pattern's letters before its first
  // "?" or "*" can match: the table is sorted by name, so they lie together.
  std::int32_t low = 0;
  std::int32_t high = *count;
  std::string prefix(cityPattern.View().substr(0, cityPattern.View().find_first_of("?*")));
  if (prefix.size() > data::kCitySortNameWidth) prefix.resize(data::kCitySortNameWidth);
  while (!prefix.empty() && prefix.back() == '\xFF') prefix.pop_back();
  if (!prefix.empty()) {
    low = LowerBound(bytes, 0, *count, prefix);
    std::string after = prefix;
    after.back() = static_cast<char>(after.back() + 1);
    high = LowerBound(bytes, low, *count, after);
  }
  for (std::int32_t i = low; i < high; ++i) {
    std::optional<Place> place = PlaceAt(bytes, i);
    if (!place) continue;
    if (!WildcardMatch(CityStateCode(place->Record.State), statePattern)) continue;
    if (!WildcardMatch(Padded(UpperCase(place->Name)), cityPattern)) continue;
    places.push_back(std::move(*place));
  }
  return places;
}

std::string PlaceDisplayName(const Place& place) {
  return TitleCaseName(ExpandDirectionals(WithoutColon(place.Name))).Copy(1, kMaxDisplayNameLength).Str();
}

double PlaceLongitude(const Place& place) { return place.Record.X * core::kDegreesPerUnit; }
double PlaceLatitude(const Place& place) { return place.Record.Y * core::kDegreesPerUnit; }

std::string PlaceLine(const Place& place, int decimals) {
  return PlaceDisplayName(place) + '\t' + std::string(CityStateCode(place.Record.State)) + '\t' +
         core::FormatFixed(PlaceLongitude(place), decimals) + '\t' + core::FormatFixed(PlaceLatitude(place), decimals);
}

std::string CityLine(const Place& place, int decimals) {
  return '\t' + ExpandDirectionals(WithoutColon(place.Name)).Str() + "\t\t" +
         std::string(CityStateCode(place.Record.State)) + "\t\t\t" + core::FormatFixed(PlaceLongitude(place), decimals) +
         ',' + core::FormatFixed(PlaceLatitude(place), decimals);
}

}  // namespace quelmar::search
