#pragma once
// ServerIni: the server's access to INI files, with the reading rules of a
// desktop's private-profile calls, over kernel::IniFile. Every call opens the
// file, so that two objects (or another program) never see stale contents;
// every change reads the whole file, changes it and saves it through a
// temporary file renamed into place, so a failed write leaves the old file.
//
// Reading: a missing or unreadable file reads as a file with no keys. A value
// loses its surrounding blanks and then one pair of enclosing quotes ("x" or
// 'x'), and is cut to kMaxValueLength characters.
//
// Writing: the empty value is written as two double quotes, so that the key
// stays in the file and reads back as "". Nothing is written, and false comes
// back with *error set, when the object has no file name, when a name or a
// value could not be read back (errc::invalid_argument: a line break in any
// of them, a key with "=" or starting with ";" or "[", a section with "]",
// an empty key, blanks around a name), or when the existing file cannot be
// read (it is then left alone) or the new one cannot be written.
//
// Another file than the default is reached through a ServerIni made for it
// (the server also uses one for the control's configuration file).
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/kernel/ini_file.h"

namespace quelmar::server {

// The settings file, named after the server, in the server's folder.
inline constexpr const char* kSettingsFileName = "TarvoServer.INI";

class ServerIni {
 public:
  // The most characters a read returns (a read buffer of 500 with its end mark).
  static constexpr std::size_t kMaxValueLength = 499;
  // The most characters LoadAllKeysInSection returns, counting one end mark
  // after each entry and one after the last.
  static constexpr std::size_t kMaxSectionLength = 10000;
  // The default GetIniStringWriteDefault reads with to see that a key is missing.
  static constexpr std::string_view kMissingMarker = "$!*%";

  ServerIni() = default;
  explicit ServerIni(std::filesystem::path file) : file_(std::move(file)) {}
  // The settings file of a server living in `serverFolder`.
  static ServerIni ForServerFolder(const std::filesystem::path& serverFolder) {
    return ServerIni(serverFolder / kSettingsFileName);
  }

  const std::filesystem::path& File() const { return file_; }

  // The key's value; `fallback` when the key (or the file) is missing; ""
  // when the object has no file name.
  std::string GetIniString(std::string_view section, std::string_view key, std::string_view fallback) const;
  bool SaveIniString(std::string_view section, std::string_view key, std::string_view value,
                     std::error_code* error = nullptr) const;
  // Writes several keys of one section in one save: all of them or none.
  bool SaveIniStrings(std::string_view section, const std::vector<std::pair<std::string, std::string>>& values,
                      std::error_code* error = nullptr) const;
  // Reads the key; when it is missing, writes `fallback` (in double quotes
  // when it begins or ends with a blank, so the blank reads back) and
  // returns it. A failed write still returns `fallback`.
  std::string GetIniStringWriteDefault(std::string_view section, std::string_view key,
                                       std::string_view fallback) const;
  // The section's entries as "key=value" texts, values as stored, in file
  // order; entries past kMaxSectionLength are left out whole.
  std::vector<std::string> LoadAllKeysInSection(std::string_view section) const;
  // Removing from a missing file, or what is not there, succeeds and writes nothing.
  bool DeleteKey(std::string_view section, std::string_view key, std::error_code* error = nullptr) const;
  bool DeleteSection(std::string_view section, std::error_code* error = nullptr) const;

  // The file as it is now, for several reads of one state of it: a missing
  // or unreadable file (or no file name) gives an empty one.
  kernel::IniFile Snapshot() const;
  // GetIniString on a snapshot.
  static std::string GetIniString(const kernel::IniFile& snapshot, std::string_view section, std::string_view key,
                                  std::string_view fallback);

  // True when the text is "TRUE" in any letter case.
  static bool IsItTrue(std::string_view text);
  // "TRUE" or "FALSE".
  static std::string TrueOrFalse(bool value);

 private:
  std::filesystem::path file_;
};

// What a private-profile read makes of a stored value: blanks around it and
// one pair of enclosing quotes removed, cut to ServerIni::kMaxValueLength.
std::string ProfileValue(std::string_view stored);

}  // namespace quelmar::server
