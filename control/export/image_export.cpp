#include "control/export/image_export.h"

#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>

#include "control/core/errors.h"
#include "control/export/bmp_encoder.h"
#include "control/export/gif_encoder.h"
#include "control/export/indexed_picture.h"
#include "platform/kernel/atomic_file.h"

namespace quelmar::image_export {

std::string EncodeImage(const gdi::Bitmap& picture, ImageFormat format) {
  switch (format) {
    case ImageFormat::Bmp:
      return EncodeBmp(picture);
    case ImageFormat::Gif:
      return EncodeGif(IndexPicture(picture));
    case ImageFormat::Png: {
      std::string png;
      if (!picture.EncodePng(&png)) throw Error("the picture cannot be encoded as PNG");
      return png;
    }
  }
  throw Error("unknown image format");
}

std::unique_ptr<gdi::Bitmap> RenderMapPicture(core::Ttvmap& panel) {
  const gdi::Rect area = panel.MapArea();
  if (area.Width() < 1 || area.Height() < 1) {
    throw ArgumentError("the map area is empty: the control has no room inside its frame for a picture");
  }
  std::unique_ptr<gdi::Bitmap> picture;
  try {
    picture = std::make_unique<gdi::Bitmap>(area.Width(), area.Height());
  } catch (const std::invalid_argument& e) {
    throw ArgumentError(std::string("the map area is too large for a picture: ") + e.what());
  }
  panel.RenderPicture(*picture);
  return picture;
}

std::string SaveMapImage(core::Ttvmap& panel, std::string_view name, ImageFormat format) {
  const std::string file = ImageFileName(name, format);
  const std::unique_ptr<gdi::Bitmap> picture = RenderMapPicture(panel);
  const std::string bytes = EncodeImage(*picture, format);
  std::error_code error;
  if (!kernel::WriteFileAtomically(file, bytes, &error)) {
    throw IoError("the image file " + file + " cannot be written: " + error.message());
  }
  return file;
}

}  // namespace quelmar::image_export
