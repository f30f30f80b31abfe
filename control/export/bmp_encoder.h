#pragma once
// Windows bitmap files: a 24-bit, bottom-up BMP of a picture, with the file
// header and a BITMAPINFOHEADER, rows padded to four bytes.
#include <string>

#include "platform/gdi/bitmap.h"

namespace quelmar::image_export {

std::string EncodeBmp(const gdi::Bitmap& picture);

}  // namespace quelmar::image_export
