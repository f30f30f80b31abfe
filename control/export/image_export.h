#pragma once
// Image export: the panel's current view drawn off screen at the size of its
// map area, through the passes of a screen paint, and written as a Windows
// bitmap, a GIF or a PNG file. The file is written whole or not at all: a
// new file is renamed over the old one, so a failure (an unwritable folder,
// a full disk) leaves the old file as it was.
#include <string>
#include <string_view>

#include "control/core/tv_object.h"
#include "control/export/image_format.h"
#include "platform/gdi/bitmap.h"

namespace quelmar::image_export {

// The picture in the format's file layout. Error when it cannot be encoded.
std::string EncodeImage(const gdi::Bitmap& picture, ImageFormat format);

// The view as the panel's map area shows it. ArgumentError when the map area
// is empty (no room inside the frame).
std::unique_ptr<gdi::Bitmap> RenderMapPicture(core::Ttvmap& panel);

// Renders the view and writes it under ImageFileName(name, format); returns
// that name. ArgumentError for a bad name or an empty map area, IoError when
// the file cannot be written.
std::string SaveMapImage(core::Ttvmap& panel, std::string_view name, ImageFormat format);

}  // namespace quelmar::image_export
