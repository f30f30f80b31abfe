#include "control/config/config_file.h"

#include "platform/kernel/atomic_file.h"

namespace quelmar::config {

std::filesystem::path BackupPath(const std::filesystem::path& path) {
  std::string name = path.string();
  if (name.empty()) return "b";
  std::string backup = name;
  backup.back() = 'b';
  if (backup == name) backup = name + "b";
  return backup;
}

std::optional<std::vector<ConfigEntry>> ReadConfigFile(const std::filesystem::path& path, std::error_code* error) {
  std::string text;
  if (!kernel::ReadWholeFile(path, &text, error)) return std::nullopt;
  return ParseConfigText(text);
}

bool SaveConfigFile(const std::filesystem::path& path, const std::string& text, std::error_code* error) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(path, ec)) {
    // A copy, not a rename: the file stays in place until the new one replaces it.
    std::filesystem::copy_file(path, BackupPath(path), std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
      if (error) *error = ec;
      return false;
    }
  }
  return kernel::WriteFileAtomically(path, text, error);
}

}  // namespace quelmar::config
