#include "control/routing/route_service.h"

namespace quelmar::routing {
namespace {

constexpr gdi::COLORREF kStartColour = 0x008000;
constexpr gdi::COLORREF kFinishColour = 0x0000FF;
constexpr gdi::COLORREF kJoinColour = 0x808080;
constexpr gdi::COLORREF kNetColour = 0xC0C0C0;
constexpr gdi::COLORREF kDefaultRouteColour = 0xFF0000;  // blue
constexpr int kSpotRadius = 5;

gdi::Point PixelOf(const core::ViewState& view, core::TMapPoint p) {
  const core::TPixelPoint pixel = view.MapToPixel(p);
  return {pixel.X, pixel.Y};
}

}  // namespace

int RouteLineWidth(std::int32_t highlight) {
  switch (highlight) {
    case 10: return 2;
    case 50: return 6;
    case 100: return 9;
    default: return 4;
  }
}

RouteService::RouteService() {
  start_.Label = kSelectStart;
  finish_.Label = kSelectFinish;
}

void RouteService::SetStart(core::TMapPoint point, std::string label) {
  start_ = {point, std::move(label), PositionText(point)};
}

void RouteService::SetFinish(core::TMapPoint point, std::string label) {
  finish_ = {point, std::move(label), PositionText(point)};
}

void RouteService::Keep(std::int32_t options, RouteResult result, Directions directions) {
  options_ = options;
  result_ = std::move(result);
  directions_ = std::move(directions);
}

void RouteService::Clear() {
  options_ = 0;
  result_ = {};
  directions_ = {};
}

std::vector<core::TMapPoint> RouteService::RoutePoints() const {
  std::vector<core::TMapPoint> points;
  for (const RouteStep& step : result_.Steps) points.push_back(step.Point);
  return points;
}

core::TMapPoint RouteService::Start() { return options_ & RT_Spots ? start_.Point : core::TMapPoint{}; }
core::TMapPoint RouteService::End() { return options_ & RT_Spots ? finish_.Point : core::TMapPoint{}; }

void RouteService::DrawRoute(gdi::Canvas& canvas, const core::ViewState& view) {
  if (options_ == 0) return;
  const int saved = canvas.SaveState();
  if (look_.ShowNet && result_.Network) {
    canvas.SetPen({gdi::PenStyle::Solid, 1, kNetColour});
    const RoadNetwork& net = *result_.Network;
    for (std::uint32_t n = 0; n < net.NodeCount(); ++n) {
      for (const RoadEdge& edge : net.EdgesOf(n)) {
        if (edge.Target < n) continue;
        canvas.MoveTo(PixelOf(view, net.Point(n)));
        canvas.LineTo(PixelOf(view, net.Point(edge.Target)));
      }
    }
  }
  const std::vector<core::TMapPoint> points = RoutePoints();
  if ((options_ & RT_Hatch) && points.size() >= 2) {
    std::vector<gdi::Point> line;
    for (const core::TMapPoint& p : points) line.push_back(PixelOf(view, p));
    canvas.SetPen({gdi::PenStyle::Solid, RouteLineWidth(look_.Highlight),
                   look_.Colour == 0 ? kDefaultRouteColour : look_.Colour});
    canvas.Polyline(line);
  }
  if (options_ & RT_Spots) {
    // Each end is joined to the road node the route starts or ends at.
    if (!points.empty()) {
      canvas.SetPen({gdi::PenStyle::Solid, 2, kJoinColour});
      canvas.MoveTo(PixelOf(view, start_.Point));
      canvas.LineTo(PixelOf(view, points.front()));
      canvas.MoveTo(PixelOf(view, finish_.Point));
      canvas.LineTo(PixelOf(view, points.back()));
    }
    for (const auto& [point, colour] : {std::pair{start_.Point, kStartColour}, std::pair{finish_.Point, kFinishColour}}) {
      if (point.X == 0) continue;
      const gdi::Point c = PixelOf(view, point);
      canvas.SetPen({gdi::PenStyle::Solid, 1, 0});
      canvas.SetBrush(gdi::Brush::Solid(colour));
      canvas.Ellipse({c.x - kSpotRadius, c.y - kSpotRadius, c.x + kSpotRadius + 1, c.y + kSpotRadius + 1});
    }
  }
  canvas.RestoreState(saved);
}

}  // namespace quelmar::routing
