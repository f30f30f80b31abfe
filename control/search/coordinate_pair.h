#pragma once
// A typed longitude/latitude pair, each half in one of the forms the user is
// shown: "DEG.DDD", "DEG:MIN.MM" or "DEG:MIN:SEC".
#include <cstdint>
#include <optional>

#include "control/search/short_string.h"

namespace quelmar::search {

// The two values in map units, in the order written.
struct CoordinatePair {
  std::int32_t First = 0;
  std::int32_t Second = 0;
  friend bool operator==(const CoordinatePair&, const CoordinatePair&) = default;
};

// Blanks ignored, the halves split at the first ",". Decimal degrees give
// round(degrees * 15625); D:M or D:M:S give round((|D| + M/60 + S/3600) *
// 15625), negative when D is written with "-" («-0:30» is half a degree west
// or south). Nullopt when there is no "," or a half does not read as a
// number whose map units fit 32 bits.
std::optional<CoordinatePair> ParseCoordinatePair(const ShortString& text);

}  // namespace quelmar::search
