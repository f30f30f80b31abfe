// The CFCC list: equal to the reference table it was made from, its look-ups
// both ways, the resource text, and the layer each code draws on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "control/data/cfcc.h"
#include "control/data/feature_code.h"

namespace quelmar::data {
namespace {

struct ReferenceRow {
  std::string featureCode;
  std::string code;
  std::string description;
};

// data/reference/cfcc.tsv: a header line, then feature code, CFCC and
// description separated by tabs.
std::vector<ReferenceRow> ReadReferenceTable(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<ReferenceRow> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = line.find('\t', tab1 + 1);
    if (tab1 == std::string::npos || tab2 == std::string::npos) {
      ADD_FAILURE() << "malformed line: " << line;
      continue;
    }
    rows.push_back({line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)});
  }
  return rows;
}

TEST(Cfcc, ListEqualsTheReferenceTable) {
  const char* sourceDir = std::getenv("QUELMAR_TEST_SOURCE_DIR");
  if (sourceDir == nullptr) GTEST_SKIP() << "QUELMAR_TEST_SOURCE_DIR is not set";
  const std::vector<ReferenceRow> rows =
      ReadReferenceTable(std::filesystem::path(sourceDir) / "data" / "reference" / "cfcc.tsv");
  const auto table = CfccTable();
  ASSERT_EQ(rows.size(), table.size());
  ASSERT_EQ(table.size(), static_cast<std::size_t>(kCfccCount));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].featureCode, std::to_string(table[i].FeatureCode)) << i;
    EXPECT_EQ(rows[i].code, table[i].Code) << i;
    EXPECT_EQ(rows[i].description, table[i].Description) << i;
  }
}

TEST(Cfcc, LookUps) {
  EXPECT_EQ(CfccOfFeatureCode(41), "A00");
  EXPECT_EQ(CfccOfFeatureCode(78), "A41");
  EXPECT_EQ(CfccOfFeatureCode(231), "X00");
  EXPECT_EQ(CfccDescription(41), "Road, major and minor categories unknown");
  EXPECT_EQ(CfccDescription(231), "Feature not yet classified");
  for (int outside : {-1, 0, 23, 40, 232, 255, 256, 100000}) {
    EXPECT_EQ(CfccOfFeatureCode(outside), "") << outside;
    EXPECT_EQ(CfccDescription(outside), "") << outside;
  }

  EXPECT_EQ(FeatureCodeOfCfcc("A00"), 41);
  EXPECT_EQ(FeatureCodeOfCfcc("A41"), 78);
  EXPECT_EQ(FeatureCodeOfCfcc("H81"), 230);
  EXPECT_EQ(FeatureCodeOfCfcc("X00"), 231);
  for (const char* unknown : {"", "A", "A4", "A09", "a41", "A410", " A41", "G00", "Z99", "X01"}) {
    EXPECT_EQ(FeatureCodeOfCfcc(unknown), std::nullopt) << unknown;
  }
  for (const CfccEntry& entry : CfccTable()) {
    EXPECT_EQ(FeatureCodeOfCfcc(entry.Code), entry.FeatureCode) << entry.Code;
    EXPECT_EQ(CfccOfFeatureCode(entry.FeatureCode), entry.Code);
  }
}

TEST(Cfcc, ResourceText) {
  const std::string_view text = CfccResourceText();
  ASSERT_EQ(text.size(), 573u);
  EXPECT_TRUE(text.starts_with("A00A01A02"));
  EXPECT_TRUE(text.ends_with("H80H81X00"));
  for (int code = kFirstCfccFeatureCode; code <= kLastCfccFeatureCode; ++code) {
    EXPECT_EQ(text.substr(static_cast<std::size_t>(code - kFirstCfccFeatureCode) * 3, 3), CfccOfFeatureCode(code));
  }
}

// The layers of the feature-code table, written by CFCC range.
TEST(Cfcc, EveryCodeDrawsOnTheLayerOfItsRange) {
  struct Range {
    std::string_view first;
    std::string_view last;
    int layer;
  };
  const Range ranges[] = {
      {"A00", "A08", 13}, {"A10", "A18", 9},  {"A20", "A28", 10}, {"A30", "A35", 11}, {"A36", "A38", 12},
      {"A40", "A44", 14}, {"A45", "A73", 13}, {"B00", "B52", 17}, {"C00", "C31", 18}, {"D00", "D91", 19},
      {"E00", "E22", 20}, {"F00", "F82", 21}, {"H00", "H81", 23}, {"X00", "X00", 26},
  };
  const std::set<std::string_view> intermittentWater = {"H02", "H12", "H22", "H32", "H42", "H72"};
  for (const CfccEntry& entry : CfccTable()) {
    int expected = -1;
    for (const Range& range : ranges) {
      if (entry.Code >= range.first && entry.Code <= range.last) expected = range.layer;
    }
    if (intermittentWater.contains(entry.Code)) expected = 24;
    const std::optional<std::uint8_t> featureCode = FeatureCodeOfCfcc(entry.Code);
    ASSERT_TRUE(featureCode.has_value()) << entry.Code;
    EXPECT_EQ(FeatureLayer(*featureCode), expected) << entry.Code;
  }
}

}  // namespace
}  // namespace quelmar::data
