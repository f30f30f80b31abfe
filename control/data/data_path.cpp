#include "control/data/data_path.h"

#include <string>
#include <system_error>

namespace quelmar::data {
namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// `parent` / `component`, or the one entry of `parent` whose name matches it
// without regard to case (the first in name order, so the choice is stable).
std::optional<fs::path> Step(const fs::path& parent, std::string_view component) {
  std::error_code error;
  fs::path exact = parent / std::string(component);
  if (fs::exists(exact, error)) return exact;
  std::optional<fs::path> found;
  for (fs::directory_iterator it(parent.empty() ? fs::path(".") : parent, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (SameIgnoringCase(name, component) && (!found || it->path() < *found)) found = parent / name;
  }
  return found;
}

std::optional<fs::path> Resolve(std::string_view text) {
  std::string path(text);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (path.empty()) return std::nullopt;
  fs::path current = path[0] == '/' ? fs::path("/") : fs::path();
  std::size_t start = path[0] == '/' ? 1 : 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string_view component = std::string_view(path).substr(start, end - start);
    if (!component.empty() && component != ".") {
      const auto next = Step(current, component);
      if (!next) return std::nullopt;
      current = *next;
    }
    start = end + 1;
  }
  return current;
}

}  // namespace

std::optional<std::filesystem::path> ResolveDataFolder(std::string_view folder) {
  auto path = Resolve(folder);
  std::error_code error;
  if (!path || !fs::is_directory(*path, error)) return std::nullopt;
  return path;
}

std::optional<std::filesystem::path> ResolveDataFile(std::string_view folder, std::string_view name) {
  const auto dir = folder.empty() ? std::optional<fs::path>(fs::path(".")) : ResolveDataFolder(folder);
  if (!dir) return std::nullopt;
  auto file = Step(*dir, name);
  std::error_code error;
  if (!file || !fs::is_regular_file(*file, error)) return std::nullopt;
  return file;
}

}  // namespace quelmar::data
