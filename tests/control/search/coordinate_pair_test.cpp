#include "control/search/coordinate_pair.h"

#include <gtest/gtest.h>

#include <string>

#include "hostile_texts.h"

namespace quelmar::search {
namespace {

TEST(ParseCoordinatePair, ReadsTheThreeForms) {
  struct Case {
    std::string text;
    CoordinatePair expected;
  };
  const Case cases[] = {
      {"41.99654,  -87.66342", {656196, -1369741}},  // 656195.9375 and -1369740.9375
      {"-87.66342,41.99654", {-1369741, 656196}},
      {"-87:35:13, 41:59:18", {-1368546, 656068}},
      {"1:12,2", {18750, 31250}},
      {"-87.5:30,41", {-1375000, 640625}},       // |D| + M / 60, then the sign
      {"-0:30:36, 0:30:36", {-7969, 7969}},       // the sign of "-0" is kept
      {"-0.5,0", {-7812, 0}},                     // ties round to even
      {"+1,-1", {15625, -15625}},
      {" 1 , 2 ", {15625, 31250}},
      {"1.5e1,.5", {234375, 7812}},
      {"10:75,0", {175781, 0}},                   // minutes are not limited to 59
  };
  for (const Case& c : cases) {
    const std::optional<CoordinatePair> pair = ParseCoordinatePair(c.text);
    ASSERT_TRUE(pair) << c.text;
    EXPECT_EQ(*pair, c.expected) << c.text;
  }
  const std::optional<CoordinatePair> chicago = ParseCoordinatePair("-87:35:13, 41:59:18");
  EXPECT_NEAR(chicago->First * 0.000064, -87.5869, 0.0001);
  EXPECT_NEAR(chicago->Second * 0.000064, 41.9883, 0.0001);
}

TEST(ParseCoordinatePair, FailsOnTextThatIsNotAPair) {
  const char* texts[] = {
      "41.99654",   "",        ",",           "a,b",       "1,",        ",1",        "1,2,3",
      "1:2:3:4,5",  "1:,5",    "1:2:,5",      ":30,5",     "--1,2",     "+-1,2",     "1-,2",
      "1e400,2",    "1e300,2", "nan,1",       "inf,1",     "0x10,1",    "1..2,3",    "1;2",
  };
  for (const char* text : texts) EXPECT_FALSE(ParseCoordinatePair(text)) << text;
}

TEST(ParseCoordinatePair, HostileTexts) {
  for (const std::string& text : testing::HostileTexts()) ParseCoordinatePair(text);
  EXPECT_FALSE(ParseCoordinatePair(std::string(200, '9') + ",1"));
  EXPECT_TRUE(ParseCoordinatePair("0" + std::string(250, '0') + "1,1"));
}

}  // namespace
}  // namespace quelmar::search
