#include "control/data/drawing_route_labels.h"

#include <algorithm>

#include "control/data/feature_code.h"

namespace quelmar::data {
namespace {

std::vector<std::string_view> SplitAtSlash(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t from = 0;
  while (true) {
    const std::size_t slash = text.find('/', from);
    parts.push_back(text.substr(from, slash == std::string_view::npos ? std::string_view::npos : slash - from));
    if (slash == std::string_view::npos) return parts;
    from = slash + 1;
  }
}

// The point a route label of a polyline stands on: vertex count div 2 from the
// start; kind 15 counts the steps after its bias, one fewer.
TMapPoint PolylineAnchor(const DrawObject& object, const Polyline& line) {
  const std::vector<TMapPoint> points = PolylinePoints(object);
  std::int32_t vertex = line.Count / 2;
  if (object.Kind == ObjectKind::Polyline15) vertex -= 1;
  if (points.empty() || vertex < 0) return line.Start;
  return points[std::min<std::size_t>(static_cast<std::size_t>(vertex), points.size() - 1)];
}

}  // namespace

bool IsRouteNumber(std::string_view part) {
  for (std::size_t i = 0; i < part.size(); ++i) {
    const char c = part[i];
    if ((c >= 15 && c <= 20) || c == 27) return true;
    if ((c == 'A' || c == 'C' || c == 'H') && i + 1 < part.size() && part[i + 1] == '-') return true;
  }
  return part.find("CARRETERA") != std::string_view::npos;
}

std::vector<std::string> RouteNumbersOf(std::string_view expandedName, const RouteNameRules& rules) {
  std::vector<std::string> numbers;
  for (std::string_view part : SplitAtSlash(expandedName)) {
    if (!IsRouteNumber(part)) continue;
    if (part.size() >= 2 && part[1] == ' ' && std::string_view("ENSW").find(part[0]) != std::string_view::npos) {
      part.remove_prefix(2);
    }
    std::string number = rules.Normalize ? rules.Normalize(part) : std::string(part);
    if (number.size() > kMaxRouteNumberLength) number.resize(kMaxRouteNumberLength);
    numbers.push_back(std::move(number));
  }
  return numbers;
}

void RouteLabelCollector::OnNameRef(const NameString* name) {
  routeNumbers_.clear();
  marked_ = false;
  if (name == nullptr) return;
  const std::string expanded = rules_.Expand ? rules_.Expand(name->Packed) : name->Packed;
  routeNumbers_ = RouteNumbersOf(expanded, rules_);
  marked_ = expanded.find(kMarkedRoadWordCode) != std::string::npos;
}

void RouteLabelCollector::OnGroupMark() {
  routeNumbers_.clear();
  marked_ = false;
}

std::uint8_t RouteLabelCollector::PolylineCode(std::uint8_t code) const {
  return marked_ && FeatureLayer(code) == kRoadsLayer ? kHighwayCode : code;
}

void RouteLabelCollector::OnLine(const DrawObject& object) {
  const Segment* segment = object.As<Segment>();
  const Polyline* line = object.As<Polyline>();
  if (routeNumbers_.empty() || (segment == nullptr && line == nullptr)) return;
  const std::uint8_t code = object.Code > 40 ? FeatureLayer(object.Code) : object.Code;
  if (code == kStreetsLayer) return;
  if (anchors_.size() + routeNumbers_.size() > kMaxAnchors) return;
  const TMapPoint point = segment != nullptr ? SegmentAnchor(*segment) : PolylineAnchor(object, *line);
  for (const std::string& number : routeNumbers_) {
    anchors_.push_back({code, number.substr(0, kMaxRouteLabelLength), point});
  }
}

void RouteLabelCollector::AppendLabels(Drawing& drawing) const {
  for (const RouteAnchor& anchor : anchors_) {
    drawing.Append({ObjectKind::LabelText, kRouteLabelCode, LabelText{anchor.Code, anchor.Point, anchor.Text}});
  }
}

}  // namespace quelmar::data
