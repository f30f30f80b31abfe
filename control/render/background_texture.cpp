#include "control/render/background_texture.h"

namespace quelmar::render {

void PaintBackgroundTexture(gdi::Bitmap& tile, std::minstd_rand& random) {
  tile.Fill(kBackgroundTileColor);
  for (int dot = 0; dot < kBackgroundDots; ++dot) {
    const int x = static_cast<int>(random() % kBackgroundDotArea);
    const int y = static_cast<int>(random() % kBackgroundDotArea);
    tile.SetPixel(x, y, kBackgroundDotColor);
    if (y > 0) tile.SetPixel(x, y - 1, kBackgroundDotLight);
  }
}

}  // namespace quelmar::render
