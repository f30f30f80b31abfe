#pragma once
// Plane geometry on map units for the network builder: exact orientation
// tests on integer points, segment intersection, distances, and a uniform
// grid that finds the segments near a point or sharing a cell.
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

// Sign of the turn a→b→c: +1 left, -1 right, 0 collinear (exact).
int Orientation(TMapPoint a, TMapPoint b, TMapPoint c);

// Whether `p`, known to be collinear with a–b, lies strictly between them.
bool StrictlyInside(TMapPoint a, TMapPoint b, TMapPoint p);

// Squared distance from `p` to the segment a–b.
double SquaredDistanceToSegment(double px, double py, TMapPoint a, TMapPoint b);

// Points where segment a–b meets segment c–d that have to become vertices:
// for a proper crossing the crossing point rounded to map units (once for
// each segment, unless it rounds onto one of that segment's ends); for a
// touch or a collinear overlap, the end points of one segment that lie
// inside the other.
struct SegmentSplits {
  std::vector<TMapPoint> OnFirst;   // to insert into a–b
  std::vector<TMapPoint> OnSecond;  // to insert into c–d
};
SegmentSplits SplitsWhereSegmentsMeet(TMapPoint a, TMapPoint b, TMapPoint c, TMapPoint d);

// Whether segments a–b and c–d cross at a point that is not an end of both
// (the network invariant: such crossings must not survive noding).
bool SegmentsCrossAwayFromShared(TMapPoint a, TMapPoint b, TMapPoint c, TMapPoint d);

// A uniform grid of square cells holding ids of segments (or points) by the
// cells their boxes cover.
class SegmentGrid {
 public:
  explicit SegmentGrid(std::int32_t cellUnits) : cell_(cellUnits) {}

  void Add(std::uint32_t id, TMapPoint a, TMapPoint b);
  // Ids of every entry whose cells meet the square of half-side `radius`
  // around `p`; an id may appear more than once.
  void Near(TMapPoint p, std::int32_t radius, std::vector<std::uint32_t>& ids) const;
  // Every cell's ids, for pairwise tests.
  const std::unordered_map<std::uint64_t, std::vector<std::uint32_t>>& Cells() const { return cells_; }

 private:
  std::int64_t CellOf(std::int32_t value) const;
  static std::uint64_t KeyOf(std::int64_t cellX, std::int64_t cellY);
  std::int32_t cell_;
  std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> cells_;
};

}  // namespace quelmar::builder
