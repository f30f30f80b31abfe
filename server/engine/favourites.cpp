#include "server/engine/favourites.h"

#include <algorithm>

#include "platform/kernel/atomic_file.h"

namespace quelmar::server {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void Report(std::error_code* error, std::errc code) {
  if (error) *error = std::make_error_code(code);
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// The file's whole text within the size limit; a missing file is empty.
bool ReadWithin(const std::filesystem::path& file, const FavouritesLimits& limits, bool missingIsEmpty,
                std::string* text, std::error_code* error) {
  std::error_code sizeError;
  const std::uintmax_t size = std::filesystem::file_size(file, sizeError);
  if (!sizeError && size > limits.MaxBytes) {
    Report(error, std::errc::file_too_large);
    return false;
  }
  std::error_code readError;
  if (kernel::ReadWholeFile(file, text, &readError) && text->size() <= limits.MaxBytes) return true;
  if (!readError) readError = std::make_error_code(std::errc::file_too_large);  // it grew while being read
  text->clear();
  if (missingIsEmpty && readError == std::errc::no_such_file_or_directory) return true;
  if (error) *error = readError;
  return false;
}

// Writes the lines as the file's new text, within the limits.
bool WriteLines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                const FavouritesLimits& limits, std::error_code* error) {
  if (std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return HasLineBreak(l); })) {
    Report(error, std::errc::invalid_argument);
    return false;
  }
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += kLineEnd;
  }
  if (lines.size() > limits.MaxLines || text.size() > limits.MaxBytes) {
    Report(error, std::errc::file_too_large);
    return false;
  }
  return kernel::WriteFileAtomically(file, text, error);
}

}  // namespace

std::vector<std::string> ParseFavourites(std::string_view text, std::size_t maxLines, bool* cut) {
  std::vector<std::string> lines;
  if (cut) *cut = false;
  while (!text.empty()) {
    if (lines.size() == maxLines) {
      if (cut) *cut = true;
      break;
    }
    const std::size_t end = text.find_first_of("\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
  return lines;
}

std::vector<std::string> LoadFavourites(const std::filesystem::path& file, std::error_code* error,
                                        const FavouritesLimits& limits) {
  if (error) error->clear();
  std::string text;
  if (!ReadWithin(file, limits, false, &text, error)) return {};
  bool cut = false;
  std::vector<std::string> lines = ParseFavourites(text, limits.MaxLines, &cut);
  if (cut) Report(error, std::errc::file_too_large);
  return lines;
}

bool AppendFavourite(const std::filesystem::path& file, std::string_view line, std::error_code* error,
                     const FavouritesLimits& limits) {
  if (HasLineBreak(line)) {
    Report(error, std::errc::invalid_argument);
    return false;
  }
  std::string text;
  if (!ReadWithin(file, limits, true, &text, error)) return false;
  bool cut = false;
  std::vector<std::string> lines = ParseFavourites(text, limits.MaxLines, &cut);
  if (cut) {
    Report(error, std::errc::file_too_large);
    return false;
  }
  lines.emplace_back(line);
  return WriteLines(file, lines, limits, error);
}

bool SaveFavourites(const std::filesystem::path& file, const std::vector<std::string>& lines, std::error_code* error,
                    const FavouritesLimits& limits) {
  return WriteLines(file, lines, limits, error);
}

}  // namespace quelmar::server
