#include "platform/kernel/number_text.h"

#include <gtest/gtest.h>

namespace quelmar::kernel {
namespace {

TEST(KernelNumberTextTest, ParsesDecimalTextOnly) {
  struct Case {
    const char* text;
    NumberParse result;
    double value;
  };
  const Case cases[] = {
      {"12", NumberParse::Ok, 12},
      {"  -12.5\t", NumberParse::Ok, -12.5},
      {"+3", NumberParse::Ok, 3},
      {".5", NumberParse::Ok, 0.5},
      {"5.", NumberParse::Ok, 5},
      {"1.5e3", NumberParse::Ok, 1500},
      {"1E-2", NumberParse::Ok, 0.01},
      {"1e-400", NumberParse::Ok, 0},  // below the smallest double
      {"-1e-400", NumberParse::Ok, 0},
      {"1e400", NumberParse::Overflow, 0},
      {"-1e400", NumberParse::Overflow, 0},
      {"", NumberParse::Invalid, 0},
      {"   ", NumberParse::Invalid, 0},
      {"-", NumberParse::Invalid, 0},
      {".", NumberParse::Invalid, 0},
      {"+-1", NumberParse::Invalid, 0},
      {"- 1", NumberParse::Invalid, 0},
      {"1,5", NumberParse::Invalid, 0},
      {"1 000", NumberParse::Invalid, 0},
      {"1e", NumberParse::Invalid, 0},
      {"12abc", NumberParse::Invalid, 0},
      {"inf", NumberParse::Invalid, 0},
      {"-infinity", NumberParse::Invalid, 0},
      {"nan", NumberParse::Invalid, 0},
      {"0x10", NumberParse::Invalid, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    double value = -999;
    EXPECT_EQ(ParseDouble(c.text, &value), c.result);
    if (c.result == NumberParse::Ok) {
      EXPECT_EQ(value, c.value);
    } else {
      EXPECT_EQ(value, -999);  // untouched
    }
  }
}

TEST(KernelNumberTextTest, FormatsSignificantDigitsLikeHosts) {
  struct Case {
    double value;
    int digits;
    const char* text;
  };
  const Case cases[] = {
      {0.1 + 0.2, 15, "0.3"},
      {2.5, 15, "2.5"},
      {-0.0, 15, "0"},
      {123456789012345.0, 15, "123456789012345"},
      {1e15, 15, "1E+15"},
      {1e20, 15, "1E+20"},
      {0.0001, 15, "0.0001"},
      {0.00001, 15, "1E-05"},
      {1.0 / 3, 15, "0.333333333333333"},
      {static_cast<float>(0.1f), 7, "0.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatSignificant(c.value, c.digits), c.text);
  }
}

TEST(KernelNumberTextTest, ShortestTextReadsBackExactly) {
  EXPECT_EQ(FormatShortest(0.1), "0.1");
  EXPECT_EQ(FormatShortest(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(FormatShortest(1e20), "1e+20");
  EXPECT_EQ(FormatShortest(0.1f), "0.1");
  EXPECT_EQ(FormatShortest(-2.0), "-2");
  for (const double value : {0.1, 1.0 / 3, 6.02214076e23, -1e-300, 4.9e-324}) {
    double back = 0;
    ASSERT_EQ(ParseDouble(FormatShortest(value), &back), NumberParse::Ok);
    EXPECT_EQ(back, value);
  }
}

}  // namespace
}  // namespace quelmar::kernel
