#pragma once
// Small text helpers shared by the line-oriented input readers. Numbers are
// read in the C locale whatever the process locale is.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar::builder {

// Removes the first line (up to and including '\n') from `rest` and returns it
// without the line end ("\r\n" or "\n").
std::string_view NextLine(std::string_view& rest);

// Without leading and trailing spaces and tabs.
std::string_view Trimmed(std::string_view text);

// The whole of `text` as a number; nullopt for anything else (empty, trailing
// characters, not finite).
std::optional<double> ParseDouble(std::string_view text);
std::optional<long long> ParseInteger(std::string_view text);

// `text` cut at every `separator`.
std::vector<std::string_view> SplitFields(std::string_view text, char separator);

// One line of comma-separated values: fields may be quoted with '"', a quote
// inside a quoted field is doubled. Nullopt when a quoted field is not closed.
std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line);

}  // namespace quelmar::builder
