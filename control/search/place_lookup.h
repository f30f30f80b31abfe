#pragma once
// The place lookup over "Cities.bin" (layout in search_table_layout.h).
//
// A typed place ("Springfield, IL", "N Platte", "SPR*, IL") becomes a key in
// the table's sort order: upper case, a leading "St "/"St. " read as
// "SAINT ", a first word that is a directional in its one form ("N."), the
// name padded to 30 characters, then "," and the state. Without a wildcard
// the lookup is a bisection for the nearest name at or after the key; with
// "*" or "?" it lists every place matching the city and state patterns.
// Names beginning "DES" or "DE" directly followed by a letter are looked up
// again with a blank after that prefix ("DESMOINES" also as "DES MOINES").
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "control/data/search_table_layout.h"
#include "control/search/short_string.h"

namespace quelmar::search {

using data::TableBytes;
using data::CityRecord;

struct Place {
  std::int32_t Index = 0;  // in the table's sort order
  CityRecord Record;
  std::string Name;        // unpacked, as stored (capitals)
  friend bool operator==(const Place&, const Place&) = default;
};

// Whether the lookup of `text` is a list lookup ("*" or "?" in it).
bool IsPlaceListQuery(const ShortString& text);

// The texts a typed place is looked up as: itself, then its "DES " and
// "DE " forms where they apply.
std::vector<ShortString> PlaceQueryForms(const ShortString& text);

// The query key of `text`: in exact mode the state as its two-digit number
// ("00" when unknown), in list mode as typed.
std::string PlaceQueryKey(const ShortString& text, bool listMode);

// The place at sorted position `index`; nullopt outside the table or for a
// damaged record.
std::optional<Place> PlaceAt(TableBytes bytes, std::int32_t index);

// The first place whose sort key is not below `key`, or the last place when
// every key is below it. Nullopt for an empty or damaged table.
std::optional<Place> FindPlaceAtOrAfter(TableBytes bytes, const std::string& key);

// One exact lookup (no repetitions): the place nearest `text`'s key.
std::optional<Place> FindPlaceExact(TableBytes bytes, const ShortString& text);

// Whether the place's name begins with the name `text` is looked up by: a
// repeated form ("DES MOINES" for "DESMOINES") is reported only then, so a
// name that merely begins "DE" ("DENVER") does not also report a stranger.
bool NameBeginsWithQuery(const Place& place, const ShortString& text);

// One list lookup (no repetitions): every place in the range of the city
// pattern's first letter whose state code matches the state pattern and
// whose name matches the city pattern, in table order.
std::vector<Place> FindPlaceList(TableBytes bytes, const ShortString& text);

// The name to show: cut before any ":", a leading directional written out,
// in title case, at most 40 characters.
std::string PlaceDisplayName(const Place& place);

// "Springfield\tIL\t-89.6501\t39.7817": name, state code, longitude and
// latitude in degrees with `decimals` decimals.
std::string PlaceLine(const Place& place, int decimals);

// "\tSPRINGFIELD\t\tIL\t\t\t-89.6501,39.7817": the shape of a collected
// address line; the name cut before any ":" with its directionals written out.
std::string CityLine(const Place& place, int decimals);

// The place's position in degrees.
double PlaceLongitude(const Place& place);
double PlaceLatitude(const Place& place);

}  // namespace quelmar::search
