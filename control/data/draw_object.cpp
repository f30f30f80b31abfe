#include "control/data/draw_object.h"

#include <algorithm>
#include <limits>

namespace quelmar::data {
namespace {

std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t LittleEndian32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

std::int16_t LittleEndian16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}

}  // namespace

AddressRange RangeOf(const Attributes& attributes) {
  if (attributes.Low < 0) return {};
  constexpr std::int32_t kOpen = std::numeric_limits<std::int32_t>::max();
  if (attributes.Span == kOpen || attributes.Span == -kOpen) return {attributes.Low, 0};
  // The span was taken as high - low in 32 bits; adding it back wraps the same way.
  const auto high = static_cast<std::uint32_t>(attributes.Low) + static_cast<std::uint32_t>(attributes.Span);
  return {attributes.Low, static_cast<std::int32_t>(high)};
}

bool DrawObject::IsPolyline() const {
  return Kind == ObjectKind::Polyline12 || Kind == ObjectKind::Polyline13 || Kind == ObjectKind::Polyline14 ||
         Kind == ObjectKind::Polyline15;
}

std::uint8_t DrawObject::KindByte() const {
  const auto kind = static_cast<std::uint8_t>(Kind);
  const Polyline* polyline = As<Polyline>();
  return polyline != nullptr && polyline->Scaled ? static_cast<std::uint8_t>(kind | kScaledKindFlag) : kind;
}

std::size_t PolylineStepSize(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Polyline12: return 8;
    case ObjectKind::Polyline13: return 4;
    case ObjectKind::Polyline14:
    case ObjectKind::Polyline15: return 2;
    default: return 0;
  }
}

std::vector<TMapPoint> PolylinePoints(const DrawObject& object) {
  std::vector<TMapPoint> points;
  PolylinePointsInto(object, points);
  return points;
}

void PolylinePointsInto(const DrawObject& object, std::vector<TMapPoint>& points) {
  points.clear();
  const Polyline* line = object.As<Polyline>();
  const std::size_t stepSize = PolylineStepSize(object.Kind);
  if (line == nullptr || stepSize == 0) return;
  // Hand-made objects may disagree with their step bytes: decode what is there.
  const std::size_t steps = std::min<std::size_t>(std::max<int>(line->Count, 0), line->Steps.size() / stepSize);
  const std::int64_t factor = line->Scaled ? kScaledStep : 1;
  const std::uint8_t* p = line->Steps.data();

  std::int64_t x = line->Start.X;
  std::int64_t y = line->Start.Y;
  std::size_t first = 0;  // first step that moves the pen
  std::int64_t biasX = -127;
  std::int64_t biasY = -127;
  if (object.Kind == ObjectKind::Polyline15) {
    if (steps == 0) return;
    biasX = p[0] - 127;
    biasY = p[1] - 127;
    first = 1;
  }
  points.reserve(steps + 1 - first);
  points.push_back({Clamp32(x), Clamp32(y)});
  for (std::size_t i = first; i < steps; ++i) {
    const std::uint8_t* step = p + i * stepSize;
    std::int64_t dx = 0;
    std::int64_t dy = 0;
    switch (object.Kind) {
      case ObjectKind::Polyline12: dx = LittleEndian32(step); dy = LittleEndian32(step + 4); break;
      case ObjectKind::Polyline13: dx = LittleEndian16(step); dy = LittleEndian16(step + 2); break;
      case ObjectKind::Polyline14: dx = step[0] - 127; dy = step[1] - 127; break;
      default: dx = step[0] + biasX; dy = step[1] + biasY; break;  // kind 15
    }
    x += dx * factor;
    y += dy * factor;
    points.push_back({Clamp32(x), Clamp32(y)});
  }
}

bool LinePointsInto(const DrawObject& object, std::vector<TMapPoint>& points) {
  points.clear();
  if (object.Kind == ObjectKind::Inert) return false;
  if (const auto* s = object.As<Segment>()) {
    points.push_back(s->Start);
    points.push_back({static_cast<std::int32_t>(std::int64_t{s->Start.X} + s->Dx),
                      static_cast<std::int32_t>(std::int64_t{s->Start.Y} + s->Dy)});
    return true;
  }
  if (object.IsPolyline()) {
    PolylinePointsInto(object, points);
    return true;
  }
  return false;
}

TMapPoint SegmentAnchor(const Segment& segment) {
  return {Clamp32(std::int64_t{segment.Start.X} + segment.Dx / 2),
          Clamp32(std::int64_t{segment.Start.Y} + segment.Dy / 2)};
}

std::size_t StoredSize(const DrawObject& object) {
  // The variable tail of the kinds that have one (text bytes, entries, steps).
  struct Tail {
    std::size_t operator()(const PlaceObject& o) const { return o.Name.size(); }
    std::size_t operator()(const NameString& o) const { return o.Packed.size(); }
    std::size_t operator()(const IndexList& o) const { return 4 * o.Values.size(); }
    std::size_t operator()(const Polyline& o) const { return o.Steps.size(); }
    std::size_t operator()(const LabelText& o) const { return o.Text.size(); }
    std::size_t operator()(const Segment&) const { return 0; }
    std::size_t operator()(const GroupMark&) const { return 0; }
    std::size_t operator()(const NameRef&) const { return 0; }
    std::size_t operator()(const BlockObject&) const { return 0; }
  };
  const std::size_t tail = std::visit(Tail{}, object.Body);
  constexpr std::size_t kHead = 2;  // kind and feature code
  switch (object.Kind) {
    case ObjectKind::Inert:
    case ObjectKind::Segment: return kHead + 16 + 4 + 2 + 1;
    case ObjectKind::SegmentNoAttributes: return kHead + 16;
    case ObjectKind::GroupMark: return kHead;
    case ObjectKind::PlaceObject: return kHead + 18 + 1 + tail;
    case ObjectKind::NameString: return kHead + 1 + tail;
    case ObjectKind::NameRef: return kHead + 4;
    case ObjectKind::BlockObject: return kHead + 2 + 4 + 16;
    case ObjectKind::IndexList: return kHead + tail;
    case ObjectKind::Polyline12:
    case ObjectKind::Polyline13:
    case ObjectKind::Polyline14:
    case ObjectKind::Polyline15: return kHead + 2 + 4 + 4 + 1 + 8 + 8 + tail;
    case ObjectKind::LabelText: return kHead + 2 + 8 + 1 + tail;
    case ObjectKind::Segment16: return kHead + 8 + 4 + 4 + 2 + 1;
  }
  return kHead + tail;
}

const char* ObjectKindName(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Inert: return "Inert";
    case ObjectKind::Segment:
    case ObjectKind::SegmentNoAttributes: return "Segment";
    case ObjectKind::GroupMark: return "GroupMark";
    case ObjectKind::PlaceObject: return "PlaceObject";
    case ObjectKind::NameString: return "NameString";
    case ObjectKind::NameRef: return "NameRef";
    case ObjectKind::BlockObject: return "BlockObject";
    case ObjectKind::IndexList: return "IndexList";
    case ObjectKind::Polyline12:
    case ObjectKind::Polyline13:
    case ObjectKind::Polyline14:
    case ObjectKind::Polyline15: return "Polyline";
    case ObjectKind::LabelText: return "LabelText";
    case ObjectKind::Segment16: return "Segment16";
  }
  return "?";
}

}  // namespace quelmar::data
