#pragma once
// An 8-bit Windows bitmap of a grey raster, as the control's underlay reader
// takes it: 14-byte file header, 40-byte info header, a 256-entry grey colour
// table (entry i is R = G = B = i), rows bottom first padded to 4 bytes.
#include <string>

#include "tools/quelmar-data/builder/relief/grey_image.h"

namespace quelmar::builder {

// The file's bytes. DataError for an image smaller than 2 × 2 or one whose
// file would pass 2 GiB.
std::string EncodeGreyBmp(const GreyImage& image);

}  // namespace quelmar::builder
