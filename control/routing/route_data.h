#pragma once
// The roads a route calculation reads from a map's folders: the built-in
// highway network, the highway quad archive of the first data folder, the
// state street archives and the user road file. Archives are opened once per
// FolderRouteData; the highway network drawing and archive directories are
// kept in a RouteDataCache between calculations.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "control/core/problem_reporter.h"
#include "control/data/index_cache.h"
#include "control/routing/route_planner.h"
#include "control/search/street_archive.h"

namespace quelmar::routing {

struct RouteFolders {
  std::string Data1;
  std::string States0;
  std::string States1;  // tried when States0 has no archive of a state
  std::string Extension = ".ZP5";
  std::int32_t StreetVersion = 402;
  std::string UserRoadFolder;  // of "Xmap.rte"; "" for none
  core::ProblemReporter* Problems = nullptr;  // may be null
};

class RouteDataCache {
 public:
  // The built-in highway network, read once; null when the library has none
  // or it cannot be read (told to `problems`).
  std::shared_ptr<const data::Drawing> HighwayNetwork(core::ProblemReporter* problems);
  data::ArchiveIndexCache& Directories() { return directories_; }

 private:
  std::shared_ptr<const data::Drawing> network_;
  bool tried_ = false;
  data::ArchiveIndexCache directories_;
};

class FolderRouteData final : public RouteData {
 public:
  FolderRouteData(RouteFolders folders, RouteDataCache& cache) : folders_(std::move(folders)), cache_(cache) {}

  const data::Drawing* HighwayNetwork() override;
  bool HasHighwayQuads() override;
  std::optional<data::Drawing> HighwayQuad(const std::string& member) override;
  std::optional<data::Drawing> StreetQuad(const std::string& member) override;
  std::vector<UserRoad> UserRoads() override;

 private:
  struct OpenArchive {
    std::optional<search::StreetArchive> Archive;
    std::map<std::string, std::size_t> Members;  // upper-cased name -> index
  };
  OpenArchive* Open(const std::optional<std::filesystem::path>& path);
  std::optional<data::Drawing> Read(OpenArchive* archive, const std::string& member);

  RouteFolders folders_;
  RouteDataCache& cache_;
  std::shared_ptr<const data::Drawing> network_;
  std::map<std::string, OpenArchive> archives_;  // by path; an entry without archive: could not be opened
};

}  // namespace quelmar::routing
