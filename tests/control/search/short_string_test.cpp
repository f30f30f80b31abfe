#include "control/search/short_string.h"

#include <gtest/gtest.h>

#include <string>

namespace quelmar::search {
namespace {

TEST(ShortString, HoldsAtMost255Characters) {
  EXPECT_EQ(ShortString(std::string(300, 'A')).Length(), 255);
  EXPECT_EQ(ShortString(std::string(255, 'A')) + "B", ShortString(std::string(255, 'A')));
  EXPECT_EQ(ShortString(std::string(200, 'A')) + ShortString(std::string(200, 'B')),
            ShortString(std::string(200, 'A') + std::string(55, 'B')));
  EXPECT_EQ(ShortString(std::string("A\0B", 3)).Length(), 3);
}

TEST(ShortString, CharactersOutsideTheTextReadAsNulAndIgnoreWrites) {
  ShortString text = "ABC";
  EXPECT_EQ(text.At(1), 'A');
  EXPECT_EQ(text.At(3), 'C');
  EXPECT_EQ(text.Last(), 'C');
  for (int pos : {0, -1, 4, 1000}) {
    EXPECT_EQ(text.At(pos), '\0') << pos;
    text.Set(pos, 'X');
  }
  EXPECT_EQ(text, "ABC");
  text.Set(2, 'x');
  EXPECT_EQ(text, "AxC");
  EXPECT_EQ(ShortString().Last(), '\0');
}

TEST(ShortString, CopyClampsToTheText) {
  struct Case {
    int pos;
    int count;
    const char* expected;
  };
  const Case cases[] = {
      {2, 3, "BCD"}, {1, 5, "ABCDE"}, {0, 2, "AB"}, {-5, 2, "AB"}, {5, 10, "E"},
      {6, 1, ""},    {2, 0, ""},      {2, -1, ""},  {1000, 5, ""}, {1, 2147483647, "ABCDE"},
  };
  const ShortString text = "ABCDE";
  for (const Case& c : cases) EXPECT_EQ(text.Copy(c.pos, c.count), c.expected) << c.pos << "," << c.count;
  EXPECT_EQ(text.From(3), "CDE");
  EXPECT_EQ(text.From(-3), "ABCDE");
}

TEST(ShortString, PosIsOneBasedAndZeroWhenAbsent) {
  struct Case {
    const char* text;
    const char* sub;
    int expected;
  };
  const Case cases[] = {
      {"ABCABC", "CA", 3}, {"ABCABC", "A", 1}, {"ABCABC", "X", 0},
      {"ABC", "", 0},      {"", "", 0},        {"AB", "ABC", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ShortString(c.text).Pos(c.sub), c.expected) << c.text << " / " << c.sub;
  EXPECT_TRUE(ShortString("MAIN ST").Contains(" ST"));
  EXPECT_FALSE(ShortString("MAIN ST").Contains(""));
}

TEST(ShortString, DeleteRemovesOnlyInsideTheText) {
  struct Case {
    int pos;
    int count;
    const char* expected;
  };
  const Case cases[] = {
      {2, 2, "ADE"}, {1, 1, "BCDE"}, {4, 100, "ABC"}, {0, 2, "ABCDE"}, {-1, 2, "ABCDE"},
      {6, 1, "ABCDE"}, {2, 0, "ABCDE"}, {2, -3, "ABCDE"}, {5, 2147483647, "ABCD"},
  };
  for (const Case& c : cases) {
    ShortString text = "ABCDE";
    text.Delete(c.pos, c.count);
    EXPECT_EQ(text, c.expected) << c.pos << "," << c.count;
  }
}

TEST(ShortString, InsertClampsItsPositionAndCutsTheResult) {
  struct Case {
    int pos;
    const char* expected;
  };
  const Case cases[] = {
      {1, "XYABCDE"}, {3, "ABXYCDE"}, {6, "ABCDEXY"}, {0, "XYABCDE"}, {-7, "XYABCDE"}, {100, "ABCDEXY"},
  };
  for (const Case& c : cases) {
    ShortString text = "ABCDE";
    text.Insert("XY", c.pos);
    EXPECT_EQ(text, c.expected) << c.pos;
  }
  ShortString full(std::string(255, 'A'));
  full.Insert("XY", 1);
  EXPECT_EQ(full, ShortString("XY" + std::string(253, 'A')));
  full.Append("Z");
  EXPECT_EQ(full.Length(), 255);
  EXPECT_EQ(full.Last(), 'A');
}

TEST(ShortString, TextHelpers) {
  struct Case {
    std::string text;
    std::string upper, trimmed, reduced, withoutBlanks;
  };
  const Case cases[] = {
      {"", "", "", "", ""},
      {"   ", "   ", "", " ", ""},
      {" a  b ", " A  B ", "a  b", " a b ", "ab"},
      {"az{`\xe9\xc9", "AZ{`\xe9\xc9", "az{`\xe9\xc9", "az{`\xe9\xc9", "az{`\xe9\xc9"},
      {"\ta\t", "\tA\t", "\ta\t", "\ta\t", "\ta\t"},
      {std::string(255, ' '), std::string(255, ' '), "", " ", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UpperCase(c.text), c.upper) << c.text;
    EXPECT_EQ(Trim(c.text), c.trimmed) << c.text;
    EXPECT_EQ(ReduceSpaces(c.text), c.reduced) << c.text;
    EXPECT_EQ(RemoveSpaces(c.text), c.withoutBlanks) << c.text;
  }
}

}  // namespace
}  // namespace quelmar::search
