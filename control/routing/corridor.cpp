#include "control/routing/corridor.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "control/data/archive_catalogue.h"
#include "control/data/quad.h"

namespace quelmar::routing {

Corridor::Corridor(const std::vector<core::TMapPoint>& route, std::int32_t bandX, std::int32_t bandY)
    : black_(kSize * kSize, 0) {
  if (route.empty()) return;
  double x1 = route[0].X, x2 = x1, y1 = route[0].Y, y2 = y1;
  for (const core::TMapPoint& p : route) {
    x1 = std::min<double>(x1, p.X);
    x2 = std::max<double>(x2, p.X);
    y1 = std::min<double>(y1, p.Y);
    y2 = std::max<double>(y2, p.Y);
  }
  // Four band widths wider and taller, then square about the centre.
  x1 -= 2.0 * bandX;
  x2 += 2.0 * bandX;
  y1 -= 2.0 * bandY;
  y2 += 2.0 * bandY;
  const double side = std::max({x2 - x1, y2 - y1, 1.0});
  left_ = (x1 + x2) / 2 - side / 2;
  bottom_ = (y1 + y2) / 2 - side / 2;
  unit_ = side / kSize;
  const double lineWidth = std::max(4.0, kSize * double(bandY) / side);
  const double dotWidth = std::max(4.0, 4 * kSize * double(bandY) / side);
  for (std::size_t i = 1; i < route.size(); ++i) {
    Line(PixelX(route[i - 1].X), PixelY(route[i - 1].Y), PixelX(route[i].X), PixelY(route[i].Y), lineWidth / 2);
  }
  Stamp(PixelX(route.front().X), PixelY(route.front().Y), dotWidth / 2);
  Stamp(PixelX(route.back().X), PixelY(route.back().Y), dotWidth / 2);
}

void Corridor::Stamp(double px, double py, double radius) { Line(px, py, px, py, radius); }

// Every pixel whose centre lies within `radius` of the segment.
void Corridor::Line(double x1, double y1, double x2, double y2, double radius) {
  const int left = std::max(0, int(std::floor(std::min(x1, x2) - radius)));
  const int right = std::min(kSize - 1, int(std::ceil(std::max(x1, x2) + radius)));
  const int bottom = std::max(0, int(std::floor(std::min(y1, y2) - radius)));
  const int top = std::min(kSize - 1, int(std::ceil(std::max(y1, y2) + radius)));
  const double dx = x2 - x1, dy = y2 - y1, square = dx * dx + dy * dy;
  for (int y = bottom; y <= top; ++y) {
    for (int x = left; x <= right; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      double t = square == 0 ? 0 : ((cx - x1) * dx + (cy - y1) * dy) / square;
      t = std::clamp(t, 0.0, 1.0);
      const double ex = cx - (x1 + t * dx), ey = cy - (y1 + t * dy);
      if (ex * ex + ey * ey <= radius * radius) black_[y * kSize + x] = 1;
    }
  }
}

bool Corridor::Black(core::TMapPoint point) const {
  const double px = PixelX(point.X), py = PixelY(point.Y);
  if (!(px >= 0 && py >= 0 && px < kSize && py < kSize)) return false;
  return black_[int(py) * kSize + int(px)] != 0;
}

int Corridor::BlackPixels() const { return int(std::count(black_.begin(), black_.end(), 1)); }

std::vector<std::string> Corridor::HighwayQuads() const {
  const data::LayerArchiveEntry& archive = data::LayerArchiveOf(data::Layer::Network);
  std::vector<std::string> names;
  std::set<std::pair<int, int>> seen;  // column, row
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (!black_[y * kSize + x]) continue;
      const core::TMapPoint at{static_cast<std::int32_t>(std::lround(left_ + (x + 0.5) * unit_)),
                               static_cast<std::int32_t>(std::lround(bottom_ + (y + 0.5) * unit_))};
      const auto quad = data::QuadAt(data::QuadGrid::Network, at);
      if (quad && seen.insert({quad->Column, quad->Row}).second) names.push_back(data::LayerMemberName(archive, *quad));
    }
  }
  return names;
}

}  // namespace quelmar::routing
