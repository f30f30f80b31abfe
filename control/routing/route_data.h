#pragma once
// The roads a route calculation reads from a map's folders: the built-in
// highway network, the highway quad archive of the first data folder, the
// state street archives and the user road file. Archives are opened once per
// FolderRouteData; the highway network drawing, the archive directories and
// the quads last read are kept in a RouteDataCache between calculations (a
// quad is read again when its archive file changed).
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

  // A quad read before from the archive `identity`, or null.
  std::shared_ptr<const data::Drawing> Quad(const data::ArchiveIdentity& identity, const std::string& member) const;
  void KeepQuad(const data::ArchiveIdentity& identity, const std::string& member,
                std::shared_ptr<const data::Drawing> drawing);

  // The most quads kept; beyond it the cache starts again.
  static constexpr std::size_t kQuadCapacity = 400;

 private:
  struct KeptQuad {
    data::ArchiveIdentity Identity;
    std::shared_ptr<const data::Drawing> Drawing;
  };
  std::shared_ptr<const data::Drawing> network_;
  bool tried_ = false;
  data::ArchiveIndexCache directories_;
  std::map<std::string, KeptQuad> quads_;  // by canonical path + "|" + member
};

class FolderRouteData final : public RouteData {
 public:
  FolderRouteData(RouteFolders folders, RouteDataCache& cache) : folders_(std::move(folders)), cache_(cache) {}

  const data::Drawing* HighwayNetwork() override;
  bool HasHighwayQuads() override;
  std::shared_ptr<const data::Drawing> HighwayQuad(const std::string& member) override;
  std::shared_ptr<const data::Drawing> StreetQuad(const std::string& member) override;
  std::vector<UserRoad> UserRoads() override;

 private:
  struct OpenArchive {
    std::optional<search::StreetArchive> Archive;
    std::map<std::string, std::size_t> Members;  // upper-cased name -> index
  };
  OpenArchive* Open(const std::optional<std::filesystem::path>& path);
  // `name` in `folder`, found in any case; looked up once per calculation.
  const std::optional<std::filesystem::path>& Resolve(const std::string& folder, std::string_view name);
  std::shared_ptr<const data::Drawing> Read(OpenArchive* archive, const std::string& member);

  RouteFolders folders_;
  RouteDataCache& cache_;
  std::shared_ptr<const data::Drawing> network_;
  std::map<std::string, OpenArchive> archives_;  // by path; an entry without archive: could not be opened
  std::map<std::string, std::optional<std::filesystem::path>> resolved_;  // by folder + "|" + name
};

}  // namespace quelmar::routing
