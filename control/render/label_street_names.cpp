#include "control/render/label_street_names.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>

#include "control/data/name_codes.h"
#include "control/data/name_unpack.h"
#include "control/render/colour_standard.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::render {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

std::int64_t FloorHalf(std::int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

int Round(double v) { return static_cast<int>(std::lround(v)); }

std::int16_t ClampInt16(std::int64_t v) {
  return static_cast<std::int16_t>(
      std::clamp<std::int64_t>(v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

// The record keeps the segment as two int16 values; a longer segment (one
// end far off the view) is scaled down as a whole so that it keeps its direction.
void FitSegment(std::int64_t& dx, std::int64_t& dy) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int16_t>::max();
  const std::int64_t largest = std::max(std::llabs(dx), std::llabs(dy));
  if (largest <= kMax) return;
  dx = dx * kMax / largest;
  dy = dy * kMax / largest;
}

// The stored name up to its first "/" (a second route name); a "/" written
// as an escaped character belongs to the name.
std::string_view CutAtSlash(std::string_view stored) {
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (static_cast<std::uint8_t>(stored[i]) == data::kEscapeByte) {
      ++i;
    } else if (stored[i] == '/') {
      return stored.substr(0, i);
    }
  }
  return stored;
}

// The perpendicular offset of a name from its street's centre line, by the
// street's width step: above thin streets, just clear of the edge of the
// medium ones, centred on the wide ones, and above the widest.
int OffsetForWidthStep(int widthStep, int lineHeight) {
  if (widthStep < 4) return -2;
  if (widthStep <= 5) return -widthStep;
  if (widthStep <= 14) return lineHeight / 2;
  return -lineHeight;
}

// max(|dx|, |dy|) + min(|dx|, |dy|) / 4: close enough to the segment's length
// to pick the longest one.
std::int64_t LengthMeasure(std::int64_t dx, std::int64_t dy) {
  const std::int64_t ax = std::llabs(dx), ay = std::llabs(dy);
  return std::max(ax, ay) + std::min(ax, ay) / 4;
}

// Which side of the line a → b the point c lies on: -1, 0 (on the line) or 1.
int Turn(gdi::Point a, gdi::Point b, gdi::Point c) {
  const std::int64_t cross = (std::int64_t{b.x} - a.x) * (std::int64_t{c.y} - a.y) -
                             (std::int64_t{b.y} - a.y) * (std::int64_t{c.x} - a.x);
  return (cross > 0) - (cross < 0);
}

double PointSegmentDistance(gdi::Point p, gdi::Point a, gdi::Point b) {
  const double vx = static_cast<double>(b.x) - a.x, vy = static_cast<double>(b.y) - a.y;
  const double wx = static_cast<double>(p.x) - a.x, wy = static_cast<double>(p.y) - a.y;
  const double lengthSquared = vx * vx + vy * vy;
  const double t = lengthSquared > 0 ? std::clamp((wx * vx + wy * vy) / lengthSquared, 0.0, 1.0) : 0.0;
  return std::hypot(wx - t * vx, wy - t * vy);
}

gdi::COLORREF StreetNameColour(int layer, const StreetLabelPaint& paint) {
  if (paint.BlackWhite) return kBlackColour;
  if ((layer == 9 || layer == 10) && !paint.ZoomedStreetStyle) return StdColor(kMaroon);
  if (layer == 23) return StdColor(kNavy);
  return kBlackColour;
}

// The angle a stored label is written at: its reading direction, judged on the
// map as the viewer sees it, so that a rotated map still shows no name upside down.
int DrawingDegrees(const StreetLabel& label, const StreetLabelPaint& paint) {
  int degrees = SegmentDegrees(label.Dx, label.Dy);
  double seen = degrees + (paint.Rotated ? paint.RotationDegrees : 0.0);
  seen = std::fmod(seen, 360.0);
  if (seen < 0) seen += 360.0;
  if (seen > 90.0 && seen < 270.0) degrees = (degrees + 180) % 360;
  return degrees;
}

// The box around a text centred on `origin` along its baseline and turned by
// `theta` (counter-clockwise).
gdi::Rect TurnedTextBox(const gdi::Font& font, std::string_view text, gdi::Point origin, double theta) {
  const gdi::TextExtent e = gdi::TextMeasurer::Measure(font, text);
  const double c = std::cos(theta), s = std::sin(theta);
  const double xs[2] = {-e.width / 2.0, e.width / 2.0}, ys[2] = {-double(e.ascent), double(e.descent)};
  double left = 1e18, right = -1e18, top = 1e18, bottom = -1e18;
  for (const double x : xs) {
    for (const double y : ys) {
      // x runs along the baseline, y down the text; the screen's y grows down.
      const double px = origin.x + x * c + y * s, py = origin.y - x * s + y * c;
      left = std::min(left, px), right = std::max(right, px), top = std::min(top, py), bottom = std::max(bottom, py);
    }
  }
  return {static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top)), static_cast<int>(std::ceil(right)),
          static_cast<int>(std::ceil(bottom))};
}

}  // namespace

int StreetNameLineHeight(const LabelSettings& settings, const LabelFonts& fonts) {
  return gdi::TextMeasurer::Measure(StreetFont(settings, fonts.StreetHeight, 0), "X").AsSize().cy;
}

