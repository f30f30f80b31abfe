#include "control/routing/road_loader.h"

#include <cctype>
#include <cmath>

#include "control/core/geodesy.h"
#include "control/data/draw_object.h"
#include "control/data/name_unpack.h"

namespace quelmar::routing {
namespace {

constexpr std::uint8_t kDivisionLabel = 6;
constexpr std::uint8_t kPlaceLabel = 7;
constexpr std::uint8_t kFirstLineCode = 8;
constexpr std::size_t kMaxPerVertexPoints = 999;

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

DistanceScale ScaleAt(core::TMapPoint at, bool approximate) {
  const double milesPerUnit = core::kEarthRadiusMiles * core::kRadiansPerDegree * core::kDegreesPerUnit;
  const double cosine = std::cos(core::UnitsToDegrees(at.Y) * core::kRadiansPerDegree);
  return {milesPerUnit * std::max(cosine, 0.01), milesPerUnit, approximate};
}

std::int32_t PieceLength(core::TMapPoint a, core::TMapPoint b, const DistanceScale& scale) {
  double miles = 0;
  if (scale.Approximate) {
    const double dx = (double(a.X) - b.X) * scale.MilesPerX, dy = (double(a.Y) - b.Y) * scale.MilesPerY;
    miles = std::sqrt(dx * dx + dy * dy);
  } else if (const auto d = core::Distance(core::UnitsToDegrees(a.X), core::UnitsToDegrees(a.Y),
                                           core::UnitsToDegrees(b.X), core::UnitsToDegrees(b.Y))) {
    miles = d->Thousandths / 1000.0;
  }
  return static_cast<std::int32_t>(std::lround(miles * 100));
}

int AddRoad(const std::vector<core::TMapPoint>& points, std::uint8_t classCode, std::int32_t name,
            const RoadRules& rules, RoadNetworkBuilder& network) {
  if (points.size() < 2 || rules.Roads.PriorityOf(classCode) == 0) return 0;
  if (rules.PerVertex && points.size() >= 3 && points.size() <= kMaxPerVertexPoints) {
    for (std::size_t i = 1; i < points.size(); ++i) {
      network.AddPiece(points[i - 1], points[i], classCode, name, PieceLength(points[i - 1], points[i], rules.Scale));
    }
    return static_cast<int>(points.size() - 1);
  }
  std::int64_t length = 0;
  for (std::size_t i = 1; i < points.size(); ++i) length += PieceLength(points[i - 1], points[i], rules.Scale);
  network.AddPiece(points.front(), points.back(), classCode, name,
                   static_cast<std::int32_t>(std::min<std::int64_t>(length, INT32_MAX)));
  return 1;
}

RoadCounts AddRoadsOfDrawing(const data::Drawing& drawing, const RoadRules& rules, RoadNetworkBuilder& network) {
  RoadCounts counts;
  std::string street, place;
  std::vector<core::TMapPoint> points;
  // The route name of the current street and place, entered at its first road.
  std::int32_t name = -1;
  for (std::int32_t n = 1; n <= drawing.Count(); ++n) {
    const data::DrawObject& object = *drawing.ObjectAt(n);
    switch (object.Kind) {
      case data::ObjectKind::BlockObject: {
        street.clear();
        name = -1;
        // A block of a feature that is no road holds nothing to route on.
        const auto* block = object.As<data::BlockObject>();
        if (block && RoadClassOf(object.Code, "", rules.Coarse) == 0 && block->Count > 0) {
          n += std::min(block->Count, drawing.Count() - n);
        }
        continue;
      }
      case data::ObjectKind::GroupMark:
        street.clear();
        name = -1;
        continue;
      case data::ObjectKind::NameRef: {
        const data::NameString* stored = drawing.NameAt(object.As<data::NameRef>()->Object);
        street = stored ? Upper(data::UnpackNameAbbreviated(stored->Packed)) : std::string();
        name = -1;
        continue;
      }
      case data::ObjectKind::LabelText: {
        const auto& label = *object.As<data::LabelText>();
        if (label.Point.X != 0 || (object.Code != kDivisionLabel && object.Code != kPlaceLabel)) continue;
        const std::string text = data::UnpackLabelWords(label.Text);
        place = text.starts_with("?") ? std::string() : text.substr(0, text.find(':'));
        name = -1;
        continue;
      }
      default:
        break;
    }
    if (object.Code < kFirstLineCode || !data::LinePointsInto(object, points) || points.size() < 2) continue;
    const std::uint8_t classCode = RoadClassOf(object.Code, street, rules.Coarse);
    if (classCode == 0) continue;
    if (rules.Keep && !rules.Keep(points.front(), points.back())) continue;
    if (name < 0) name = rules.SuppressNames || street.empty() ? 0 : network.EnterName(street + '\t' + place);
    ++counts.Roads;
    counts.Pieces += AddRoad(points, classCode, name, rules, network);
  }
  return counts;
}

}  // namespace quelmar::routing
