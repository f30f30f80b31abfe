#pragma once
// Road options: per road class (1 interstates, 2 major highways, 3 secondary
// highways, 4 minor roads, 5 trails, 6 ramps) a speed, a priority (0..5) and
// a third value; and the route line's colour and highlight.
#include <array>
#include <cstdint>

namespace quelmar::core {

struct RoadOptions {
  // Index 0 is unused so that index = road class.
  std::array<std::int32_t, 7> speed{0, 65, 50, 45, 35, 5, 20};
  std::array<std::int32_t, 7> priority{0, 5, 4, 3, 3, 1, 1};
  std::array<std::int32_t, 7> third{0, 25, 25, 25, 25, 25, 25};
  std::int32_t routeLineColour = 0;
  std::int32_t routeHighlight = 0;
  friend bool operator==(const RoadOptions&, const RoadOptions&) = default;
};

// RoadOption(n, v): class n and 15, group n div 16. Anything outside the table is ignored.
void RoadOption(RoadOptions& options, std::int32_t n, std::int32_t v);

}  // namespace quelmar::core
