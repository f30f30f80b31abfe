#pragma once
// The airports table of the vega datasets package (airports.csv):
// iata,name,city,state,country,latitude,longitude after a header line, with
// quoted fields where a value holds a comma, and "NA" for a missing value.
#include <filesystem>
#include <string_view>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

// The airports whose country is "USA", in file order; a missing ("NA") city
// or state is left empty. Throws quelmar::DataError (with the line number)
// for a wrong header, a row without seven fields or a coordinate that is
// not a number in range.
std::vector<Airport> ParseAirports(std::string_view text);
// quelmar::IoError when the file cannot be read.
std::vector<Airport> ReadAirports(const std::filesystem::path& file);

}  // namespace quelmar::builder
