// Damaged and hostile drawing files: invalid opcodes, impossible counts,
// references that lead nowhere, truncation at every byte and sources that
// fail. Each is refused or read as none, and what was read before stays.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "control/core/errors.h"
#include "control/data/drawing_input.h"
#include "control/data/drawing_reader.h"
#include "control/data/drawing_scope.h"
#include "control/data/drawing_test_support.h"
#include "control/data/drawing_writer.h"
#include "control/data/feature_code.h"

namespace quelmar::data {
namespace {

using testing::Finished;
using testing::kBase;
using testing::StartedWriter;

ReadDrawingOptions WithRouteLabels() {
  ReadDrawingOptions options;
  options.CollectRouteLabels = true;
  return options;
}

TEST(DrawingHostile, InvalidOpcodesStopTheReadAndKeepWhatCameBefore) {
  const std::uint8_t opcodes[] = {0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x16, 0x18, 0x20, 0x2A, 0x37, 0x4B, 0x6B, 0xF0};
  for (const std::uint8_t opcode : opcodes) {
    SCOPED_TRACE(::testing::Message() << "opcode " << static_cast<int>(opcode));
    DrawingWriter writer = StartedWriter();
    writer.NameString("KEPT");
    writer.Raw(std::vector<std::uint8_t>{opcode, 0, 0, 0, 0, 0, 0, 0, 0});
    writer.NameString("NEVER");
    const std::vector<std::uint8_t> bytes = Finished(writer);
    MemorySource source(bytes);
    Drawing drawing;
    EXPECT_THROW(ReadDrawing(source, drawing), DataError);
    ASSERT_EQ(drawing.Count(), 1);
    EXPECT_EQ(drawing.ObjectAt(1)->As<NameString>()->Packed, "KEPT");
    EXPECT_EQ(drawing.File().Records, 3);
  }
}

TEST(DrawingHostile, NegativeCountsAreRefused) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> record;
  };
  const std::vector<Case> cases = {
      {"kind-12 polyline", {0x5C, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"kind-14 polyline", {0x1E, 0, 0, 0, 0, 0x00, 0x80, 1, 2}},
      {"kind-15 polyline, packed attributes, relative point", {0xBF, 1, 0, 2, 3, 0, 0, 0, 0, 0xFE, 0xFF, 1, 2}},
      {"index list", {0x08, 0xFF, 0xFF, 1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DrawingWriter writer = StartedWriter();
    writer.GroupMark();
    writer.Raw(c.record);
    const std::vector<std::uint8_t> bytes = Finished(writer);
    MemorySource source(bytes);
    Drawing drawing;
    EXPECT_THROW(ReadDrawing(source, drawing), DataError);
    EXPECT_EQ(drawing.Count(), 1);
  }
}

TEST(DrawingHostile, HugeCountsBeyondTheFileEndTheReadCleanly) {
  // Counts that fit the limits' arithmetic but not the file: a read past the end.
  const std::vector<std::vector<std::uint8_t>> records = {
      {0x5C, 0, 0, 0, 0, 0, 0, 0xD0, 0x07},  // kind 12, 2000 steps of 8 bytes
      {0x5E, 0, 0, 0, 0, 0, 0, 0xFF, 0x7F},  // kind 14, 32767 steps: skipped, still past the end
      {0x08, 0xFF, 0x7F},                    // index list of 32767 entries
      {0x05, 0xFF, 'A'},                     // a 255-byte name of one byte
  };
  for (const std::vector<std::uint8_t>& record : records) {
    DrawingWriter writer = StartedWriter();
    writer.GroupMark();
    writer.Raw(record);
    const std::vector<std::uint8_t>& bytes = writer.Bytes();
    MemorySource source(bytes);
    Drawing drawing;
    EXPECT_THROW(ReadDrawing(source, drawing), DataError);
    EXPECT_EQ(drawing.Count(), 1);
  }
}

TEST(DrawingHostile, ReferencesOutsideTheDrawingOrAtOtherKindsNameNothing) {
  // Read after one object already in the drawing, so the section base is 1.
  DrawingWriter writer = StartedWriter();
  writer.NameString("STREET");  // #2
  writer.GroupMark();           // #3
  writer.NameRef(2);            // #4 -> #3, a GroupMark
  writer.NameRef(0);            // #5 -> #1, the object before the file
  writer.NameRef(-100);         // #6 -> before the first object
  writer.NameRef(1000);         // #7 -> past the last
  writer.NameRef(std::numeric_limits<std::int32_t>::max());  // #8 -> beyond 32 bits once the base is added
  writer.NameRef(1);            // #9 -> #2, the name
  const std::vector<std::uint8_t> bytes = Finished(writer);

  Drawing drawing;
  ASSERT_TRUE(drawing.Append({ObjectKind::GroupMark, 0, GroupMark{}}));
  MemorySource source(bytes);
  ReadDrawing(source, drawing, WithRouteLabels());
  ASSERT_EQ(drawing.Count(), 9);
  EXPECT_EQ(drawing.ObjectAt(8)->As<NameRef>()->Object, 0) << "a number beyond 32 bits is no number";

  DrawingScope scope(drawing);
  std::vector<bool> named;
  for (std::int32_t n = 1; n <= drawing.Count(); ++n) {
    scope.Enter(n);
    named.push_back(scope.Name() != nullptr);
  }
  EXPECT_EQ(named, (std::vector<bool>{false, false, false, false, false, false, false, false, true}));
  EXPECT_EQ(drawing.NameAt(-1), nullptr);
  EXPECT_EQ(drawing.NameAt(std::numeric_limits<std::int32_t>::min()), nullptr);
}

TEST(DrawingHostile, AttributeIndexOutsideTheIndexListSelectsNothing) {
  DrawingWriter writer = StartedWriter();
  writer.Segment(AttributeCoding::Short, PointCoding::Absolute, {kBase, 1, 1, {10, 2, 1}});  // before any list
  writer.IndexList(std::vector<std::int32_t>{60601, 60602});
  writer.Segment(AttributeCoding::Short, PointCoding::Absolute, {kBase, 1, 1, {10, 2, 2}});
  writer.Segment(AttributeCoding::Short, PointCoding::Absolute, {kBase, 1, 1, {10, 2, 3}});
  writer.Segment(AttributeCoding::Short, PointCoding::Absolute, {kBase, 1, 1, {10, 2, 255}});
  writer.Segment(AttributeCoding::Short, PointCoding::Absolute, {kBase, 1, 1, {10, 2, 0}});
  writer.IndexList({});
  writer.Segment(AttributeCoding::Short, PointCoding::Absolute, {kBase, 1, 1, {10, 2, 1}});
  const Drawing drawing = testing::Read(Finished(writer));

  DrawingScope scope(drawing);
  std::vector<std::optional<std::int32_t>> zips;
  for (std::int32_t n = 1; n <= drawing.Count(); ++n) {
    scope.Enter(n);
    if (const Segment* s = drawing.ObjectAt(n)->As<Segment>()) zips.push_back(scope.IndexValue(s->Attr.Index));
  }
  EXPECT_EQ(zips, (std::vector<std::optional<std::int32_t>>{std::nullopt, 60602, std::nullopt, std::nullopt,
                                                            std::nullopt, std::nullopt}));
}

TEST(DrawingHostile, PrologueShorterThanFourBytesIsRefused) {
  for (std::size_t size = 0; size < 4; ++size) {
    const std::vector<std::uint8_t> bytes(size, 0);
    MemorySource source(bytes);
    Drawing drawing;
    EXPECT_THROW(ReadDrawing(source, drawing), DataError);
    EXPECT_EQ(drawing.File().Records, 0);
  }
}

// Every cut of a valid file either ends with DataError or reads a short file;
// the objects read are always a prefix of the whole file's, and the route
// labels collected before the cut are appended.
TEST(DrawingHostile, TruncationAtEveryByteKeepsWhatWasRead) {
  const std::vector<std::uint8_t> whole = testing::EveryKindFile();
  Drawing full;
  {
    MemorySource source(whole);
    ReadDrawing(source, full, WithRouteLabels());
  }
  ASSERT_EQ(full.File().Records, 25);
  ASSERT_EQ(full.Objects().back().Code, kRouteLabelCode) << "the fixture collects route labels";
  const std::int32_t routeLabels = 2;  // one on the polyline and one on the segment

  for (std::size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE(::testing::Message() << "cut at " << size);
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    MemorySource source(cut);
    Drawing drawing;
    EXPECT_THROW(ReadDrawing(source, drawing, WithRouteLabels()), DataError) << "every cut loses the end record";
    EXPECT_LT(drawing.File().Records, full.File().Records);
    std::int32_t plain = 0;  // objects read from records, before the appended route labels
    while (plain < drawing.Count() && drawing.ObjectAt(plain + 1)->Code != kRouteLabelCode) ++plain;
    ASSERT_LE(plain, full.Count() - routeLabels);
    for (std::int32_t n = 1; n <= plain; ++n) EXPECT_EQ(*drawing.ObjectAt(n), *full.ObjectAt(n)) << "object " << n;
    for (std::int32_t n = plain + 1; n <= drawing.Count(); ++n) {
      EXPECT_EQ(*drawing.ObjectAt(n), *full.ObjectAt(full.Count() - routeLabels + (n - plain))) << "route label " << n;
    }
  }
}

// A source whose stated length differs from what it delivers (a member that
// decompresses short, or long).
class StatedLengthSource final : public ByteSource {
 public:
  StatedLengthSource(std::span<const std::uint8_t> bytes, std::uint64_t statedLength)
      : inner_(bytes), statedLength_(statedLength) {}
  std::size_t Read(std::span<std::uint8_t> out) override { return inner_.Read(out); }
  std::uint64_t Length() const override { return statedLength_; }
  std::uint64_t Position() const override { return inner_.Position(); }

 private:
  MemorySource inner_;
  std::uint64_t statedLength_;
};

// A source that fails after some bytes, as a damaged member or a failing disk does.
class FailingSource final : public ByteSource {
 public:
  FailingSource(std::span<const std::uint8_t> bytes, std::size_t failAt) : bytes_(bytes), failAt_(failAt) {}
  std::size_t Read(std::span<std::uint8_t> out) override {
    if (position_ >= failAt_) throw IoError("the disk failed");
    const std::size_t n = std::min({out.size(), failAt_ - position_, bytes_.size() - position_});
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), n, out.begin());
    position_ += n;
    return n;
  }
  std::uint64_t Length() const override { return bytes_.size(); }
  std::uint64_t Position() const override { return position_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t failAt_;
  std::size_t position_ = 0;
};

TEST(DrawingHostile, SourcesThatEndEarlyOrFailEndTheReadAndKeepWhatWasRead) {
  DrawingWriter writer = StartedWriter();
  writer.NameString("KEPT");
  const std::size_t failAt = writer.Bytes().size();
  for (int i = 0; i < 3; ++i) writer.NameString(std::string(200, 'X'));
  const std::vector<std::uint8_t> bytes = Finished(writer);
  {
    StatedLengthSource source(std::span<const std::uint8_t>(bytes).first(failAt), bytes.size());
    Drawing drawing;
    EXPECT_THROW(ReadDrawing(source, drawing), DataError);
    EXPECT_EQ(drawing.Count(), 1);
  }
  {
    // The reader fills its buffer in one read, so make the file larger than the buffer.
    DrawingWriter big = StartedWriter();
    big.NameString("KEPT");
    while (big.Bytes().size() < 3 * DrawingInput::kBufferSize) big.NameString(std::string(250, 'Y'));
    const std::vector<std::uint8_t> bigBytes = Finished(big);
    FailingSource source(bigBytes, DrawingInput::kBufferSize + 10);
    Drawing drawing;
    EXPECT_THROW(ReadDrawing(source, drawing), IoError);
    EXPECT_GT(drawing.Count(), 100);
    EXPECT_EQ(drawing.ObjectAt(1)->As<NameString>()->Packed, "KEPT");
  }
}

TEST(DrawingHostile, ASourceLongerThanItsStatedLengthIsReadToThatLength) {
  DrawingWriter writer = StartedWriter();
  writer.NameString("A");
  std::vector<std::uint8_t> bytes = Finished(writer);
  const std::size_t stated = bytes.size() - 1;  // the end record lies beyond the stated length
  StatedLengthSource source(bytes, stated);
  Drawing drawing;
  EXPECT_THROW(ReadDrawing(source, drawing), DataError);
  EXPECT_EQ(drawing.Count(), 1);
}

}  // namespace
}  // namespace quelmar::data
