// Name packing: route prefixes and street types become word codes where they
// may, the rest packs into pairs, real and hostile names come back unchanged
// (or cleaned and cut to the stored limits), and label texts keep their long
// words in one byte each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "control/data/draw_object.h"
#include "control/data/drawing_text.h"
#include "control/data/name_codes.h"
#include "control/data/name_unpack.h"
#include "tools/quelmar-data/builder/name_packer.h"

namespace quelmar::builder {
namespace {

using data::QuotedText;

std::string Code(int code) { return std::string(1, static_cast<char>(code)); }

std::string PairByte(std::string_view pair) {
  for (int entry = 1; entry <= data::kPairCodeCount; ++entry) {
    if (data::PairEntry(entry) == pair) return Code(data::kFirstPairByte + entry - 1);
  }
  ADD_FAILURE() << "no pair " << pair;
  return {};
}

// What every packed street name must satisfy, whatever the input.
void ExpectStoredStreetName(std::string_view plain, const PackedText& packed) {
  const std::string quoted = QuotedText(plain);
  EXPECT_LE(packed.Bytes.size(), data::kMaxStoredNameBytes) << quoted;
  EXPECT_LE(packed.Text.size(), data::kMaxNameLength) << quoted;
  EXPECT_EQ(data::UnpackNameAbbreviated(packed.Bytes), packed.Text) << quoted;
  EXPECT_TRUE(packed.Cut || packed.Replaced || packed.Text == plain) << quoted;
  EXPECT_TRUE(packed.Replaced || plain.starts_with(packed.Text)) << quoted;
  EXPECT_EQ(PackStreetName(plain).Bytes, packed.Bytes) << quoted;  // deterministic
}

void ExpectStoredLabelText(std::string_view plain, const PackedText& packed) {
  const std::string quoted = QuotedText(plain);
  EXPECT_LE(packed.Bytes.size(), data::kMaxLabelTextLength) << quoted;
  EXPECT_LE(packed.Text.size(), data::kMaxLabelWordsLength) << quoted;
  EXPECT_EQ(data::UnpackLabelWords(packed.Bytes), packed.Text) << quoted;
  EXPECT_TRUE(packed.Cut || packed.Replaced || packed.Text == plain) << quoted;
  EXPECT_TRUE(packed.Replaced || plain.starts_with(packed.Text)) << quoted;
}

TEST(NamePacker, RouteNames) {
  struct Case {
    std::string plain;
    std::string stored;
  };
  const Case cases[] = {
      {"I-94", Code(15) + "94"},
      {"US HWY 41", Code(16) + "41"},
      {"I-90/I-94", Code(15) + "90/" + Code(15) + "94"},
      {"SR 53", Code(17) + "53"},
      {"SRD 5", Code(18) + "5"},
      {"STH 32", Code(19) + "32"},
      {"CRD 12", Code(20) + "12"},
      {"CARR 15", Code(27) + "15"},
      {"CRD J", Code(20) + "J"},
  };
  for (const Case& c : cases) {
    const PackedText packed = PackStreetName(c.plain);
    EXPECT_EQ(packed.Bytes, c.stored) << c.plain;
    ExpectStoredStreetName(c.plain, packed);
  }
}

// The text between the pair step and the word step shows where word codes went.
TEST(NamePacker, WordCodesOnlyWhereTheyBelong) {
  struct Case {
    std::string plain;
    std::string withCodes;
  };
  const Case cases[] = {
      {"MAIN ST", "MAIN" + Code(1)},
      {"ST CHARLES AVE", "ST CHARLES" + Code(2)},  // a type word only ends a part
      {"OAK ST/ELM AVE", "OAK" + Code(1) + "/ELM" + Code(2)},
      {"KAMEHAMEHA HWY", "KAMEHAMEHA" + Code(25)},
      {"DAN RYAN EXPY", "DAN RYAN" + Code(29)},
      {"US HWY 12 HWY", Code(16) + "12" + Code(25)},
      {"SRD ST", Code(18) + "ST"},  // the type word would overlap the prefix
      {" ST", Code(1)},
      {"ST", "ST"},
      {"MAIN STREET", "MAIN STREET"},
      {"MAIN ST ", "MAIN ST "},
      {"I-", "I-"},                   // a prefix needs a route number after it
      {"I- 94", "I- 94"},
      {"US HWY", "US" + Code(25)},    // without a number it is a type word
      {"US HWY  41", "US HWY  41"},
      {"XI-94", "XI-94"},             // a prefix only starts a part
      {"N I-94", "N I-94"},
      {"OLD US HWY 41/I-94", "OLD US HWY 41/" + Code(15) + "94"},
      {"Main St", "Main St"},         // the words are stored in capitals
  };
  for (const Case& c : cases) {
    const PackedText packed = PackStreetName(c.plain);
    EXPECT_EQ(data::UnpackPairs(packed.Bytes), c.withCodes) << c.plain;
    ExpectStoredStreetName(c.plain, packed);
  }
}

TEST(NamePacker, PairsAndEscapes) {
  EXPECT_EQ(PackStreetName("N MAIN ST").Bytes, PairByte("N ") + PairByte("MA") + PairByte("IN") + Code(1));
  // Bytes of 127 and above are escaped; they never join a pair.
  const std::string accented = "CA\xD1ON";
  EXPECT_EQ(PackStreetName(accented).Bytes, PairByte("CA") + "\x7F\xD1" + PairByte("ON"));
  EXPECT_EQ(PackStreetName("\x7F").Bytes, "\x7F\x7F");
  // A street type at the end stays a byte of its own, so the map can hide it.
  const PackedText packed = PackStreetName("HOWARD ST");
  EXPECT_EQ(data::WithoutStreetType(packed.Bytes), packed.Bytes.substr(0, packed.Bytes.size() - 1));
  EXPECT_EQ(data::UnpackName(data::WithoutStreetType(packed.Bytes)), "HOWARD");
}

// Stored form as the builder writes it: capitals, the common types short.
std::string StoredForm(std::string name) {
  static const std::map<std::string, std::string> kTypes = {
      {"STREET", "ST"}, {"AVENUE", "AVE"}, {"DRIVE", "DR"}, {"ROAD", "RD"},
      {"COURT", "CT"},  {"PLACE", "PL"},   {"LANE", "LN"},  {"BOULEVARD", "BLVD"},
  };
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  const std::size_t blank = name.rfind(' ');
  if (blank != std::string::npos) {
    const auto type = kTypes.find(name.substr(blank + 1));
    if (type != kTypes.end()) name = name.substr(0, blank + 1) + type->second;
  }
  return name;
}

TEST(NamePacker, RealStreetNamesComeBack) {
  const char* sourceDir = std::getenv("QUELMAR_TEST_SOURCE_DIR");
  if (sourceDir == nullptr) GTEST_SKIP() << "QUELMAR_TEST_SOURCE_DIR is not set";
  const std::filesystem::path path = std::filesystem::path(sourceDir) / ".." / "shared" / "testdata" / "streets" /
                                     "three-rivers-mi.intro_graph.json";
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::set<std::string> names;
  const nlohmann::json graph = nlohmann::json::parse(in);
  for (const auto& [id, entity] : graph.items()) {
    if (!entity.contains("tags")) continue;
    const nlohmann::json& tags = entity["tags"];
    if (tags.contains("highway") && tags.contains("name")) names.insert(tags["name"].get<std::string>());
  }
  ASSERT_GT(names.size(), 50u);
  std::size_t plainSize = 0;
  std::size_t storedSize = 0;
  for (const std::string& name : names) {
    for (const std::string& plain : {name, StoredForm(name)}) {
      const PackedText packed = PackStreetName(plain);
      ExpectStoredStreetName(plain, packed);
      EXPECT_FALSE(packed.Cut || packed.Replaced) << plain;
    }
    const std::string stored = StoredForm(name);
    const PackedText packed = PackStreetName(stored);
    plainSize += stored.size();
    storedSize += packed.Bytes.size();
    if (stored.ends_with(" ST") || stored.ends_with(" AVE") || stored.ends_with(" DR")) {
      EXPECT_TRUE(data::IsHiddenStreetTypeCode(static_cast<std::uint8_t>(packed.Bytes.back()))) << stored;
    }
  }
  // Street types and letter pairs take well under two thirds of the text.
  EXPECT_LT(storedSize * 3, plainSize * 2) << storedSize << " of " << plainSize;
}

TEST(NamePacker, LongNamesAreCutAtWords) {
  const std::string words = "alpha bravo charlie delta echo foxtrot golf hotel india juliett kilo lima";
  PackedText packed = PackStreetName(words);  // 73 characters, none in pairs
  EXPECT_TRUE(packed.Cut);
  EXPECT_EQ(packed.Text, "alpha bravo charlie delta echo foxtrot");
  ExpectStoredStreetName(words, packed);

  const std::string routes = "I-90/I-94/I-290/US HWY 12/US HWY 20/US HWY 41/SR 53/SR 54/SR 55/SR 56/SR 57";
  packed = PackStreetName(routes);
  EXPECT_TRUE(packed.Cut);
  EXPECT_EQ(packed.Text, "I-90/I-94/I-290/US HWY 12/US HWY 20/US HWY 41/SR 53/SR 54/SR 55/SR 56");
  ExpectStoredStreetName(routes, packed);

  // At most 80 characters, even where pairs would fit more into 40 bytes.
  std::string pairs;
  for (int i = 0; i < 41; ++i) pairs += "TH";
  packed = PackStreetName(pairs);
  EXPECT_EQ(packed.Text, pairs.substr(0, 80));
  EXPECT_EQ(packed.Bytes.size(), 40u);
  ExpectStoredStreetName(pairs, packed);
  const std::string exactly80 = std::string(40, 'T') + " " + std::string(39, 'T') + " TT";
  packed = PackStreetName(exactly80);
  EXPECT_EQ(packed.Text, exactly80.substr(0, 80));
  ExpectStoredStreetName(exactly80, packed);

  // One word too long loses characters; an escape never straddles the limit.
  const std::string oneWord(255, 'q');
  packed = PackStreetName(oneWord);
  EXPECT_EQ(packed.Text, std::string(40, 'q'));
  ExpectStoredStreetName(oneWord, packed);
  const std::string escapedLast = std::string(39, 'q') + "\xE9";
  packed = PackStreetName(escapedLast);
  EXPECT_EQ(packed.Text, std::string(39, 'q'));
  ExpectStoredStreetName(escapedLast, packed);
}

TEST(NamePacker, HostileStreetNames) {
  // Bytes 1..31 would read back as word codes: they become blanks.
  for (int value = 0; value <= 255; ++value) {
    const std::string plain(1, static_cast<char>(value));
    const PackedText packed = PackStreetName(plain);
    const bool control = value >= 1 && value <= 31;
    EXPECT_EQ(packed.Replaced, control) << value;
    EXPECT_EQ(packed.Text, control ? " " : plain) << value;
    ExpectStoredStreetName(plain, packed);
  }
  std::string everyByte;
  for (int value = 0; value <= 255; ++value) everyByte.push_back(static_cast<char>(value));
  for (const std::string& plain : {everyByte, std::string(everyByte.rbegin(), everyByte.rend()),
                                   std::string(255, '\xFF'), std::string(255, ' '), std::string(255, '/'),
                                   std::string(1000, 'A') + " ST", std::string()}) {
    const PackedText packed = PackStreetName(plain);
    ExpectStoredStreetName(plain, packed);
    for (char c : packed.Text) EXPECT_FALSE(c >= 1 && c <= 31);
  }
}

TEST(NamePacker, LabelLongWords) {
  struct Case {
    std::string plain;
    std::string stored;
  };
  auto word = [](std::string_view text) {
    for (int entry = 1; entry <= data::kLongWordCount; ++entry) {
      if (data::LongWordEntry(entry) == text) return Code(data::kFirstLongWordByte + entry - 1);
    }
    ADD_FAILURE() << "no long word " << text;
    return std::string();
  };
  const Case cases[] = {
      {"Chicago O'Hare International", "Chicago O'Hare " + word("International")},
      {"Mountain View", word("Mountain") + " View"},  // the longest word wins
      {"Mount Vernon", word("Mount") + " Vernon"},
      {"Colorado Springs", "Colorado " + word("Springs")},
      {"Lakewood", word("Lake") + "wood"},            // a word may run on
      {"Clearwater Lake", "Clearwater " + word("Lake")},
      {"Blake", "Blake"},                             // but must start a word
      {"LAKE MICHIGAN", "LAKE MICHIGAN"},             // title case only
      {"lake", "lake"},
      {"Fort-Worth", word("Fort") + "-Worth"},
      {"", ""},
  };
  for (const Case& c : cases) {
    const PackedText packed = PackLabelText(c.plain);
    EXPECT_EQ(packed.Bytes, c.stored) << c.plain;
    ExpectStoredLabelText(c.plain, packed);
  }
}

TEST(NamePacker, LabelBytesThatAreLongWordCodes) {
  struct Case {
    int value;
    char replacement;
  };
  const Case cases[] = {{192, 'A'}, {199, 'C'}, {200, 'E'}, {146, '\''}, {150, '-'}, {160, ' '}, {169, '?'},
                        {129, '?'}};
  for (const Case& c : cases) {
    const PackedText packed = PackLabelText(std::string("x") + static_cast<char>(c.value));
    EXPECT_TRUE(packed.Replaced) << c.value;
    EXPECT_EQ(packed.Text, std::string("x") + c.replacement) << c.value;
  }
  for (int value = 0; value <= 255; ++value) {
    const std::string plain(1, static_cast<char>(value));
    const PackedText packed = PackLabelText(plain);
    const bool code = value >= data::kFirstLongWordByte && value <= data::kLastLongWordByte;
    EXPECT_EQ(packed.Replaced, code) << value;
    if (!code) {
      EXPECT_EQ(packed.Bytes, plain) << value;  // every other byte is stored as it is
    }
    ExpectStoredLabelText(plain, packed);
  }
}

TEST(NamePacker, LongLabelsAreCut) {
  std::string lakes;
  for (int i = 0; i < 100; ++i) lakes += "Lake ";
  PackedText packed = PackLabelText(lakes);  // 500 characters
  EXPECT_TRUE(packed.Cut);
  EXPECT_EQ(packed.Text.size(), 254u);  // 51 words, cut before the blank at 255
  ExpectStoredLabelText(lakes, packed);

  const std::string words = std::string(100, 'a') + " " + std::string(30, 'b');
  packed = PackLabelText(words);
  EXPECT_EQ(packed.Text, std::string(100, 'a'));
  ExpectStoredLabelText(words, packed);

  std::string everyByte;
  for (int round = 0; round < 3; ++round) {
    for (int value = 0; value <= 255; ++value) everyByte.push_back(static_cast<char>(value));
  }
  packed = PackLabelText(everyByte);
  ExpectStoredLabelText(everyByte, packed);
  EXPECT_TRUE(packed.Cut && packed.Replaced);
}

}  // namespace
}  // namespace quelmar::builder
