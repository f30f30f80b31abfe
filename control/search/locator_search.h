#pragma once
// The searches of the Locator dialog's five tabs, each giving the rows the
// dialog lists. A row is seven tab-separated fields: number or range,
// street, place, state, ZIP code (or count), the sixth field (ZIP code,
// telephone prefix or coordinate text) and "longitude,latitude".
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "control/search/geo_find.h"
#include "control/search/short_string.h"
#include "control/search/street_search.h"

namespace quelmar::search {

inline constexpr const char* kNoMatchesRow = " No Matches Found ";

struct LocatorServices {
  // The ZIP result line of a ZIP code; "" when there is none.
  std::function<ShortString(std::int32_t zip)> ZipLine;
  // The place lines (name, state, longitude, latitude) of a list lookup.
  std::function<std::vector<ShortString>(const ShortString& query)> PlaceLines;
  std::function<void(const StreetQuery& query, const std::function<void(const StreetReport&)>& report)> Streets;
  // The ZIP result lines of a wildcard ZIP pattern.
  std::function<std::vector<std::string>(const ShortString& pattern)> ZipPatternLines;
  // The exchange result lines of an area code and exchange ("312555").
  std::function<std::vector<std::string>(const std::string& prefix)> ExchangeLines;
  SearchCentre ViewCentre;
};

// Address tab: "NUMBER STREET, CITY, STATE, ZIP" read positionally, and an
// optional cross street ("" for none). Rows sorted, repeats of fields 1 to
// 4 dropped, only those holding the house number when any does.
std::vector<std::string> LocatorAddressRows(const ShortString& address, const ShortString& cross,
                                            const LocatorServices& services);
// Place tab: "CITY" or "CITY,ST".
std::vector<std::string> LocatorPlaceRows(const ShortString& typed, const LocatorServices& services);
// Zip tab: digits with "?" and a final "*".
std::vector<std::string> LocatorZipRows(const ShortString& pattern, const LocatorServices& services);
// Phone tab: the area code and exchange are the first six digits typed.
std::vector<std::string> LocatorPhoneRows(const std::string& typed, const LocatorServices& services);
// Lon/Lat tab: the typed pair, latitude first when `latitudeFirst`; nullopt
// when it does not read.
std::optional<std::string> LocatorLonLatRow(const ShortString& typed, bool latitudeFirst);

// How the list draws a row: "1060 W Addison St, Chicago, IL 60613".
std::string LocatorRowText(const std::string& row);
// The result text of a chosen row: its fields in the order 3, 1, 2, 4, 5, 6,
// 7 (on the Zip tab 3, 1, 2, 4, 6, 5, 7).
std::string LocatorResult(const std::string& row, bool zipTab);

}  // namespace quelmar::search
