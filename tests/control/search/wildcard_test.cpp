#include "control/search/wildcard.h"

#include <gtest/gtest.h>

#include <string>

#include "hostile_texts.h"

namespace quelmar::search {
namespace {

TEST(WildcardMatch, PrefixesQuestionMarksAndAFinalStar) {
  struct Case {
    std::string candidate;
    std::string pattern;
    bool matches;
  };
  const Case cases[] = {
      {"CHICAGO", "CHI", true},
      {"CHICAGO", "CHI*", true},
      {"CHICAGO", "C?ICAGO", true},
      {"CHICAGO", "CHICAGO", true},
      {"CHICAGO", "CHX", false},
      {"CHICAGO", "CH*GO", false},  // a star ends the comparison: what follows must be blank
      {"CHICAGO", "CH* ", true},
      {"chicago", "CHI", false},
      {"CHI", "CHICAGO", false},
      {"CHI", "CHI   ", true},  // the candidate is padded with blanks
      {"CHICAGO:COOK", "CHICAGO ", true},  // read up to its first ":"
      {"CHICAGO:COOK", "CHICAGO:", false},
      {"ABC", "", true},
      {"", "*", true},
      {"", "?", true},
      {"60614", "606??", true},
      {"60614", "606*", true},
      {"60714", "606*", false},
      {"60614", "?????", true},
      {"60614", "??????", true},
      // patterns longer than the 40 padded characters
      {std::string(50, 'A'), std::string(50, 'A'), true},
      {std::string(30, 'A'), std::string(30, 'A') + std::string(20, ' '), true},
      {std::string(50, 'A'), std::string(49, 'A') + "B", false},
      {"", std::string(255, '?'), true},
      {std::string(255, 'A'), std::string(254, 'A') + "*", true},
  };
  for (const Case& c : cases) EXPECT_EQ(WildcardMatch(c.candidate, c.pattern), c.matches) << c.candidate << " / " << c.pattern;
}

TEST(WildcardMask, CopiesThePatternsWildcardsIntoTheCandidate) {
  struct Case {
    std::string candidate;
    std::string pattern;
    std::string mask;
  };
  const Case cases[] = {
      {"60614", "606*", "606*"},
      {"60614", "6?6", "6?6"},
      {"ABCDE", "A*C?E", "A* ? "},
      {"AB", "ABCD", "AB  "},
      {"AB:CD", "?????", "?????"},
      {"ABC", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(WildcardMask(c.candidate, c.pattern), c.mask) << c.candidate << " / " << c.pattern;
}

TEST(WildcardMatch, HostileTexts) {
  const std::string texts[] = {"", "*", "?", std::string(255, '*'), std::string(255, '?'), std::string(300, 'A'), ":::"};
  for (const std::string& candidate : testing::HostileTexts()) {
    for (const std::string& pattern : texts) {
      EXPECT_LE(WildcardMask(candidate, pattern).Length(), ShortString(pattern).Length());
      WildcardMatch(pattern, candidate);
    }
  }
}

}  // namespace
}  // namespace quelmar::search
