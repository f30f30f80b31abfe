#include "tools/quelmar-data/builder/json_text.h"

#include <algorithm>

#include "control/core/errors.h"

namespace quelmar::builder {

int JsonNesting(std::string_view text) {
  int depth = 0;
  int deepest = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;  // the escaped character cannot end the string
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return deepest;
}

nlohmann::json ParseJsonText(std::string_view text, const std::string& what) {
  // Counted before parsing: the parser itself keeps its own stack, but the
  // value it builds is copied and destroyed level by level.
  if (JsonNesting(text) > kMaxJsonNesting) {
    throw DataError(what + ": JSON nested deeper than " + std::to_string(kMaxJsonNesting) + " levels");
  }
  try {
    return nlohmann::json::parse(text.begin(), text.end());
  } catch (const nlohmann::json::exception& error) {
    throw DataError(what + ": not valid JSON (" + error.what() + ")");
  }
}

}  // namespace quelmar::builder
