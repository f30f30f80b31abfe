#pragma once
// The relief underlay of the United States: heights from the SRTM elevation
// tiles of marble-qt-data, cut to the country (the 48 states, Alaska east of
// 180° and Hawaii, with the land around them), written as an 8-bit bitmap
// with its ".sat" extent file for the control's underlay images.
//
// The pixels are heights for the underlay styles: 0 where the tiles show sea
// (or land below sea level), else 1..255 rising with the ground. The colour
// table is grey (entry i is R = G = B = i). The output depends on the tiles
// only, byte for byte.
#include <cstdint>
#include <filesystem>
#include <string>

namespace quelmar::builder {

struct ReliefUnderlayOptions {
  int Level = 3;  // 675-pixel tiles at level 3 give 30 pixels a degree
  // The area, in degrees; the image covers the tile pixels whose centres lie inside.
  double West = -180.0, East = -65.0, South = 17.0, North = 72.0;
  std::string BaseName = "usrelief";  // the files are <BaseName>.bmp and <BaseName>.sat
};

struct ReliefUnderlayFiles {
  std::filesystem::path Image;
  std::filesystem::path Extent;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// The tiles' grey value of sea level: darker values are sea floor.
inline constexpr int kSeaLevelGrey = 97;

// Height of a tile grey value: 0 below sea level, else 1 + (grey - 97) scaled
// from 0..158 onto 0..254 and rounded.
std::uint8_t ReliefHeight(std::uint8_t grey);

// Writes <outputFolder>/<BaseName>.bmp and .sat (creating the folder), each
// replaced whole. IoError when the tiles or the folder are missing or a file
// cannot be written; DataError when a tile does not decode, or the area is
// empty or outside the world.
ReliefUnderlayFiles WriteReliefUnderlay(const std::filesystem::path& inputsDir, const std::filesystem::path& outputFolder,
                                        const ReliefUnderlayOptions& options = {});

}  // namespace quelmar::builder
