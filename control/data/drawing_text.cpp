#include "control/data/drawing_text.h"

#include <cstdio>

#include "control/data/drawing_opcodes.h"

namespace quelmar::data {
namespace {

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

std::string Range(const Attributes& a) {
  const AddressRange range = RangeOf(a);
  return " range " + std::to_string(range.Low) + ".." + std::to_string(range.High) + " (low " +
         std::to_string(a.Low) + " span " + std::to_string(a.Span) + ") index " + std::to_string(a.Index);
}

std::string RecordName(std::uint8_t op) {
  switch (op) {
    case opcode::kSectionHeader: return "section header";
    case opcode::kEnd: return "end";
    case opcode::kHeader: return "drawing header";
    case opcode::kExtents: return "extents";
    case opcode::kFeatureCode: return "feature code";
    case opcode::kNameString: return "name string";
    case opcode::kNameRef:
    case opcode::kShortNameRef: return "name reference";
    case opcode::kBlock: return "block";
    case opcode::kIndexList: return "index list";
    case opcode::kGroupMark: return "group mark";
    case opcode::kNop: return "no operation";
    case opcode::kRelativeLabel:
    case opcode::kAbsoluteLabel:
    case opcode::kAbsoluteLabelAlt: return "label";
    case opcode::kPlace: return "place";
    default: break;
  }
  switch (op & opcode::kFamilyBits) {
    case opcode::kInertFamily: return "inert";
    case opcode::kSegment16Family: return "segment16";
    case opcode::kSegmentFamily: return "segment";
    default: return "polyline kind " + std::to_string(op & opcode::kPolylineKindBits);
  }
}

}  // namespace

std::string QuotedText(std::string_view bytes) {
  std::string text = "\"";
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (b >= 0x20 && b < 0x7F) {
      text += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
      text += escaped;
    }
  }
  return text + "\"";
}

std::string DescribePoint(TMapPoint point) {
  char text[96];
  std::snprintf(text, sizeof text, "(%.6f, %.6f) [%d, %d]", core::UnitsToDegrees(point.X),
                core::UnitsToDegrees(point.Y), point.X, point.Y);
  return text;
}

std::string DescribeObject(std::int32_t number, const DrawObject& object) {
  std::string text = "#" + std::to_string(number) + " " + ObjectKindName(object.Kind);
  if (object.IsPolyline()) text += std::to_string(static_cast<int>(object.Kind));
  text += (object.Kind == ObjectKind::BlockObject ? " style " : " code ") + std::to_string(object.Code);

  if (const Segment* s = object.As<Segment>()) {
    text += " from " + DescribePoint(s->Start) + " by [" + std::to_string(s->Dx) + ", " + std::to_string(s->Dy) + "]";
    if (object.Kind != ObjectKind::SegmentNoAttributes) text += Range(s->Attr);
  } else if (const PlaceObject* p = object.As<PlaceObject>()) {
    text += " at " + DescribePoint(p->Point) + " county " + std::to_string(p->County) + " population " +
            std::to_string(p->Population < 0 ? -static_cast<std::int64_t>(p->Population) : p->Population) +
            (p->Population < 0 ? " (state capital)" : "") + " elevation " + std::to_string(p->Elevation) + " " +
            QuotedText(p->Name);
  } else if (const NameString* n = object.As<NameString>()) {
    text += " " + QuotedText(n->Packed);
  } else if (const NameRef* r = object.As<NameRef>()) {
    text += " -> #" + std::to_string(r->Object);
  } else if (const BlockObject* b = object.As<BlockObject>()) {
    text += " count " + std::to_string(b->Count) + " tag " + std::to_string(b->BlockTag) + " values " +
            std::to_string(b->A) + " " + std::to_string(b->B) + " " + std::to_string(b->C) + " " + std::to_string(b->D);
  } else if (const IndexList* l = object.As<IndexList>()) {
    text += " [";
    for (std::size_t i = 0; i < l->Values.size(); ++i) text += (i > 0 ? ", " : "") + std::to_string(l->Values[i]);
    text += "]";
  } else if (const Polyline* p = object.As<Polyline>()) {
    const std::vector<TMapPoint> points = PolylinePoints(object);
    text += std::string(p->Scaled ? " scaled" : "") + " count " + std::to_string(p->Count) + " points " +
            std::to_string(points.size()) + " from " + DescribePoint(p->Start);
    if (!points.empty()) text += " to " + DescribePoint(points.back());
    text += Range(p->Attr);
  } else if (const LabelText* l = object.As<LabelText>()) {
    if (l->RouteLayer != 0) text += " route layer " + std::to_string(l->RouteLayer);
    text += " at " + DescribePoint(l->Point) + " " + QuotedText(l->Text);
  }
  return text;
}

std::string DescribeRecord(const DrawingRecord& record, const Drawing& drawing) {
  std::string text =
      "@" + std::to_string(record.Offset) + " " + Hex(record.Opcode, 2) + " " + RecordName(record.Opcode);
  switch (record.Opcode) {
    case opcode::kSectionHeader: {
      const char tag = static_cast<char>(record.Tag);
      text += " tag " + QuotedText(std::string_view(&tag, 1)) + " bytes";
      for (std::uint8_t b : record.TagBytes) text += " " + Hex(b, 2);
      text += " block tag " + std::to_string(record.BlockTag) + " section base " + std::to_string(record.SectionBase);
      break;
    }
    case opcode::kHeader:
      if (const auto& h = drawing.File().Header) {
        text += " scaled " + std::to_string(h->Scaled) + " values " + std::to_string(h->First) + " " +
                std::to_string(h->Second) + " " + std::to_string(h->Word1) + " " + std::to_string(h->Word2) + " box";
        for (std::int32_t v : h->Box) text += " " + std::to_string(v);
      }
      break;
    case opcode::kExtents: {
      const DrawingExtents& e = record.RecordExtents;
      text += " from " + DescribePoint({e.X1, e.Y1}) + " to " + DescribePoint({e.X2, e.Y2}) + " base " +
              DescribePoint(record.RelativeBase) + " section base " + std::to_string(record.SectionBase);
      break;
    }
    case opcode::kFeatureCode: text += " " + std::to_string(record.FeatureCode); break;
    default: break;
  }
  if (record.Skipped) text += " skipped (count " + std::to_string(record.Count) + ")";
  if (record.Objects == 0 && !record.Skipped && record.Opcode >= opcode::kNameString && record.Opcode != opcode::kNop) {
    text += " creates nothing";
  }
  return text;
}

}  // namespace quelmar::data
