#pragma once
// A raster of 8-bit values, top row first: a decoded elevation tile or the
// relief underlay being assembled.
#include <cstdint>
#include <vector>

namespace quelmar::builder {

struct GreyImage {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::vector<std::uint8_t> Pixels;  // Width × Height, row by row from the top

  std::uint8_t At(std::int32_t x, std::int32_t y) const {
    return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)];
  }
  std::uint8_t& At(std::int32_t x, std::int32_t y) {
    return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)];
  }
};

}  // namespace quelmar::builder
