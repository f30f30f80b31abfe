#pragma once
// The favourites file: the host's favourite views, one per line, each line
// exactly the text the host gave (the server does not interpret it). Lines
// are written ended by CR LF; reading also takes LF or a lone CR as a line
// end, and a last line without one.
//
// Every change writes a temporary file and renames it into place, so a
// failed append or rewrite leaves the old file whole. A file is read only up
// to the limits: one larger than MaxBytes is not read at all, and lines past
// MaxLines are dropped (errc::file_too_large in both cases); a change that
// would pass a limit is refused, so the file always reads back whole.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quelmar::server {

// The favourites file, named after the server, in the server's folder.
inline constexpr const char* kFavouritesFileName = "TarvoServer.FAV";

struct FavouritesLimits {
  std::size_t MaxLines = 10000;
  std::uint64_t MaxBytes = 4u << 20;
};

// The lines of a favourites file's text; at most `maxLines` of them
// (*cut, when given, tells whether there were more).
std::vector<std::string> ParseFavourites(std::string_view text, std::size_t maxLines, bool* cut = nullptr);

// The file's lines. A missing, unreadable, oversized or damaged file gives
// the lines that could be read (none when it could not be read at all) and
// says why in *error; the error is cleared when the file was read whole.
std::vector<std::string> LoadFavourites(const std::filesystem::path& file, std::error_code* error = nullptr,
                                        const FavouritesLimits& limits = {});

// Adds one line at the end (making the file when it is missing). Refused,
// with the file unchanged: a line holding a line break
// (errc::invalid_argument), a file that cannot be read whole or would pass
// a limit, a failed write.
bool AppendFavourite(const std::filesystem::path& file, std::string_view line, std::error_code* error = nullptr,
                     const FavouritesLimits& limits = {});

// Replaces the file with the lines, in order (an empty list leaves an empty
// file). Refused, with the file unchanged, as AppendFavourite is.
bool SaveFavourites(const std::filesystem::path& file, const std::vector<std::string>& lines,
                    std::error_code* error = nullptr, const FavouritesLimits& limits = {});

}  // namespace quelmar::server
