#pragma once
// Elevation tile fixtures: grey JPEGs encoded with libjpeg, laid out as the
// srtm theme of the fetched inputs lays them out.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "tools/quelmar-data/builder/relief/grey_image.h"

namespace quelmar::builder::test {

// A baseline grey JPEG at quality 100 (a tile of one grey value decodes to
// exactly that value).
std::string EncodeGreyJpeg(const GreyImage& image);

GreyImage FlatImage(std::int32_t width, std::int32_t height, std::uint8_t grey);

// Writes the tiles of `level` under inputsDir's srtm theme, each of one grey
// value, grey(row, column), tileSize pixels square; returns the theme folder.
std::filesystem::path WriteFlatTiles(const std::filesystem::path& inputsDir, int level, std::int32_t tileSize,
                                     const std::function<std::uint8_t(int row, int column)>& grey);

// A folder under the system's temporary folder, removed with its contents.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace quelmar::builder::test
