// Packed name text: the code tables' shape and the fixed word codes, the
// decoding steps with their escapes and caps, and decoding of arbitrary and
// truncated bytes staying within its limits.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>

#include "control/data/drawing_text.h"
#include "control/data/name_codes.h"
#include "control/data/name_unpack.h"

namespace quelmar::data {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string text;
  for (int v : values) text.push_back(static_cast<char>(v));
  return text;
}

std::string Code(int code) { return std::string(1, static_cast<char>(code)); }

TEST(NameCodes, TablesHaveTheirShape) {
  std::set<std::string_view> words;
  for (int code = 1; code <= kWordCodeCount; ++code) {
    const std::string_view word = WordOfCode(code);
    EXPECT_GE(word.size(), 1u) << code;
    EXPECT_LE(word.size(), kMaxWordLength) << code;
    for (char c : word) EXPECT_GE(static_cast<std::uint8_t>(c), 32) << code;  // inserted words hold no codes
    EXPECT_TRUE(words.insert(word).second) << code;
    // Route prefixes start a part and end in the character before the number;
    // street types are a blank and a word.
    if (IsRoutePrefixWordCode(code)) {
      EXPECT_NE(word.front(), ' ') << code;
    } else {
      EXPECT_EQ(word.front(), ' ') << code;
      EXPECT_NE(word.back(), ' ') << code;
    }
  }
  std::set<std::string_view> pairs;
  for (int entry = 1; entry <= kPairCodeCount; ++entry) {
    EXPECT_EQ(PairEntry(entry).size(), 2u) << entry;
    EXPECT_TRUE(pairs.insert(PairEntry(entry)).second) << entry;
  }
  std::set<std::string_view> longWords;
  for (int entry = 1; entry <= kLongWordCount; ++entry) {
    const std::string_view word = LongWordEntry(entry);
    ASSERT_GE(word.size(), 2u) << entry;
    EXPECT_LE(word.size(), kMaxLongWordLength) << entry;
    EXPECT_TRUE(word[0] >= 'A' && word[0] <= 'Z') << word;  // title case, as labels are written
    for (char c : word.substr(1)) EXPECT_TRUE(c >= 'a' && c <= 'z') << word;
    EXPECT_TRUE(longWords.insert(word).second) << word;
  }
  for (int outside : {0, -1, 1000}) {
    EXPECT_EQ(WordOfCode(outside), "") << outside;
    EXPECT_EQ(PairEntry(outside), "") << outside;
    EXPECT_EQ(LongWordEntry(outside), "") << outside;
  }
  EXPECT_EQ(WordOfCode(kWordCodeCount + 1), "");
  EXPECT_EQ(PairEntry(kPairCodeCount + 1), "");
  EXPECT_EQ(LongWordEntry(kLongWordCount + 1), "");
}

TEST(NameCodes, FixedWordCodes) {
  EXPECT_EQ(WordOfCode(kInterstateWordCode), "I-");
  EXPECT_EQ(WordOfCode(kUsHighwayWordCode), "US HWY ");
  EXPECT_EQ(WordOfCode(kCountyRoadWordCode), "CRD ");
  EXPECT_EQ(WordOfCode(kCarreteraWordCode), "CARR ");
  EXPECT_EQ(WordOfCode(kKeptSuffixWordCode), " HWY");
  EXPECT_EQ(WordOfCode(kFreewayNameWordCode), " EXPY");
  for (int code : {17, 18, 19}) EXPECT_TRUE(WordOfCode(code).ends_with(' ')) << code;
  for (int code = 1; code <= kWordCodeCount; ++code) {
    EXPECT_EQ(IsRoutePrefixWordCode(code), (code >= 15 && code <= 20) || code == 27) << code;
    EXPECT_EQ(IsHiddenStreetTypeCode(code), code != 15 && code != 25) << code;
  }
  EXPECT_FALSE(IsHiddenStreetTypeCode(0));
  EXPECT_FALSE(IsHiddenStreetTypeCode(32));
}

struct DecodeCase {
  std::string input;
  std::string expected;
};

