#pragma once
// The host's --size argument: "WxH" (or "WXH"), both sides whole decimal
// numbers of 1 to 16384 read with std::from_chars, with nothing before,
// between or after them (no sign but '-', no spaces). A side too large for
// an int is refused, never wrapped into range.
#include <string_view>

namespace quelmar::app {

inline constexpr int kMaxSizeSide = 16384;

// True with *width and *height set when `text` is such a size; false leaves
// them alone.
bool ParseSize(std::string_view text, int* width, int* height);

}  // namespace quelmar::app
