#include "server/engine/server_ini.h"

#include <algorithm>
#include <functional>

#include "platform/kernel/ascii.h"

namespace quelmar::server {
namespace {

using kernel::IniFile;

void Report(std::error_code* error, std::error_code code) {
  if (error) *error = code;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

bool HasOuterBlanks(std::string_view name) { return kernel::TrimBlanks(name).size() != name.size(); }

// A section name that reads back as itself: the unnamed section "" is allowed.
bool GoodSection(std::string_view section) {
  return !HasLineBreak(section) && !HasOuterBlanks(section) && section.find(']') == std::string_view::npos;
}

// A key that reads back as a key of its own: not a comment, header or blank line.
bool GoodKey(std::string_view key) {
  return !key.empty() && !HasLineBreak(key) && !HasOuterBlanks(key) && key.find('=') == std::string_view::npos &&
         key.front() != ';' && key.front() != '[';
}

// Reads the file as the private-profile calls do: a missing or unreadable
// file is a file with no keys.
IniFile Read(const std::filesystem::path& file) {
  IniFile ini;
  if (!file.empty() && !ini.Load(file)) ini.Clear();
  return ini;
}

// Reads the file, lets `change` edit it and saves it in place. `change`
// returns false when it changed nothing, and then nothing is written.
bool Modify(const std::filesystem::path& file, std::error_code* error, const std::function<bool(IniFile&)>& change) {
  if (file.empty()) {
    Report(error, std::make_error_code(std::errc::invalid_argument));
    return false;
  }
  IniFile ini;
  std::error_code loadError;
  if (!ini.Load(file, &loadError)) {
    Report(error, loadError);  // an unreadable file is left as it is, never replaced
    return false;
  }
  // A new file is written as the desktop writes INI files.
  if (ini.SectionNames().empty()) ini.SetLineEnding(IniFile::LineEnding::CrLf);
  if (!change(ini)) return true;
  return ini.Save(file, error);
}

}  // namespace

std::string ProfileValue(std::string_view stored) {
  std::string_view value = kernel::TrimBlanks(stored);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, ServerIni::kMaxValueLength));
}

IniFile ServerIni::Snapshot() const { return Read(file_); }

std::string ServerIni::GetIniString(const IniFile& snapshot, std::string_view section, std::string_view key,
                                    std::string_view fallback) {
  const std::optional<std::string> stored = snapshot.Get(section, key);
  return stored ? ProfileValue(*stored) : std::string(fallback.substr(0, kMaxValueLength));
}

std::string ServerIni::GetIniString(std::string_view section, std::string_view key, std::string_view fallback) const {
  if (file_.empty()) return "";
  return GetIniString(Read(file_), section, key, fallback);
}

bool ServerIni::SaveIniString(std::string_view section, std::string_view key, std::string_view value,
                              std::error_code* error) const {
  return SaveIniStrings(section, {{std::string(key), std::string(value)}}, error);
}

bool ServerIni::SaveIniStrings(std::string_view section,
                               const std::vector<std::pair<std::string, std::string>>& values,
                               std::error_code* error) const {
  const bool good = GoodSection(section) && std::all_of(values.begin(), values.end(), [](const auto& v) {
    return GoodKey(v.first) && !HasLineBreak(v.second);
  });
  if (!good) {
    Report(error, std::make_error_code(std::errc::invalid_argument));
    return false;
  }
  return Modify(file_, error, [&](IniFile& ini) {
    for (const auto& [key, value] : values) ini.Set(section, key, value.empty() ? std::string_view("\"\"") : value);
    return true;
  });
}

std::string ServerIni::GetIniStringWriteDefault(std::string_view section, std::string_view key,
                                                std::string_view fallback) const {
  const std::string value = GetIniString(section, key, kMissingMarker);
  if (value != kMissingMarker) return value;
  const bool blankAtEnd = !fallback.empty() && (kernel::IsBlank(fallback.front()) || kernel::IsBlank(fallback.back()));
  SaveIniString(section, key, blankAtEnd ? "\"" + std::string(fallback) + "\"" : std::string(fallback));
  return std::string(fallback);
}

std::vector<std::string> ServerIni::LoadAllKeysInSection(std::string_view section) const {
  std::vector<std::string> entries;
  if (file_.empty()) return entries;
  const IniFile ini = Read(file_);
  std::size_t used = 1;  // the mark after the last entry
  for (const std::string& key : ini.KeyNames(section)) {
    std::string entry = key + "=" + ini.GetOr(section, key, "");
    if (used + entry.size() + 1 > kMaxSectionLength) break;
    used += entry.size() + 1;
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool ServerIni::DeleteKey(std::string_view section, std::string_view key, std::error_code* error) const {
  return Modify(file_, error, [&](IniFile& ini) { return ini.Remove(section, key); });
}

bool ServerIni::DeleteSection(std::string_view section, std::error_code* error) const {
  return Modify(file_, error, [&](IniFile& ini) { return ini.RemoveSection(section); });
}

bool ServerIni::IsItTrue(std::string_view text) { return kernel::EqualsIgnoreCase(text, "TRUE"); }

std::string ServerIni::TrueOrFalse(bool value) { return value ? "TRUE" : "FALSE"; }

}  // namespace quelmar::server
