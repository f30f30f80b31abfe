#include "control/render/relief_shading.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quelmar::render {
namespace {

constexpr double kLightDegrees = 30.0;
constexpr std::uint8_t kLevelGround = 55;

std::uint8_t Clamp(double value) { return static_cast<std::uint8_t>(std::clamp(std::nearbyint(value), 1.0, 255.0)); }

}  // namespace

ReliefTable::ReliefTable(int k) {
  const double radians = kLightDegrees * 3.14159265358979323846 / 180.0;
  const double c = std::cos(radians), s = std::sin(radians);
  auto v = [&](int a) {
    const double ak = static_cast<double>(a) * k;
    return (-ak * c + 500.0 * s) / std::sqrt(ak * ak + 250000.0);
  };
  const double down = v(1) - v(-255);
  const double up = v(255) - v(1);
  if (k == 0 || down == 0 || up == 0 || !std::isfinite(down) || !std::isfinite(up)) {
    table_.fill(kLevelGround);
    return;
  }
  for (int a = -255; a <= 255; ++a) {
    const double shade = a <= 0 ? std::nearbyint((v(a) - v(-255)) / down * 55.0)
                                : std::nearbyint((v(a) - v(1)) / up * 200.0) + 55.0;
    table_[static_cast<std::size_t>(a + 255)] = Clamp(shade);
  }
}

void ShadeReliefRow(std::span<const std::uint8_t> samples, const ReliefTable& table, bool smooth,
                    std::span<std::uint8_t> out) {
  const std::size_t width = std::min(out.size(), samples.empty() ? 0 : samples.size() - 1);
  if (width == 0) return;
  out[0] = samples[0];
  for (std::size_t i = 1; i < width; ++i) {
    const int h = samples[i], left = samples[i - 1];
    out[i] = h != 0 && left != 0 ? table(h - left) : 0;
  }
  if (!smooth || width < 4) return;
  std::vector<int> shaded(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(width));
  shaded.push_back(samples[width]);
  for (std::size_t j = 2; j + 1 < width; ++j) {
    out[j] = static_cast<std::uint8_t>(
        (shaded[j - 2] + 3 * shaded[j - 1] + 8 * shaded[j] + 3 * shaded[j + 1] + shaded[j + 2]) / 16);
  }
}

}  // namespace quelmar::render
