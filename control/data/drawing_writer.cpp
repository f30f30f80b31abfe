#include "control/data/drawing_writer.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quelmar::data {
namespace {

[[noreturn]] void Refuse(const char* what, std::int64_t value) {
  throw std::invalid_argument(std::string("drawing writer: ") + what + " " + std::to_string(value) +
                              " does not fit its field");
}

std::int64_t Check(const char* what, std::int64_t value, std::int64_t min, std::int64_t max) {
  if (value < min || value > max) Refuse(what, value);
  return value;
}

std::int32_t WrappingSum(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::uint8_t FamilyOpcode(std::uint8_t family, AttributeCoding coding, PointCoding point) {
  return opcode::FamilyOpcode(family, static_cast<std::uint8_t>(coding), point == PointCoding::Absolute);
}

bool IsPolylineKind(ObjectKind kind) {
  return kind == ObjectKind::Polyline12 || kind == ObjectKind::Polyline13 || kind == ObjectKind::Polyline14 ||
         kind == ObjectKind::Polyline15;
}

}  // namespace

// One record's bytes, checked field by field as they are added.
class DrawingWriter::Record {
 public:
  Record() = default;
  explicit Record(std::uint8_t opcode) { bytes_.push_back(opcode); }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

  void U8(const char* what, std::int64_t v) { bytes_.push_back(static_cast<std::uint8_t>(Check(what, v, 0, 255))); }
  void I16(const char* what, std::int64_t v) { Little(Check(what, v, INT16_MIN, INT16_MAX), 2); }
  void U16(const char* what, std::int64_t v) { Little(Check(what, v, 0, UINT16_MAX), 2); }
  void I32(std::int32_t v) { Little(v, 4); }
  void S24(const char* what, std::int64_t v) { Little(Check(what, v, -0x800000, 0x7FFFFF), 3); }
  void Raw(std::span<const std::uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
  void PString(const char* what, std::string_view text) {
    U8(what, static_cast<std::int64_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
  }

  void AbsPoint(TMapPoint p) {
    S24("absolute x", -std::int64_t{p.X});
    S24("absolute y", p.Y);
  }
  void RelPoint(TMapPoint p, TMapPoint base) {
    I16("relative x offset", std::int64_t{p.X} - base.X);
    I16("relative y offset", std::int64_t{p.Y} - base.Y);
  }
  void Point(PointCoding coding, TMapPoint p, TMapPoint base) {
    if (coding == PointCoding::Absolute) {
      AbsPoint(p);
    } else {
      RelPoint(p, base);
    }
  }

  void Attr(AttributeCoding coding, const Attributes& a) {
    const std::int32_t high = WrappingSum(a.Low, a.Span);
    switch (coding) {
      case AttributeCoding::None:
        if (a != Attributes{}) Refuse("attributes without an attribute coding, low", a.Low);
        return;
      case AttributeCoding::Short:
        I16("attribute low", a.Low);
        I16("attribute high", std::int64_t{a.Low} + a.Span);
        break;
      case AttributeCoding::Long:
        I32(a.Low);
        I32(high);
        break;
      case AttributeCoding::Packed:
        I16("attribute low", a.Low);
        U8("attribute span", std::int64_t{a.Span} + 127);
        break;
    }
    U8("attribute index", a.Index);
  }

 private:
  void Little(std::int64_t v, int bytes) {
    const auto u = static_cast<std::uint64_t>(v);
    for (int i = 0; i < bytes; ++i) bytes_.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
  }

  std::vector<std::uint8_t> bytes_;
};

DrawingWriter::DrawingWriter(std::int16_t version, std::int16_t marker) {
  Record prologue;
  prologue.I16("marker", marker);
  prologue.I16("version", version);
  bytes_ = prologue.Bytes();
}

void DrawingWriter::Append(const Record& record, std::int32_t objectsCreated) {
  bytes_.insert(bytes_.end(), record.Bytes().begin(), record.Bytes().end());
  objects_ += objectsCreated;
}

bool DrawingWriter::PolylineFits(ObjectKind kind, std::int32_t count) {
  switch (kind) {
    case ObjectKind::Polyline12: return count >= 0 && count * 8 < 16001;
    case ObjectKind::Polyline13: return count >= 0 && count * 4 < 13201;
    case ObjectKind::Polyline14: return count >= 0 && count <= 3300;
    case ObjectKind::Polyline15: return count >= 0 && count * 2 < 6601;
    default: return false;
  }
}

void DrawingWriter::SectionHeader(std::uint8_t tag, std::int32_t first, std::int32_t last) {
  Record r(opcode::kSectionHeader);
  r.U8("tag", tag);
  r.I32(first);
  r.I32(last);
  Append(r, 0);
  if (tag == 'T') sectionBase_ = objects_;
}

void DrawingWriter::End() { Append(Record(opcode::kEnd), 0); }

void DrawingWriter::Header(const DrawingHeader& header) {
  Record r(opcode::kHeader);
  r.S24("header first", header.First);
  r.S24("header second", header.Second);
  r.Raw(header.Real);
  r.I16("scaled", header.Scaled);
  r.I16("header word", header.Word1);
  r.I16("header word", header.Word2);
  for (std::int32_t value : header.Box) r.S24("header box", value);
  Append(r, 0);
  scaled_ = header.Scaled == 1;
}

void DrawingWriter::Extents(std::int32_t x1, std::int32_t x2, std::int32_t y1, std::int32_t y2) {
  Record r(opcode::kExtents);
  r.S24("extents x1", -std::int64_t{x1});
  r.S24("extents x2", -std::int64_t{x2});
  r.S24("extents y1", y1);
  r.S24("extents y2", y2);
  Append(r, 0);
  base_ = {x1, y1};
  sectionBase_ = objects_;
}

void DrawingWriter::FeatureCode(std::uint8_t code) {
  Record r(opcode::kFeatureCode);
  r.U8("feature code", code);
  Append(r, 0);
}

void DrawingWriter::NameString(std::string_view packed) {
  Record r(opcode::kNameString);
  r.PString("name length", packed);
  Append(r, 1);
}

void DrawingWriter::NameRef(std::int32_t n) {
  Record r(opcode::kNameRef);
  r.I32(n);
  Append(r, 1);
}

void DrawingWriter::ShortNameRef(std::uint16_t n) {
  Record r(opcode::kShortNameRef);
  r.U16("name reference", n);
  Append(r, 1);
}

void DrawingWriter::Block(std::uint8_t style, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d,
                          std::int32_t count) {
  Record r(opcode::kBlock);
  r.U8("style", style);
  for (std::int32_t v : {a, b, c, d, count}) r.I32(v);
  const bool block = a != 0 && b != 0 && c != 0 && d != 0 && count > 1;
  Append(r, block || count > 0 ? 1 : 0);
}

void DrawingWriter::IndexList(std::span<const std::int32_t> values) {
  Record r(opcode::kIndexList);
  r.I16("index list length", static_cast<std::int64_t>(values.size()));
  for (std::int32_t v : values) r.I32(v);
  Append(r, values.size() <= kMaxIndexListEntries ? 1 : 0);
}

void DrawingWriter::GroupMark() { Append(Record(opcode::kGroupMark), 1); }

void DrawingWriter::Nop() { Append(Record(opcode::kNop), 0); }

void DrawingWriter::Label(std::uint8_t op, TMapPoint point, std::string_view text) {
  const bool relative = op == opcode::kRelativeLabel;
  if (!relative && op != opcode::kAbsoluteLabel && op != opcode::kAbsoluteLabelAlt) Refuse("label opcode", op);
  Record r(op);
  r.Point(relative ? PointCoding::Relative : PointCoding::Absolute, point, base_);
  r.PString("label length", text);
  Append(r, text.empty() ? 0 : 1);
}

void DrawingWriter::Place(const PlaceObject& place) {
  Record r(opcode::kPlace);
  r.AbsPoint(place.Point);
  r.S24("county", place.County);
  r.S24("population", place.Population);
  r.I16("elevation", place.Elevation);
  r.PString("place name length", place.Name);
  Append(r, place.Name.empty() ? 0 : 1);
}

void DrawingWriter::Inert(AttributeCoding coding, PointCoding point, const data::Segment& segment) {
  Record r(FamilyOpcode(opcode::kInertFamily, coding, point));
  r.Attr(coding, segment.Attr);
  r.Point(point, segment.Start, base_);
  r.I32(segment.Dx);
  r.I32(segment.Dy);
  Append(r, 1);
}

void DrawingWriter::Segment16(AttributeCoding coding, PointCoding point, const data::Segment& segment) {
  Record r(FamilyOpcode(opcode::kSegment16Family, coding, point));
  r.Attr(coding, segment.Attr);
  r.Point(point, segment.Start, base_);
  r.I16("segment dx", segment.Dx);
  r.I16("segment dy", segment.Dy);
  Append(r, 1);
}

void DrawingWriter::Segment(AttributeCoding coding, PointCoding point, const data::Segment& segment) {
  Record r(FamilyOpcode(opcode::kSegmentFamily, coding, point));
  r.Attr(coding, segment.Attr);
  r.Point(point, segment.Start, base_);
  r.U8("segment dx", std::int64_t{segment.Dx} + 127);
  r.U8("segment dy", std::int64_t{segment.Dy} + 127);
  Append(r, 1);
}

void DrawingWriter::Polyline(ObjectKind kind, AttributeCoding coding, PointCoding point, const Attributes& attributes,
                             TMapPoint start, std::span<const TMapPoint> vertices) {
  if (!IsPolylineKind(kind)) Refuse("polyline kind", static_cast<std::int64_t>(kind));
  // Steps in file units.
  std::vector<std::int64_t> dx;
  std::vector<std::int64_t> dy;
  TMapPoint previous = start;
  const std::int64_t unit = scaled_ ? kScaledStep : 1;
  for (const TMapPoint& v : vertices) {
    const std::int64_t x = std::int64_t{v.X} - previous.X;
    const std::int64_t y = std::int64_t{v.Y} - previous.Y;
    if (x % unit != 0) Refuse("scaled polyline step x (not a multiple of 32)", x);
    if (y % unit != 0) Refuse("scaled polyline step y (not a multiple of 32)", y);
    dx.push_back(x / unit);
    dy.push_back(y / unit);
    previous = v;
  }

  Record steps;  // the step bytes alone
  switch (kind) {
    case ObjectKind::Polyline12:
      for (std::size_t i = 0; i < dx.size(); ++i) {
        steps.I32(static_cast<std::int32_t>(Check("polyline step x", dx[i], INT32_MIN, INT32_MAX)));
        steps.I32(static_cast<std::int32_t>(Check("polyline step y", dy[i], INT32_MIN, INT32_MAX)));
      }
      break;
    case ObjectKind::Polyline13:
      for (std::size_t i = 0; i < dx.size(); ++i) {
        steps.I16("polyline step x", dx[i]);
        steps.I16("polyline step y", dy[i]);
      }
      break;
    case ObjectKind::Polyline14:
      for (std::size_t i = 0; i < dx.size(); ++i) {
        steps.U8("polyline step x", dx[i] + 127);
        steps.U8("polyline step y", dy[i] + 127);
      }
      break;
    default: {
      // Kind 15: step = byte + bias - 127; pick the bias nearest 127 that lets every step fit.
      auto bias = [](const std::vector<std::int64_t>& d, const char* what) {
        if (d.empty()) return std::int64_t{127};
        const auto [min, max] = std::minmax_element(d.begin(), d.end());
        const std::int64_t low = std::max<std::int64_t>(*max - 128, 0);
        const std::int64_t high = std::min<std::int64_t>(*min + 127, 255);
        if (low > high) Refuse(what, *max - *min);
        return std::clamp<std::int64_t>(127, low, high);
      };
      const std::int64_t biasX = bias(dx, "kind-15 polyline x step range");
      const std::int64_t biasY = bias(dy, "kind-15 polyline y step range");
      steps.U8("bias", biasX);
      steps.U8("bias", biasY);
      for (std::size_t i = 0; i < dx.size(); ++i) {
        steps.U8("polyline step x", dx[i] - biasX + 127);
        steps.U8("polyline step y", dy[i] - biasY + 127);
      }
      break;
    }
  }

  data::Polyline line;
  line.Count = static_cast<std::int16_t>(
      Check("polyline count", static_cast<std::int64_t>(dx.size()) + (kind == ObjectKind::Polyline15 ? 1 : 0), 0,
            INT16_MAX));
  line.Attr = attributes;
  line.Start = start;
  line.Steps = steps.Bytes();
  Polyline(kind, coding, point, line);
}

void DrawingWriter::Polyline(ObjectKind kind, AttributeCoding coding, PointCoding point, const data::Polyline& line) {
  if (!IsPolylineKind(kind)) Refuse("polyline kind", static_cast<std::int64_t>(kind));
  if (line.Count < 0 || line.Steps.size() != static_cast<std::size_t>(line.Count) * PolylineStepSize(kind)) {
    Refuse("polyline step bytes", static_cast<std::int64_t>(line.Steps.size()));
  }
  Record r(FamilyOpcode(static_cast<std::uint8_t>(opcode::kPolylineFamily | static_cast<std::uint8_t>(kind)), coding,
                        point));
  r.Attr(coding, line.Attr);
  r.Point(point, line.Start, base_);
  r.I16("polyline count", line.Count);
  r.Raw(line.Steps);
  Append(r, PolylineFits(kind, line.Count) ? 1 : 0);
}

void DrawingWriter::Raw(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

}  // namespace quelmar::data
