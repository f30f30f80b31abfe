#include "control/search/closest_streets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "control/data/draw_object.h"
#include "control/data/feature_code.h"
#include "control/search/street_hits.h"
#include "control/search/street_lines.h"

namespace quelmar::search {
namespace {

constexpr int kFirstStreetLayer = 9;
constexpr int kLastStreetLayer = 14;
constexpr std::size_t kMaxNameLength = 80;

// "low - high" (one number when equal) and the five-digit ZIP code; "N/A"
// for both without house numbers, "N/A" for the ZIP code without one.
std::string RangeAndZip(std::int32_t from, std::int32_t to, std::int32_t zip) {
  if (from == 0 && to == 0) return "N/A\tN/A";
  const std::int32_t low = std::min(from, to), high = std::max(from, to);
  std::string text = std::to_string(low);
  if (high != low) text += " - " + std::to_string(high);
  char digits[16] = "N/A";
  if (zip > 0) std::snprintf(digits, sizeof digits, "%05d", zip);
  return text + '\t' + digits;
}

}  // namespace

void ClosestList::Add(ClosestHit hit) {
  const auto at = std::lower_bound(hits_.begin(), hits_.end(), hit.Units,
                                   [](const ClosestHit& listed, double units) { return listed.Units < units; });
  if (at != hits_.end() && at->Units == hit.Units) return;
  if (at - hits_.begin() >= static_cast<std::ptrdiff_t>(kMaxClosestHits)) return;
  hits_.insert(at, std::move(hit));
  if (hits_.size() > kMaxClosestHits) hits_.pop_back();
}

std::optional<LineDistance> DistanceToLine(std::span<const core::TMapPoint> points, core::TMapPoint centre) {
  if (points.empty()) return std::nullopt;
  const double cx = centre.X, cy = centre.Y;
  auto distance = [&](double x, double y) { return std::hypot(x - cx, y - cy); };
  LineDistance best{distance(points[0].X, points[0].Y), points[0]};
  for (std::size_t i = 1; i < points.size(); ++i) {
    const double x1 = points[i - 1].X, y1 = points[i - 1].Y, x2 = points[i].X, y2 = points[i].Y;
    // A piece whose box, widened by the best distance so far, misses the
    // centre cannot come nearer.
    if (cx < std::min(x1, x2) - best.Units || cx > std::max(x1, x2) + best.Units ||
        cy < std::min(y1, y2) - best.Units || cy > std::max(y1, y2) + best.Units) {
      continue;
    }
    // The foot of the perpendicular, held to the piece.
    const double dx = x2 - x1, dy = y2 - y1, length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((cx - x1) * dx + (cy - y1) * dy) / length2, 0.0, 1.0) : 0.0;
    const core::TMapPoint foot{static_cast<std::int32_t>(std::lround(x1 + t * dx)),
                               static_cast<std::int32_t>(std::lround(y1 + t * dy))};
    const double d = distance(foot.X, foot.Y);
    if (d <= best.Units) best = {d, foot};  // among equal distances the later point
  }
  return best;
}

void WalkClosestStreets(const data::Drawing& drawing, core::TMapPoint centre, double* threshold, ClosestList& list) {
  WalkStreetLines(
      drawing,
      [&](const StreetLine& line) {
        const data::DrawObject* object = drawing.ObjectAt(line.Object);
        const int layer = object ? data::FeatureLayer(object->Code) : 0;
        if (layer < kFirstStreetLayer || layer > kLastStreetLayer) return WalkNext::Go;
        const std::optional<LineDistance> d = DistanceToLine(line.Points, centre);
        if (!d || (threshold && d->Units > *threshold)) return WalkNext::Go;
        ClosestHit hit;
        // The name as stored (capitals); the place is shortened to keep the text within 100 characters.
        hit.Text = StreetHitText(ShortString(line.Name.substr(0, kMaxNameLength)), PlaceWithoutColons(line.Place),
                                 RangeAndZip(line.From, line.To, line.Zip));
        hit.Point = d->Nearest;
        hit.Units = d->Units;
        hit.Miles = HitMiles(centre, d->Nearest);
        list.Add(std::move(hit));
        if (threshold) *threshold = d->Units;
        return WalkNext::Go;
      },
      StreetNameForm::Abbreviated);
}

}  // namespace quelmar::search
