#pragma once
// Finds which of a set of areas (counties, states) holds a point: a box test,
// then the even-odd ring test; a point just outside every area (a coastal
// town off a generalized shoreline) may take the nearest area within a
// tolerance.
#include <cstdint>
#include <vector>

#include "tools/quelmar-data/builder/inputs/map_geometry.h"

namespace quelmar::builder {

class AreaLocator {
 public:
  // `rings` must outlive the locator. `group` narrows searches (the state of a county).
  void Add(int code, int group, const std::vector<Ring>& rings);

  // The code of the first added area of `group` (any group when `group` < 0)
  // that contains `at`; else of the nearest one within `tolerance` map
  // units; 0 when there is none.
  int Find(TMapPoint at, int group, std::int32_t tolerance) const;

 private:
  struct Area {
    int Code = 0;
    int Group = 0;
    MapBox Box;
    const std::vector<Ring>* Rings = nullptr;
  };
  std::vector<Area> areas_;
};

}  // namespace quelmar::builder
