#include "tools/quelmar-data/builder/output/place_records.h"

#include <algorithm>
#include <cmath>

#include "control/data/state_table.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/map_names.h"

namespace quelmar::builder {
namespace {

constexpr std::size_t kMaxPlaceName = 120;

double RingArea(const Ring& ring) {
  double twice = 0;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    twice += double(ring[j].X) * ring[i].Y - double(ring[i].X) * ring[j].Y;
  }
  return std::fabs(twice) / 2;
}

// The middle of the widest run inside `ring` along the horizontal line at `y`.
std::optional<TMapPoint> MiddleOfWidestRun(const Ring& ring, std::int32_t y) {
  std::vector<double> crossings;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const TMapPoint& a = ring[i];
    const TMapPoint& b = ring[j];
    if ((a.Y > y) != (b.Y > y)) crossings.push_back(a.X + (double(y) - a.Y) * (double(b.X) - a.X) / (double(b.Y) - a.Y));
  }
  std::sort(crossings.begin(), crossings.end());
  std::optional<TMapPoint> best;
  double widest = -1;
  for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
    const double width = crossings[k + 1] - crossings[k];
    if (width > widest) {
      widest = width;
      best = TMapPoint{static_cast<std::int32_t>(std::lround((crossings[k] + crossings[k + 1]) / 2)), y};
    }
  }
  return best;
}

}  // namespace

bool BaseMapPlace(const Place& place) {
  return place.In != Country::UnitedStates || place.StateCapital || place.NationalCapital ||
         place.Population >= 50000;
}

void WritePlaces(data::DrawingWriter& writer, const std::vector<Place>& places,
                 const std::function<bool(const Place&)>& chosen) {
  writer.FeatureCode(kPlaceNameCode);
  for (const Place& place : places) {
    if (!chosen(place)) continue;
    data::PlaceObject object;
    std::string name = UpperAscii(place.Name);
    if (place.NationalCapital) name = "*" + name;
    object.Name = StoredName(name).substr(0, kMaxPlaceName);
    object.Point = place.At;
    object.County = place.CountyCode != 0 ? place.CountyCode : data::StateNumber(place.StateCode) * 1000;
    const std::int32_t population = std::min(place.Population, kMaxPopulation);
    object.Population = place.StateCapital ? -std::max(population, 1) : population;
    object.Elevation = static_cast<std::int16_t>(std::clamp(place.ElevationFeet, -32768, 32767));
    if (!object.Name.empty()) writer.Place(object);
  }
}

void WriteLandmarkPoint(data::DrawingWriter& writer, std::string_view name, TMapPoint at) {
  data::PlaceObject object;
  object.Name = StoredName(UpperAscii(name)).substr(0, kMaxPlaceName);
  object.Point = at;
  if (!object.Name.empty()) writer.Place(object);
}

std::optional<TMapPoint> LabelPointOf(const std::vector<Ring>& rings) {
  const Ring* largest = nullptr;
  double area = -1;
  for (const Ring& ring : rings) {
    if (ring.size() < 3) continue;
    const double a = RingArea(ring);
    if (a > area) area = a, largest = &ring;
  }
  if (!largest) return std::nullopt;
  const auto box = BoundsOf(*largest);
  // Try the middle line first, then lines a little above and below, for
  // rings that are narrow at their middle.
  for (const double f : {0.5, 0.4, 0.6, 0.3, 0.7}) {
    const auto y = static_cast<std::int32_t>(box->Bottom + f * (double(box->Top) - box->Bottom));
    if (const auto p = MiddleOfWidestRun(*largest, y)) return p;
  }
  return largest->front();
}

}  // namespace quelmar::builder
