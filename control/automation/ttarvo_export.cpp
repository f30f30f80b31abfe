// The image export members of TTarvo: SaveToBitmap, SaveToGif and SaveToPng
// draw the current view off screen at the size of the map area and write it
// as a file. A name without a "." gets the format's extension.
#include "control/automation/ttarvo.h"
#include "control/automation/ttarvo_guard.h"
#include "control/export/image_export.h"

namespace quelmar::automation {

HRESULT TTarvo::SaveToBitmap(const std::string& filename) {
  return Call("SaveToBitmap", [&](Ttvmap& panel) {
    image_export::SaveMapImage(panel, guard::AnsiArg(filename), image_export::ImageFormat::Bmp);
  });
}

HRESULT TTarvo::SaveToGif(const std::string& filename) {
  return Call("SaveToGif", [&](Ttvmap& panel) {
    image_export::SaveMapImage(panel, guard::AnsiArg(filename), image_export::ImageFormat::Gif);
  });
}

HRESULT TTarvo::SaveToPng(const std::string& filename) {
  return Call("SaveToPng", [&](Ttvmap& panel) {
    image_export::SaveMapImage(panel, guard::AnsiArg(filename), image_export::ImageFormat::Png);
  });
}

}  // namespace quelmar::automation
