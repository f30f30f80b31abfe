#pragma once
// Rounding rules of the view arithmetic. Every conversion of a double that may
// come from a host (NaN, infinities, 1e300) to an integer goes through these
// helpers, so no conversion is ever undefined behaviour.
#include <cstdint>
#include <limits>
#include <optional>

namespace quelmar::core {

// The view arithmetic relies on IEEE 754 doubles: a division by zero gives an
// infinity or NaN, which the checked conversions below then reject.
static_assert(std::numeric_limits<double>::is_iec559, "IEEE 754 doubles required");

// Magnitude bound of RoundLimited and of the pixel clamp.
inline constexpr double kRoundLimit = 2147483647.0;

// Rounds to nearest, ties to even, when |v| < 2,147,483,647; otherwise returns 1
// and sets `overflow` (NaN counts as overflow). `overflow` is never cleared here.
std::int32_t RoundLimited(double v, bool& overflow);

// Rounding for pixel results handed to 16-bit drawing calls: the rounded value
// when |v| < 2,147,483,647, else +2,147,483,647 or -2,147,483,647 by sign.
// NaN has no sign and gives 0.
std::int32_t RoundPixelClamped(double v);

// The value rounded to nearest (ties to even) if the result fits int32.
std::optional<std::int32_t> CheckedRound(double v);
// The value truncated toward zero if the result fits int32.
std::optional<std::int32_t> CheckedTrunc(double v);
// The value rounded to nearest (ties to even) if the result fits int64.
std::optional<std::int64_t> CheckedRound64(double v);

// Clamps a wide intermediate to int32; sets `overflow` when it had to clamp.
std::int32_t SaturateInt32(std::int64_t v, bool& overflow);

// The low 16 bits of v, sign-extended (the pixel value 16-bit callers see).
std::int32_t Low16(std::int64_t v);

// Integer halving and quartering of a signed value, rounding toward zero
// (C++ integer division already truncates; the names say which rule is meant).
constexpr std::int64_t Div2(std::int64_t v) { return v / 2; }
constexpr std::int64_t Div4(std::int64_t v) { return v / 4; }

}  // namespace quelmar::core
