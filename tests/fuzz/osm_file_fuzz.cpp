// OSM data of any bytes through libosmium: the first byte chooses XML (even)
// or PBF (odd), the rest is the data.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/streets/osm_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    (void)quelmar::builder::ReadOsmData(bytes, data[0] % 2 == 0 ? "osm" : "pbf");
  } catch (const quelmar::Error&) {
    // Refused cleanly.
  }
  return 0;
}
