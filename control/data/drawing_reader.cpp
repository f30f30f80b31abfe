#include "control/data/drawing_reader.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "control/core/errors.h"
#include "control/core/rounding.h"
#include "control/data/drawing_input.h"
#include "control/data/drawing_opcodes.h"
#include "control/data/feature_code.h"

namespace quelmar::data {
namespace {

std::int32_t WrappingDifference(std::int32_t high, std::int32_t low) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(high) - static_cast<std::uint32_t>(low));
}

std::int32_t LittleEndian32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

// Loose files may carry their names in lower case.
bool IsStreetQuad(const std::string& registryName) {
  return !registryName.empty() && (registryName[0] == 'Y' || registryName[0] == 'y');
}

// Polylines over these limits are skipped whole.
bool OverSizeLimit(ObjectKind kind, std::int32_t count) {
  switch (kind) {
    case ObjectKind::Polyline12: return count * 8 >= 16001;
    case ObjectKind::Polyline13: return count * 4 >= 13201;
    case ObjectKind::Polyline14: return count > 3300;
    default: return count * 2 >= 6601;
  }
}

[[noreturn]] void ThrowInvalidOpcode(std::uint8_t opcode, std::uint64_t offset) {
  static const char* const kHex = "0123456789ABCDEF";
  throw DataError(std::string("invalid drawing record opcode 0x") + kHex[opcode >> 4] + kHex[opcode & 15] +
                  " at byte " + std::to_string(offset));
}

class Reader {
 public:
  Reader(ByteSource& source, Drawing& drawing, const ReadDrawingOptions& options)
      : in_(source), drawing_(drawing), file_(drawing.File()), options_(options), routes_(options.RouteNames) {}

  std::int32_t Run() {
    file_ = {};
    sectionBase_ = drawing_.Count();
    file_.Marker = in_.I16();
    file_.StoredVersion = in_.I16();
    file_.DataVersion = file_.Marker == 0 && file_.StoredVersion > 0 ? file_.StoredVersion : 0;
    if (RefusedVersion()) {
      file_.Refused = true;
      return 0;
    }
    try {
      while (ReadRecord()) {
      }
    } catch (...) {
      Finish();  // labels collected before the failure are kept like the objects
      throw;
    }
    Finish();
    return file_.Records;
  }

 private:
  bool RefusedVersion() const {
    if (!IsStreetQuad(options_.RegistryName)) return false;
    return core::CheckedRound(file_.DataVersion / 100) == 4 && file_.DataVersion != options_.ExpectedStreetVersion;
  }

  void Finish() {
    if (options_.CollectRouteLabels) routes_.AppendLabels(drawing_);
  }

  // Reads and applies one record; false when reading stops after it.
  bool ReadRecord() {
    record_ = {};
    record_.Offset = in_.Offset();
    record_.Opcode = in_.U8();
    const bool goOn = Apply(record_.Opcode);
    ++file_.Records;
    if (options_.OnRecord) {
      record_.FeatureCode = featureCode_;
      record_.BlockTag = blockTag_;
      record_.SectionBase = sectionBase_;
      record_.Scaled = scaled_;
      record_.RelativeBase = base_;
      options_.OnRecord(record_);
    }
    return goOn;
  }

  bool Apply(std::uint8_t op) {
    switch (op) {
      case opcode::kSectionHeader: SectionHeader(); return true;
      case opcode::kEnd: return false;
      case opcode::kHeader: Header(); return true;
      case opcode::kExtents: Extents(); return true;
      case opcode::kFeatureCode: featureCode_ = in_.U8(); return true;
      case opcode::kNameString: Store(ObjectKind::NameString, featureCode_, NameString{in_.PString()}); return true;
      case opcode::kNameRef: NameReference(in_.I32()); return true;
      case opcode::kBlock: Block(); return true;
      case opcode::kIndexList: Index(); return true;
      case opcode::kGroupMark: Group(); return true;
      case opcode::kShortNameRef: NameReference(in_.U16()); return true;
      case opcode::kNop: return true;
      case opcode::kRelativeLabel: Label(RelPoint()); return true;
      case opcode::kPlace: Place(); return true;
      case opcode::kAbsoluteLabel:
      case opcode::kAbsoluteLabelAlt: Label(in_.AbsPoint()); return true;
      default: break;
    }
    if (op >= opcode::kFirstInvalid && op <= opcode::kLastInvalid) ThrowInvalidOpcode(op, record_.Offset);
    switch (op & opcode::kFamilyBits) {
      case opcode::kInertFamily: Inert(op); return true;
      case opcode::kSegment16Family: Segment16(op); return true;
      case opcode::kSegmentFamily: ShortSegment(op); return true;
      default: return PolylineRecord(op);
    }
  }

