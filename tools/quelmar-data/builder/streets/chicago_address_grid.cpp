#include "tools/quelmar-data/builder/streets/chicago_address_grid.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace quelmar::builder {

namespace {

constexpr double kMilesPerDegreeLat = 69.05;
// 69.17 miles to a degree of longitude at the equator, times cos 41.88°.
constexpr double kMilesPerDegreeLon = 51.49;
constexpr double kNumbersPerMile = 800;

// The streets of the grid are turned slightly: Madison Street runs a little
// south as it goes west (to 41.8797° at Austin Avenue) and State Street a
// little east as it goes south (to -87.6255° at 63rd Street).
constexpr double kMadisonLatPerLon = 0.015;
constexpr double kStateLonPerLat = -0.0225;

// South of Madison: miles from Madison to numbers, at the public anchors.
struct Anchor {
  double Miles;
  double Number;
};
constexpr Anchor kSouthAnchors[] = {
    {0.0, 0}, {1.0, 1200}, {2.0, 2200}, {3.0, 3100},  // Madison, Roosevelt, Cermak, 31st Street
};

// Grid ends closer than this to a hundred are taken as on it (block
// corners are not exactly where the grid puts them).
constexpr double kCornerSlack = 20;

// Suburbs with their own numbering inside the sample area, as boxes
// (west, east, south, north): Oak Park west of Austin Boulevard between
// Roosevelt Road and North Avenue; Cicero, Berwyn, Stickney and Forest View
// west of Cicero Avenue from 47th Street to Roosevelt Road.
struct Box {
  double West, East, South, North;
};
constexpr Box kSuburbs[] = {
    {-180.0, -87.7747, 41.8664, 41.9105},
    {-180.0, -87.7452, 41.8083, 41.8664},
};
constexpr double kHarlemAvenueLon = -87.8066;  // the city's west edge in the area

double SouthNumber(double miles) {
  const Anchor& last = kSouthAnchors[std::size(kSouthAnchors) - 1];
  if (miles >= last.Miles) return last.Number + (miles - last.Miles) * kNumbersPerMile;
  for (std::size_t i = 1; i < std::size(kSouthAnchors); ++i) {
    const Anchor& from = kSouthAnchors[i - 1];
    const Anchor& to = kSouthAnchors[i];
    if (miles <= to.Miles)
      return from.Number + (miles - from.Miles) / (to.Miles - from.Miles) * (to.Number - from.Number);
  }
  return last.Number;
}

bool NumberedRoad(const StreetSegment& segment) {
  // Limited-access highways, ramps and ferries have no addresses.
  return !segment.Cfcc.starts_with("A1") && segment.Cfcc != "A63" && segment.Cfcc != "A65";
}

}  // namespace

double ChicagoGridNumber(char direction, TMapPoint at) {
  const double lon = core::UnitsToDegrees(at.X);
  const double lat = core::UnitsToDegrees(at.Y);
  if (direction == 'N' || direction == 'S') {
    const double madison = kChicagoMadisonStreetLat + kMadisonLatPerLon * (lon - kChicagoStateStreetLon);
    const double miles = (lat - madison) * kMilesPerDegreeLat;
    return miles >= 0 ? miles * kNumbersPerMile : SouthNumber(-miles);
  }
  if (direction == 'E' || direction == 'W') {
    const double state = kChicagoStateStreetLon + kStateLonPerLat * (lat - kChicagoMadisonStreetLat);
    return std::fabs(lon - state) * kMilesPerDegreeLon * kNumbersPerMile;
  }
  return -1;
}

bool InChicago(TMapPoint at) {
  const double lon = core::UnitsToDegrees(at.X);
  const double lat = core::UnitsToDegrees(at.Y);
  if (lon < kHarlemAvenueLon) return false;
  return std::none_of(std::begin(kSuburbs), std::end(kSuburbs), [&](const Box& box) {
    return lon >= box.West && lon <= box.East && lat >= box.South && lat <= box.North;
  });
}

void SetChicagoGridRanges(std::vector<StreetSegment>& segments) {
  for (StreetSegment& segment : segments) {
    const std::string& name = segment.Name;
    if (name.size() < 3 || name[1] != ' ' || std::string_view("NSEW").find(name[0]) == std::string_view::npos) continue;
    if (!NumberedRoad(segment) || !InChicago(segment.Points.front()) || !InChicago(segment.Points.back())) continue;
    const double a = ChicagoGridNumber(name[0], segment.Points.front());
    const double b = ChicagoGridNumber(name[0], segment.Points.back());
    const double low = std::min(a, b), high = std::max(a, b);
    auto lowHundred = static_cast<std::int32_t>(std::floor((low + kCornerSlack) / 100) * 100);
    auto highHundred = static_cast<std::int32_t>(std::ceil((high - kCornerSlack) / 100) * 100) - 1;
    if (highHundred < lowHundred) {  // shorter than a block, inside one hundred
      lowHundred = static_cast<std::int32_t>(std::floor((low + high) / 200) * 100);
      highHundred = lowHundred + 99;
    }
    segment.Low = std::max(lowHundred, 1);
    segment.High = highHundred;
  }
}

}  // namespace quelmar::builder
