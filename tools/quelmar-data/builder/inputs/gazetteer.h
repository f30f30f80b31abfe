#pragma once
// The Census gazetteer as the weather-util-data package ships it: an INI-like
// text of sections "[fipsNNNNN]" (a county: state and county FIPS),
// "[fipsNNNNNNN]" (a place: state FIPS and place code) and
// "[fipsNNNNNNNNNN]" (a county subdivision: state, county and subdivision
// codes), each with
//   centroid = (latitude_radians, longitude_radians)
//   description = Chicago city, IL
// Other sections and keys are passed over.
//
// Throws quelmar::DataError for a centroid or description that does not
// parse (with its line number), quelmar::IoError for a file that cannot be read.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/quelmar-data/builder/inputs/topojson.h"

namespace quelmar::builder {

enum class GazetteerKind { County, Place, CountySubdivision };

struct GazetteerEntry {
  std::string Code;  // the section's digits: "17031", "1714000"
  GazetteerKind Kind = GazetteerKind::Place;
  int StateFips = 0;
  std::string Name;       // the description before ", ST": "Chicago city"
  std::string StateCode;  // "IL"
  LonLat At;              // the centroid in degrees
};

// Entries in file order. A section without both a centroid and a description
// is left out.
std::vector<GazetteerEntry> ParseGazetteer(std::string_view text);
// The gzip-compressed file (places.gz).
std::vector<GazetteerEntry> ReadGazetteer(const std::filesystem::path& file);

}  // namespace quelmar::builder