  bool Store(ObjectKind kind, std::uint8_t code, ObjectBody body) {
    if (!drawing_.Append({kind, code, std::move(body)})) return false;
    record_.FirstObject = drawing_.Count();
    record_.Objects = 1;
    return true;
  }

  const DrawObject& Stored() const { return *drawing_.ObjectAt(drawing_.Count()); }

  TMapPoint RelPoint() {
    const std::int16_t dx = in_.I16();
    const std::int16_t dy = in_.I16();
    return {base_.X + dx, base_.Y + dy};
  }

  TMapPoint Point(bool absolute) { return absolute ? in_.AbsPoint() : RelPoint(); }

  Attributes ReadAttributes(std::uint8_t op) {
    Attributes a;
    switch (op & opcode::kAttributeBits) {
      case opcode::kShortAttributes: {
        a.Low = in_.I16();
        const std::int32_t high = in_.I16();
        a.Index = in_.U8();
        a.Span = high - a.Low;
        break;
      }
      case opcode::kLongAttributes: {
        a.Low = in_.I32();
        const std::int32_t high = in_.I32();
        a.Index = in_.U8();
        a.Span = WrappingDifference(high, a.Low);
        break;
      }
      case opcode::kPackedAttributes: {
        a.Low = in_.I16();
        a.Span = in_.U8() - 127;
        a.Index = in_.U8();
        break;
      }
      default: break;
    }
    return a;
  }

  void SectionHeader() {
    record_.Tag = in_.U8();
    in_.Read(record_.TagBytes);
    switch (record_.Tag) {
      case 'M':
      case 'S':
      case 'C': blockTag_ = LittleEndian32(record_.TagBytes.data() + 4); break;
      case 'T': sectionBase_ = drawing_.Count(); break;
      default: break;
    }
  }

  void Header() {
    DrawingHeader header;
    header.First = in_.S24();
    header.Second = in_.S24();
    in_.Read(header.Real);
    header.Scaled = in_.I16();
    header.Word1 = in_.I16();
    header.Word2 = in_.I16();
    for (std::int32_t& value : header.Box) value = in_.S24();
    scaled_ = header.Scaled == 1;
    file_.Header = header;
  }

  void Extents() {
    const std::int32_t westX1 = in_.S24();
    const std::int32_t westX2 = in_.S24();
    const std::int32_t y1 = in_.S24();
    const std::int32_t y2 = in_.S24();
    DrawingExtents e{-westX1, -westX2, y1, y2};
    base_ = {e.X1, e.Y1};  // taken before the swap
    if (e.X2 < e.X1) std::swap(e.X1, e.X2);
    record_.RecordExtents = e;
    if (!file_.FirstExtents) file_.FirstExtents = e;
    if (!file_.Extents) {
      file_.Extents = e;
    } else {
      DrawingExtents& u = *file_.Extents;
      u = {std::min(u.X1, e.X1), std::max(u.X2, e.X2), std::min(u.Y1, e.Y1), std::max(u.Y2, e.Y2)};
    }
    sectionBase_ = drawing_.Count();
  }

  void NameReference(std::int64_t n) {
    const std::int64_t number = std::int64_t{sectionBase_} + n;
    using Limits = std::numeric_limits<std::int32_t>;
    const bool fits = number >= Limits::min() && number <= Limits::max();
    const std::int32_t object = fits ? static_cast<std::int32_t>(number) : 0;  // 0: names nothing
    if (Store(ObjectKind::NameRef, featureCode_, NameRef{object}) && options_.CollectRouteLabels) {
      routes_.OnNameRef(drawing_.NameAt(object));
    }
  }

  void Block() {
    const std::uint8_t style = in_.U8();
    BlockObject block;
    block.A = in_.I32();
    block.B = in_.I32();
    block.C = in_.I32();
    block.D = in_.I32();
    block.Count = in_.I32();
    block.BlockTag = blockTag_;
    record_.Count = block.Count;
    if (block.A != 0 && block.B != 0 && block.C != 0 && block.D != 0 && block.Count > 1) {
      Store(ObjectKind::BlockObject, style, block);
    } else if (block.Count > 0) {
      Group();
    }
  }

  void Group() {
    if (Store(ObjectKind::GroupMark, featureCode_, GroupMark{})) routes_.OnGroupMark();
  }

