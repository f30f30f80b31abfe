// Route labels: which name parts are route numbers, and the labels that a
// read with route-label collection appends for the lines those names cover.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/core/errors.h"
#include "control/data/drawing_reader.h"
#include "control/data/drawing_route_labels.h"
#include "control/data/drawing_test_support.h"
#include "control/data/drawing_writer.h"
#include "control/data/feature_code.h"

namespace quelmar::data {
namespace {

using testing::Finished;
using testing::kBase;
using testing::StartedWriter;

// Word codes as they stand in expanded names.
const std::string kInterstate = "\x0F";  // 15
const std::string kUsHighway = "\x10";   // 16
const std::string kMarked = "\x1D";      // 29

ReadDrawingOptions Collecting() {
  ReadDrawingOptions options;
  options.CollectRouteLabels = true;
  return options;
}

std::vector<LabelText> RouteLabels(const Drawing& drawing) {
  std::vector<LabelText> labels;
  for (const DrawObject& object : drawing.Objects()) {
    if (object.Code == kRouteLabelCode) labels.push_back(*object.As<LabelText>());
  }
  return labels;
}

void Line14(DrawingWriter& w, TMapPoint start, std::vector<TMapPoint> vertices) {
  w.Polyline(ObjectKind::Polyline14, AttributeCoding::None, PointCoding::Absolute, {}, start, vertices);
}

TEST(RouteLabels, WhichPartsAreRouteNumbers) {
  struct Case {
    std::string part;
    bool route;
  };
  const Case cases[] = {
      {kInterstate + "90", true}, {"\x14" "5", true},    {"\x1B" "1", true},  {"\x11 9", true},
      {"\x0E" "12", false},       {"\x15" "3", false},   {"A-1", true},       {"C-3", true},
      {"H-201", true},            {"B-1", false},        {"A1", false},       {"MAIN-A", false},
      {"CARRETERA 15", true},     {"CARRETER 15", false}, {"MAIN ST", false}, {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsRouteNumber(c.part), c.route) << QuotedText(c.part);
}

TEST(RouteLabels, RouteNumbersOfAName) {
  RouteNameRules plain;
  EXPECT_EQ(RouteNumbersOf("N " + kUsHighway + "66/MAIN ST/" + kInterstate + "90", plain),
            (std::vector<std::string>{kUsHighway + "66", kInterstate + "90"}))
      << "a leading direction letter and its blank go";
  EXPECT_EQ(RouteNumbersOf("X " + kUsHighway + "1/E" + kUsHighway + "2", plain),
            (std::vector<std::string>{"X " + kUsHighway + "1", "E" + kUsHighway + "2"}));
  EXPECT_EQ(RouteNumbersOf(kUsHighway + std::string(60, '7'), plain),
            (std::vector<std::string>{kUsHighway + std::string(39, '7')}));

  RouteNameRules rules;
  rules.Normalize = [](std::string_view part) { return std::string(part) + " HWY"; };
  EXPECT_EQ(RouteNumbersOf("S A-3", rules), (std::vector<std::string>{"A-3 HWY"})) << "normalised after the strip";
}

TEST(RouteLabels, ALabelPerRouteNumberOnEachLineTheNameCovers) {
  DrawingWriter w = StartedWriter();  // feature code 41: "Roads:"
  w.NameString(kInterstate + "90/" + kUsHighway + "20");
  w.NameRef(1);
  Line14(w, kBase, {{kBase.X + 1, kBase.Y}, {kBase.X + 3, kBase.Y}, {kBase.X + 6, kBase.Y}, {kBase.X + 10, kBase.Y}});
  w.Segment(AttributeCoding::None, PointCoding::Absolute, {kBase, 11, -11, {}});
  w.FeatureCode(77);  // A42: "Streets" get no labels
  Line14(w, kBase, {{kBase.X + 1, kBase.Y}});
  w.FeatureCode(kStreetsLayer);
  Line14(w, kBase, {{kBase.X + 1, kBase.Y}});
  w.FeatureCode(3);  // a layer code stays as it is
  w.Polyline(ObjectKind::Polyline15, AttributeCoding::None, PointCoding::Absolute, {}, kBase,
             std::vector<TMapPoint>{{kBase.X + 1, kBase.Y}, {kBase.X + 2, kBase.Y}, {kBase.X + 3, kBase.Y},
                                    {kBase.X + 4, kBase.Y}});
  w.GroupMark();  // ends the route numbers
  Line14(w, kBase, {{kBase.X + 1, kBase.Y}});
  w.FeatureCode(41);
  w.NameString(kUsHighway + "12");
  w.NameRef(w.Objects() - w.SectionBase());
  w.Label(0x57, kBase, "NOT A LINE");
  w.Inert(AttributeCoding::None, PointCoding::Absolute, {kBase, 1, 1, {}});
  w.Segment16(AttributeCoding::None, PointCoding::Absolute, {kBase, 1, 1, {}});
  w.Polyline(ObjectKind::Polyline13, AttributeCoding::None, PointCoding::Absolute, {}, kBase,
             std::vector<TMapPoint>{{kBase.X + 100, kBase.Y}, {kBase.X + 200, kBase.Y}, {kBase.X + 300, kBase.Y}});
  const Drawing drawing = testing::Read(Finished(w), Collecting());

  const std::vector<LabelText> expected = {
      {13, {kBase.X + 3, kBase.Y}, kInterstate + "90"},  // kind 14, count 4: vertex 2
      {13, {kBase.X + 3, kBase.Y}, kUsHighway + "20"},
      {13, {kBase.X + 5, kBase.Y - 5}, kInterstate + "90"},  // the segment's anchor
      {13, {kBase.X + 5, kBase.Y - 5}, kUsHighway + "20"},
      {3, {kBase.X + 1, kBase.Y}, kInterstate + "90"},  // kind 15, count 5: one step after the bias
      {3, {kBase.X + 1, kBase.Y}, kUsHighway + "20"},
      {13, {kBase.X + 100, kBase.Y}, kUsHighway + "12"},  // kind 13, count 3: vertex 1
  };
  EXPECT_EQ(RouteLabels(drawing), expected);
  EXPECT_EQ(drawing.Objects().back().Kind, ObjectKind::LabelText);
  EXPECT_EQ(drawing.Count() - static_cast<std::int32_t>(expected.size()), w.Objects()) << "labels come last";
}

TEST(RouteLabels, AMarkedNameTurnsRoadsIntoHighways) {
  DrawingWriter w = StartedWriter();  // code 41 draws on "Roads:"
  w.NameString(kMarked + kInterstate + "55");
  w.NameRef(1);
  Line14(w, kBase, {{kBase.X + 2, kBase.Y}});
  w.Segment(AttributeCoding::None, PointCoding::Absolute, {kBase, 2, 0, {}});  // segments keep their code
  w.FeatureCode(kRoadsLayer);
  Line14(w, kBase, {{kBase.X + 2, kBase.Y}});
  w.FeatureCode(100);  // B00: railroads stay
  Line14(w, kBase, {{kBase.X + 2, kBase.Y}});
  w.GroupMark();
  w.FeatureCode(41);
  Line14(w, kBase, {{kBase.X + 2, kBase.Y}});
  const std::vector<std::uint8_t> bytes = Finished(w);

  const Drawing drawing = testing::Read(bytes, Collecting());
  std::vector<int> codes;
  for (const DrawObject& object : drawing.Objects()) {
    if (object.Kind != ObjectKind::LabelText) codes.push_back(object.Code);
  }
  EXPECT_EQ(codes, (std::vector<int>{41, 41, kHighwayCode, 41, kHighwayCode, 100, 100, 41}))
      << "the group mark takes code 100 before the code returns to 41";
  std::vector<int> layers;
  for (const LabelText& label : RouteLabels(drawing)) layers.push_back(label.RouteLayer);
  EXPECT_EQ(layers, (std::vector<int>{9, 13, 9, 17}));

  const Drawing plain = testing::Read(bytes);
  EXPECT_TRUE(RouteLabels(plain).empty()) << "without collection nothing is added";
  EXPECT_EQ(plain.ObjectAt(3)->Code, 41) << "and no code changes";
}

TEST(RouteLabels, LabelTextsAreCutTo20Characters) {
  DrawingWriter w = StartedWriter();
  w.NameString(kUsHighway + std::string(30, '8'));
  w.NameRef(1);
  Line14(w, kBase, {});
  const Drawing drawing = testing::Read(Finished(w), Collecting());
  ASSERT_EQ(RouteLabels(drawing).size(), 1u);
  EXPECT_EQ(RouteLabels(drawing)[0].Text, kUsHighway + std::string(19, '8'));
}

TEST(RouteLabels, NamesAreExpandedBeforeTheyAreSplit) {
  DrawingWriter w = StartedWriter();
  w.NameString("#66/#12");
  w.NameRef(1);
  Line14(w, kBase, {});
  ReadDrawingOptions options = Collecting();
  options.RouteNames.Expand = [](std::string_view packed) {
    std::string text;
    for (const char c : packed) text += c == '#' ? kUsHighway : std::string(1, c);
    return text;
  };
  const Drawing drawing = testing::Read(Finished(w), options);
  ASSERT_EQ(RouteLabels(drawing).size(), 2u);
  EXPECT_EQ(RouteLabels(drawing)[1].Text, kUsHighway + "12");
}

TEST(RouteLabels, AtMost20000AnchorsAndALineAddsAllOrNone) {
  DrawingWriter w = StartedWriter();
  w.NameString(kInterstate + "1/" + kInterstate + "2/" + kInterstate + "3");
  w.NameRef(1);
  for (int i = 0; i < 6667; ++i) Line14(w, kBase, {});  // 6666 × 3 = 19998 fit; the last would make 20001
  w.NameString(kInterstate + "4");
  w.NameRef(w.Objects() - w.SectionBase());
  Line14(w, kBase, {});  // one more fits
  Line14(w, kBase, {});
  Line14(w, kBase, {});
  const Drawing drawing = testing::Read(Finished(w), Collecting());
  const std::vector<LabelText> labels = RouteLabels(drawing);
  ASSERT_EQ(labels.size(), RouteLabelCollector::kMaxAnchors);
  EXPECT_EQ(labels[19997].Text, kInterstate + "3");
  EXPECT_EQ(labels[19998].Text, kInterstate + "4");
  EXPECT_EQ(labels[19999].Text, kInterstate + "4");
}

TEST(RouteLabels, CollectedLabelsAreAppendedWhenTheReadFails) {
  DrawingWriter w = StartedWriter();
  w.NameString(kInterstate + "80");
  w.NameRef(1);
  Line14(w, kBase, {});
  w.Raw(std::vector<std::uint8_t>{0x0C});  // an invalid opcode
  const std::vector<std::uint8_t> bytes = w.Bytes();
  MemorySource source(bytes);
  Drawing drawing;
  EXPECT_THROW(ReadDrawing(source, drawing, Collecting()), DataError);
  ASSERT_EQ(RouteLabels(drawing).size(), 1u);
  EXPECT_EQ(RouteLabels(drawing)[0].Text, kInterstate + "80");
}

}  // namespace
}  // namespace quelmar::data
