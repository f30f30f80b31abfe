#pragma once
// The search tables of the Data3 folder: "ZIP.BIN", "Cities.bin" and
// "FON.BIN", in the layout of control/data/search_table_layout.h.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/zip_centroids.h"

namespace quelmar::builder {

// ZIP codes of the states, the District, Puerto Rico and the Virgin Islands
// by code, one block per run of codes of one state (at most 199 runs: a
// DataError names the count beyond), the end entry's first code 100000, so
// Alaska's codes above 99499 are found. Names are cut to 20 characters; the
// count field is 0.
std::string ZipTableBytes(const std::vector<ZipPoint>& zips);

// Places by their sort key (stable for equal keys), names in their stored
// form (StoredPlaceName).
std::string CityTableBytes(const std::vector<PlaceName>& places);

// Exchanges by area code and exchange, one header entry per area code, the
// header continued in further blocks of 300 entries when there are more
// than 299 area codes. An area code's ZIP code base is its lowest ZIP code;
// a ZIP code more than 32767 above it is left out (the base shows).
std::string ExchangeTableBytes(const std::vector<ExchangePoint>& exchanges);

// The stored form of a place name: printable ASCII in capitals, a leading
// "ST. "/"ST " as "SAINT ", and a first word North, South, East or West
// followed by more as its letter and "." joined to the rest ("N.PLATTE"),
// the form the place lookup turns any typed directional into.
std::string StoredPlaceName(std::string_view name);

// Writes the tables that have entries into `folder`.
void WriteSearchTables(const SearchTableInputs& search, const ZipCentroids& zips, const std::filesystem::path& folder);

}  // namespace quelmar::builder
