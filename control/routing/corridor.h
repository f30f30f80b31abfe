#pragma once
// The corridor of a coarse route: the route drawn as a thick black line on
// a 400 x 400 white bitmap covering its box (widened by four band widths and
// made square), with dots at its ends. Each black pixel names the highway
// quad under it; a highway road is read when one of its ends lies on black.
#include <cstdint>
#include <string>
#include <vector>

#include "control/core/map_units.h"

namespace quelmar::routing {

class Corridor {
 public:
  static constexpr int kSize = 400;

  // `route` has at least one point; `bandX` and `bandY` are the map units
  // of one band width in x and y.
  Corridor(const std::vector<core::TMapPoint>& route, std::int32_t bandX, std::int32_t bandY);

  bool Black(core::TMapPoint point) const;
  int BlackPixels() const;
  // The highway archive's member names of the quads under black pixels,
  // each once, in pixel order (rows from the south, west to east).
  std::vector<std::string> HighwayQuads() const;

 private:
  void Stamp(double px, double py, double radius);
  void Line(double x1, double y1, double x2, double y2, double radius);
  double PixelX(std::int32_t x) const { return (double(x) - left_) / unit_; }
  double PixelY(std::int32_t y) const { return (double(y) - bottom_) / unit_; }

  double left_ = 0, bottom_ = 0, unit_ = 1;  // map units per pixel
  std::vector<std::uint8_t> black_;
};

}  // namespace quelmar::routing
