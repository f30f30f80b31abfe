#include "server/engine/server_settings.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "platform/kernel/ascii.h"
#include "platform/kernel/ini_file.h"
#include "server/engine/server_messages.h"

namespace quelmar::server {
namespace {

namespace fs = std::filesystem;

struct SwitchKey {
  const char* Key;
  bool ServerSettings::*Field;
};
constexpr SwitchKey kSwitchKeys[] = {
    {"MONOCHROME", &ServerSettings::Mono},          {"SHADE_MCD", &ServerSettings::ShadeMcd},
    {"SHADE_COUNTY", &ServerSettings::ShadeCounties}, {"SHADE_PLACE", &ServerSettings::ShadePlaces},
    {"SHADE_STATE", &ServerSettings::ShadeStates},  {"WHITE_BACKGROUND", &ServerSettings::WhiteBackground},
};

struct TextKey {
  const char* Section;
  const char* Key;
  std::string ServerSettings::*Field;
};
constexpr TextKey kTextKeys[] = {
    {kSetupSection, "OVERLAY", &ServerSettings::Overlay}, {kSetupSection, "UNDERLAY", &ServerSettings::Underlay},
    {kPathsSection, "DATA1", &ServerSettings::Data1},     {kPathsSection, "DATA2", &ServerSettings::Data2},
    {kPathsSection, "DATA3", &ServerSettings::Data3},     {kPathsSection, "STATES0", &ServerSettings::States0},
    {kPathsSection, "STATES1", &ServerSettings::States1},
};

constexpr const char* kSearchTypeKey = "SEARCH_TYPE";
constexpr int kLastSearchType = 5;  // FIND_MILEMARKER

// The usual text-to-Boolean conversion: "True"/"False" in any case, or a
// number (0 is False); nullopt for anything else.
std::optional<bool> BooleanOf(std::string_view text) {
  if (kernel::EqualsIgnoreCase(text, "True")) return true;
  if (kernel::EqualsIgnoreCase(text, "False")) return false;
  double number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) {
    return std::nullopt;
  }
  return number != 0;
}

std::string BooleanText(bool value) { return value ? "True" : "False"; }

bool HasRequiredPaths(const ServerSettings& s) {
  return !s.Data1.empty() && !s.Data2.empty() && !s.Data3.empty() && !s.States0.empty();
}

// The stored paths as the server uses them: a missing STATES1 is STATES0.
ServerSettings WithStates1(ServerSettings s) {
  if (HasRequiredPaths(s) && s.States1.empty()) s.States1 = s.States0;
  return s;
}

// The entry of `folder` named `name` in any letter case, the exact spelling
// first (the data product mixes "States" and "STATES").
std::optional<fs::path> EntryIn(const fs::path& folder, const std::string& name, bool wantFolder) {
  std::error_code error;
  const auto isWanted = [&](const fs::path& p) {
    std::error_code kindError;
    return wantFolder ? fs::is_directory(p, kindError) : fs::exists(p, kindError) && !fs::is_directory(p, kindError);
  };
  if (isWanted(folder / name)) return folder / name;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (kernel::EqualsIgnoreCase(it->path().filename().string(), name) && isWanted(it->path())) return it->path();
  }
  return std::nullopt;
}

// A folder MAP.INI names, as a path of this system: "\" is a separator, a
// relative folder counts from the tree's, and a trailing separator goes
// (the root keeps its own).
std::string DataFolder(const fs::path& tree, std::string value) {
  for (char& c : value) {
    if (c == '\\') c = '/';
  }
  if (value.empty()) return "";
  const fs::path p(value);
  std::string folder = (p.is_absolute() ? p : tree / p).lexically_normal().string();
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

}  // namespace

ServerSettings ReadSettings(const ServerIni& ini) {
  ServerSettings s;
  const kernel::IniFile file = ini.Snapshot();
  const auto get = [&](const char* section, const char* key, const std::string& fallback) {
    return ServerIni::GetIniString(file, section, key, fallback);
  };
  for (const SwitchKey& k : kSwitchKeys) {
    s.*k.Field = BooleanOf(get(kSetupSection, k.Key, BooleanText(s.*k.Field))).value_or(s.*k.Field);
  }
  for (const TextKey& k : kTextKeys) s.*k.Field = get(k.Section, k.Key, s.*k.Field);
  const std::string searchType = get(kSetupSection, kSearchTypeKey, "0");
  int kind = 0;
  const auto [end, error] = std::from_chars(searchType.data(), searchType.data() + searchType.size(), kind);
  if (error == std::errc() && end == searchType.data() + searchType.size() && kind >= 0 && kind <= kLastSearchType) {
    s.SearchType = kind;
  }
  return s;
}

bool SaveSetting(const ServerIni& ini, const ServerSettings& settings, bool ServerSettings::*field,
                 std::error_code* error) {
  for (const SwitchKey& k : kSwitchKeys) {
    if (k.Field == field) return ini.SaveIniString(kSetupSection, k.Key, BooleanText(settings.*field), error);
  }
  if (error) *error = std::make_error_code(std::errc::invalid_argument);
  return false;
}

