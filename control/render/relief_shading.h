#pragma once
// Relief shading of the UndShadow underlay style. The image is read as
// heights 0..255, 0 meaning no data; each pixel becomes the light that falls
// on the step from its left neighbour, with the light from 30 degrees and the
// relief exaggerated by k (the working value of UnderlayShadow).
#include <array>
#include <cstdint>
#include <span>

namespace quelmar::render {

// Shade by height step a = h - h_left, for a in -255..255:
// v(a) = (-a·k·cos30° + 500·sin30°) / sqrt((a·k)² + 250000), scaled so steps
// down to -255 span 0..55 (a <= 0, relative to v(-255) and v(1)) and steps up
// span 55..255 (a > 0, relative to v(1) and v(255)); values kept in 1..255.
// With k = 0 every step gets the same light and the table cannot be scaled:
// every step then shades as level ground, 55.
class ReliefTable {
 public:
  explicit ReliefTable(int k);
  std::uint8_t operator()(int step) const { return table_[static_cast<std::size_t>(step + 255)]; }

 private:
  std::array<std::uint8_t, 511> table_{};
};

// Shades one sampled row. `samples` holds out.size() + 1 raw heights (the last
// is the sample past the right edge). The first pixel keeps its height; every
// other pixel becomes table(h - h_left) when both heights are non-zero, else 0.
// With `smooth` (the coordinate grid is off), pixels from the third to the
// last but one then become (p-2 + 3·p-1 + 8·p + 3·p+1 + p+2) div 16 of the
// shaded row, the raw extra sample serving as p+2 of the last but one.
void ShadeReliefRow(std::span<const std::uint8_t> samples, const ReliefTable& table, bool smooth,
                    std::span<std::uint8_t> out);

}  // namespace quelmar::render
