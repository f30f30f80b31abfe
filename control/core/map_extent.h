#pragma once
// The bounds that panning is clamped to, in map units.
#include <cstdint>

namespace quelmar::core {

struct TMapExtent {
  std::int32_t MinX = -2734375;  // 175° W
  std::int32_t MaxX = -750000;   // 48° W
  std::int32_t MinY = 15625;     // 1° N
  std::int32_t MaxY = 1328125;   // 85° N
};

}  // namespace quelmar::core
