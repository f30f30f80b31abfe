#pragma once
// Decoding of one JPEG elevation tile into grey values (colour JPEGs are
// converted to grey by the decoder).
#include <filesystem>
#include <span>

#include "tools/quelmar-data/builder/relief/grey_image.h"

namespace quelmar::builder {

// Larger tiles are refused as damaged.
inline constexpr std::int32_t kMaxJpegTileSide = 8192;

// DataError when the bytes are not a complete JPEG image (the decoder's
// message is given), or the image is larger than kMaxJpegTileSide a side.
GreyImage DecodeGreyJpeg(std::span<const std::uint8_t> bytes);

// IoError when the file cannot be read; otherwise as DecodeGreyJpeg, with
// the file named in the message.
GreyImage ReadGreyJpeg(const std::filesystem::path& file);

}  // namespace quelmar::builder
