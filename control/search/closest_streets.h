#pragma once
// Closest streets: which street lines of a street drawing lie nearest to a
// centre. Distances inside the walk are straight distances in map units;
// the hits carry great-circle miles. FindClosest keeps a threshold that only
// shrinks, so its last hit is the nearest line within its radius; the list
// keeps the ten nearest.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "control/core/map_units.h"
#include "control/data/drawing.h"

namespace quelmar::search {

inline constexpr std::size_t kMaxClosestHits = 10;

struct ClosestHit {
  std::string Text;       // street, tab, place, tab, address range, tab, ZIP code
  core::TMapPoint Point;  // the nearest point of the street's line
  double Units = 0;       // straight distance from the centre, map units
  double Miles = 0;       // great-circle distance from the centre
  std::string StateCode;  // of the archive the street came from, where the caller knows it
};

// At most ten hits, nearest first. A hit no nearer than the tenth is
// dropped, and so is one exactly as near as a hit already listed.
class ClosestList {
 public:
  void Add(ClosestHit hit);
  const std::vector<ClosestHit>& Hits() const { return hits_; }
  bool Empty() const { return hits_.empty(); }
  void Clear() { hits_.clear(); }

 private:
  std::vector<ClosestHit> hits_;
};

// The nearest point of a line (its straight pieces) to `centre`, and its
// distance in map units; nullopt for a line without points.
struct LineDistance {
  double Units = 0;
  core::TMapPoint Nearest;
};
std::optional<LineDistance> DistanceToLine(std::span<const core::TMapPoint> points, core::TMapPoint centre);

// Walks the street lines of `drawing` (the street layers 9 to 14). With a
// threshold (not null), a line farther than it is passed over and each hit lowers it to
// the hit's distance; without one every street line is a candidate for the
// list.
void WalkClosestStreets(const data::Drawing& drawing, core::TMapPoint centre, double* threshold, ClosestList& list);

}  // namespace quelmar::search
