#include "tools/quelmar-data/builder/inputs/named_lakes.h"

namespace quelmar::builder {

const std::vector<NamedLake>& NamedLakes() {
  // Public geographic names; each point lies inside its lake as the 1:50m
  // Natural Earth outline draws it.
  static const std::vector<NamedLake> kLakes = {
      {"Lake Superior", {-87.5, 47.7}},
      {"Lake Michigan", {-87.0, 43.5}},
      {"Lake Huron", {-82.4, 44.8}},
      {"Lake Erie", {-81.2, 42.2}},
      {"Lake Ontario", {-77.9, 43.6}},
      {"Lake St. Clair", {-82.7, 42.45}},
      {"Great Salt Lake", {-112.5, 41.1}},
      {"Lake of the Woods", {-94.85, 49.15}},
      {"Lake Okeechobee", {-80.83, 26.95}},
      {"Lake Champlain", {-73.3, 44.5}},
      {"Lake Sakakawea", {-101.692, 47.551}},
      {"Fort Peck Lake", {-107.0, 47.7}},
      {"Lake Mead", {-114.4, 36.1}},
      {"Salton Sea", {-115.85, 33.3}},
      {"Lake Tahoe", {-120.03, 39.09}},
      {"Upper Red Lake", {-94.75, 48.12}},
      {"Lower Red Lake", {-95.0, 47.97}},
      {"Lake Winnebago", {-88.42, 44.0}},
      {"Mille Lacs Lake", {-93.65, 46.24}},
      {"Leech Lake", {-94.4, 47.15}},
      {"Yellowstone Lake", {-110.35, 44.45}},
      {"Flathead Lake", {-114.12, 47.9}},
      {"Lake Pend Oreille", {-116.345, 48.157}},
      {"Lake Chelan", {-120.128, 47.904}},
      {"Utah Lake", {-111.8, 40.2}},
      {"Bear Lake", {-111.33, 42.0}},
      {"Pyramid Lake", {-119.55, 40.05}},
      {"Goose Lake", {-120.4, 41.95}},
      {"Oneida Lake", {-75.9, 43.21}},
      {"Seneca Lake", {-76.92, 42.65}},
      {"Cayuga Lake", {-76.7, 42.7}},
      {"Lake Winnipesaukee", {-71.35, 43.6}},
      {"Lake Maurepas", {-90.5, 30.26}},
      {"Amistad Reservoir", {-101.075, 29.504}},
      {"Rainy Lake", {-93.0, 48.6}},
      {"Iliamna Lake", {-154.9, 59.55}},
      {"Becharof Lake", {-156.4, 57.85}},
      {"Teshekpuk Lake", {-153.6, 70.6}},
      {"Lake Winnipeg", {-97.8, 52.5}},
      {"Great Bear Lake", {-121.0, 66.0}},
      {"Great Slave Lake", {-114.0, 61.6}},
      {"Lake Athabasca", {-109.0, 59.2}},
      {"Reindeer Lake", {-102.3, 57.3}},
      {"Lake Nipigon", {-88.5, 49.8}},
      {"Lake Nipissing", {-79.9, 46.25}},
      {"Lake Simcoe", {-79.4, 44.4}},
      {"Lake Mistassini", {-73.8, 50.8}},
      {"Lac Saint-Jean", {-72.0, 48.6}},
      {"Lake Chapala", {-103.0, 20.22}},
  };
  return kLakes;
}

}  // namespace quelmar::builder
