#pragma once
// The elevation tiles of the "srtm" map theme in Debian's marble-qt-data: an
// equirectangular world from 180° W and 90° N in levels of square JPEG tiles,
// level L being 2^(L+1) tiles across and 2^L down, each stored as
// <level>/<row>/<row>_<column>.jpg with six-digit numbers. Grey values rise
// with the height of the ground and the depth of the sea floor alike.
#include <cstdint>
#include <filesystem>

#include "tools/quelmar-data/builder/relief/grey_image.h"

namespace quelmar::builder {

// The theme's folder inside the fetched inputs.
std::filesystem::path SrtmThemeFolder(const std::filesystem::path& inputsDir);

class SrtmTiles {
 public:
  // Reads tile (0, 0) of `level` for the tile size. IoError when the folder
  // or that tile is missing; DataError when it does not decode or is not square.
  SrtmTiles(std::filesystem::path themeFolder, int level);

  std::int32_t TileSize() const { return tileSize_; }
  // Pixels of the whole world at this level.
  std::int64_t WorldWidth() const { return static_cast<std::int64_t>(tileSize_) << (level_ + 1); }
  std::int64_t WorldHeight() const { return static_cast<std::int64_t>(tileSize_) << level_; }
  double PixelsPerDegree() const { return static_cast<double>(WorldWidth()) / 360.0; }

  // The world pixels [x0, x0 + width) × [y0, y0 + height), which must lie
  // inside the world. IoError for a missing tile, DataError for one that does
  // not decode or differs in size from tile (0, 0).
  GreyImage Window(std::int64_t x0, std::int64_t y0, std::int32_t width, std::int32_t height) const;

 private:
  std::filesystem::path TilePath(std::int64_t row, std::int64_t column) const;

  std::filesystem::path folder_;
  int level_;
  std::int32_t tileSize_ = 0;
};

}  // namespace quelmar::builder
