#pragma once
// The image files the control writes of its map: Windows bitmaps, GIF and
// PNG, and the file names they are written under.
#include <string>
#include <string_view>

namespace quelmar::image_export {

enum class ImageFormat { Bmp, Gif, Png };

// ".bmp", ".gif" or ".png".
std::string_view ImageExtension(ImageFormat format);

// The longest file name taken, in bytes.
inline constexpr std::size_t kMaxImageFileName = 255;

// `name` with the format's extension appended when it holds no "." at all
// (so "c:\maps.v2\map" stays as it is). ArgumentError for an empty name or
// one longer than kMaxImageFileName.
std::string ImageFileName(std::string_view name, ImageFormat format);

}  // namespace quelmar::image_export
