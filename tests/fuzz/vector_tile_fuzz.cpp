// Vector tiles: decoding, then reading streets from the layers, of any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/streets/vector_tile.h"
#include "tools/quelmar-data/builder/streets/vector_tile_streets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    quelmar::builder::DecodeVectorTile(bytes);
    quelmar::builder::ReadVectorTileStreets(bytes, quelmar::builder::TileId{13, 2100, 3044});
  } catch (const quelmar::Error&) {
    // Refused cleanly: what a damaged tile must give.
  }
  return 0;
}
