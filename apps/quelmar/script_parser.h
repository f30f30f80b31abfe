#pragma once
// The line language of `quelmar run`: one late-bound call per line.
//   Member arg, arg ...   calls a method or reads a property
//   Member = value        writes a property
// Arguments are numbers, "quoted strings" ("" inside a string is one quote)
// and True/False (and, where the host names some, objects by name); commas
// between arguments are optional; # starts a comment.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/com/variant.h"

namespace quelmar::app {

struct ScriptLine {
  std::string member;
  bool isPut = false;
  std::vector<com::Variant> args;  // in call order
};

struct ParseResult {
  std::optional<ScriptLine> line;  // empty for blank and comment lines
  std::string error;               // set when the line is malformed
};

// `objects` names the objects a script may pass as arguments by a bare word
// ("Picture"), matched without regard to letter case.
using ScriptObjects = std::vector<std::pair<std::string, com::Variant>>;

ParseResult ParseScriptLine(std::string_view text, const ScriptObjects& objects = {});

}  // namespace quelmar::app
