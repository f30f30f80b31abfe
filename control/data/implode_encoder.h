#pragma once
// Our implode encoder (ZIP method 6), for the data builder's imploded
// members: any of the four variants, trees built from the data itself.
// Matches come from hash chains over the variant's dictionary, chosen by a
// bit-cost model (a first pass estimates the code lengths, a second pass
// parses with them) with one step of lazy matching.
#include <cstdint>
#include <span>
#include <vector>

#include "control/data/implode_variant.h"

namespace quelmar::data {

// The compressed stream for `input`; a member holding it is imploded with
// variant.Flags() in its general-purpose flags. The whole input is needed at
// once because the code trees lead the stream.
std::vector<std::uint8_t> Implode(std::span<const std::uint8_t> input, ImplodeVariant variant);

}  // namespace quelmar::data
