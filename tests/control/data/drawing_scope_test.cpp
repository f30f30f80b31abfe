// The scope rules that walkers of a drawing follow in number order.
#include "control/data/drawing_scope.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/data/drawing_test_support.h"
#include "control/data/drawing_writer.h"

namespace quelmar::data {
namespace {

using testing::Finished;
using testing::kBase;
using testing::StartedWriter;

// The current name after each object, "" for none.
std::vector<std::string> NamesInScope(const Drawing& drawing) {
  DrawingScope scope(drawing);
  std::vector<std::string> names;
  for (std::int32_t n = 1; n <= drawing.Count(); ++n) {
    scope.Enter(n);
    names.push_back(scope.Name() != nullptr ? scope.Name()->Packed : "");
  }
  return names;
}

TEST(DrawingScope, ANameRefNamesWhatFollowsUntilTheNextNameRefGroupMarkOrBlock) {
  DrawingWriter w = StartedWriter();
  w.NameString("OAK");                  // 1
  w.NameString("ELM");                  // 2
  w.NameRef(1);                         // 3
  w.Segment(AttributeCoding::None, PointCoding::Absolute, {kBase, 1, 1, {}});  // 4
  w.IndexList({});                      // 5: does not end a name
  w.NameRef(2);                         // 6
  w.Label(0x57, kBase, "X");            // 7
  w.GroupMark();                        // 8
  w.Segment(AttributeCoding::None, PointCoding::Absolute, {kBase, 1, 1, {}});  // 9
  w.NameRef(1);                         // 10
  w.Block(1, 1, 1, 1, 1, 2);            // 11: a BlockObject
  w.NameRef(2);                         // 12
  w.Block(1, 0, 0, 0, 0, 1);            // 13: a GroupMark
  const Drawing drawing = testing::Read(Finished(w));
  EXPECT_EQ(NamesInScope(drawing), (std::vector<std::string>{"", "", "OAK", "OAK", "OAK", "ELM", "ELM", "", "",
                                                              "OAK", "", "ELM", ""}));
}

TEST(DrawingScope, TheLastIndexListIsCurrent) {
  DrawingWriter w = StartedWriter();
  w.IndexList(std::vector<std::int32_t>{60601});
  w.GroupMark();
  w.IndexList(std::vector<std::int32_t>{46001, 46002});
  const Drawing drawing = testing::Read(Finished(w));
  DrawingScope scope(drawing);
  scope.Enter(1);
  scope.Enter(2);
  EXPECT_EQ(scope.IndexValue(1), 60601) << "a group mark keeps the list";
  scope.Enter(3);
  EXPECT_EQ(scope.IndexValue(1), 46001);
  EXPECT_EQ(scope.IndexValue(2), 46002);
  ASSERT_NE(scope.CurrentIndexList(), nullptr);
  EXPECT_EQ(scope.CurrentIndexList()->Values.size(), 2u);
}

TEST(DrawingScope, HiddenLabelsNameTheStateCountyDivisionAndPlace) {
  DrawingWriter w = StartedWriter();
  const std::pair<std::uint8_t, const char*> labels[] = {
      {2, "IL"}, {5, "COOK"}, {6, "CHICAGO CITY"}, {7, "CHICAGO"}, {8, "IGNORED"}};
  for (const auto& [code, text] : labels) {
    w.FeatureCode(code);
    w.Label(0x57, {0, 600000}, text);
  }
  w.FeatureCode(7);
  w.Label(0x57, {kBase.X, 600000}, "SHOWN");  // a visible label names nothing
  w.Extents(-100, 100, kBase.Y, kBase.Y + 1);
  w.FeatureCode(2);
  w.Label(0x17, {0, kBase.Y}, "WI");  // x = 0 through a relative point
  const Drawing drawing = testing::Read(Finished(w));
  DrawingScope scope(drawing);
  for (std::int32_t n = 1; n <= drawing.Count(); ++n) scope.Enter(n);
  EXPECT_EQ(scope.State(), "WI");
  EXPECT_EQ(scope.County(), "COOK");
  EXPECT_EQ(scope.MinorCivilDivision(), "CHICAGO CITY");
  EXPECT_EQ(scope.Place(), "CHICAGO");
}

TEST(DrawingScope, NumbersOutsideTheDrawingChangeNothing) {
  DrawingWriter w = StartedWriter();
  w.NameString("OAK");
  w.NameRef(1);
  const Drawing drawing = testing::Read(Finished(w));
  DrawingScope scope(drawing);
  scope.Enter(2);
  scope.Enter(0);
  scope.Enter(3);
  scope.Enter(-1);
  ASSERT_NE(scope.Name(), nullptr);
  EXPECT_EQ(scope.Name()->Packed, "OAK");
}

}  // namespace
}  // namespace quelmar::data
