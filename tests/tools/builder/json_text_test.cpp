// JSON text of the inputs: nesting is counted outside strings and refused
// past the limit, by the helper and by every reader that parses JSON.
#include "tools/quelmar-data/builder/json_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/topojson.h"
#include "tools/quelmar-data/builder/streets/editor_graph_reader.h"
#include "tools/quelmar-data/builder/zip_centroids.h"

namespace quelmar::builder {
namespace {

// `depth` arrays one inside the other around `inner`.
std::string Nested(int depth, const std::string& inner = "0") {
  return std::string(static_cast<std::size_t>(depth), '[') + inner + std::string(static_cast<std::size_t>(depth), ']');
}

TEST(JsonText, CountsNestingOutsideStrings) {
  const std::pair<std::string, int> cases[] = {
      {"7", 0},
      {R"("[[[")", 0},
      {R"({"a": [1, {"b": []}]})", 4},
      {R"(["\"[[", "\\", [[]]])", 3},  // an escaped quote does not end the string; an escaped backslash does not escape it
      {"]]][[", 2},                      // malformed: counted as far as it goes
      {Nested(kMaxJsonNesting), kMaxJsonNesting},
  };
  for (const auto& [text, depth] : cases) EXPECT_EQ(JsonNesting(text), depth) << text;
}

TEST(JsonText, ParsesUpToTheNestingLimit) {
  const nlohmann::json value = ParseJsonText(Nested(kMaxJsonNesting), "test");
  EXPECT_TRUE(value.is_array());
  // Brackets inside strings are not nesting.
  EXPECT_EQ(ParseJsonText("[\"" + std::string(1000, '[') + "\"]", "test").size(), 1u);
}

TEST(JsonText, RefusesDeeperNestingAndBadText) {
  const std::pair<std::string, const char*> cases[] = {
      {Nested(kMaxJsonNesting + 1), "test: JSON nested deeper than 128 levels"},
      {std::string(100000, '{'), "nested deeper than 128 levels"},
      {"", "test: not valid JSON"},
      {"[1, 2", "not valid JSON"},
      {"[1] [2]", "not valid JSON"},
  };
  for (const auto& [text, message] : cases) {
    try {
      ParseJsonText(text, "test");
      ADD_FAILURE() << "accepted " << text.substr(0, 40);
    } catch (const DataError& error) {
      EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
    }
  }
}

// Each reader of JSON refuses a value nested one level too deep in a place
// it would otherwise take (an object's member), and reads the same value at
// the limit.
TEST(JsonText, EveryJsonReaderKeepsTheLimit) {
  struct Reader {
    const char* Name;
    std::function<void(const std::string& deepValue)> Read;
  };
  const Reader readers[] = {
      {"topology",
       [](const std::string& deep) {
         Topology::Parse(R"({"type": "Topology", "arcs": [], "objects": {}, "extra": {"a": )" + deep + "}}");
       }},
      {"editor graph", [](const std::string& deep) { ParseEditorGraph(R"({"r1": {"members": )" + deep + "}}"); }},
      {"ZIP table",
       [](const std::string& deep) {
         ZipCentroids::Parse(R"(exports.codes = {"60613": {"extra": )" + deep + "}};", "codes.js");
       }},
  };
  for (const Reader& reader : readers) {
    // The wrapper adds two levels.
    EXPECT_NO_THROW(reader.Read(Nested(kMaxJsonNesting - 2))) << reader.Name;
    try {
      reader.Read(Nested(kMaxJsonNesting - 1));
      ADD_FAILURE() << reader.Name << " read JSON nested past the limit";
    } catch (const DataError& error) {
      EXPECT_NE(std::string(error.what()).find("nested deeper than 128"), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace quelmar::builder
