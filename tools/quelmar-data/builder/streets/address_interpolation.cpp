#include "tools/quelmar-data/builder/streets/address_interpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>

namespace quelmar::builder {

namespace {

// A flat frame around one street: x shrunk by the cosine of the latitude so
// that both axes measure the same distance.
struct StreetFrame {
  double Scale = 1;
  double MeanX = 0, MeanY = 0;
  double AxisX = 1, AxisY = 0;  // the direction the street runs

  double Along(double x, double y) const { return (x - MeanX) * Scale * AxisX + (y - MeanY) * AxisY; }
};

StreetFrame FrameOf(const std::vector<StreetSegment>& segments, const std::vector<std::size_t>& street) {
  StreetFrame frame;
  const TMapPoint first = segments[street.front()].Points.front();
  frame.Scale = std::cos(core::UnitsToDegrees(first.Y) * core::kRadiansPerDegree);
  double count = 0;
  for (std::size_t s : street) {
    for (TMapPoint at : segments[s].Points) {
      frame.MeanX += at.X;
      frame.MeanY += at.Y;
      ++count;
    }
  }
  frame.MeanX /= count;
  frame.MeanY /= count;
  // The principal axis of the street's vertices.
  double xx = 0, xy = 0, yy = 0;
  for (std::size_t s : street) {
    for (TMapPoint at : segments[s].Points) {
      const double x = (at.X - frame.MeanX) * frame.Scale, y = at.Y - frame.MeanY;
      xx += x * x;
      xy += x * y;
      yy += y * y;
    }
  }
  const double angle = 0.5 * std::atan2(2 * xy, xx - yy);
  frame.AxisX = std::cos(angle);
  frame.AxisY = std::sin(angle);
  return frame;
}

// The house number at the start of `text`, or -1.
std::int64_t LeadingNumber(const std::string& text) {
  std::int64_t number = 0;
  std::size_t digits = 0;
  while (digits < text.size() && digits < 9 && text[digits] >= '0' && text[digits] <= '9') {
    number = number * 10 + (text[digits] - '0');
    ++digits;
  }
  return digits == 0 ? -1 : number;
}

struct Found {
  std::size_t Segment;
  double Along;
  std::int64_t Number;
  std::int32_t Zip = 0;
};

// The ZIP code most of the addresses have (the lowest on a tie), 0 for none.
std::int32_t CommonZip(const std::vector<Found>& found) {
  std::map<std::int32_t, int> counts;
  for (const Found& f : found) {
    if (f.Zip != 0) ++counts[f.Zip];
  }
  std::int32_t zip = 0;
  int most = 0;
  for (const auto& [code, count] : counts) {
    if (count > most) {
      zip = code;
      most = count;
    }
  }
  return zip;
}

// The nearest segment of the street to `at`, within `maxDistance`, with the
// position along the street of the point on it nearest to `at`.
std::optional<Found> Project(const std::vector<StreetSegment>& segments, const std::vector<std::size_t>& street,
                             const StreetFrame& frame, TMapPoint at, double maxDistance) {
  std::optional<Found> best;
  double bestDistance = maxDistance * maxDistance;
  const double px = at.X * frame.Scale, py = at.Y;
  for (std::size_t s : street) {
    const Line& points = segments[s].Points;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      const double ax = points[i].X * frame.Scale, ay = points[i].Y;
      const double bx = points[i + 1].X * frame.Scale, by = points[i + 1].Y;
      const double dx = bx - ax, dy = by - ay;
      const double length2 = dx * dx + dy * dy;
      const double t = length2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0) : 0.0;
      const double fx = ax + t * dx, fy = ay + t * dy;
      const double distance = (fx - px) * (fx - px) + (fy - py) * (fy - py);
      if (distance <= bestDistance) {
        bestDistance = distance;
        best = Found{s, frame.Along(fx / frame.Scale, fy), 0, 0};
      }
    }
  }
  return best;
}

