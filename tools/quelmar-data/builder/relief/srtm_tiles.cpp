#include "tools/quelmar-data/builder/relief/srtm_tiles.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/relief/jpeg_grey_tile.h"

namespace quelmar::builder {
namespace {

constexpr int kDeepestLevel = 12;

}  // namespace

std::filesystem::path SrtmThemeFolder(const std::filesystem::path& inputsDir) {
  return inputsDir / "deb" / "marble-qt-data" / "usr" / "share" / "marble" / "data" / "maps" / "earth" / "srtm";
}

SrtmTiles::SrtmTiles(std::filesystem::path themeFolder, int level) : folder_(std::move(themeFolder)), level_(level) {
  if (level < 0 || level > kDeepestLevel) throw DataError("elevation tile level " + std::to_string(level) + " is out of range");
  std::error_code error;
  if (!std::filesystem::is_directory(folder_ / std::to_string(level), error)) {
    throw IoError("elevation tiles of level " + std::to_string(level) + " not found in \"" + folder_.string() + "\"");
  }
  const GreyImage first = ReadGreyJpeg(TilePath(0, 0));
  if (first.Width != first.Height) throw DataError("elevation tile " + TilePath(0, 0).string() + " is not square");
  tileSize_ = first.Width;
}

std::filesystem::path SrtmTiles::TilePath(std::int64_t row, std::int64_t column) const {
  char rowName[16], fileName[40];
  std::snprintf(rowName, sizeof rowName, "%06lld", static_cast<long long>(row));
  std::snprintf(fileName, sizeof fileName, "%06lld_%06lld.jpg", static_cast<long long>(row),
                static_cast<long long>(column));
  return folder_ / std::to_string(level_) / rowName / fileName;
}

GreyImage SrtmTiles::Window(std::int64_t x0, std::int64_t y0, std::int32_t width, std::int32_t height) const {
  if (x0 < 0 || y0 < 0 || width < 1 || height < 1 || x0 + width > WorldWidth() || y0 + height > WorldHeight()) {
    throw DataError("elevation window lies outside the world");
  }
  GreyImage window;
  window.Width = width;
  window.Height = height;
  window.Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  const std::int64_t size = tileSize_;
  for (std::int64_t row = y0 / size; row <= (y0 + height - 1) / size; ++row) {
    for (std::int64_t column = x0 / size; column <= (x0 + width - 1) / size; ++column) {
      const std::filesystem::path path = TilePath(row, column);
      const GreyImage tile = ReadGreyJpeg(path);
      if (tile.Width != tileSize_ || tile.Height != tileSize_) {
        throw DataError("elevation tile " + path.string() + " differs in size from the level's first tile");
      }
      // The part of this tile inside the window, in world pixels.
      const std::int64_t left = std::max(x0, column * size), right = std::min(x0 + width, (column + 1) * size);
      const std::int64_t top = std::max(y0, row * size), bottom = std::min(y0 + height, (row + 1) * size);
      for (std::int64_t y = top; y < bottom; ++y) {
        for (std::int64_t x = left; x < right; ++x) {
          window.At(static_cast<std::int32_t>(x - x0), static_cast<std::int32_t>(y - y0)) =
              tile.At(static_cast<std::int32_t>(x - column * size), static_cast<std::int32_t>(y - row * size));
        }
      }
    }
  }
  return window;
}

}  // namespace quelmar::builder
