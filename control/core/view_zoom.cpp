// ViewState: zoom, pan and centring.
#include <algorithm>
#include <cmath>
#include <utility>

#include "control/core/rounding.h"
#include "control/core/view_state.h"

namespace quelmar::core {

namespace {

// ZoomAll: 130° W to 60° W, 24° N to 51° N.
constexpr std::int32_t kAllLeft = -2031250;
constexpr std::int32_t kAllBottom = 375000;
constexpr std::int32_t kAllRight = -937500;
constexpr std::int32_t kAllTop = 796875;

constexpr double kOverlayMargin = 1.1;
constexpr double kPanStep = 0.75;

}  // namespace

void ViewState::ZoomToRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                           double factor) {
  SaveLastView();
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const std::int64_t cx = Div2(static_cast<std::int64_t>(x1) + x2);
  const std::int64_t cy = Div2(static_cast<std::int64_t>(y1) + y2);
  const double w = std::nearbyint(static_cast<double>(static_cast<std::int64_t>(x2) - x1) * factor);
  const double h = std::nearbyint(static_cast<double>(static_cast<std::int64_t>(y2) - y1) * factor);
  if (!std::isfinite(w) || !std::isfinite(h) || w == 0 || h == 0) return;

  viewOverflow_ = false;
  viewBackup_ = view_;
  const double sx = std::fabs(view_.Width / w);
  const double sy = std::fabs(view_.Height / h) * view_.Aspect;
  SetViewScale(std::min(sx, sy));
  const std::int64_t halfW = RoundLimited(view_.Width / view_.Scale * 0.5, viewOverflow_);
  const std::int64_t halfH = RoundLimited(view_.Height / view_.ScaleY * 0.5, viewOverflow_);
  SetViewOrigin(cx - halfW, cy - halfH);
  if (viewOverflow_) view_ = viewBackup_;
}

void ViewState::ZoomAround(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
  const double fw = static_cast<double>(w);
  const double fh = static_cast<double>(h);
  const double s = std::fabs(fw) > std::fabs(fh * view_.Aspect) ? std::fabs(view_.Width / fw)
                                                                 : view_.Aspect * std::fabs(view_.Height / fh);
  const double oldScale = view_.Scale;
  SetViewScale(s);
  if (view_.Scale == 0) SetViewScale(1);
  // When the clamps leave the scale as it was, the view does not move.
  if (view_.Scale != oldScale) SetViewOrigin(w <= 0 ? x + w : x, h <= 0 ? y + h : y);
}

void ViewState::ZoomIn() {
  SaveLastView();
  const std::int64_t w = RoundLimited(view_.Width / view_.Scale, viewOverflow_);
  const std::int64_t h = static_cast<std::int64_t>(view_.Top) - view_.Bottom;
  ZoomAround(view_.Left + Div4(w), view_.Bottom + Div4(h), Div2(w), Div2(h));
}

void ViewState::ZoomOut() {
  SaveLastView();
  const std::int64_t w = RoundLimited(view_.Width / view_.Scale, viewOverflow_);
  const std::int64_t h = static_cast<std::int64_t>(view_.Top) - view_.Bottom;
  ZoomAround(view_.Left - Div2(w), view_.Bottom - Div2(h), 2 * w, 2 * h);
}

void ViewState::ZoomAll() {
  ZoomToRect(kAllLeft, kAllBottom, kAllRight, kAllTop, 1.0);
}

void ViewState::ZoomLast() {
  viewBackup_ = view_;
  view_ = lastView_;
  lastView_ = viewBackup_;
}

bool ViewState::ZoomWindow(double lon1, double lat1, double lon2, double lat2) {
  bool overflow = false;
  const std::int32_t x1 = DegreesToUnits(lon1, overflow);
  const std::int32_t y1 = DegreesToUnits(lat1, overflow);
  const std::int32_t x2 = DegreesToUnits(lon2, overflow);
  const std::int32_t y2 = DegreesToUnits(lat2, overflow);
  if (overflow) return false;
  ZoomToRect(x1, y1, x2, y2, 1.0);
  return true;
}

