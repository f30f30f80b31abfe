// libFuzzer target: any bytes as the first line of an underlay extent file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/core/errors.h"
#include "control/render/sat_extent.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const quelmar::core::MapRect extent =
        quelmar::render::ParseExtentLine(std::string_view(reinterpret_cast<const char*>(data), size));
    if (extent.x1 > extent.x2 || extent.y1 < extent.y2) __builtin_trap();  // corners must come ordered
  } catch (const quelmar::Error&) {
  }
  return 0;
}
