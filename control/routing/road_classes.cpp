#include "control/routing/road_classes.h"

#include <algorithm>

#include "control/data/feature_code.h"

namespace quelmar::routing {

std::uint8_t RoadClassOf(std::uint8_t featureCode, std::string_view name, bool coarse) {
  std::uint8_t cls = featureCode == kRampClass ? kRampClass : data::FeatureLayer(featureCode);
  if (featureCode > 39 && featureCode < kRampClass && name.starts_with("I-")) cls = kInterstateClass;
  const bool road = (cls >= kInterstateClass && cls <= 14) || cls == kRampClass;
  if (!road) return 0;
  return coarse && cls == kInterstateClass ? kCoarseInterstateClass : cls;
}

int RoadTypeOf(std::uint8_t classCode) {
  switch (classCode) {
    case 8:
    case 9: return 1;
    case 10: return 2;
    case 11:
    case 12: return 3;
    case 14: return 4;
    case 13: return 5;
    case kRampClass: return 6;
    default: return 7;
  }
}

std::string_view RouteTypeName(RouteType type) {
  static constexpr std::array<std::string_view, kRouteTypeCount> kNames = {"Shortest (bias)", "Fastest", "Least Turns",
                                                                          "User Defined", "Shortest"};
  return kNames[static_cast<int>(type) % kRouteTypeCount];
}

std::string_view RouteTypePrintName(RouteType type) {
  static constexpr std::array<std::string_view, kRouteTypeCount> kNames = {"Shortest", "Fastest", "Directest",
                                                                          "Preferred", "Shortest (Unbiased)"};
  return kNames[static_cast<int>(type) % kRouteTypeCount];
}

std::int32_t RoadTable::TopSpeed() const { return *std::max_element(Speed.begin() + 1, Speed.end()) + 5; }

RoadTable RoadTableOf(const core::RoadOptions& options) {
  RoadTable table;
  for (int type = 1; type <= 6; ++type) {
    table.Speed[type] = std::max(1, options.speed[type]);
    table.Priority[type] = std::clamp(options.priority[type], 0, 5);
  }
  table.Speed[7] = 5;
  table.Priority[7] = 5;
  return table;
}

}  // namespace quelmar::routing