  void Index() {
    const std::int16_t n = in_.I16();
    record_.Count = n;
    if (n < 0) throw DataError("an index list of negative length at byte " + std::to_string(record_.Offset));
    if (static_cast<std::size_t>(n) > kMaxIndexListEntries) {
      in_.Skip(4 * static_cast<std::uint64_t>(n));
      record_.Skipped = true;
      return;
    }
    IndexList list;
    list.Values.resize(static_cast<std::size_t>(n));
    for (std::int32_t& value : list.Values) value = in_.I32();
    Store(ObjectKind::IndexList, featureCode_, std::move(list));
  }

  void Label(TMapPoint point) {
    std::string text = in_.PString();
    if (text.empty()) return;
    if (text.size() > kMaxLabelTextLength) text.resize(kMaxLabelTextLength);
    Store(ObjectKind::LabelText, featureCode_, LabelText{0, point, std::move(text)});
  }

  void Place() {
    PlaceObject place;
    place.Point = in_.AbsPoint();
    place.County = in_.S24();
    place.Population = in_.S24();
    place.Elevation = in_.I16();
    place.Name = in_.PString();
    if (place.Name.empty()) return;
    if (place.Name.size() > kMaxPlaceNameLength) place.Name.resize(kMaxPlaceNameLength);
    Store(ObjectKind::PlaceObject, featureCode_, std::move(place));
  }

  void Inert(std::uint8_t op) {
    Segment segment;
    segment.Attr = ReadAttributes(op);
    segment.Start = Point(opcode::HasAbsolutePoint(op));
    segment.Dx = in_.I32();
    segment.Dy = in_.I32();
    Store(ObjectKind::Inert, featureCode_, segment);
  }

  void Segment16(std::uint8_t op) {
    Segment segment;
    segment.Attr = ReadAttributes(op);
    segment.Start = Point(opcode::HasAbsolutePoint(op));
    segment.Dx = in_.I16();
    segment.Dy = in_.I16();
    Store(ObjectKind::Segment16, featureCode_, segment);
  }

  void ShortSegment(std::uint8_t op) {
    Segment segment;
    segment.Attr = ReadAttributes(op);
    segment.Start = Point(opcode::HasAbsolutePoint(op));
    segment.Dx = in_.U8() - 127;
    segment.Dy = in_.U8() - 127;
    const bool attributed = (op & opcode::kAttributeBits) != opcode::kNoAttributes;
    if (Store(attributed ? ObjectKind::Segment : ObjectKind::SegmentNoAttributes, featureCode_, segment) &&
        options_.CollectRouteLabels) {
      routes_.OnLine(Stored());
    }
  }

  bool PolylineRecord(std::uint8_t op) {
    const int low = op & opcode::kPolylineKindBits;
    if (low < opcode::kFirstPolylineKind) ThrowInvalidOpcode(op, record_.Offset);
    const auto kind = static_cast<ObjectKind>(low);
    Polyline line;
    line.Attr = ReadAttributes(op);
    line.Start = Point(opcode::HasAbsolutePoint(op));
    line.Count = in_.I16();
    line.Scaled = scaled_;
    record_.Count = line.Count;
    if (line.Count < 0) throw DataError("a polyline with a negative count at byte " + std::to_string(record_.Offset));
    const std::uint64_t stepBytes = static_cast<std::uint64_t>(line.Count) * PolylineStepSize(kind);
    if (OverSizeLimit(kind, line.Count)) {
      in_.Skip(stepBytes);
      record_.Skipped = true;
      return true;
    }
    line.Steps.resize(static_cast<std::size_t>(stepBytes));
    in_.Read(line.Steps);
    const std::uint8_t code = options_.CollectRouteLabels ? routes_.PolylineCode(featureCode_) : featureCode_;
    if (!Store(kind, code, std::move(line))) {
      file_.LoadError = kLoadOutOfMemory;
      return false;
    }
    if (options_.CollectRouteLabels) routes_.OnLine(Stored());
    return true;
  }

  DrawingInput in_;
  Drawing& drawing_;
  DrawingFile& file_;
  const ReadDrawingOptions& options_;
  RouteLabelCollector routes_;
  DrawingRecord record_;
  std::uint8_t featureCode_ = kDefaultFeatureCode;
  std::int32_t blockTag_ = 0;
  bool scaled_ = false;
  std::int32_t sectionBase_ = 0;
  TMapPoint base_;
};

}  // namespace

std::int32_t ReadDrawing(ByteSource& source, Drawing& drawing, const ReadDrawingOptions& options) {
  return Reader(source, drawing, options).Run();
}

}  // namespace quelmar::data
