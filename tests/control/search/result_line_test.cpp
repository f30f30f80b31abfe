#include "control/search/result_line.h"

#include <gtest/gtest.h>

#include <string>

#include "hostile_texts.h"

namespace quelmar::search {
namespace {

TEST(ResultField, CountsPiecesBetweenSeparators) {
  struct Case {
    std::string line;
    int n;
    char separator;
    std::string expected;
  };
  const Case cases[] = {
      {"A\tB\t\tD", 1, '\t', "A"},  {"A\tB\t\tD", 2, '\t', "B"}, {"A\tB\t\tD", 3, '\t', ""},
      {"A\tB\t\tD", 4, '\t', "D"},  {"A\tB\t\tD", 5, '\t', ""},  {"A\tB\t\tD", 0, '\t', ""},
      {"A\tB\t\tD", -1, '\t', ""},  {"A,B\tC", 2, ',', "B\tC"},  {"", 1, '\t', ""},
      {"\t", 2, '\t', ""},          {"A\t", 1, '\t', "A"},       {"A\tB", 2147483647, '\t', ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ResultField(c.line, c.n, c.separator), c.expected) << c.line << " #" << c.n;
}

TEST(ReplaceResultField, RebuildsTheLineWithTheSameSeparator) {
  struct Case {
    std::string line;
    int n;
    std::string value;
    char separator;
    std::string expected;
  };
  const Case cases[] = {
      {"A\tB\tC", 2, "X", '\t', "A\tX\tC"},
      {"A\tB\tC", 1, "", '\t', "\tB\tC"},
      {"A\tB\tC", 5, "X", '\t', "A\tB\tC\t\tX"},
      {"A\tB\tC", 0, "X", '\t', "A\tB\tC"},
      {"", 1, "X", '\t', "X"},
      {"", 3, "X", '\t', "\t\tX"},
      {"A,B", 2, "Y", ',', "A,Y"},
      {"A\tB", 2, std::string(300, 'Y'), '\t', "A\t" + std::string(253, 'Y')},
      {"A\tB", 2147483647, "X", '\t', "A\tB" + std::string(252, '\t')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceResultField(c.line, c.n, c.value, c.separator), c.expected) << c.line << " #" << c.n;
  }
}

TEST(ResultLine, HostileTexts) {
  for (const std::string& text : testing::HostileTexts()) {
    for (int n : {1, 2, 255, 256, 1000}) {
      EXPECT_LE(ResultField(text, n).Length(), ShortString(text).Length());
      EXPECT_LE(ReplaceResultField(text, n, text).Length(), ShortString::kMaxLength);
    }
  }
}

}  // namespace
}  // namespace quelmar::search
