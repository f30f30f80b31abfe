// Every record kind through the writer and the reader, and the byte layout of
// records assembled by hand.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "control/data/drawing_reader.h"
#include "control/data/drawing_writer.h"
#include "control/data/drawing_test_support.h"

namespace quelmar::data {
namespace {

using testing::Finished;
using testing::kBase;
using testing::Read;
using testing::StartedWriter;

constexpr Attributes kAttr{100, 98, 2};

struct RecordCase {
  std::string name;
  std::function<void(DrawingWriter&)> write;
  std::vector<DrawObject> expected;  // what the record appends after the fixture's start
};

void CheckRoundTrip(const RecordCase& c) {
  SCOPED_TRACE(c.name);
  DrawingWriter writer = StartedWriter();
  c.write(writer);
  const Drawing drawing = Read(Finished(writer));
  EXPECT_EQ(drawing.Objects(), c.expected);
  EXPECT_EQ(writer.Objects(), drawing.Count()) << "the writer numbers objects as the reader does";
  EXPECT_EQ(drawing.File().Records, 4) << "prologue, extents, feature code, the record, end";
}

TEST(DrawingRecords, ObjectRecordsRoundTrip) {
  const std::vector<RecordCase> cases = {
      {"name string", [](auto& w) { w.NameString("MAIN\x05"); },
       {{ObjectKind::NameString, 41, NameString{"MAIN\x05"}}}},
      {"empty name string", [](auto& w) { w.NameString(""); }, {{ObjectKind::NameString, 41, NameString{""}}}},
      {"255-byte name string", [](auto& w) { w.NameString(std::string(255, 'N')); },
       {{ObjectKind::NameString, 41, NameString{std::string(255, 'N')}}}},
      {"name reference 0x06", [](auto& w) { w.NameRef(-7); }, {{ObjectKind::NameRef, 41, NameRef{-7}}}},
      {"name reference 0x0A", [](auto& w) { w.ShortNameRef(65535); }, {{ObjectKind::NameRef, 41, NameRef{65535}}}},
      {"block", [](auto& w) { w.Block(6, 1, -2, 3, -4, 2); },
       {{ObjectKind::BlockObject, 6, BlockObject{2, 0, 1, -2, 3, -4}}}},
      {"block with a zero value is a group mark", [](auto& w) { w.Block(6, 1, 0, 3, 4, 9); },
       {{ObjectKind::GroupMark, 41, GroupMark{}}}},
      {"block of count 1 is a group mark", [](auto& w) { w.Block(6, 1, 2, 3, 4, 1); },
       {{ObjectKind::GroupMark, 41, GroupMark{}}}},
      {"block of count 0 creates nothing", [](auto& w) { w.Block(6, 1, 2, 3, 4, 0); }, {}},
      {"block of negative count creates nothing", [](auto& w) { w.Block(6, 0, 0, 0, 0, -3); }, {}},
      {"index list", [](auto& w) { w.IndexList(std::vector<std::int32_t>{60601, -1, 99999}); },
       {{ObjectKind::IndexList, 41, IndexList{{60601, -1, 99999}}}}},
      {"empty index list", [](auto& w) { w.IndexList({}); }, {{ObjectKind::IndexList, 41, IndexList{}}}},
      {"255-entry index list", [](auto& w) { w.IndexList(std::vector<std::int32_t>(255, 7)); },
       {{ObjectKind::IndexList, 41, IndexList{std::vector<std::int32_t>(255, 7)}}}},
      {"group mark", [](auto& w) { w.GroupMark(); }, {{ObjectKind::GroupMark, 41, GroupMark{}}}},
      {"no operation", [](auto& w) { w.Nop(); }, {}},
      {"label 0x17 at a relative point", [](auto& w) { w.Label(0x17, {kBase.X - 32768, kBase.Y + 32767}, "OAK"); },
       {{ObjectKind::LabelText, 41, LabelText{0, {kBase.X - 32768, kBase.Y + 32767}, "OAK"}}}},
      {"label 0x57", [](auto& w) { w.Label(0x57, {8388608, -8388608}, "EDGE"); },
       {{ObjectKind::LabelText, 41, LabelText{0, {8388608, -8388608}, "EDGE"}}}},
      {"label 0x58", [](auto& w) { w.Label(0x58, {-8388607, 8388607}, "IL"); },
       {{ObjectKind::LabelText, 41, LabelText{0, {-8388607, 8388607}, "IL"}}}},
      {"empty label creates nothing", [](auto& w) { w.Label(0x57, {1, 2}, ""); }, {}},
      {"place", [](auto& w) { w.Place({17031, -2800000, {-1369000, 653000}, 594, "CHICAGO"}); },
       {{ObjectKind::PlaceObject, 41, PlaceObject{17031, -2800000, {-1369000, 653000}, 594, "CHICAGO"}}}},
      {"place without a name creates nothing", [](auto& w) { w.Place({17031, 5, {1, 2}, 3, ""}); }, {}},
  };
  for (const RecordCase& c : cases) CheckRoundTrip(c);
}

// The three segment-like families in all four attribute codings and both point codings.
TEST(DrawingRecords, SegmentFamiliesRoundTripInEveryCoding) {
  struct Family {
    const char* name;
    void (DrawingWriter::*write)(AttributeCoding, PointCoding, const Segment&);
    std::int32_t dx, dy;  // extreme steps the family holds
  };
  const Family families[] = {
      {"inert", &DrawingWriter::Inert, -2000000000, 2147483647},
      {"segment16", &DrawingWriter::Segment16, -32768, 32767},
      {"segment", &DrawingWriter::Segment, -127, 128},
  };
  const AttributeCoding codings[] = {AttributeCoding::None, AttributeCoding::Short, AttributeCoding::Long,
                                     AttributeCoding::Packed};
  for (const Family& family : families) {
    for (const AttributeCoding coding : codings) {
      for (const PointCoding point : {PointCoding::Absolute, PointCoding::Relative}) {
        const Segment segment{{kBase.X + 500, kBase.Y - 300}, family.dx, family.dy,
                              coding == AttributeCoding::None ? Attributes{} : kAttr};
        ObjectKind kind = ObjectKind::Inert;
        if (family.write == &DrawingWriter::Segment16) kind = ObjectKind::Segment16;
        if (family.write == &DrawingWriter::Segment) {
          kind = coding == AttributeCoding::None ? ObjectKind::SegmentNoAttributes : ObjectKind::Segment;
        }
        CheckRoundTrip({std::string(family.name) + " coding " + std::to_string(static_cast<int>(coding)) +
                            (point == PointCoding::Absolute ? " absolute" : " relative"),
                        [&](DrawingWriter& w) { (w.*family.write)(coding, point, segment); },
                        {{kind, 41, segment}}});
      }
    }
  }
}

TEST(DrawingRecords, InertOpcodesFollowTheirTable) {
  struct Case {
    AttributeCoding coding;
    PointCoding point;
    std::uint8_t opcode;
  };
  const Case cases[] = {
      {AttributeCoding::None, PointCoding::Relative, 0x19},   {AttributeCoding::None, PointCoding::Absolute, 0x59},
      {AttributeCoding::Short, PointCoding::Relative, 0x79},  {AttributeCoding::Short, PointCoding::Absolute, 0x39},
      {AttributeCoding::Long, PointCoding::Relative, 0xD9},   {AttributeCoding::Long, PointCoding::Absolute, 0x99},
      {AttributeCoding::Packed, PointCoding::Relative, 0xF9}, {AttributeCoding::Packed, PointCoding::Absolute, 0xB9},
  };
  for (const Case& c : cases) {
    DrawingWriter writer = StartedWriter();
    const std::size_t at = writer.Bytes().size();
    writer.Inert(c.coding, c.point, {kBase, 1, 1, {}});
    EXPECT_EQ(writer.Bytes()[at], c.opcode);
  }
}

TEST(DrawingRecords, PolylinesOfEveryKindAndCodingPassThroughTheirVertices) {
  const TMapPoint start{kBase.X + 40, kBase.Y - 70};
  const std::vector<TMapPoint> vertices = {
      {start.X + 10, start.Y - 20}, {start.X + 130, start.Y - 15}, {start.X + 30, start.Y + 45}};
  for (const ObjectKind kind :
       {ObjectKind::Polyline12, ObjectKind::Polyline13, ObjectKind::Polyline14, ObjectKind::Polyline15}) {
    for (const AttributeCoding coding :
         {AttributeCoding::None, AttributeCoding::Short, AttributeCoding::Long, AttributeCoding::Packed}) {
      for (const PointCoding point : {PointCoding::Absolute, PointCoding::Relative}) {
        SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(kind) << " coding "
                                          << static_cast<int>(coding) << " point " << static_cast<int>(point));
        const Attributes attributes = coding == AttributeCoding::None ? Attributes{} : kAttr;
        DrawingWriter writer = StartedWriter();
        writer.Polyline(kind, coding, point, attributes, start, vertices);
        const Drawing drawing = Read(Finished(writer));
        ASSERT_EQ(drawing.Count(), 1);
        const DrawObject& object = *drawing.ObjectAt(1);
        const Polyline& line = *object.As<Polyline>();
        EXPECT_EQ(object.Kind, kind);
        EXPECT_EQ(object.Code, 41);
        EXPECT_EQ(line.Count, kind == ObjectKind::Polyline15 ? 4 : 3) << "kind 15 counts its bias step";
        EXPECT_EQ(line.Attr, attributes);
        EXPECT_EQ(line.Start, start);
        EXPECT_EQ(line.Extent, TMapPoint{});
        EXPECT_FALSE(line.Scaled);
        std::vector<TMapPoint> expected = {start};
        expected.insert(expected.end(), vertices.begin(), vertices.end());
        EXPECT_EQ(PolylinePoints(object), expected);
      }
    }
  }
}

TEST(DrawingRecords, BuiltInMapPolylineOpcodes) {
  struct Case {
    ObjectKind kind;
    AttributeCoding coding;
    std::uint8_t opcode;
  };
  const Case cases[] = {{ObjectKind::Polyline13, AttributeCoding::None, 0x5D},
                        {ObjectKind::Polyline14, AttributeCoding::None, 0x5E},
                        {ObjectKind::Polyline13, AttributeCoding::Long, 0xDD},
                        {ObjectKind::Polyline14, AttributeCoding::Long, 0xDE}};
  for (const Case& c : cases) {
    DrawingWriter writer = StartedWriter();
    const std::size_t at = writer.Bytes().size();
    writer.Polyline(c.kind, c.coding, PointCoding::Absolute, {}, kBase, std::vector<TMapPoint>{{kBase.X + 1, kBase.Y}});
    EXPECT_EQ(writer.Bytes()[at], c.opcode);
  }
}

TEST(DrawingRecords, StepsKeepTheirStoredBytesThroughTheSecondWriterForm) {
  DrawingWriter first = StartedWriter();
  first.Polyline(ObjectKind::Polyline15, AttributeCoding::Long, PointCoding::Relative, kAttr, kBase,
                 std::vector<TMapPoint>{{kBase.X + 200, kBase.Y + 100}, {kBase.X + 300, kBase.Y + 50}});
  const Drawing original = Read(Finished(first));
  ASSERT_EQ(original.Count(), 1);

  DrawingWriter second = StartedWriter();
  second.Polyline(ObjectKind::Polyline15, AttributeCoding::Long, PointCoding::Relative,
                  *original.ObjectAt(1)->As<Polyline>());
  EXPECT_EQ(Read(Finished(second)).Objects(), original.Objects());
}

// Bytes assembled by hand from the format, so the reader is checked apart from the writer.
TEST(DrawingRecords, ReadsRecordsAssembledByHand) {
  const std::vector<std::uint8_t> bytes = {
      0x00, 0x00, 0x92, 0x01,                    // marker 0, version 402
      0x03, 0x40, 0x42, 0x0F, 0x20, 0xF4, 0x0E,  // extents: X1 1000000, X2 980000 (west positive)
      0xC0, 0x27, 0x09, 0xE0, 0x75, 0x09,        //          Y1 600000, Y2 620000
      0xBB,                                      // segment, packed attributes, relative point
      0x64, 0x00, 0x81, 0x03,                    //   low 100, high = 100 + 0x81 - 127, index 3
      0xFE, 0xFF, 0x05, 0x00,                    //   base + (-2, 5)
      0x00, 0xFF,                                //   dx -127, dy 128
      0x5E,                                      // kind-14 polyline, absolute point
      0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80,        //   x' -1, y -8388608
      0x02, 0x00, 0x00, 0xFF, 0x7F, 0x7F,        //   two steps: (-127, 128), (0, 0)
      0x54,                                      // place
      0x40, 0x42, 0x0F, 0xC0, 0x27, 0x09,        //   at (-1000000, 600000)
      0x87, 0x42, 0x00, 0x80, 0x46, 0xD5,        //   county 17031, population -2800000
      0x52, 0x02, 0x07, 'C', 'H', 'I', 'C', 'A', 'G', 'O',
      0x01,
  };
  const Drawing drawing = Read(bytes);
  EXPECT_EQ(drawing.File().DataVersion, 402);
  EXPECT_EQ(drawing.File().Extents, (DrawingExtents{-1000000, -980000, 600000, 620000}));
  ASSERT_EQ(drawing.Count(), 3);
  EXPECT_EQ(*drawing.ObjectAt(1),
            (DrawObject{ObjectKind::Segment, 23, Segment{{-1000002, 600005}, -127, 128, {100, 2, 3}}}));
  EXPECT_EQ(RangeOf(drawing.ObjectAt(1)->As<Segment>()->Attr), (AddressRange{100, 102}));
  EXPECT_EQ(PolylinePoints(*drawing.ObjectAt(2)),
            (std::vector<TMapPoint>{{1, -8388608}, {-126, -8388480}, {-126, -8388480}}));
  EXPECT_EQ(*drawing.ObjectAt(3),
            (DrawObject{ObjectKind::PlaceObject, 23,
                        PlaceObject{17031, -2800000, {-1000000, 600000}, 594, "CHICAGO"}}));
  EXPECT_EQ(drawing.File().Records, 5);
}

TEST(DrawingRecords, HeaderFieldsAreKeptAsRead) {
  const DrawingHeader header{-8388608, 8388607, {1, 2, 3, 4, 5, 6}, 1, -2, 3, {4, -5, 6, -7}};
  DrawingWriter writer;
  writer.Header(header);
  const Drawing drawing = Read(Finished(writer));
  EXPECT_EQ(drawing.File().Header, header);
}

TEST(DrawingRecords, WriterRefusesValuesItsCodingCannotHoldAndWritesNothing) {
  struct Case {
    const char* name;
    std::function<void(DrawingWriter&)> write;
    bool scaled = false;  // written after a header that turns scaling on
  };
  const std::vector<Case> cases = {
      {"absolute x beyond 24 bits", [](auto& w) { w.Label(0x57, {-8388609, 0}, "X"); }},
      {"absolute y beyond 24 bits", [](auto& w) { w.Label(0x57, {0, 8388608}, "X"); }},
      {"relative offset beyond 16 bits", [](auto& w) { w.Label(0x17, {kBase.X + 32768, kBase.Y}, "X"); }},
      {"label opcode", [](auto& w) { w.Label(0x18, kBase, "X"); }},
      {"text beyond 255 bytes", [](auto& w) { w.NameString(std::string(256, 'A')); }},
      {"segment step", [](auto& w) { w.Segment(AttributeCoding::None, PointCoding::Absolute, {kBase, 129, 0, {}}); }},
      {"segment16 step",
       [](auto& w) { w.Segment16(AttributeCoding::None, PointCoding::Absolute, {kBase, 0, -32769, {}}); }},
      {"attributes without a coding",
       [](auto& w) { w.Segment(AttributeCoding::None, PointCoding::Absolute, {kBase, 1, 1, kAttr}); }},
      {"short attribute high",
       [](auto& w) { w.Segment(AttributeCoding::Short, PointCoding::Absolute, {kBase, 1, 1, {32000, 800, 1}}); }},
      {"packed attribute span",
       [](auto& w) { w.Segment(AttributeCoding::Packed, PointCoding::Absolute, {kBase, 1, 1, {5, 129, 1}}); }},
      {"place population beyond 24 bits", [](auto& w) { w.Place({1, 9000000, kBase, 0, "BIG"}); }},
      {"index list beyond 32767 entries", [](auto& w) { w.IndexList(std::vector<std::int32_t>(32768)); }},
      {"kind-14 step",
       [](auto& w) {
         w.Polyline(ObjectKind::Polyline14, AttributeCoding::None, PointCoding::Absolute, {}, kBase,
                    std::vector<TMapPoint>{{kBase.X - 128, kBase.Y}});
       }},
      {"kind-15 steps too far apart for one bias",
       [](auto& w) {
         w.Polyline(ObjectKind::Polyline15, AttributeCoding::None, PointCoding::Absolute, {}, kBase,
                    std::vector<TMapPoint>{{kBase.X + 200, kBase.Y}, {kBase.X, kBase.Y}});
       }},
      {"not a polyline kind",
       [](auto& w) {
         w.Polyline(ObjectKind::Segment, AttributeCoding::None, PointCoding::Absolute, {}, kBase,
                    std::vector<TMapPoint>{});
       }},
      {"scaled step not a multiple of 32",
       [](auto& w) {
         w.Polyline(ObjectKind::Polyline13, AttributeCoding::None, PointCoding::Absolute, {}, kBase,
                    std::vector<TMapPoint>{{kBase.X + 33, kBase.Y}});
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DrawingWriter writer = StartedWriter();
    if (c.scaled) writer.Header({.Scaled = 1});
    const std::vector<std::uint8_t> before = writer.Bytes();
    const std::int32_t objects = writer.Objects();
    EXPECT_THROW(c.write(writer), std::invalid_argument);
    EXPECT_EQ(writer.Bytes(), before);
    EXPECT_EQ(writer.Objects(), objects);
  }
}

}  // namespace
}  // namespace quelmar::data
