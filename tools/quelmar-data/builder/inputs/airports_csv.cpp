#include "tools/quelmar-data/builder/inputs/airports_csv.h"

#include <optional>
#include <string>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/input_files.h"
#include "tools/quelmar-data/builder/inputs/map_geometry.h"
#include "tools/quelmar-data/builder/inputs/text_fields.h"

namespace quelmar::builder {
namespace {

enum Column { kCode, kName, kCity, kState, kCountry, kLatitude, kLongitude, kColumns };

std::string LineText(std::size_t line) { return "airports line " + std::to_string(line) + ": "; }

std::string ValueOrEmpty(const std::string& value) { return value == "NA" ? std::string() : value; }

}  // namespace

std::vector<Airport> ParseAirports(std::string_view text) {
  std::vector<Airport> airports;
  std::size_t lineNumber = 0;
  bool header = true;
  for (std::string_view rest = text; !rest.empty();) {
    const std::string_view line = NextLine(rest);
    ++lineNumber;
    if (Trimmed(line).empty()) continue;
    const std::optional<std::vector<std::string>> fields = SplitCsvLine(line);
    if (!fields) throw DataError(LineText(lineNumber) + "a quoted field is not closed");
    if (header) {
      if (fields->size() != kColumns || (*fields)[kCode] != "iata" || (*fields)[kLatitude] != "latitude" ||
          (*fields)[kLongitude] != "longitude") {
        throw DataError(LineText(lineNumber) + "the header is not iata,name,city,state,country,latitude,longitude");
      }
      header = false;
      continue;
    }
    if (fields->size() != kColumns) throw DataError(LineText(lineNumber) + "a row needs seven fields");
    if ((*fields)[kCountry] != "USA") continue;
    const std::optional<double> lat = ParseDouble((*fields)[kLatitude]);
    const std::optional<double> lon = ParseDouble((*fields)[kLongitude]);
    if (!lat || !lon) throw DataError(LineText(lineNumber) + "the coordinates are not numbers");
    Airport airport;
    airport.Code = (*fields)[kCode];
    airport.Name = (*fields)[kName];
    airport.City = ValueOrEmpty((*fields)[kCity]);
    airport.StateCode = ValueOrEmpty((*fields)[kState]);
    airport.At = ToMapPoint({*lon, *lat}, ("airports line " + std::to_string(lineNumber)).c_str());
    airports.push_back(std::move(airport));
  }
  if (header) throw DataError("airports: the table is empty");
  return airports;
}

std::vector<Airport> ReadAirports(const std::filesystem::path& file) { return ParseAirports(ReadWholeFile(file)); }

}  // namespace quelmar::builder
