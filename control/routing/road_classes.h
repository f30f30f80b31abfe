#pragma once
// Road classes and road types. A road line's class code is its layer (9
// interstates .. 14 streets) or 93 for access ramps; classes map to seven
// road types, each with a speed and a priority from the road options.
#include <array>
#include <cstdint>
#include <string_view>

#include "control/core/road_options.h"

namespace quelmar::routing {

inline constexpr std::uint8_t kCoarseInterstateClass = 8;  // class 9 as the coarse pass writes it
inline constexpr std::uint8_t kInterstateClass = 9;
inline constexpr std::uint8_t kRampClass = 93;     // the access-ramp feature code, kept as its class
inline constexpr std::uint8_t kClosedBit = 0x80;   // set on an edge's class: this direction is closed

// The class code of a line of feature code `featureCode` named `name`
// (upper-cased street name), or 0 when the line is no road. A line named
// "I-..." with a road feature code (40..92) is an interstate; the coarse
// pass writes interstates as class 8.
std::uint8_t RoadClassOf(std::uint8_t featureCode, std::string_view name, bool coarse);

// Road type 1..7 of a class code: 8, 9 → 1; 10 → 2; 11, 12 → 3; 14 → 4;
// 13 → 5; 93 → 6; anything else 7.
int RoadTypeOf(std::uint8_t classCode);

enum class RouteType : std::uint8_t { ShortestBias = 0, Fastest = 1, LeastTurns = 2, UserDefined = 3, Shortest = 4 };
inline constexpr int kRouteTypeCount = 5;

// The Routing dialog's names of the route types, and the names the printed
// route uses for the same values.
std::string_view RouteTypeName(RouteType type);
std::string_view RouteTypePrintName(RouteType type);

// Speeds and priorities by road type 1..7 (index 0 unused), from the road
// options; type 7 is fixed (speed 5, priority 5). Every speed is at least 1
// so that no cost or time divides by zero.
struct RoadTable {
  std::array<std::int32_t, 8> Speed{};
  std::array<std::int32_t, 8> Priority{};
  std::int32_t SpeedOf(std::uint8_t classCode) const { return Speed[RoadTypeOf(classCode)]; }
  std::int32_t PriorityOf(std::uint8_t classCode) const { return Priority[RoadTypeOf(classCode)]; }
  // The largest speed of the seven types plus 5 (the fastest route's scale).
  std::int32_t TopSpeed() const;
};
RoadTable RoadTableOf(const core::RoadOptions& options);

}  // namespace quelmar::routing
