#include "control/export/image_format.h"

#include "control/core/errors.h"

namespace quelmar::image_export {

std::string_view ImageExtension(ImageFormat format) {
  switch (format) {
    case ImageFormat::Bmp:
      return ".bmp";
    case ImageFormat::Gif:
      return ".gif";
    case ImageFormat::Png:
      return ".png";
  }
  return ".bmp";
}

std::string ImageFileName(std::string_view name, ImageFormat format) {
  if (name.empty()) throw ArgumentError("an image needs a file name");
  if (name.size() > kMaxImageFileName) {
    throw ArgumentError("the image file name is " + std::to_string(name.size()) + " characters long; at most " +
                        std::to_string(kMaxImageFileName) + " are taken");
  }
  std::string file(name);
  if (file.find('.') == std::string::npos) file += ImageExtension(format);
  return file;
}

}  // namespace quelmar::image_export
