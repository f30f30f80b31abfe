// The reader's rules: prologue and version check, feature codes and block
// tags, extents and section bases, the scaled flag, polyline kinds and size
// limits, record counting and the store's limits.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "control/data/drawing_reader.h"
#include "control/data/drawing_test_support.h"
#include "control/data/drawing_writer.h"

namespace quelmar::data {
namespace {

using testing::Finished;
using testing::kBase;
using testing::Read;
using testing::StartedWriter;

TEST(DrawingReader, PrologueAndEndAloneLoadNothingInOneRecord) {
  const Drawing drawing = Read(Finished(DrawingWriter(400)));
  EXPECT_EQ(drawing.Count(), 0);
  EXPECT_EQ(drawing.File().Records, 1);
  EXPECT_EQ(drawing.File().DataVersion, 400);
  EXPECT_FALSE(drawing.File().Extents);
}

TEST(DrawingReader, ReturnsTheRecordsReadWithTheEndRecord) {
  DrawingWriter writer = StartedWriter();
  writer.GroupMark();
  const std::vector<std::uint8_t> bytes = Finished(writer);
  MemorySource source(bytes);
  Drawing drawing;
  EXPECT_EQ(ReadDrawing(source, drawing), 4);
}

TEST(DrawingReader, DataVersionAndTheStreetVersionCheck) {
  struct Case {
    const char* name;
    std::int16_t marker, version;
    std::int32_t expectedVersion;
    double dataVersion;
    bool refused;
  };
  const Case cases[] = {
      {"Y7O37117", 0, 402, 402, 402, false},
      {"Y7O37117", 0, 400, 402, 400, true},
      {"Y7O37117", 0, 400, 400, 400, false},  // the ".ZPY" street data
      {"Y7O37117", 0, 350, 402, 350, true},   // 3.5 rounds to even: 4
      {"Y7O37117", 0, 450, 402, 450, true},   // 4.5 rounds to even: 4
      {"Y7O37117", 0, 349, 402, 349, false},
      {"Y7O37117", 0, 451, 402, 451, false},
      {"Y7O37117", 1, 400, 402, 0, false},  // a marker makes the version 0
      {"Y7O37117", 0, -400, 402, 0, false},
      {"y7o37117.dcm", 0, 400, 402, 400, true},
      {"M7O3794", 0, 400, 402, 400, false},  // only street quads are checked
      {"", 0, 400, 402, 400, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.name << " version " << c.version);
    DrawingWriter writer(c.version, c.marker);
    writer.GroupMark();
    ReadDrawingOptions options;
    options.RegistryName = c.name;
    options.ExpectedStreetVersion = c.expectedVersion;
    const Drawing drawing = Read(Finished(writer), options);
    EXPECT_EQ(drawing.File().DataVersion, c.dataVersion);
    EXPECT_EQ(drawing.File().Refused, c.refused);
    EXPECT_EQ(drawing.File().Records, c.refused ? 0 : 2);
    EXPECT_EQ(drawing.Count(), c.refused ? 0 : 1);
  }
}

TEST(DrawingReader, FeatureCodeStartsAt23AndAppliesToWhatFollows) {
  DrawingWriter writer;
  writer.GroupMark();
  writer.FeatureCode(7);
  writer.NameString("A");
  writer.FeatureCode(231);
  writer.Label(0x57, {5, 5}, "B");
  const Drawing drawing = Read(Finished(writer));
  ASSERT_EQ(drawing.Count(), 3);
  EXPECT_EQ(drawing.ObjectAt(1)->Code, 23);
  EXPECT_EQ(drawing.ObjectAt(2)->Code, 7);
  EXPECT_EQ(drawing.ObjectAt(3)->Code, 231);
}

TEST(DrawingReader, BlockTagComesFromMSAndCSectionHeaders) {
  DrawingWriter writer;
  writer.Block(1, 1, 1, 1, 1, 2);
  writer.SectionHeader('M', 99, 7);
  writer.Block(1, 1, 1, 1, 1, 2);
  writer.SectionHeader('X', 99, 8);  // other tags change nothing
  writer.SectionHeader('T', 99, 9);
  writer.Block(1, 1, 1, 1, 1, 2);
  writer.SectionHeader('S', 0, -5);
  writer.Block(1, 1, 1, 1, 1, 2);
  writer.SectionHeader('C', 0, 11);
  writer.Block(1, 1, 1, 1, 1, 2);
  const Drawing drawing = Read(Finished(writer));
  std::vector<std::int32_t> tags;
  for (const DrawObject& object : drawing.Objects()) tags.push_back(object.As<BlockObject>()->BlockTag);
  EXPECT_EQ(tags, (std::vector<std::int32_t>{0, 7, 7, -5, 11}));
}

TEST(DrawingReader, ExtentsSetTheRelativeBaseAndWidenTheFileExtents) {
  DrawingWriter writer;
  writer.Extents(-1000, -3000, 500, 900);  // first x east of the second
  writer.Label(0x17, {-1000 + 5, 500 + 6}, "A");
  writer.Extents(-5000, -4000, 100, 700);
  writer.Label(0x17, {-5000 + 5, 100 + 6}, "B");
  const Drawing drawing = Read(Finished(writer));
  EXPECT_EQ(drawing.File().FirstExtents, (DrawingExtents{-3000, -1000, 500, 900}));
  EXPECT_EQ(drawing.File().Extents, (DrawingExtents{-5000, -1000, 100, 900}));
  ASSERT_EQ(drawing.Count(), 2);
  EXPECT_EQ(drawing.ObjectAt(1)->As<LabelText>()->Point, (TMapPoint{-995, 506})) << "base x from the first value";
  EXPECT_EQ(drawing.ObjectAt(2)->As<LabelText>()->Point, (TMapPoint{-4995, 106}));
}

TEST(DrawingReader, NameRefsResolveAgainstTheirSectionBase) {
  // Three sections: from the start, after a second extents record, after a 'T' header.
  DrawingWriter writer = StartedWriter();
  writer.NameString("FIRST");  // #1
  writer.NameRef(1);           // #2 -> 1
  writer.Extents(kBase.X, kBase.X + 1, kBase.Y, kBase.Y + 1);
  writer.NameString("SECOND");  // #3
  writer.ShortNameRef(1);       // #4 -> 2 + 1
  writer.SectionHeader('T');
  writer.GroupMark();           // #5
  writer.NameString("THIRD");   // #6
  writer.NameRef(2);            // #7 -> 4 + 2
  writer.NameRef(-2);           // #8 -> 4 - 2: a NameRef, not a name
  const Drawing drawing = Read(Finished(writer));
  ASSERT_EQ(drawing.Count(), 8);
  EXPECT_EQ(drawing.ObjectAt(2)->As<NameRef>()->Object, 1);
  EXPECT_EQ(drawing.ObjectAt(4)->As<NameRef>()->Object, 3);
  EXPECT_EQ(drawing.ObjectAt(7)->As<NameRef>()->Object, 6);
  EXPECT_EQ(drawing.NameAt(6)->Packed, "THIRD");
  EXPECT_EQ(drawing.ObjectAt(8)->As<NameRef>()->Object, 2);
  EXPECT_EQ(drawing.NameAt(2), nullptr);
}

TEST(DrawingReader, SectionBaseStartsAtTheObjectsAlreadyInTheDrawing) {
  DrawingWriter first;
  first.NameString("OLD");
  first.GroupMark();
  DrawingWriter second;
  second.NameString("NEW");
  second.NameRef(1);
  const std::vector<std::uint8_t> a = Finished(first);
  const std::vector<std::uint8_t> b = Finished(second);
  Drawing drawing;
  MemorySource sourceA(a);
  ReadDrawing(sourceA, drawing);
  MemorySource sourceB(b);
  ReadDrawing(sourceB, drawing);
  ASSERT_EQ(drawing.Count(), 4);
  EXPECT_EQ(drawing.ObjectAt(4)->As<NameRef>()->Object, 3);
  EXPECT_EQ(drawing.File().Records, 3) << "File() describes the last file";
}

TEST(DrawingReader, EmptyLabelsCreateNothingAndShiftNoNumbers) {
  DrawingWriter writer = StartedWriter();
  writer.NameString("A");       // #1
  writer.Label(0x17, kBase, "");
  writer.Label(0x57, kBase, "");
  writer.Label(0x58, kBase, "");
  writer.NameString("B");       // #2
  writer.NameRef(2);            // #3
  const Drawing drawing = Read(Finished(writer));
  ASSERT_EQ(drawing.Count(), 3);
  EXPECT_EQ(drawing.NameAt(drawing.ObjectAt(3)->As<NameRef>()->Object)->Packed, "B");
}

TEST(DrawingReader, ScaledFlagMultipliesStepsByThirtyTwo) {
  DrawingWriter writer = StartedWriter();
  writer.Header({.Scaled = 1});
  writer.Polyline(ObjectKind::Polyline13, AttributeCoding::None, PointCoding::Absolute, {}, kBase,
                  std::vector<TMapPoint>{{kBase.X - 96, kBase.Y - 256}});
  writer.Header({.Scaled = 2});  // any other value turns it off
  writer.Polyline(ObjectKind::Polyline13, AttributeCoding::None, PointCoding::Absolute, {}, kBase,
                  std::vector<TMapPoint>{{kBase.X - 3, kBase.Y - 8}});
  const std::vector<std::uint8_t> bytes = Finished(writer);
  const Drawing drawing = Read(bytes);
  ASSERT_EQ(drawing.Count(), 2);
  const DrawObject& scaled = *drawing.ObjectAt(1);
  const DrawObject& plain = *drawing.ObjectAt(2);
  EXPECT_TRUE(scaled.As<Polyline>()->Scaled);
  EXPECT_EQ(scaled.KindByte(), 141);
  EXPECT_EQ(scaled.As<Polyline>()->Steps, plain.As<Polyline>()->Steps) << "both store the step (-3, -8)";
  EXPECT_EQ(PolylinePoints(scaled).back(), (TMapPoint{kBase.X - 96, kBase.Y - 256}));
  EXPECT_FALSE(plain.As<Polyline>()->Scaled);
  EXPECT_EQ(plain.KindByte(), 13);
  EXPECT_EQ(PolylinePoints(plain).back(), (TMapPoint{kBase.X - 3, kBase.Y - 8}));
}

TEST(DrawingReader, PolylineKindsDrawTheirPoints) {
  struct Case {
    ObjectKind kind;
    std::vector<TMapPoint> vertices;
    std::size_t points;
  };
  const Case cases[] = {
      {ObjectKind::Polyline14, {{kBase.X + 1, kBase.Y + 1}}, 2},  // count 1: one segment of two points
      {ObjectKind::Polyline14, {}, 1},
      {ObjectKind::Polyline12, {{kBase.X + 3000000, kBase.Y - 3000000}, {kBase.X, kBase.Y}}, 3},
      {ObjectKind::Polyline15, {}, 1},  // the bias step alone
      {ObjectKind::Polyline15, {{kBase.X + 250, kBase.Y}, {kBase.X + 500, kBase.Y + 5}}, 3},
  };
  for (const Case& c : cases) {
    DrawingWriter writer = StartedWriter();
    writer.Polyline(c.kind, AttributeCoding::None, PointCoding::Relative, {}, kBase, c.vertices);
    const Drawing drawing = Read(Finished(writer));
    ASSERT_EQ(drawing.Count(), 1);
    const std::vector<TMapPoint> points = PolylinePoints(*drawing.ObjectAt(1));
    ASSERT_EQ(points.size(), c.points);
    EXPECT_EQ(points.back(), c.vertices.empty() ? kBase : c.vertices.back());
  }
}

TEST(DrawingReader, PolylinesOverTheirSizeLimitAreSkippedWhole) {
  struct Case {
    ObjectKind kind;
    std::int16_t lastFitting;
  };
  const Case cases[] = {{ObjectKind::Polyline12, 2000},
                        {ObjectKind::Polyline13, 3300},
                        {ObjectKind::Polyline14, 3300},
                        {ObjectKind::Polyline15, 3300}};
  for (const Case& c : cases) {
    for (const std::int16_t count : {c.lastFitting, static_cast<std::int16_t>(c.lastFitting + 1)}) {
      SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(c.kind) << " count " << count);
      Polyline line;
      line.Count = count;
      line.Start = kBase;
      line.Steps.assign(static_cast<std::size_t>(count) * PolylineStepSize(c.kind), 127);
      DrawingWriter writer = StartedWriter();
      writer.Polyline(c.kind, AttributeCoding::None, PointCoding::Absolute, line);
      writer.NameString("NEXT");
      const bool fits = count == c.lastFitting;
      EXPECT_EQ(DrawingWriter::PolylineFits(c.kind, count), fits);
      const Drawing drawing = Read(Finished(writer));
      ASSERT_EQ(drawing.Count(), fits ? 2 : 1);
      if (fits) {
        EXPECT_EQ(drawing.ObjectAt(1)->As<Polyline>()->Count, count);
      }
      EXPECT_EQ(drawing.Objects().back().As<NameString>()->Packed, "NEXT") << "the next record is read correctly";
    }
  }
}

TEST(DrawingReader, IndexListsOver255EntriesAreSkipped) {
  DrawingWriter writer = StartedWriter();
  writer.IndexList(std::vector<std::int32_t>(256, 1));
  writer.IndexList(std::vector<std::int32_t>(1000, 1));
  writer.NameString("NEXT");
  const Drawing drawing = Read(Finished(writer));
  ASSERT_EQ(drawing.Count(), 1);
  EXPECT_EQ(drawing.ObjectAt(1)->Kind, ObjectKind::NameString);
}

TEST(DrawingReader, TextsLongerThanTheirObjectAllowsAreCut) {
  const std::string longText(200, 'W');
  DrawingWriter writer = StartedWriter();
  writer.Label(0x57, kBase, longText);
  writer.Place({1001, 5, kBase, 0, longText});
  writer.NameString(longText);  // name strings keep all 255
  const Drawing drawing = Read(Finished(writer));
  ASSERT_EQ(drawing.Count(), 3);
  EXPECT_EQ(drawing.ObjectAt(1)->As<LabelText>()->Text, std::string(120, 'W'));
  EXPECT_EQ(drawing.ObjectAt(2)->As<PlaceObject>()->Name, std::string(120, 'W'));
  EXPECT_EQ(drawing.ObjectAt(3)->As<NameString>()->Packed, longText);
}

TEST(DrawingReader, ReportsEachRecordAfterApplyingIt) {
  DrawingWriter writer = StartedWriter();
  writer.NameString("A");
  writer.Label(0x57, kBase, "");
  writer.IndexList(std::vector<std::int32_t>(300));
  const std::vector<std::uint8_t> bytes = Finished(writer);
  std::vector<DrawingRecord> records;
  ReadDrawingOptions options;
  options.OnRecord = [&](const DrawingRecord& r) { records.push_back(r); };
  Read(bytes, options);
  ASSERT_EQ(records.size(), 6u);
  EXPECT_EQ(records[0].Offset, 4u);
  EXPECT_EQ(records[0].Opcode, 0x03);
  EXPECT_EQ(records[0].RelativeBase, kBase);
  EXPECT_EQ(records[1].FeatureCode, 41);
  EXPECT_EQ(records[2].FirstObject, 1);
  EXPECT_EQ(records[2].Objects, 1);
  EXPECT_EQ(records[3].Objects, 0) << "an empty label";
  EXPECT_TRUE(records[4].Skipped);
  EXPECT_EQ(records[4].Count, 300);
  EXPECT_EQ(records[5].Opcode, 0x01);
  EXPECT_EQ(records[5].Offset, bytes.size() - 1);
}

TEST(DrawingReader, ObjectsBeyondTheStoreLimitsAreDroppedAndAPolylineStopsTheRead) {
  DrawingWriter writer = StartedWriter();
  writer.NameString("A");
  writer.NameString("B");
  writer.NameString("C");  // no room: dropped, the read goes on
  writer.Label(0x57, kBase, "D");
  writer.Polyline(ObjectKind::Polyline14, AttributeCoding::None, PointCoding::Absolute, {}, kBase,
                  std::vector<TMapPoint>{});  // no room: the read stops
  writer.NameString("E");
  const std::vector<std::uint8_t> bytes = Finished(writer);
  MemorySource source(bytes);
  Drawing drawing(Drawing::Limits{.MaxObjects = 2});
  EXPECT_EQ(ReadDrawing(source, drawing), 7);
  EXPECT_EQ(drawing.Count(), 2);
  EXPECT_TRUE(drawing.OutOfMemory());
  EXPECT_EQ(drawing.File().LoadError, kLoadOutOfMemory);
}

TEST(DrawingReader, ByteLimitCountsStoredSizes) {
  DrawingWriter writer = StartedWriter();
  writer.NameString("ABCDE");  // 2 + 1 + 5 bytes
  writer.NameString("F");
  const std::vector<std::uint8_t> bytes = Finished(writer);
  MemorySource source(bytes);
  Drawing drawing(Drawing::Limits{.MaxBytes = 9});
  ReadDrawing(source, drawing);
  EXPECT_EQ(drawing.Count(), 1);
  EXPECT_EQ(drawing.StoredBytes(), 8u);
  EXPECT_TRUE(drawing.OutOfMemory());
  EXPECT_EQ(drawing.File().LoadError, kLoadOk) << "only a polyline stops the read";
}

TEST(DrawObject, RangeOfAttributes) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  struct Case {
    Attributes attributes;
    AddressRange range;
  };
  const Case cases[] = {
      {{100, 98, 1}, {100, 198}},
      {{100, -2, 1}, {100, 98}},
      {{-5, 10, 1}, {0, 0}},        // a negative low is no range
      {{7, kMax, 1}, {7, 0}},       // open spans
      {{7, -kMax, 1}, {7, 0}},
      {{kMax, 1, 1}, {kMax, std::numeric_limits<std::int32_t>::min()}},  // wraps as it was stored
  };
  for (const Case& c : cases) EXPECT_EQ(RangeOf(c.attributes), c.range);
}

TEST(DrawObject, SegmentAnchorHalvesTowardZero) {
  EXPECT_EQ(SegmentAnchor({{10, 10}, 5, -5, {}}), (TMapPoint{12, 8}));
  EXPECT_EQ(SegmentAnchor({{10, 10}, -1, 1, {}}), (TMapPoint{10, 10}));
  EXPECT_EQ(SegmentAnchor({{2147483000, 0}, 2147483647, 0, {}}).X, std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace quelmar::data
