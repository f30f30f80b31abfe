#include "tools/quelmar-data/builder/inputs/geonames_cities.h"

#include <cstdint>
#include <protozero/exception.hpp>
#include <protozero/pbf_reader.hpp>
#include <protozero/varint.hpp>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/input_files.h"

namespace quelmar::builder {
namespace {

constexpr double kCoordinateUnitsPerDegree = 1e5;

enum CityField : protozero::pbf_tag_type {
  kId = 1,
  kName = 2,
  kCountry = 3,
  kAltCountry = 4,
  kMuni = 5,
  kMuniSub = 6,
  kFeatureCode = 7,
  kAdminCode = 8,
  kPopulation = 9,
  kLonDelta = 10,
  kLatDelta = 11,
};

bool IsStringField(protozero::pbf_tag_type tag) { return tag >= kName && tag <= kAdminCode; }

std::string* StringMember(GeoNamesCity& city, protozero::pbf_tag_type tag) {
  switch (tag) {
    case kName:
      return &city.Name;
    case kCountry:
      return &city.Country;
    case kAltCountry:
      return &city.AltCountry;
    case kMuni:
      return &city.Muni;
    case kMuniSub:
      return &city.MuniSub;
    case kFeatureCode:
      return &city.FeatureCode;
    case kAdminCode:
      return &city.AdminCode;
    default:
      return nullptr;
  }
}

void AddDelta(std::int64_t& total, std::int64_t delta) {
  if (__builtin_add_overflow(total, delta, &total)) throw DataError("cities: a coordinate overflows");
}

GeoNamesCity DecodeCity(protozero::pbf_reader message, std::int64_t& lon, std::int64_t& lat) {
  GeoNamesCity city;
  while (message.next()) {
    const protozero::pbf_tag_type tag = message.tag();
    const protozero::pbf_wire_type type = message.wire_type();
    if (IsStringField(tag) && type == protozero::pbf_wire_type::length_delimited) {
      *StringMember(city, tag) = message.get_string();
    } else if (tag == kId && type == protozero::pbf_wire_type::varint) {
      city.Id = message.get_sint64();
    } else if (tag == kPopulation && type == protozero::pbf_wire_type::varint) {
      const std::uint64_t population = message.get_uint64();
      if (population > static_cast<std::uint64_t>(INT32_MAX)) throw DataError("cities: population out of range");
      city.Population = static_cast<std::int64_t>(population);
    } else if (tag == kLonDelta && type == protozero::pbf_wire_type::varint) {
      AddDelta(lon, message.get_sint64());
    } else if (tag == kLatDelta && type == protozero::pbf_wire_type::varint) {
      AddDelta(lat, message.get_sint64());
    } else if (tag <= kLatDelta) {
      throw DataError("cities: field " + std::to_string(tag) + " has the wrong wire type");
    } else {
      message.skip();
    }
  }
  city.At = {static_cast<double>(lon) / kCoordinateUnitsPerDegree,
             static_cast<double>(lat) / kCoordinateUnitsPerDegree};
  return city;
}

}  // namespace

std::vector<GeoNamesCity> ParseGeoNamesCities(std::string_view bytes) {
  std::vector<GeoNamesCity> cities;
  // The running position: each city's coordinates are offsets from the one before.
  std::int64_t lon = 0;
  std::int64_t lat = 0;
  const char* data = bytes.data();
  const char* const end = bytes.data() + bytes.size();
  try {
    while (data != end) {
      const std::uint64_t length = protozero::decode_varint(&data, end);
      if (length > static_cast<std::uint64_t>(end - data)) {
        throw DataError("cities: city " + std::to_string(cities.size() + 1) + " runs past the end of the file");
      }
      cities.push_back(DecodeCity(protozero::pbf_reader(data, static_cast<std::size_t>(length)), lon, lat));
      data += length;
    }
  } catch (const protozero::exception& error) {
    throw DataError("cities: city " + std::to_string(cities.size() + 1) + " does not decode: " + error.what());
  }
  return cities;
}

std::vector<GeoNamesCity> ReadGeoNamesCities(const std::filesystem::path& file) {
  const std::string bytes = ReadWholeFile(file);
  try {
    return ParseGeoNamesCities(bytes);
  } catch (const DataError& error) {
    throw DataError(file.string() + ": " + error.what());
  }
}

}  // namespace quelmar::builder
