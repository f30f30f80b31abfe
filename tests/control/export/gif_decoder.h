#pragma once
// GIF streams decoded by giflib, an independent decoder, for the tests of
// the control's own encoder.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace quelmar::testing {

struct DecodedGif {
  bool ok = false;
  int width = 0, height = 0, images = 0, paletteSize = 0;
  std::vector<gdi::COLORREF> pixels;  // through the colour table, top row first
};

inline DecodedGif DecodeGif(const std::string& bytes) {
  struct Reader {
    const std::string* bytes;
    std::size_t at = 0;
  } reader{&bytes};
  auto read = [](GifFileType* gif, GifByteType* out, int n) -> int {
    auto* r = static_cast<Reader*>(gif->UserData);
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(n), r->bytes->size() - r->at);
    std::memcpy(out, r->bytes->data() + r->at, count);
    r->at += count;
    return static_cast<int>(count);
  };
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, read, &error);
  DecodedGif out;
  if (!gif) return out;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1 && gif->SColorMap) {
    out.ok = true;
    out.width = gif->SWidth;
    out.height = gif->SHeight;
    out.images = gif->ImageCount;
    out.paletteSize = gif->SColorMap->ColorCount;
    const SavedImage& image = gif->SavedImages[0];
    const std::size_t n =
        static_cast<std::size_t>(image.ImageDesc.Width) * static_cast<std::size_t>(image.ImageDesc.Height);
    for (std::size_t i = 0; i < n; ++i) {
      const GifColorType c = gif->SColorMap->Colors[image.RasterBits[i]];
      out.pixels.push_back(gdi::RGB(c.Red, c.Green, c.Blue));
    }
  }
  DGifCloseFile(gif, &error);
  return out;
}

}  // namespace quelmar::testing
