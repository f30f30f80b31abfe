// ViewState: settings, rotation, scale rules and the scale properties.
#include "control/core/view_state.h"

#include <cmath>

#include "control/core/rounding.h"

namespace quelmar::core {

namespace {

constexpr double kEarthRadiusMiles = 3960.0;
constexpr double kKmPerMile = 1.609344;
constexpr double kLatitude40Radians = 0.6981317007977318;
constexpr double kMostPixelsPerUnit = 10.0;
constexpr double kLeastMilesPerInch = 0.025;
constexpr double kWidestViewDegrees = 127.0;

}  // namespace

ViewState::ViewState(std::int32_t pixelsPerInch)
    : pixelsPerInch_(pixelsPerInch >= 1 ? pixelsPerInch : 96) {}

bool ViewState::SetMapunits(TxMapunit unit) {
  if (unit != MuMi && unit != Mukm) return false;
  mapunits_ = unit;
  distanceUnit_ = unit == Mukm ? 2 : 1;
  return true;
}

bool ViewState::Rotate(double degrees) {
  if (!std::isfinite(degrees)) return false;
  rotationAngle_ = degrees * kRadiansPerDegree;
  PrepareRotation();
  return true;
}

void ViewState::PrepareRotation() {
  rotationActive_ = std::nearbyint(rotationAngle_ / kRadiansPerDegree) != 0;
  rotationCos_ = std::cos(rotationAngle_);
  rotationSin_ = std::sin(rotationAngle_);
}

void ViewState::SetEdges(std::int64_t left, std::int64_t bottom, std::int64_t right, std::int64_t top) {
  view_.Left = SaturateInt32(left, viewOverflow_);
  view_.Bottom = SaturateInt32(bottom, viewOverflow_);
  view_.Right = SaturateInt32(right, viewOverflow_);
  view_.Top = SaturateInt32(top, viewOverflow_);
}

// --- Scale rules ---------------------------------------------------------------

namespace {

double ScaleAtLatitudeFor(std::int32_t pixelsPerInch, double miles, double latitudeRadians) {
  const double k = std::cos(latitudeRadians) * kEarthRadiusMiles;
  if (k == 0) return 1.0;
  const double degrees = miles / k * kDegreesPerRadian;
  if (degrees == 0) return 1.0;
  return pixelsPerInch / degrees * kDegreesPerUnit;
}

}  // namespace

double ScaleForMilesAt40(std::int32_t pixelsPerInch, double miles) {
  const double scale = ScaleAtLatitudeFor(pixelsPerInch, miles, kLatitude40Radians);
  return std::isfinite(scale) ? scale : 0.0;
}

double ViewState::ScaleAtLatitude(double miles, double latitudeRadians) const {
  return ScaleAtLatitudeFor(pixelsPerInch_, miles, latitudeRadians);
}

double ViewState::ScaleForMiles(double miles) const {
  // The middle latitude as a real: no integer halving here.
  const double latitude = (static_cast<double>(view_.Bottom) + view_.Top) / 2 * kDegreesPerUnit;
  const double scale = ScaleAtLatitude(miles, latitude * kRadiansPerDegree);
  return std::isfinite(scale) ? scale : 1.0;
}

double ViewState::ScaleForMilesAt40(double miles) const { return core::ScaleForMilesAt40(pixelsPerInch_, miles); }

double ViewState::MilesPerInch(double scale) const {
  const std::int64_t middle = Div2(static_cast<std::int64_t>(view_.Bottom) + view_.Top);
  const double k = std::cos(middle * kDegreesPerUnit * kRadiansPerDegree) * kEarthRadiusMiles;
  if (k == 0) return 1.0;
  const double degreesPerInch = pixelsPerInch_ * kDegreesPerUnit / scale;
  return degreesPerInch * k / kDegreesPerRadian;
}

TScaleBar ViewState::ScaleBar() const {
  double perInch = MilesPerInch(view_.Scale);
  if (distanceUnit_ == 2) perInch *= kKmPerMile;
  return ScaleBarLength(view_.Scale, perInch, pixelsPerInch_);
}

void ViewState::SetViewScale(double s) {
  const double requested = s;
  const double most = ScaleForMilesAt40(kLeastMilesPerInch);
  if (s > most) s = most;
  double scale = s;
  if (scale > kMostPixelsPerUnit) scale = kMostPixelsPerUnit;
  const double least = view_.Width * kDegreesPerUnit / kWidestViewDegrees;
  // Written so that NaN takes the lower bound.
  if (!(requested >= least)) scale = least;
  view_.Scale = scale;
  view_.ScaleY = view_.Scale / view_.Aspect;
}

void ViewState::SetViewOrigin(std::int64_t x, std::int64_t y) {
  const std::int64_t w = RoundLimited(view_.Width / view_.Scale, viewOverflow_);
  const std::int64_t h = RoundLimited(view_.Height / view_.ScaleY, viewOverflow_);
  // Raise to the minimum first, then lower so the far edge stays inside; the
  // far-edge test is written against max - size so it cannot overflow.
  if (x < mapExtent_.MinX) x = mapExtent_.MinX;
  if (x > mapExtent_.MaxX - w) x = mapExtent_.MaxX - w;
  if (y < mapExtent_.MinY) y = mapExtent_.MinY;
  if (y > mapExtent_.MaxY - h) y = mapExtent_.MaxY - h;
  SetEdges(x, y, x + w, y + h);
}

void ViewState::DeriveEdges() {
  view_.ScaleY = view_.Scale / view_.Aspect;
  const std::int64_t w = RoundLimited(view_.Width / view_.Scale + 0.5, viewOverflow_);
  const std::int64_t h = RoundLimited(view_.Height / view_.ScaleY + 0.5, viewOverflow_);
  view_.Right = SaturateInt32(view_.Left + w, viewOverflow_);
  view_.Top = SaturateInt32(view_.Bottom + h, viewOverflow_);
}

// --- Scale properties ----------------------------------------------------------

double ViewState::Scale() const {
  return std::nearbyint(view_.Scale * 1000000) / 1000000;
}

bool ViewState::SetScale(double v) {
  if (!std::isfinite(v) || (lastScaleWritten_ && v == *lastScaleWritten_)) return false;
  SaveLastView();
  SetViewScale(v);
  lastScaleWritten_ = view_.Scale;
  magnitude_ = NearestMagnitude(MilesPerInch(view_.Scale));
  return true;
}

TxMagnitude ViewState::Magnitude() {
  magnitude_ = MagnitudeFromScaleBar(ScaleBar().Length);
  return magnitude_;
}

bool ViewState::SetMagnitude(std::int32_t m, bool firstPaintDone) {
  if (!firstPaintDone || m < 0 || m >= kMagnitudeCount) return false;
  SaveLastView();
  const double oldScale = view_.Scale;
  const std::int64_t cx = view_.Left + Div2(static_cast<std::int64_t>(view_.Right) - view_.Left);
  const std::int64_t cy = view_.Bottom + Div2(static_cast<std::int64_t>(view_.Top) - view_.Bottom);
  // Deliberately without the SetViewScale clamps or the MapExtent clamp.
  view_.Scale = ScaleForMiles(MagnitudeMiles[m]);
  view_.ScaleY = view_.Scale / view_.Aspect;
  const std::int64_t hw = RoundLimited(view_.Width / view_.Scale / 2, viewOverflow_);
  const std::int64_t hh = RoundLimited(view_.Height / view_.ScaleY / 2, viewOverflow_);
  SetEdges(cx - hw, cy - hh, cx + hw, cy + hh);
  return view_.Scale != oldScale;
}

double ViewState::Miles() const {
  return std::trunc(MilesPerInch(view_.Scale) * 100) / 100;
}

double ViewState::Kms() const {
  return std::trunc(MilesPerInch(view_.Scale) * kKmPerMile * 100) / 100;
}

bool ViewState::SetMiles(double miles, bool initialisedOrDesign) {
  if (!initialisedOrDesign || !std::isfinite(miles)) return false;
  const double m = std::trunc(miles * 100) / 100;
  SaveLastView();
  const double oldScale = view_.Scale;
  // One pass: a second one would find the same centre (the window is
  // symmetric about it) and the same scale, so it would change nothing.
  const std::int64_t cx = view_.Left + Div2(static_cast<std::int64_t>(view_.Right) - view_.Left);
  const std::int64_t cy = view_.Bottom + Div2(static_cast<std::int64_t>(view_.Top) - view_.Bottom);
  view_.Scale = ScaleForMilesAt40(m);
  view_.ScaleY = view_.Scale / view_.Aspect;
  const std::int64_t hw = RoundLimited(view_.Width / view_.Scale / 2, viewOverflow_);
  const std::int64_t hh = RoundLimited(view_.Height / view_.ScaleY / 2, viewOverflow_);
  SetEdges(cx - hw, cy - hh, cx + hw, cy + hh);
  if (view_.Scale != oldScale) SetViewScale(view_.Scale);
  return true;
}

bool ViewState::SetKms(double kms, bool initialisedOrDesign) {
  return SetMiles(kms / kKmPerMile, initialisedOrDesign);
}

bool ViewState::SetScreenAspect(double aspect) {
  if (!std::isfinite(aspect) || !(aspect > 0) || aspect == view_.Aspect) return false;
  view_.Aspect = aspect;
  return true;
}

}  // namespace quelmar::core