TEST(NameUnpack, PairStep) {
  const std::string first(PairEntry(1));
  const std::string last(PairEntry(kPairCodeCount));
  const DecodeCase cases[] = {
      {"", ""},
      {"OAK", "OAK"},
      {Bytes({128}), first},
      {Bytes({255}), last},
      {"A" + Bytes({128}) + "B" + Bytes({255}), "A" + first + "B" + last},
      {Bytes({127, 128}), Bytes({128})},             // an escaped pair byte is a character
      {Bytes({127, 127}), Bytes({127})},
      {Bytes({127, 233}), Bytes({233})},
      {Bytes({127, 5}) + "X", Bytes({5}) + "X"},     // word codes pass this step
      {Code(15) + "94", Code(15) + "94"},
      {"AB" + Bytes({127}), "AB"},                   // an escape as the last byte is dropped
      {Bytes({127}), ""},
      {std::string("A\0B", 3), std::string("A\0B", 3)},
  };
  for (const DecodeCase& c : cases) EXPECT_EQ(UnpackPairs(c.input), c.expected) << QuotedText(c.input);
}

TEST(NameUnpack, PairStepIsCutAt128Characters) {
  EXPECT_EQ(UnpackPairs(std::string(100, static_cast<char>(128))).size(), kMaxPairTextLength);
  // A pair that straddles the limit keeps its first character.
  const std::string text = UnpackPairs(std::string(127, 'A') + Bytes({255}));
  ASSERT_EQ(text.size(), kMaxPairTextLength);
  EXPECT_EQ(text.back(), PairEntry(kPairCodeCount)[0]);
  EXPECT_EQ(UnpackPairs(std::string(300, 'A')), std::string(128, 'A'));
}

TEST(NameUnpack, WordStep) {
  const DecodeCase cases[] = {
      {Code(15) + "94", "I-94"},
      {Code(16) + "41", "US HWY 41"},
      {Code(15) + "90/" + Code(15) + "94", "I-90/I-94"},
      {"MAIN" + Code(1), "MAIN ST"},
      {Code(1) + Code(2), " ST AVE"},  // the walk goes on right after an inserted word
      {"DAN RYAN" + Code(29), "DAN RYAN EXPY"},
      {"ELM" + Code(31), "ELM ALY"},
      {std::string("A\0B", 3), std::string("A\0B", 3)},  // 0 is not a word code
      {Bytes({32, 127, 200}), Bytes({32, 127, 200})},
  };
  for (const DecodeCase& c : cases) EXPECT_EQ(ExpandWordCodes(c.input), c.expected) << QuotedText(c.input);
  for (int code = 1; code <= kWordCodeCount; ++code) EXPECT_EQ(ExpandWordCodes(Code(code)), WordOfCode(code));
}

TEST(NameUnpack, WordStepIsCutAt80Characters) {
  std::string codes;
  std::string words;
  for (int i = 0; i < 20; ++i) {
    codes += Code(kUsHighwayWordCode);
    words += "US HWY ";
  }
  // 20 words of 7 characters: the 12th keeps 3 of them.
  EXPECT_EQ(ExpandWordCodes(codes), words.substr(0, kMaxNameLength));
  EXPECT_EQ(ExpandWordCodes(std::string(100, 'A')), std::string(80, 'A'));
}

TEST(NameUnpack, LeadingDirectionIsWrittenOut) {
  const std::string st = Code(1);
  const DecodeCase cases[] = {
      {"N OAK" + st, "NORTH OAK ST"},
      {"S OAK", "SOUTH OAK"},
      {"E OAK", "EAST OAK"},
      {"W OAK", "WEST OAK"},
      {"NE OAK", "NE OAK"},
      {"OAK N", "OAK N"},
      {"N", "N"},
      {"N" + st, "NORTH ST"},  // the blank may come from a word
      {"", ""},
  };
  for (const DecodeCase& c : cases) {
    EXPECT_EQ(UnpackName(c.input), c.expected) << QuotedText(c.input);
    EXPECT_EQ(UnpackNameAbbreviated(c.input), ExpandWordCodes(c.input)) << QuotedText(c.input);
  }
  // The letter and blank may come from a pair.
  for (int entry = 1; entry <= kPairCodeCount; ++entry) {
    if (PairEntry(entry) != "N ") continue;
    EXPECT_EQ(UnpackName(Bytes({127 + entry}) + "OAK"), "NORTH OAK");
    EXPECT_EQ(UnpackNameAbbreviated(Bytes({127 + entry}) + "OAK"), "N OAK");
  }
}

