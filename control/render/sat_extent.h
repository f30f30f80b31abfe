#pragma once
// The extent file (".sat") that places an underlay image: a text file beside
// the image with its base name (up to the first ".") and the extension ".sat".
// Its first line holds x1, y1, x2, y2 — longitude and latitude of two opposite
// corners — separated by ",". Each coordinate keeps only "+", "-", ".", ":"
// and digits and reads as degrees, degrees:minutes or degrees:minutes:seconds,
// the sign of the degrees applying to the whole.
#include <filesystem>
#include <string_view>

#include "control/core/engine_hooks.h"

namespace quelmar::render {

// Only this many characters of the line are read.
inline constexpr std::size_t kExtentLineLength = 80;

// Degrees of one coordinate field. DataError when nothing numeric is left
// after filtering, or a part does not read as a number, or there are more
// than three parts.
double ParseExtentCoordinate(std::string_view field);

// The corners in map units (round(degrees × 15625)), ordered so that
// x1 <= x2 and y1 >= y2 (north-west, then south-east). A leading "*" is
// skipped; the line ends at the first line break or after 80 characters.
// DataError when fewer than four coordinates are present, one is malformed,
// or one does not fit map units.
core::MapRect ParseExtentLine(std::string_view text);

// "folder/name.ext" -> "folder/name.sat"; the base name ends at its first ".".
std::filesystem::path ExtentFilePath(const std::filesystem::path& imagePath);

// Reads the extent file of an image. IoError when it is missing or cannot be
// read; DataError as ParseExtentLine. The file name is matched without regard
// to case when the exact name does not exist.
core::MapRect ReadExtentFile(const std::filesystem::path& imagePath);

}  // namespace quelmar::render
