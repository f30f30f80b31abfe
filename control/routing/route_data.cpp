#include "control/routing/route_data.h"

#include <cctype>

#include "control/core/errors.h"
#include "control/data/archive_catalogue.h"
#include "control/data/data_path.h"
#include "control/data/drawing_reader.h"
#include "control/data/quad.h"
#include "control/data/resource_archive.h"
#include "control/routing/route_files.h"

namespace quelmar::routing {
namespace {

constexpr const char* kHighwayNetworkArchive = "HMAP.ZIP";

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::shared_ptr<const data::Drawing> RouteDataCache::HighwayNetwork(core::ProblemReporter* problems) {
  if (tried_) return network_;
  tried_ = true;
  try {
    const std::unique_ptr<data::ArchiveMemberSource> source = data::OpenBuiltInArchive(kHighwayNetworkArchive);
    auto drawing = std::make_shared<data::Drawing>();
    data::ReadDrawing(*source, *drawing);
    network_ = std::move(drawing);
  } catch (const Error& e) {
    if (problems) problems->Report({kHighwayNetworkArchive, "", e.what()});
  }
  return network_;
}

std::shared_ptr<const data::Drawing> RouteDataCache::Quad(const data::ArchiveIdentity& identity,
                                                          const std::string& member) const {
  const auto at = quads_.find(identity.canonicalPath + "|" + member);
  return at == quads_.end() || !(at->second.Identity == identity) ? nullptr : at->second.Drawing;
}

void RouteDataCache::KeepQuad(const data::ArchiveIdentity& identity, const std::string& member,
                              std::shared_ptr<const data::Drawing> drawing) {
  if (quads_.size() >= kQuadCapacity) quads_.clear();
  quads_[identity.canonicalPath + "|" + member] = {identity, std::move(drawing)};
}

const data::Drawing* FolderRouteData::HighwayNetwork() {
  if (!network_) network_ = cache_.HighwayNetwork(folders_.Problems);
  return network_.get();
}

const std::optional<std::filesystem::path>& FolderRouteData::Resolve(const std::string& folder, std::string_view name) {
  const auto [at, added] = resolved_.try_emplace(folder + "|" + std::string(name));
  if (added) at->second = data::ResolveDataFile(folder, name);
  return at->second;
}

bool FolderRouteData::HasHighwayQuads() {
  return Resolve(folders_.Data1, data::LayerArchiveOf(data::Layer::Network).Name).has_value();
}

FolderRouteData::OpenArchive* FolderRouteData::Open(const std::optional<std::filesystem::path>& path) {
  if (!path) return nullptr;
  const auto [at, added] = archives_.try_emplace(path->string());
  OpenArchive& open = at->second;
  if (added) {
    try {
      open.Archive.emplace(*path, cache_.Directories());
      const std::vector<std::string> names = open.Archive->MemberNames();
      for (std::size_t i = 0; i < names.size(); ++i) open.Members.emplace(Upper(names[i]), i);
    } catch (const Error& e) {
      open.Archive.reset();
      if (folders_.Problems) folders_.Problems->Report({path->filename().string(), "", e.what()});
    }
  }
  return open.Archive ? &open : nullptr;
}

std::shared_ptr<const data::Drawing> FolderRouteData::Read(OpenArchive* archive, const std::string& member) {
  if (!archive) return nullptr;
  const auto found = archive->Members.find(Upper(member));
  if (found == archive->Members.end()) return nullptr;
  const data::ArchiveIdentity& identity = archive->Archive->Identity();
  if (auto kept = cache_.Quad(identity, found->first)) return kept;
  std::optional<data::Drawing> drawing =
      archive->Archive->ReadMember(found->second, folders_.StreetVersion, folders_.Problems);
  if (!drawing) return nullptr;
  auto shared = std::make_shared<const data::Drawing>(std::move(*drawing));
  cache_.KeepQuad(identity, found->first, shared);
  return shared;
}

std::shared_ptr<const data::Drawing> FolderRouteData::HighwayQuad(const std::string& member) {
  return Read(Open(Resolve(folders_.Data1, data::LayerArchiveOf(data::Layer::Network).Name)), member);
}

std::shared_ptr<const data::Drawing> FolderRouteData::StreetQuad(const std::string& member) {
  const auto parsed = data::ParseStreetMemberName(member);
  if (!parsed) return nullptr;
  const std::string name = data::StreetArchiveName(parsed->State, folders_.Extension);
  for (const std::string* folder : {&folders_.States0, &folders_.States1}) {
    if (OpenArchive* archive = Open(Resolve(*folder, name))) return Read(archive, member);
  }
  return nullptr;
}

std::vector<UserRoad> FolderRouteData::UserRoads() {
  if (folders_.UserRoadFolder.empty()) return {};
  UserRoadFile file = LoadUserRoads(folders_.UserRoadFolder);
  if (!file.Complete && folders_.Problems) {
    folders_.Problems->Report({std::string(kUserRoadFile), "",
                               "a malformed record at line " + std::to_string(file.StoppedAtLine) +
                                   " ends the user roads"});
  }
  return std::move(file.Roads);
}

}  // namespace quelmar::routing