bool SaveSetting(const ServerIni& ini, const ServerSettings& settings, std::string ServerSettings::*field,
                 std::error_code* error) {
  for (const TextKey& k : kTextKeys) {
    if (k.Field == field) return ini.SaveIniString(k.Section, k.Key, settings.*field, error);
  }
  if (error) *error = std::make_error_code(std::errc::invalid_argument);
  return false;
}

bool SaveSetting(const ServerIni& ini, const ServerSettings& settings, int ServerSettings::*field,
                 std::error_code* error) {
  if (field != &ServerSettings::SearchType) {
    if (error) *error = std::make_error_code(std::errc::invalid_argument);
    return false;
  }
  return ini.SaveIniString(kSetupSection, kSearchTypeKey, std::to_string(settings.*field), error);
}

bool SavePaths(const ServerIni& ini, const ServerSettings& settings, std::error_code* error) {
  std::vector<std::pair<std::string, std::string>> values;
  for (const TextKey& k : kTextKeys) {
    if (std::string_view(k.Section) == kPathsSection) values.emplace_back(k.Key, settings.*k.Field);
  }
  return ini.SaveIniStrings(kPathsSection, values, error);
}

std::string DefaultDataTreeFolder() {
  std::string folder;
  if (const char* data = std::getenv("QUELMAR_DATA"); data && *data) {
    folder = data;
  } else if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    folder = std::string(xdg) + "/quelmar/map";
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    folder = std::string(home) + "/.local/share/quelmar/map";
  }
  return !folder.empty() && EntryIn(folder, kMapIniName, false) ? folder : "";
}

bool ReadMapIni(const fs::path& folder, ServerSettings* paths, std::error_code* error) {
  const std::optional<fs::path> file = EntryIn(folder, kMapIniName, false);
  if (!file) {
    if (error) *error = std::make_error_code(std::errc::no_such_file_or_directory);
    return false;
  }
  kernel::IniFile ini;
  if (!ini.Load(*file, error)) return false;
  std::error_code absoluteError;
  const fs::path tree = fs::absolute(folder, absoluteError);
  const auto read = [&](const char* key) {
    return DataFolder(absoluteError ? folder : tree, ServerIni::GetIniString(ini, kMapIniSection, key, ""));
  };
  ServerSettings& p = *paths;
  p.Data1 = read("Data1Path");
  p.Data2 = read("Data2Path");
  p.Data3 = read("Data3Path");
  p.States0 = read("StatesPath");
  p.States1.clear();
  if (!HasRequiredPaths(p)) return true;
  // The supplementary street folder: the tree's own "States" beside DATA1
  // when the primary street folder lies elsewhere, else the primary one.
  const fs::path dataParent = fs::path(p.Data1).parent_path();
  const fs::path statesParent = fs::path(p.States0).parent_path();
  p.States1 = p.States0;
  if (!kernel::EqualsIgnoreCase(dataParent.string(), statesParent.string())) {
    if (const std::optional<fs::path> states = EntryIn(dataParent, "States", true)) p.States1 = states->string();
  }
  return true;
}

ServerSettings LoadSettings(const ServerIni& ini, bool easySetup, const FolderChooser& choose,
                            const std::string& startFolder) {
  const ServerSettings stored = ReadSettings(ini);
  if (!easySetup && HasRequiredPaths(stored)) return WithStates1(stored);

  ShowInformation((easySetup ? std::string() : std::string(kNeedPathsPrefix)) + kBrowseInstruction);
  const std::string chosen = choose ? choose({kBrowseTreePrompt, startFolder}) : std::string();
  if (chosen.empty()) {
    ShowInformation(kDiscoveryFailure);
    return WithStates1(stored);
  }
  ServerSettings found = stored;
  std::error_code error;
  if (!ReadMapIni(chosen, &found, &error)) {
    ShowInformation(error == std::errc::no_such_file_or_directory
                        ? std::string(kNoMapIni) + kDiscoveryFailure
                        : kMapIniUnreadable + error.message() + ". " + kDiscoveryFailure);
    return WithStates1(stored);
  }
  if (!HasRequiredPaths(found)) {
    // The stored paths are kept: an incomplete MAP.INI must not wipe them.
    ShowInformation(std::string(kMapIniIncomplete) + kDiscoveryFailure);
    return WithStates1(stored);
  }
  ShowInformation(std::string(kPathsConfigured) + (easySetup ? "" : kPathsConfiguredMore));
  if (!SavePaths(ini, found, &error)) ShowInformation(SaveFailedText(ini.File(), error));
  return found;
}

std::string BrowseDataFolder(const std::string& current, const std::string& label, const FolderChooser& choose) {
  if (!choose) return "";
  return choose({"Browse to the Tarvo Mapping " + label + " folder", IsFolder(current) ? current : std::string()});
}

}  // namespace quelmar::server