void Widen(StreetSegment& segment, std::int64_t low, std::int64_t high, std::int32_t zip) {
  if (segment.Zip == 0) segment.Zip = zip;
  low = std::max<std::int64_t>(low, 1);
  high = std::max(high, low);
  if (segment.Low == 0 && segment.High == 0) {
    segment.Low = static_cast<std::int32_t>(low);
    segment.High = static_cast<std::int32_t>(high);
  } else {
    segment.Low = static_cast<std::int32_t>(std::min<std::int64_t>(segment.Low, low));
    segment.High = static_cast<std::int32_t>(std::max<std::int64_t>(segment.High, high));
  }
}

}  // namespace

void InterpolateAddressRanges(std::vector<StreetSegment>& segments, const std::vector<AddressPoint>& addresses,
                              const InterpolationOptions& options) {
  std::map<std::string, std::vector<std::size_t>> streets;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    if (!segments[s].Name.empty() && segments[s].Points.size() >= 2) streets[segments[s].Name].push_back(s);
  }
  std::map<std::string, std::vector<const AddressPoint*>> addressesOf;
  for (const AddressPoint& address : addresses) addressesOf[address.Street].push_back(&address);

  for (const auto& [name, points] : addressesOf) {
    const auto street = streets.find(name);
    if (street == streets.end()) continue;
    const StreetFrame frame = FrameOf(segments, street->second);
    std::vector<Found> found;
    for (const AddressPoint* address : points) {
      const std::int64_t number = LeadingNumber(address->Number);
      if (number < 0) continue;
      if (std::optional<Found> on = Project(segments, street->second, frame, address->At, options.MaxDistanceUnits)) {
        on->Number = number;
        on->Zip = address->Zip;
        found.push_back(*on);
      }
    }
    if (found.empty()) continue;
    const std::int32_t zip = CommonZip(found);

    // Least squares: number = intercept + slope × position along the street.
    double meanAlong = 0, meanNumber = 0;
    for (const Found& f : found) {
      meanAlong += f.Along;
      meanNumber += static_cast<double>(f.Number);
    }
    meanAlong /= static_cast<double>(found.size());
    meanNumber /= static_cast<double>(found.size());
    double spread = 0, covariance = 0;
    for (const Found& f : found) {
      spread += (f.Along - meanAlong) * (f.Along - meanAlong);
      covariance += (f.Along - meanAlong) * (static_cast<double>(f.Number) - meanNumber);
    }
    const double slope = spread > 0 ? covariance / spread : 0;
    if (found.size() < 2 || std::fabs(slope) < 1e-9) {
      for (const Found& f : found) Widen(segments[f.Segment], f.Number / 100 * 100, f.Number / 100 * 100 + 99, zip);
      continue;
    }
    const double intercept = meanNumber - slope * meanAlong;
    double first = std::numeric_limits<double>::infinity(), last = -first;
    for (const Found& f : found) {
      first = std::min(first, f.Along);
      last = std::max(last, f.Along);
    }
    for (std::size_t s : street->second) {
      double from = std::numeric_limits<double>::infinity(), to = -from;
      for (TMapPoint at : segments[s].Points) {
        from = std::min(from, frame.Along(at.X, at.Y));
        to = std::max(to, frame.Along(at.X, at.Y));
      }
      if (to < first || from > last) continue;  // beyond the known addresses
      const double a = intercept + slope * from, b = intercept + slope * to;
      // Whole numbers that only rounding moved off stay whole.
      auto low = static_cast<std::int64_t>(std::floor(std::min(a, b) + 1e-6));
      auto high = static_cast<std::int64_t>(std::ceil(std::max(a, b) - 1e-6));
      for (const Found& f : found) {
        if (f.Segment != s) continue;
        low = std::min(low, f.Number);
        high = std::max(high, f.Number);
      }
      Widen(segments[s], low, high, zip);
    }
  }
}

}  // namespace quelmar::builder
