#pragma once
// The two route files:
// - the route history ("*.hst"): one line per calculated route,
//   description + tab + start + tab + finish, the points as "lon,lat";
// - the user road file "Xmap.rte": records of a "Pline N" line, N point
//   lines "x,y" (map units; a space also separates), and a name line
//   "(name,class)". Its roads join the road network of every route.
// Readers take any bytes; a malformed user road record ends the reading and
// keeps the records before it. Writers replace the file atomically.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "control/routing/route_planner.h"

namespace quelmar::routing {

struct RouteHistoryEntry {
  std::string Description;
  std::string Start;
  std::string Finish;
  friend bool operator==(const RouteHistoryEntry&, const RouteHistoryEntry&) = default;
};

// The entries of a history file's text (CR LF or LF lines; missing fields
// are empty; an empty line is an empty entry).
std::vector<RouteHistoryEntry> ParseRouteHistory(std::string_view text);
std::string RouteHistoryText(const std::vector<RouteHistoryEntry>& entries);
// The name a history file is saved under: `name`, with ".hst" when it has no ".".
std::filesystem::path HistoryFileName(const std::filesystem::path& name);
// Throws IoError when the file cannot be read or written.
std::vector<RouteHistoryEntry> LoadRouteHistory(const std::filesystem::path& path);
void SaveRouteHistory(const std::filesystem::path& path, const std::vector<RouteHistoryEntry>& entries);

inline constexpr std::string_view kUserRoadFile = "Xmap.rte";
inline constexpr std::size_t kMaxUserRoadPoints = 100000;  // a larger count is a damaged record

struct UserRoadFile {
  std::vector<UserRoad> Roads;
  bool Complete = true;  // false: reading stopped at a malformed record
  std::size_t StoppedAtLine = 0;  // 1-based line of that record
};
UserRoadFile ParseUserRoads(std::string_view text);

// The Line Editor's entries: "Pline 2" + tab + from + tab + to + tab +
// "(" + name + "," + class + ")"; the file holds each piece on its own line.
std::string UserRoadText(const std::vector<std::string>& entries);
// The roads of "Xmap.rte" in `folder` (found in any case); none when the
// file is missing or unreadable.
UserRoadFile LoadUserRoads(const std::filesystem::path& folder);
// Writes `entries` to "Xmap.rte" in `folder`, first keeping a copy of the
// old file as the first free "Xmap000.rte", "Xmap001.rte", ...; returns the
// backup's path ("" when there was no old file). Throws IoError when the
// backup or the file cannot be written; the old file then stays as it was.
std::filesystem::path SaveUserRoads(const std::filesystem::path& folder, const std::vector<std::string>& entries);

}  // namespace quelmar::routing
