// find-zip TREE ZIP, find-city TREE PLACE, find-phone TREE NUMBER: the
// search tables of a data tree answer on the command line as they answer
// the control's FindZip, FindCity and FindACEX, one result line each.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "control/search/place_search.h"
#include "platform/kernel/ini_file.h"
#include "tools/quelmar-data/commands.h"

namespace quelmar::tools {
namespace {

namespace fs = std::filesystem;

constexpr int kCoordinateDecimals = 4;

// The search-files folder MAP.INI names (Data3Path), relative to the tree
// unless absolute; the tree's DATA3 when MAP.INI names none.
std::string SearchFolder(const std::string& tree) {
  kernel::IniFile ini;
  std::string value = "DATA3";
  if (ini.Load(fs::path(tree) / "MAP.INI")) value = ini.GetOr("Application Interface", "Data3Path", value);
  std::replace(value.begin(), value.end(), '\\', '/');
  const fs::path folder(value);
  return (folder.is_absolute() ? folder : fs::path(tree) / folder).string();
}

// Prints each line; status 0 when there was one, 1 when nothing was found.
int PrintLines(const std::vector<std::string>& lines, const char* command, const std::string& query) {
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  if (lines.empty()) std::fprintf(stderr, "quelmar-data %s: nothing found for %s\n", command, query.c_str());
  return lines.empty() ? 1 : 0;
}

// Each command asks the control's own PlaceSearch, collecting the lines it reports.
int RunFindZip(const std::string& tree, const std::string& zip) {
  std::vector<std::string> lines;
  const bool number = !zip.empty() && zip.size() <= 5 && zip.find_first_not_of("0123456789") == std::string::npos;
  if (number) {
    search::PlaceSearch places;
    if (auto line = places.Zip({SearchFolder(tree), kCoordinateDecimals, false}, std::stoi(zip))) {
      lines.push_back(std::move(*line));
    }
  }
  return PrintLines(lines, "find-zip", zip);
}

int RunFindCity(const std::string& tree, const std::string& place) {
  search::PlaceSearch places;
  std::vector<std::string> lines;
  const auto collect = [&lines](const std::string& line) { lines.push_back(line); };
  places.City({SearchFolder(tree), kCoordinateDecimals, false}, place, {collect, collect});
  return PrintLines(lines, "find-city", place);
}

int RunFindPhone(const std::string& tree, const std::string& number) {
  search::PlaceSearch places;
  std::vector<std::string> lines;
  const auto collect = [&lines](const std::string& line) { lines.push_back(line); };
  places.Exchanges({SearchFolder(tree), kCoordinateDecimals, false}, number, {collect, collect});
  return PrintLines(lines, "find-phone", number);
}

}  // namespace

void AddFindCommands(CLI::App& cli, int& exitCode) {
  struct Options {
    std::string tree;
    std::string query;
  };
  const auto add = [&](const char* name, const char* help, const char* what, int (*run)(const std::string&, const std::string&)) {
    auto options = std::make_shared<Options>();
    CLI::App* command = cli.add_subcommand(name, help);
    command->add_option("tree", options->tree, "The data tree (the folder of MAP.INI)")->required();
    command->add_option("query", options->query, what)->required();
    command->callback([options, run, &exitCode] { exitCode = run(options->tree, options->query); });
  };
  add("find-zip", "Look up a ZIP code in the tree's ZIP table", "The ZIP code", RunFindZip);
  add("find-city", "Look up a place (\"Springfield, IL\") or list places (\"SPR*, IL\")", "The place", RunFindCity);
  add("find-phone", "List the exchanges of an area code (\"312\") or look up one (\"312555\")", "The number",
      RunFindPhone);
}

}  // namespace quelmar::tools
