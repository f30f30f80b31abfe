#pragma once
// The LZW code stream of a GIF image: variable-length codes from
// minCodeSize + 1 up to 12 bits, packed least significant bit first, with a
// clear code at the start and whenever the code table fills, and the end
// code last. The result is the raw stream, not yet cut into sub-blocks.
#include <cstdint>
#include <span>
#include <string>

namespace quelmar::image_export {

// `indexes` must all be below 2^minCodeSize; minCodeSize is 2 to 8.
std::string EncodeLzw(std::span<const std::uint8_t> indexes, int minCodeSize);

}  // namespace quelmar::image_export
