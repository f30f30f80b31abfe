#pragma once
// A closed rectangle in map units, as the loader's tests on quads, quarters
// and state boxes use it: edges belong to the box, so boxes that only share
// an edge meet.
#include <cstdint>

namespace quelmar::data {

struct MapBox {
  std::int32_t Left = 0;
  std::int32_t Bottom = 0;
  std::int32_t Right = 0;
  std::int32_t Top = 0;
  friend bool operator==(const MapBox&, const MapBox&) = default;
};

constexpr bool BoxesMeet(const MapBox& a, const MapBox& b) {
  return a.Left <= b.Right && b.Left <= a.Right && a.Bottom <= b.Top && b.Bottom <= a.Top;
}

constexpr bool BoxContains(const MapBox& box, std::int32_t x, std::int32_t y) {
  return box.Left <= x && x <= box.Right && box.Bottom <= y && y <= box.Top;
}

}  // namespace quelmar::data
