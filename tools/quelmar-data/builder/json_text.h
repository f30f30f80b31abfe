#pragma once
// JSON text of the inputs (TopoJSON, the editor graph, the ZIP table) parsed
// into nlohmann::json with the limits a hostile file needs: arrays and
// objects nest at most kMaxJsonNesting deep, because copying, comparing or
// printing a value recurses once per level.
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace quelmar::builder {

constexpr int kMaxJsonNesting = 128;

// The value of `text`. Throws quelmar::DataError naming `what` for text
// that is not one JSON value, or that nests deeper than kMaxJsonNesting.
nlohmann::json ParseJsonText(std::string_view text, const std::string& what);

// How deeply the arrays and objects of `text` nest (0 for a bare number or
// string), counting only brackets outside strings; malformed text is
// counted as far as it goes.
int JsonNesting(std::string_view text);

}  // namespace quelmar::builder
