#pragma once
// GIF files: one image of an indexed picture in a GIF89a stream, its palette
// as the global colour table, its pixels LZW-compressed.
#include <string>

#include "control/export/indexed_picture.h"

namespace quelmar::image_export {

// The largest side a GIF can state (its sizes are 16-bit).
inline constexpr int kMaxGifSide = 65535;

// ArgumentError for a side of 0 or over kMaxGifSide, a palette of 0 or more
// than 256 colours, or indexes that do not match the size or the palette.
std::string EncodeGif(const IndexedPicture& picture);

}  // namespace quelmar::image_export
