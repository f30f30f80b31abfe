// The cities file: length-prefixed protobuf messages of any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/geonames_cities.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    quelmar::builder::ParseGeoNamesCities(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const quelmar::Error&) {
    // Refused cleanly.
  }
  return 0;
}
