#include "control/core/rounding.h"

#include <cmath>

namespace quelmar::core {

namespace {

// True when the integral double r converts to int32 exactly. The bounds are
// exact doubles, so the comparison itself cannot round. NaN fails both tests.
bool FitsInt32(double r) {
  return r >= -2147483648.0 && r <= 2147483647.0;
}

// 2^63 is exact in a double; anything below it (and >= -2^63) fits int64.
bool FitsInt64(double r) {
  return r >= -9223372036854775808.0 && r < 9223372036854775808.0;
}

}  // namespace

std::int32_t RoundLimited(double v, bool& overflow) {
  // Written so that NaN fails the test and takes the overflow branch.
  if (std::fabs(v) < kRoundLimit) {
    return static_cast<std::int32_t>(std::nearbyint(v));
  }
  overflow = true;
  return 1;
}

std::int32_t RoundPixelClamped(double v) {
  if (std::fabs(v) < kRoundLimit) {
    return static_cast<std::int32_t>(std::nearbyint(v));
  }
  if (v > 0) return 2147483647;
  if (v < 0) return -2147483647;
  return 0;  // NaN
}

std::optional<std::int32_t> CheckedRound(double v) {
  const double r = std::nearbyint(v);
  if (!FitsInt32(r)) return std::nullopt;
  return static_cast<std::int32_t>(r);
}

std::optional<std::int32_t> CheckedTrunc(double v) {
  const double r = std::trunc(v);
  if (!FitsInt32(r)) return std::nullopt;
  return static_cast<std::int32_t>(r);
}

std::optional<std::int64_t> CheckedRound64(double v) {
  const double r = std::nearbyint(v);
  if (!FitsInt64(r)) return std::nullopt;
  return static_cast<std::int64_t>(r);
}

std::int32_t SaturateInt32(std::int64_t v, bool& overflow) {
  if (v > std::numeric_limits<std::int32_t>::max()) {
    overflow = true;
    return std::numeric_limits<std::int32_t>::max();
  }
  if (v < std::numeric_limits<std::int32_t>::min()) {
    overflow = true;
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(v);
}

std::int32_t Low16(std::int64_t v) {
  // Unsigned-to-signed narrowing is modular since C++20.
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint64_t>(v) & 0xFFFFu));
}

}  // namespace quelmar::core