int SegmentDegrees(int dx, int dy) {
  if (dx == 0 && dy == 0) return 0;
  const int degrees = Round(std::atan2(static_cast<double>(dy), static_cast<double>(dx)) / kDegree);
  return ((degrees % 360) + 360) % 360;
}

int ReadableDegrees(int degrees) {
  degrees = ((degrees % 360) + 360) % 360;
  return degrees > 90 && degrees < 270 ? (degrees + 180) % 360 : degrees;
}

bool LabelAxesCross(gdi::Point a1, gdi::Point a2, gdi::Point b1, gdi::Point b2) {
  const int d1 = Turn(b1, b2, a1), d2 = Turn(b1, b2, a2);
  const int d3 = Turn(a1, a2, b1), d4 = Turn(a1, a2, b2);
  return d1 * d2 < 0 && d3 * d4 < 0;
}

bool LabelAxesTooClose(gdi::Point a1, gdi::Point a2, gdi::Point b1, gdi::Point b2, int clearance) {
  if (LabelAxesCross(a1, a2, b1, b2)) return true;
  const double distance = std::min({PointSegmentDistance(a1, b1, b2), PointSegmentDistance(a2, b1, b2),
                                    PointSegmentDistance(b1, a1, a2), PointSegmentDistance(b2, a1, a2)});
  return distance < clearance;
}

void StreetLabels::Offer(std::string_view storedName, gdi::Point p1, gdi::Point p2, int layer, int widthStep,
                         int lineHeight, int viewWidth, int viewHeight) {
  const std::int64_t cx = FloorHalf(std::int64_t{p1.x} + p2.x + 1);
  const std::int64_t cy = FloorHalf(std::int64_t{p1.y} + p2.y + 1);
  if (cx < 0 || cx >= viewWidth || cy < 0 || cy >= viewHeight) return;

  const std::string_view name = CutAtSlash(storedName);
  const std::string written = data::UnpackName(name);
  if (written.empty()) return;

  std::int64_t dx = std::int64_t{p1.x} - p2.x, dy = std::int64_t{p2.y} - p1.y;
  FitSegment(dx, dy);
  const std::int16_t length = ClampInt16(LengthMeasure(dx, dy));

  const auto at = std::lower_bound(labels_.begin(), labels_.end(), name,
                                   [](const StreetLabel& l, std::string_view n) { return l.Name < n; });
  const bool known = at != labels_.end() && at->Name == name;
  if (known && length <= at->Length) return;
  if (!known && labels_.size() >= kCapacity) return;

  StreetLabel label;
  label.Centre = {static_cast<int>(cx), static_cast<int>(cy)};
  label.Dx = static_cast<std::int16_t>(dx);
  label.Dy = static_cast<std::int16_t>(dy);
  label.Offset = ClampInt16(OffsetForWidthStep(widthStep, lineHeight));
  label.Name = std::string(name);
  label.Length = length;
  label.Layer = ClampInt16(layer);

  const double theta = ReadableDegrees(SegmentDegrees(label.Dx, label.Dy)) * kDegree;
  const double sine = std::sin(theta), cosine = std::cos(theta);
  const gdi::Point centre{label.Centre.x + 2 * Round(label.Offset * sine), label.Centre.y + 2 * Round(label.Offset * cosine)};
  const int halfLength = 4 * static_cast<int>(written.size()) + 4;
  const int ax = Round(halfLength * cosine), ay = Round(halfLength * sine);
  label.AxisStart = {centre.x - ax, centre.y + ay};
  label.AxisEnd = {centre.x + ax, centre.y - ay};

  for (auto other = labels_.begin(); other != labels_.end(); ++other) {
    if (known && other == at) continue;  // the record this one replaces
    if (LabelAxesTooClose(label.AxisStart, label.AxisEnd, other->AxisStart, other->AxisEnd, lineHeight)) return;
  }
  if (known) {
    *at = std::move(label);
  } else {
    labels_.insert(at, std::move(label));
  }
}

void StreetLabels::Draw(gdi::Canvas& canvas, const LabelSettings& settings, const LabelFonts& fonts,
                        const StreetLabelPaint& paint, OccupiedRects* occupied) {
  const int depth = canvas.SaveState();
  canvas.SetBkMode(gdi::BkMode::Transparent);
  // Centred on the label's centre along the axis, the baseline moved off the
  // street's centre line by the offset.
  canvas.SetTextAlign(gdi::TA_CENTER | gdi::TA_BASELINE);
  for (const StreetLabel& label : labels_) {
    const std::string_view stored = core::ShowsSuffixes(settings) ? std::string_view(label.Name) : data::WithoutStreetType(label.Name);
    const std::string text = data::UnpackName(stored);
    if (text.empty()) continue;
    const int degrees = DrawingDegrees(label, paint);
    const double theta = degrees * kDegree;
    const gdi::Font font = StreetFont(settings, fonts.StreetHeight, 10 * degrees);
    const gdi::Point origin{label.Centre.x + Round(label.Offset * std::sin(theta)),
                            label.Centre.y + Round(label.Offset * std::cos(theta))};
    if (occupied && !occupied->TryTake(TurnedTextBox(font, text, origin, theta))) continue;
    canvas.SetFont(font);
    canvas.SetTextColor(StreetNameColour(label.Layer, paint));
    canvas.TextOut(origin, text);
  }
  canvas.RestoreState(depth);
  labels_.clear();
}

}  // namespace quelmar::render
