// libFuzzer target: any bytes as a JPEG elevation tile of the relief underlay.
#include <cstddef>
#include <cstdint>
#include <span>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/relief/jpeg_grey_tile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const quelmar::builder::GreyImage tile = quelmar::builder::DecodeGreyJpeg(std::span(data, size));
    if (tile.Pixels.size() != static_cast<std::size_t>(tile.Width) * static_cast<std::size_t>(tile.Height)) {
      __builtin_trap();
    }
  } catch (const quelmar::Error&) {
  }
  return 0;
}
