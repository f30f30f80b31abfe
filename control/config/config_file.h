#pragma once
// Reading and saving a configuration file. A read that fails changes
// nothing; a save keeps the previous file as the backup (the name with its
// last character made "b") and replaces the file atomically, so a failed or
// killed save leaves the old file whole.
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "control/config/config_text.h"

namespace quelmar::config {

// The backup beside `path`: its last character replaced by "b", or, when
// that is the file itself, the name followed by "b".
std::filesystem::path BackupPath(const std::filesystem::path& path);

// The setting lines of the file, or nullopt (with *error) when it cannot be read.
std::optional<std::vector<ConfigEntry>> ReadConfigFile(const std::filesystem::path& path,
                                                      std::error_code* error = nullptr);

// Writes `text` to `path` after copying the old file (if any) to its
// backup. False (with *error) when nothing could be written; the old file
// is then unchanged.
bool SaveConfigFile(const std::filesystem::path& path, const std::string& text, std::error_code* error = nullptr);

}  // namespace quelmar::config
