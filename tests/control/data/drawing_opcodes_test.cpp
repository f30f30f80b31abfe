// The opcode table: the writer puts each record kind under the opcode the
// table gives, the reader decodes that opcode into the same record, and the
// dump names it; the table's coding rules invert each other.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "control/data/drawing_opcodes.h"
#include "control/data/drawing_reader.h"
#include "control/data/drawing_test_support.h"
#include "control/data/drawing_text.h"
#include "control/data/drawing_writer.h"

namespace quelmar::data {
namespace {

using testing::Finished;
using testing::kBase;
using testing::StartedWriter;

constexpr Attributes kAttr{100, 98, 2};

struct OpcodeCase {
  std::string name;
  std::function<void(DrawingWriter&)> write;
  std::uint8_t opcode;
  std::string dumpName;              // what the dump calls the record
  std::vector<DrawObject> expected;  // what the record appends after the fixture's start
};

// Writes the case's one record after the fixture's start, reads the file back
// and checks the byte written, the record read and the objects it made.
void CheckThroughTable(const OpcodeCase& c) {
  SCOPED_TRACE(c.name);
  DrawingWriter writer = StartedWriter();
  const std::size_t at = writer.Bytes().size();
  c.write(writer);
  const std::vector<std::uint8_t> bytes = Finished(writer);
  ASSERT_LT(at, bytes.size());
  EXPECT_EQ(bytes[at], c.opcode) << "the writer's opcode";

  std::optional<DrawingRecord> read;
  ReadDrawingOptions options;
  options.OnRecord = [&](const DrawingRecord& record) {
    if (record.Offset == at) read = record;
  };
  const Drawing drawing = testing::Read(bytes, options);
  ASSERT_TRUE(read) << "no record read at byte " << at;
  EXPECT_EQ(read->Opcode, c.opcode);
  EXPECT_EQ(drawing.Objects(), c.expected);
  EXPECT_EQ(drawing.File().Records, 4) << "extents, feature code, the record, end";
  EXPECT_NE(DescribeRecord(*read, drawing).find(" " + c.dumpName), std::string::npos) << DescribeRecord(*read, drawing);
}

TEST(DrawingOpcodes, RecordsOfOneOpcodeRoundTripThroughTheTable) {
  const std::vector<OpcodeCase> cases = {
      {"section header", [](auto& w) { w.SectionHeader('T', 1, 2); }, opcode::kSectionHeader, "section header", {}},
      {"drawing header", [](auto& w) { w.Header({}); }, opcode::kHeader, "drawing header", {}},
      {"extents", [](auto& w) { w.Extents(kBase.X, kBase.X + 10, kBase.Y, kBase.Y + 10); }, opcode::kExtents,
       "extents", {}},
      {"feature code", [](auto& w) { w.FeatureCode(41); }, opcode::kFeatureCode, "feature code", {}},
      {"name string", [](auto& w) { w.NameString("MAIN"); }, opcode::kNameString, "name string",
       {{ObjectKind::NameString, 41, NameString{"MAIN"}}}},
      {"name reference", [](auto& w) { w.NameRef(-7); }, opcode::kNameRef, "name reference",
       {{ObjectKind::NameRef, 41, NameRef{-7}}}},
      {"short name reference", [](auto& w) { w.ShortNameRef(9); }, opcode::kShortNameRef, "name reference",
       {{ObjectKind::NameRef, 41, NameRef{9}}}},
      {"block", [](auto& w) { w.Block(6, 1, -2, 3, -4, 2); }, opcode::kBlock, "block",
       {{ObjectKind::BlockObject, 6, BlockObject{2, 0, 1, -2, 3, -4}}}},
      {"index list", [](auto& w) { w.IndexList(std::vector<std::int32_t>{5, -1}); }, opcode::kIndexList, "index list",
       {{ObjectKind::IndexList, 41, IndexList{{5, -1}}}}},
      {"group mark", [](auto& w) { w.GroupMark(); }, opcode::kGroupMark, "group mark",
       {{ObjectKind::GroupMark, 41, GroupMark{}}}},
      {"no operation", [](auto& w) { w.Nop(); }, opcode::kNop, "no operation", {}},
      {"relative label", [](auto& w) { w.Label(opcode::kRelativeLabel, {kBase.X + 3, kBase.Y - 4}, "OAK"); },
       opcode::kRelativeLabel, "label", {{ObjectKind::LabelText, 41, LabelText{0, {kBase.X + 3, kBase.Y - 4}, "OAK"}}}},
      {"absolute label", [](auto& w) { w.Label(opcode::kAbsoluteLabel, {-8388607, 5}, "IL"); }, opcode::kAbsoluteLabel,
       "label", {{ObjectKind::LabelText, 41, LabelText{0, {-8388607, 5}, "IL"}}}},
      {"second absolute label", [](auto& w) { w.Label(opcode::kAbsoluteLabelAlt, {7, -8}, "LAKE"); },
       opcode::kAbsoluteLabelAlt, "label", {{ObjectKind::LabelText, 41, LabelText{0, {7, -8}, "LAKE"}}}},
      {"place", [](auto& w) { w.Place({17031, 2800000, kBase, 594, "CHICAGO"}); }, opcode::kPlace, "place",
       {{ObjectKind::PlaceObject, 41, PlaceObject{17031, 2800000, kBase, 594, "CHICAGO"}}}},
  };
  for (const OpcodeCase& c : cases) CheckThroughTable(c);
}

TEST(DrawingOpcodes, EndRecordIsTheLastRecordRead) {
  std::vector<DrawingRecord> records;
  ReadDrawingOptions options;
  options.OnRecord = [&](const DrawingRecord& record) { records.push_back(record); };
  const std::vector<std::uint8_t> bytes = Finished(StartedWriter());
  const Drawing drawing = testing::Read(bytes, options);
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(bytes.back(), opcode::kEnd);
  EXPECT_EQ(records.back().Opcode, opcode::kEnd);
  EXPECT_NE(DescribeRecord(records.back(), drawing).find(" end"), std::string::npos);
}

// Every family record in every attribute and point coding: the writer's
// opcode is FamilyOpcode's, and the reader takes the point where it was put.
TEST(DrawingOpcodes, FamilyRecordsRoundTripInEveryCoding) {
  const AttributeCoding codings[] = {AttributeCoding::None, AttributeCoding::Short, AttributeCoding::Long,
                                     AttributeCoding::Packed};
  const ObjectKind polylineKinds[] = {ObjectKind::Polyline12, ObjectKind::Polyline13, ObjectKind::Polyline14,
                                      ObjectKind::Polyline15};
  std::vector<OpcodeCase> cases;
  for (const AttributeCoding coding : codings) {
    const auto bits = static_cast<std::uint8_t>(coding);
    const Attributes attr = coding == AttributeCoding::None ? Attributes{} : kAttr;
    for (const PointCoding point : {PointCoding::Absolute, PointCoding::Relative}) {
      const bool absolute = point == PointCoding::Absolute;
      const std::string coded = " coding " + std::to_string(bits) + (absolute ? " absolute" : " relative");
      const Segment segment{{kBase.X + 500, kBase.Y - 300}, 9, -9, attr};
      cases.push_back({"inert" + coded, [=](auto& w) { w.Inert(coding, point, segment); },
                       opcode::FamilyOpcode(opcode::kInertFamily, bits, absolute), "inert",
                       {{ObjectKind::Inert, 41, segment}}});
      cases.push_back({"segment16" + coded, [=](auto& w) { w.Segment16(coding, point, segment); },
                       opcode::FamilyOpcode(opcode::kSegment16Family, bits, absolute), "segment16",
                       {{ObjectKind::Segment16, 41, segment}}});
      cases.push_back({"segment" + coded, [=](auto& w) { w.Segment(coding, point, segment); },
                       opcode::FamilyOpcode(opcode::kSegmentFamily, bits, absolute), "segment",
                       {{coding == AttributeCoding::None ? ObjectKind::SegmentNoAttributes : ObjectKind::Segment, 41,
                         segment}}});
      for (const ObjectKind kind : polylineKinds) {
        const auto kindBits = static_cast<std::uint8_t>(kind);
        Polyline line;
        line.Count = 1;
        line.Attr = attr;
        line.Start = {kBase.X - 20, kBase.Y + 30};
        line.Steps.assign(PolylineStepSize(kind), 1);
        cases.push_back({"polyline kind " + std::to_string(kindBits) + coded,
                         [=](auto& w) { w.Polyline(kind, coding, point, line); },
                         opcode::FamilyOpcode(opcode::kPolylineFamily | kindBits, bits, absolute),
                         "polyline kind " + std::to_string(kindBits), {{kind, 41, line}}});
      }
    }
  }
  for (const OpcodeCase& c : cases) CheckThroughTable(c);
}

TEST(DrawingOpcodes, FamilyOpcodeAndHasAbsolutePointInvertEachOther) {
  const std::uint8_t families[] = {opcode::kInertFamily, opcode::kSegment16Family, opcode::kSegmentFamily,
                                   opcode::kPolylineFamily | 12, opcode::kPolylineFamily | 15};
  const std::uint8_t attributeBits[] = {opcode::kNoAttributes, opcode::kShortAttributes, opcode::kLongAttributes,
                                        opcode::kPackedAttributes};
  for (const std::uint8_t family : families) {
    for (const std::uint8_t bits : attributeBits) {
      for (const bool absolute : {false, true}) {
        const std::uint8_t op = opcode::FamilyOpcode(family, bits, absolute);
        SCOPED_TRACE(::testing::Message() << "opcode " << static_cast<int>(op));
        EXPECT_EQ(op & opcode::kFamilyBits, family);
        EXPECT_EQ(op & opcode::kAttributeBits, bits);
        EXPECT_EQ(opcode::HasAbsolutePoint(op), absolute);
      }
    }
  }
}

// Files carry these bytes; a changed constant would still round-trip, so the
// values are pinned here apart from the table.
TEST(DrawingOpcodes, TableHoldsTheBytesFilesCarry) {
  struct Pinned {
    const char* name;
    std::uint8_t value, byte;
  };
  const Pinned pinned[] = {
      {"section header", opcode::kSectionHeader, 0x00},
      {"end", opcode::kEnd, 0x01},
      {"header", opcode::kHeader, 0x02},
      {"extents", opcode::kExtents, 0x03},
      {"feature code", opcode::kFeatureCode, 0x04},
      {"name string", opcode::kNameString, 0x05},
      {"name reference", opcode::kNameRef, 0x06},
      {"block", opcode::kBlock, 0x07},
      {"index list", opcode::kIndexList, 0x08},
      {"group mark", opcode::kGroupMark, 0x09},
      {"short name reference", opcode::kShortNameRef, 0x0A},
      {"no operation", opcode::kNop, 0x0B},
      {"relative label", opcode::kRelativeLabel, 0x17},
      {"place", opcode::kPlace, 0x54},
      {"absolute label", opcode::kAbsoluteLabel, 0x57},
      {"second absolute label", opcode::kAbsoluteLabelAlt, 0x58},
      {"segment16, no attributes, absolute", opcode::FamilyOpcode(opcode::kSegment16Family, 0, true), 0x5A},
      {"segment, packed, relative", opcode::FamilyOpcode(opcode::kSegmentFamily, opcode::kPackedAttributes, false),
       0xBB},
      {"kind-14 polyline, long, absolute",
       opcode::FamilyOpcode(opcode::kPolylineFamily | 14, opcode::kLongAttributes, true), 0xDE},
  };
  for (const Pinned& p : pinned) EXPECT_EQ(p.value, p.byte) << p.name;
}

}  // namespace
}  // namespace quelmar::data
