// The host's --size argument.
#include "apps/quelmar/size_argument.h"

#include <gtest/gtest.h>

#include <string>

namespace quelmar::app {
namespace {

TEST(SizeArgument, ReadsWholeSidesInRange) {
  struct Case {
    const char* text;
    int width;
    int height;
  } cases[] = {
      {"640x480", 640, 480},
      {"1X1", 1, 1},
      {"16384x16384", 16384, 16384},
      {"0800x0500", 800, 500},  // leading zeros are still whole numbers
  };
  for (const Case& c : cases) {
    int width = -1, height = -1;
    ASSERT_TRUE(ParseSize(c.text, &width, &height)) << c.text;
    EXPECT_EQ(width, c.width) << c.text;
    EXPECT_EQ(height, c.height) << c.text;
  }
}

TEST(SizeArgument, RefusesAnythingElseAndLeavesTheOutputsAlone) {
  const std::string cases[] = {
      "", "x", "800", "800x", "x600", "0x600", "800x0", "16385x1", "1x16385", "-800x600", "+800x600", " 800x600",
      "800x600 ", "800 x600", "800x600x2", "800xx600", "8e2x600", "800.0x600", "0x10x600", "800*600", "800\u00d7600",
      "4294967297x1",            // 1 once wrapped to 32 bits
      "1x99999999999999999999",  // beyond any integer
      std::string("800x5\0" "00", 8),
  };
  for (const std::string& text : cases) {
    int width = 7, height = 9;
    EXPECT_FALSE(ParseSize(text, &width, &height)) << text;
    EXPECT_EQ(width, 7) << text;
    EXPECT_EQ(height, 9) << text;
  }
}

}  // namespace
}  // namespace quelmar::app
