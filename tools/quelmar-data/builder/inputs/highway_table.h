#pragma once
// The highway reference table (highways.tsv): Interstates and US routes as
// ordered lists of places, joined to the gazetteer's coordinates.
//
// Columns, tab-separated after a header line: route ("I-94", "I-76 (west)"),
// kind ("interstate" or "us"), sequence (1..n within the route), place
// ("City, ST"). A route with two separate pieces has a suffix per piece; each
// piece is its own polyline and keeps the plain route name.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/inputs/gazetteer_index.h"

namespace quelmar::builder {

struct HighwayStop {
  std::string Route;  // as written, with any piece suffix
  bool Interstate = false;
  int Sequence = 0;
  std::string Place;     // "City, ST"
  std::size_t Line = 0;  // in the table, for messages
};

// Throws quelmar::DataError (with the line number) for a wrong header, a
// row without four columns, an unknown kind or a sequence that is not a
// positive number.
std::vector<HighwayStop> ParseHighwayTable(std::string_view text);

// "I-76 (west)" → "I-76"; "US-66 (historic)" → "US-66"; "I-94" stays.
std::string RouteWithoutPiece(std::string_view route);

// One HighwayRoute per route piece, in the order pieces first appear, with
// the places in sequence order. Where a name means more than one gazetteer
// entry, the one nearest the neighbouring places is taken. Throws
// quelmar::DataError naming the place for one the gazetteer does not have,
// and for a piece whose sequence is not 1..n or whose kind changes.
std::vector<HighwayRoute> JoinHighways(const std::vector<HighwayStop>& stops, const GazetteerIndex& gazetteer);

// ParseHighwayTable and JoinHighways on a file; quelmar::IoError when it
// cannot be read.
std::vector<HighwayRoute> ReadHighways(const std::filesystem::path& file, const GazetteerIndex& gazetteer);

}  // namespace quelmar::builder
