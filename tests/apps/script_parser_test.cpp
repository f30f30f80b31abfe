// The line language of `quelmar run`.
#include "apps/quelmar/script_parser.h"

#include <gtest/gtest.h>

namespace quelmar::app {
namespace {

TEST(ScriptParser, CallsPutsAndArguments) {
  struct Case {
    const char* text;
    const char* member;
    bool isPut;
    std::vector<std::string> args;  // as Describe prints them
  } cases[] = {
      {"ZoomWindow -88, 42, -87, 41", "ZoomWindow", false, {"-88", "42", "-87", "41"}},
      {"ZoomWindow -88 42 -87 41", "ZoomWindow", false, {"-88", "42", "-87", "41"}},
      {"  LonLeft   ", "LonLeft", false, {}},
      {"LonLatStr -87.5, 41.25  # a comment", "LonLatStr", false, {"-87.5", "41.25"}},
      {"Grid = True", "Grid", true, {"True"}},
      {"Grid=false", "Grid", true, {"False"}},
      {"Route = \"say \"\"hi\"\", # not a comment\"", "Route", true, {"\"say \"\"hi\"\", # not a comment\""}},
      {"Scale = 1e-3", "Scale", true, {"0.001"}},
      {"ZoomPan 3000000000", "ZoomPan", false, {"3e+09"}},  // beyond int32: a double
      {"Path_data1 = \"\"", "Path_data1", true, {"\"\""}},
  };
  for (const Case& c : cases) {
    ParseResult r = ParseScriptLine(c.text);
    ASSERT_TRUE(r.error.empty()) << c.text << ": " << r.error;
    ASSERT_TRUE(r.line) << c.text;
    EXPECT_EQ(r.line->member, c.member) << c.text;
    EXPECT_EQ(r.line->isPut, c.isPut) << c.text;
    std::vector<std::string> args;
    for (const com::Variant& v : r.line->args) args.push_back(v.Describe());
    EXPECT_EQ(args, c.args) << c.text;
  }
}

TEST(ScriptParser, BlankAndCommentLinesDoNothing) {
  for (const char* text : {"", "   ", "# only a comment", "\t# indented comment", "\r"}) {
    ParseResult r = ParseScriptLine(text);
    EXPECT_TRUE(r.error.empty()) << text;
    EXPECT_FALSE(r.line) << text;
  }
}

TEST(ScriptParser, MalformedLinesSayWhy) {
  struct Case {
    const char* text;
    const char* fragment;
  } cases[] = {
      {"= 5", "member name"},
      {"Grid =", "needs a value"},
      {"Grid = 1 2", "exactly one value"},
      {"Route = \"open", "unterminated"},
      {"Distance 1, abc", "\"abc\" is not a number"},
      {"Distance 1,", "missing after the last comma"},
      {"ZoomIn nan", "\"nan\" is not a number"},
  };
  for (const Case& c : cases) {
    ParseResult r = ParseScriptLine(c.text);
    EXPECT_FALSE(r.line) << c.text;
    EXPECT_NE(r.error.find(c.fragment), std::string::npos) << c.text << " -> " << r.error;
  }
}

}  // namespace
}  // namespace quelmar::app
