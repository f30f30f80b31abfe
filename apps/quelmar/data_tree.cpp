#include "apps/quelmar/data_tree.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "platform/kernel/ini_file.h"

namespace quelmar::app {
namespace {

namespace fs = std::filesystem;

// A folder of MAP.INI: relative ones count from the tree's own folder.
std::string FolderOf(const fs::path& tree, const std::string& value) {
  std::string path = value;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (path.empty()) return "";
  const fs::path p(path);
  return (p.is_absolute() ? p : tree / p).lexically_normal().string();
}

// The tree's MAP.INI, whatever the case of its name.
std::optional<fs::path> MapIniIn(const fs::path& folder) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == "MAP.INI" && it->is_regular_file(error)) return it->path();
  }
  return std::nullopt;
}

}  // namespace

std::optional<DataTree> ReadDataTree(const std::string& folder, std::string* error) {
  const auto ini = MapIniIn(folder);
  if (!ini) {
    *error = "no MAP.INI in " + folder;
    return std::nullopt;
  }
  kernel::IniFile file;
  if (!file.Load(*ini)) {
    *error = "cannot read " + ini->string();
    return std::nullopt;
  }
  const char* section = "Application Interface";
  const fs::path root = fs::absolute(folder);
  DataTree tree;
  tree.States = FolderOf(root, file.GetOr(section, "StatesPath", ""));
  tree.Data1 = FolderOf(root, file.GetOr(section, "Data1Path", ""));
  tree.Data2 = FolderOf(root, file.GetOr(section, "Data2Path", ""));
  tree.Data3 = FolderOf(root, file.GetOr(section, "Data3Path", ""));
  if (tree.States.empty() || tree.Data1.empty()) {
    *error = ini->string() + " does not name the StatesPath and Data1Path folders";
    return std::nullopt;
  }
  return tree;
}

std::string DefaultDataFolder() {
  std::string folder;
  if (const char* env = std::getenv("QUELMAR_DATA"); env && *env) {
    folder = env;
  } else if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    folder = std::string(xdg) + "/quelmar/map";
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    folder = std::string(home) + "/.local/share/quelmar/map";
  }
  return !folder.empty() && MapIniIn(folder) ? folder : "";
}

bool ApplyDataTree(ControlHost& host, const DataTree& tree, std::string* error) {
  const std::pair<const char*, const std::string*> paths[] = {
      {"Path_states0", &tree.States}, {"Path_states1", &tree.States}, {"Path_data1", &tree.Data1},
      {"Path_data2", &tree.Data2},    {"Path_data3", &tree.Data3},
  };
  for (const auto& [name, value] : paths) {
    const CallResult result = host.Put(name, com::Variant(*value));
    if (com::Failed(result.hr)) {
      *error = std::string(name) + ": " + result.description;
      return false;
    }
  }
  return true;
}

bool UseDataTree(ControlHost& host, const std::string& option, std::string* error) {
  const std::string folder = option.empty() ? DefaultDataFolder() : option;
  if (folder.empty()) return true;  // the built-in base map alone
  const auto tree = ReadDataTree(folder, error);
  return tree && ApplyDataTree(host, *tree, error);
}

}  // namespace quelmar::app
