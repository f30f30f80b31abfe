#include "control/search/street_name.h"

#include <gtest/gtest.h>

#include <string>

#include "hostile_texts.h"

namespace quelmar::search {
namespace {

TEST(NormalizeStreetName, RewritesEveryPartOfAName) {
  struct Case {
    std::string name;
    std::string expected;
  };
  const Case cases[] = {
      // the worked examples
      {"n. Main Street", "N MAIN ST"},
      {"Saint Charles Avenue.", "ST CHARLES AVE"},
      {"West Oak Terrace", "W OAK TER"},
      // leading directionals, with or without a dot and a blank
      {"N.MAIN", "N MAIN"},
      {"W. 5TH STREET", "W 5TH ST"},
      {"E.  ELM", "E  ELM"},
      {"NORTH SHORE DRIVE", "N SHORE DR"},
      {"SOUTH PARK COURT", "S PARK CT"},
      {"EAST END", "E END"},
      {"NORTHWEST HWY", "NORTHWEST HWY"},
      // only the one final dot goes
      {"N. ST.", "N ST"},
      {"MAIN ST..", "MAIN ST."},
      {".", ""},
      // SAINT anywhere, first occurrence only
      {"SAINT JOHNS LANE", "ST JOHNS LN"},
      {"MOUNT SAINT HELENS WAY", "MOUNT ST HELENS WAY"},
      {"SAINT SAINT RD", "ST SAINT RD"},
      {"SAINTS RD", "SAINTS RD"},
      // state, US and county routes
      {"STATE ROUTE 9", "SR 9"},
      {"STATE RT 9", "SR 9"},
      {"STATE RTE 9", "SR 9"},
      {"STATE RTE 53", "SR 53"},
      {"STATE ROAD 9", "SRD 9"},
      {"STATE RD 9", "SRD 9"},
      {"COUNTY ROAD 9", "CRD 9"},
      {"COUNTY RD 9", "CRD 9"},
      {"US HIGHWAY 66", "US HWY 66"},
      {"STATE RTE", "SR"},
      {"US HIGHWAY", "US HWY"},
      {"STATE STREET", "STATE ST"},
      {"COUNTY LINE ROAD", "COUNTY LINE RD"},
      // street types: kept, rewritten, or left alone
      {"OAK HIWAY", "OAK HWY"},
      {"RIVER TURNPIKE", "RIVER TPK"},
      {"PINE CIRCLE", "PINE CIR"},
      {"ELM PARKWAY", "ELM PKWY"},
      {"ELM PL", "ELM PL"},
      {"MAIN BLVD", "MAIN BLVD"},
      {"PARKWAY", "PARKWAY"},
      {" ROAD", " ROAD"},
      {"MAIN ", "MAIN"},
      {"ROAD ROAD", "ROAD RD"},
      // MC joined to the next word
      {"MC DONALD ROAD", "MCDONALD RD"},
      {"OLD MC HENRY RD", "OLD MCHENRY RD"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalizeStreetName(c.name), c.expected) << c.name;
}

TEST(StreetSearchKey, CutsBeforeTheFirstStreetTypeInListOrder) {
  struct Case {
    std::string name;
    std::string expected;
  };
  const Case cases[] = {
      {"N MAIN ST", "N MAIN"},
      {"MAIN ST APT", "MAIN"},
      {"MAIN ST", "MAIN"},
      {"MAIN", "MAIN"},
      {"BROADWAY", "BROADWAY"},
      {"ST CHARLES AVE", "ST CHARLES"},
      {"ELM BLVD", "ELM"},
      {"OLD ST RD", "OLD ST"},  // " RD " is tried before " ST "
      {"ST", "ST"},
      {"MAIN  ST", "MAIN"},
      {"MAIN ", "MAIN"},
      {"", ""},
      {"   ", ""},
      {std::string(252, 'A') + " ST", std::string(252, 'A')},
  };
  for (const Case& c : cases) EXPECT_EQ(StreetSearchKey(c.name), c.expected) << c.name;
}

TEST(StreetNames, HostileTextsStayShortStrings) {
  for (const std::string& text : testing::HostileTexts()) {
    const ShortString normalised = NormalizeStreetName(text);
    const ShortString key = StreetSearchKey(normalised);
    EXPECT_LE(normalised.Length(), ShortString::kMaxLength);
    EXPECT_LE(key.Length(), normalised.Length());
    EXPECT_NE(key.Last(), ' ') << text;
  }
}

}  // namespace
}  // namespace quelmar::search