void ViewState::ZoomIWindow(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  ZoomToRect(PixelToMapX(x1), PixelToMapY(y1), PixelToMapX(x2), PixelToMapY(y2), 1.0);
}

void ViewState::ZoomPan(std::int32_t flags) {
  std::int64_t dx = 0;
  if (flags & 1) dx = -1;
  if (flags & 2) dx = 1;
  std::int64_t dy = 0;
  if (flags & 4) dy = 1;
  if (flags & 8) dy = -1;
  const std::int64_t stepX =
      RoundLimited(static_cast<double>(static_cast<std::int64_t>(view_.Right) - view_.Left) * kPanStep, viewOverflow_);
  const std::int64_t stepY =
      RoundLimited(static_cast<double>(static_cast<std::int64_t>(view_.Top) - view_.Bottom) * kPanStep, viewOverflow_);
  SaveLastView();
  SetViewOrigin(view_.Left + dx * stepX, view_.Bottom + dy * stepY);
}

void ViewState::ZoomOverlay(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  ZoomToRect(x1, y1, x2, y2, kOverlayMargin);
}

void ViewState::ZoomUnderlay(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  ZoomToRect(x1, y1, x2, y2, 1.0);
}

void ViewState::CenterOn(std::int64_t x, std::int64_t y, std::int32_t routePanelWidth) {
  // The point lands in the middle of the area right of the route panel. The
  // origin depends only on the scale and the size, which SetViewOrigin does not
  // change, so one pass gives what repeated passes would.
  const double halfW = static_cast<double>(Div2(static_cast<std::int64_t>(view_.Width) + routePanelWidth));
  const double halfH = static_cast<double>(Div2(view_.Height));
  const std::int64_t offsetX = RoundLimited(halfW / view_.Scale, viewOverflow_);
  const std::int64_t offsetY = RoundLimited(halfH / view_.ScaleY, viewOverflow_);
  SetViewOrigin(x - offsetX, y - offsetY);
}

void ViewState::CenterView(std::int32_t x, std::int32_t y, std::int32_t routePanelWidth) {
  SaveLastView();
  const std::int32_t mapX = PixelToMapX(x);
  const std::int32_t mapY = PixelToMapY(y);
  if (view_.Scale == 0 || view_.ScaleY == 0) return;
  CenterOn(mapX, mapY, routePanelWidth);
}

bool ViewState::GotoPoint(double lon, double lat, std::int32_t routePanelWidth) {
  bool overflow = false;
  const std::int32_t x = DegreesToUnits(lon, overflow);
  const std::int32_t y = DegreesToUnits(lat, overflow);
  if (overflow) return false;
  SaveLastView();
  if (view_.Scale == 0 || view_.ScaleY == 0) return true;
  CenterOn(x, y, routePanelWidth);
  return true;
}

void ViewState::CenterOnResult(std::int32_t x, std::int32_t y) {
  const std::int64_t offsetX = RoundLimited(view_.PaintWidth / view_.Scale / 2 + 0.5, viewOverflow_);
  const std::int64_t offsetY = RoundLimited(view_.PaintHeight / view_.ScaleY / 2 + 0.5, viewOverflow_);
  SetViewOrigin(x - offsetX, y - offsetY);
}

void ViewState::ResizeView(std::int32_t width, std::int32_t height) {
  const TViewWindow before = view_;
  view_.Width = width;
  view_.Height = height;
  ZoomToRect(before.Left, before.Bottom, before.Right, before.Top, 1.0);
}

void ViewState::KeepTopOnResize(std::int32_t clientHeight) {
  const std::int64_t h = RoundLimited(clientHeight / view_.ScaleY, viewOverflow_);
  view_.Bottom = SaturateInt32(view_.Top - h, viewOverflow_);
}

}  // namespace quelmar::core
