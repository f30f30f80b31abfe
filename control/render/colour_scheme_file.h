#pragma once
// "Cscm.bin", the user's colour schemes, in the folder of the configuration
// file (little-endian):
//
//   offset 0            int32  number of schemes N
//   offset 4 + 421 (i-1)       scheme i, i = 1..N:
//     +0   21 bytes  name: a length byte and up to 20 characters
//     +21  284 bytes 71 uint32 state colours, codes 1..71
//     +305 96 bytes  24 uint32 shade palette entries 1..24
//     +401 20 bytes  reserved, zero
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "control/render/colour_scheme.h"

namespace quelmar::render {

inline constexpr std::size_t kSchemeRecordSize = 421;
inline constexpr std::string_view kColourSchemeFileName = "Cscm.bin";

// Reads a scheme file image into *schemes (cleared first). Only the first
// kMaxColourSchemes records are read; bytes after them are ignored. Throws
// DataError for a negative count or a record cut short; the schemes read
// before the fault stay in *schemes.
void ReadColourSchemes(std::span<const std::uint8_t> bytes, std::vector<ColourScheme>* schemes);

// The file image of `schemes`: the count, then one record each (names cut to
// 20 characters, reserved bytes zero).
std::vector<std::uint8_t> WriteColourSchemes(std::span<const ColourScheme> schemes);

// The scheme file in `folder`, its name matched without regard to letter
// case; the path it would have when there is none yet.
std::filesystem::path ColourSchemeFilePath(const std::filesystem::path& folder);

// Loads the scheme file of `folder` into `store`. False, with the store
// emptied, when there is no such file. Throws IoError when it exists but
// cannot be read and DataError when it is malformed; the schemes read before
// a fault are kept in the store.
bool LoadColourSchemeFile(const std::filesystem::path& folder, ColourSchemeStore& store);

// Writes every scheme of `store` to the scheme file of `folder`, replacing
// it whole. False, with the old file untouched, when it cannot be written.
bool SaveColourSchemeFile(const std::filesystem::path& folder, const ColourSchemeStore& store);

}  // namespace quelmar::render
