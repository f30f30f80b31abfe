#include "tools/quelmar-data/builder/output/line_records.h"

#include <gtest/gtest.h>

#include "control/data/byte_source.h"
#include "control/data/drawing_reader.h"

namespace quelmar::builder {
namespace {

// Writes the line into a file of its own and reads back every polyline's points.
std::vector<Line> RoundTrip(const Line& line, const data::Attributes& attributes = {},
                            std::vector<data::Attributes>* read = nullptr,
                            std::vector<data::ObjectKind>* kinds = nullptr) {
  data::DrawingWriter writer(402);
  writer.Extents(-1000000, -900000, 600000, 700000);
  WriteLine(writer, line, attributes, TMapPoint{-1000000, 600000});
  writer.End();
  data::MemorySource source(writer.Bytes());
  data::Drawing drawing;
  data::ReadDrawing(source, drawing);
  std::vector<Line> lines;
  for (const data::DrawObject& object : drawing.Objects()) {
    lines.push_back(data::PolylinePoints(object));
    if (read) read->push_back(object.As<data::Polyline>()->Attr);
    if (kinds) kinds->push_back(object.Kind);
  }
  return lines;
}

TEST(WriteLine, ReadsBackTheSamePoints) {
  struct Case {
    const char* what;
    Line line;
    data::ObjectKind kind;
  };
  const Case cases[] = {
      {"short steps", {{-999000, 610000}, {-998990, 610005}, {-998900, 610000}}, data::ObjectKind::Polyline14},
      {"16-bit steps", {{-999000, 610000}, {-990000, 611000}}, data::ObjectKind::Polyline13},
      {"absolute start far from the base", {{-500000, 100000}, {-499999, 100001}}, data::ObjectKind::Polyline14},
  };
  for (const Case& c : cases) {
    std::vector<data::ObjectKind> kinds;
    const auto lines = RoundTrip(c.line, {}, nullptr, &kinds);
    ASSERT_EQ(lines.size(), 1u) << c.what;
    EXPECT_EQ(lines[0], c.line) << c.what;
    EXPECT_EQ(kinds[0], c.kind) << c.what;
  }
}

TEST(WriteLine, BreaksLongStepsAndLongLines) {
  // A step of 100,000 units does not fit 16 bits: it is cut into equal parts.
  const Line far{{-999000, 610000}, {-899000, 610000}};
  const auto broken = RoundTrip(far);
  ASSERT_EQ(broken.size(), 1u);
  EXPECT_EQ(broken[0].front(), far.front());
  EXPECT_EQ(broken[0].back(), far.back());
  EXPECT_GT(broken[0].size(), 2u);

  Line longLine;
  for (int i = 0; i < 7000; ++i) longLine.push_back({-999000 + i, 610000 + (i % 2)});
  const auto pieces = RoundTrip(longLine);
  ASSERT_EQ(pieces.size(), 3u);
  Line joined = pieces[0];
  for (std::size_t p = 1; p < pieces.size(); ++p) {
    EXPECT_EQ(pieces[p].front(), joined.back());
    joined.insert(joined.end(), pieces[p].begin() + 1, pieces[p].end());
  }
  EXPECT_EQ(joined, longLine);
}

TEST(WriteLine, StoresAttributesInTheSmallestCoding) {
  struct Case {
    data::Attributes attributes;
    data::AttributeCoding coding;
  };
  const Case cases[] = {
      {{}, data::AttributeCoding::None},
      {{1000, 98, 1}, data::AttributeCoding::Packed},
      {{1000, 2000, 2}, data::AttributeCoding::Short},
      {{120000, 98, 3}, data::AttributeCoding::Long},
      {{17, 0, 0}, data::AttributeCoding::Packed},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SmallestCoding(c.attributes), c.coding) << c.attributes.Low;
    std::vector<data::Attributes> read;
    RoundTrip({{-999000, 610000}, {-998990, 610005}}, c.attributes, &read);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0], c.attributes);
  }
}

}  // namespace
}  // namespace quelmar::builder