TEST(NameUnpack, OnlyTheFirst40StoredBytesCount) {
  EXPECT_EQ(UnpackName(std::string(41, 'A')), std::string(40, 'A'));
  EXPECT_EQ(UnpackNameAbbreviated(std::string(60, 'A')), std::string(40, 'A'));
  // An escape that is byte 40 loses the character after it.
  EXPECT_EQ(UnpackName(std::string(39, 'A') + Bytes({127, 'B'})), std::string(39, 'A'));
  // 40 pair bytes make 80 characters.
  EXPECT_EQ(UnpackNameAbbreviated(std::string(50, static_cast<char>(129))).size(), 80u);
  // The written-out direction is cut at 80 characters too.
  std::string stored = "N ";
  for (int i = 0; i < 11; ++i) stored += Code(kUsHighwayWordCode);
  const std::string name = UnpackName(stored);
  EXPECT_EQ(name.size(), kMaxNameLength);
  EXPECT_TRUE(name.starts_with("NORTH US HWY US HWY")) << name;
}

TEST(NameUnpack, LabelWords) {
  const std::string first(LongWordEntry(1));
  const std::string last(LongWordEntry(kLongWordCount));
  const DecodeCase cases[] = {
      {"", ""},
      {"Chicago O'Hare " + Bytes({129}), "Chicago O'Hare " + first},
      {Bytes({200}), last},
      {Bytes({129, 200}), first + last},
      {Bytes({128, 201, 233, 127, 1, 31}), Bytes({128, 201, 233, 127, 1, 31})},  // other bytes stay
  };
  for (const DecodeCase& c : cases) EXPECT_EQ(UnpackLabelWords(c.input), c.expected) << QuotedText(c.input);
  EXPECT_EQ(UnpackLabelWords(std::string(120, static_cast<char>(129))).size(), kMaxLabelWordsLength);
  EXPECT_EQ(UnpackLabelWords(std::string(300, 'a')).size(), kMaxLabelWordsLength);
}

TEST(NameUnpack, StreetTypeHidden) {
  const DecodeCase cases[] = {
      {"MAIN" + Code(1), "MAIN"},
      {"OAK" + Code(2), "OAK"},
      {"ABC" + Code(29), "ABC"},
      {"ABC" + Code(31), "ABC"},
      {"AB" + Code(1), "AB" + Code(1)},                   // 3 bytes or fewer stay whole
      {"ABC" + Code(15), "ABC" + Code(15)},               // the interstate prefix stays
      {"KAMEHAMEHA" + Code(25), "KAMEHAMEHA" + Code(25)},  // and so does " HWY"
      {std::string("ABC\0", 4), std::string("ABC\0", 4)},
      {"ABC ", "ABC "},
      {"", ""},
  };
  for (const DecodeCase& c : cases) EXPECT_EQ(WithoutStreetType(c.input), c.expected) << QuotedText(c.input);
}

// Any bytes decode within the caps; every truncation of a packed name too.
TEST(NameUnpack, ArbitraryAndTruncatedBytes) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 300);
  for (int round = 0; round < 2000; ++round) {
    std::string stored(static_cast<std::size_t>(length(random)), '\0');
    for (char& c : stored) c = static_cast<char>(byte(random));
    EXPECT_LE(UnpackPairs(stored).size(), kMaxPairTextLength);
    EXPECT_LE(ExpandWordCodes(stored).size(), kMaxNameLength);
    EXPECT_LE(UnpackName(stored).size(), kMaxNameLength);
    EXPECT_LE(UnpackNameAbbreviated(stored).size(), kMaxNameLength);
    EXPECT_LE(UnpackLabelWords(stored).size(), kMaxLabelWordsLength);
    EXPECT_LE(WithoutStreetType(stored).size(), stored.size());
  }
  const std::string packed = Bytes({130, 145, 135, 127, 233, 1, '/', 15, '9', '4', 127});
  for (std::size_t cut = 0; cut <= packed.size(); ++cut) {
    const std::string part = packed.substr(0, cut);
    EXPECT_LE(UnpackName(part).size(), kMaxNameLength);
    EXPECT_LE(UnpackLabelWords(part).size(), kMaxLabelWordsLength);
  }
}

}  // namespace
}  // namespace quelmar::data
