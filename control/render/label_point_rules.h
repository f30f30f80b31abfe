#pragma once
// The rules that turn a named point into a point label text: the class
// character of a place from its population and the view's span, the state
// name forms, and the split of a long label over two lines.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "control/render/label_settings.h"

namespace quelmar::render {

// The class characters, class 0 ("*") to class 13 (" ").
inline constexpr std::string_view kLabelClassCharacters = "*+&$%@#!~?<>. ";
inline constexpr int kCentredClass = 9;  // "?": centred, no symbol

// The class of a class character; -1 for any other character.
int LabelClassOf(char c);

// A place of `population` (negative: a place without a population class)
// named `name`: the label text with its class character first, or nullopt
// when the place is not labelled at this span.
std::optional<std::string> PlaceLabelText(std::int32_t population, std::string_view name, double span);

// A state name "IL\ILLINOIS": "?" and the abbreviation, the full name letter
// spaced below span 100 ("MA" and "CT" below span 50), or nullopt at span 500
// and beyond or for an empty name. A name without "\" is used whole.
std::optional<std::string> StateLabelText(std::string_view name, const LabelScales& scales);

// Letter spacing: a blank after every character but the last.
std::string LetterSpaced(std::string_view text);

// A label text of more than 8 characters broken at the blank or hyphen
// nearest its middle: {line 1, line 2}. Nullopt when the text stays on one
// line (letter-spaced texts, no break, or a line shorter than 4 characters).
struct TwoLines {
  std::string First, Second;
  friend bool operator==(const TwoLines&, const TwoLines&) = default;
};
std::optional<TwoLines> SplitTwoLines(std::string_view text);

}  // namespace quelmar::render
