#include "control/search/street_search.h"

#include <cmath>

#include "control/core/control_context.h"
#include "control/core/coordinate_format.h"
#include "control/core/errors.h"
#include "control/core/map_units.h"
#include "control/core/scope_guards.h"
#include "control/data/archive_catalogue.h"
#include "control/data/data_path.h"
#include "control/data/quad.h"
#include "control/data/state_table.h"
#include "control/search/match_streets.h"
#include "control/search/search_box.h"
#include "control/search/street_archive.h"

namespace quelmar::search {
namespace {

constexpr int kLastStreetState = 56;
constexpr std::size_t kMaxQuadNameLength = 12;
constexpr const char* kFullQuadProblem = "more than 1000 street hits; the rest of the quad was not searched";

bool OutsideBox(const std::optional<data::MapBox>& quad, core::TMapPoint centre, const SearchHalfSizes& half) {
  if (!quad) return true;
  const std::int64_t x = centre.X, y = centre.Y;
  return quad->Right < x - half.X || quad->Left > x + half.X || quad->Top < y - half.Y || quad->Bottom > y + half.Y;
}

// The centre of a search about to start, in map units. Throws Unexpected
// while another search runs (one started from a report of another), and
// ArgumentError for a centre that is not a longitude and latitude.
core::TMapPoint CheckedStart(bool running, double lon, double lat) {
  if (running) {
    throw Error("A street search is running: another cannot start from one of its reports (a Find event handler)",
                ErrorCode::Unexpected);
  }
  if (!(std::abs(lon) <= 180) || !(std::abs(lat) <= 90)) {
    throw ArgumentError("The search centre is not a longitude and latitude in degrees");
  }
  return {static_cast<std::int32_t>(std::lround(lon * core::kUnitsPerDegree)),
          static_cast<std::int32_t>(std::lround(lat * core::kUnitsPerDegree))};
}

std::optional<data::MapBox> QuadBoxOfName(std::string_view name) {
  const auto member = data::ParseStreetMemberName(name.substr(0, kMaxQuadNameLength));
  if (!member) return std::nullopt;
  return data::SubQuadBox(member->Street, member->Sub);
}

std::optional<std::filesystem::path> FindArchive(const StreetSources& sources, const std::string& name) {
  if (auto path = data::ResolveDataFile(sources.States0, name)) return path;
  if (!sources.States1.empty()) return data::ResolveDataFile(sources.States1, name);
  return std::nullopt;
}

}  // namespace

std::string StreetResultLine(const StreetHit& hit, std::string_view stateCode) {
  // The hit text's third tab comes before its ZIP code: the state goes there.
  std::string line = hit.Text;
  std::size_t tab = std::string::npos;
  for (int i = 0, from = 0; i < 3; ++i) {
    tab = line.find('\t', from);
    if (tab == std::string::npos) break;
    from = static_cast<int>(tab) + 1;
  }
  if (tab == std::string::npos) tab = line.size();
  line.insert(tab, "\t" + std::string(stateCode));
  line += '\t' + core::FormatFixed(core::UnitsToDegrees(hit.Point.X), 6);
  line += '\t' + core::FormatFixed(core::UnitsToDegrees(hit.Point.Y), 6);
  line += '\t' + core::FormatFixed(hit.Miles, 6);
  return line;
}

std::shared_ptr<const StreetIndex> StreetSearch::IndexOf(const std::filesystem::path& path,
                                                         std::int32_t streetVersion,
                                                         core::ProblemReporter* problems) {
  const StreetArchive archive(path, directories_);
  const std::string key = archive.Identity().canonicalPath;
  const auto kept = indexes_.find(key);
  if (kept != indexes_.end() && kept->second.Identity == archive.Identity()) return kept->second.Index;
  auto index = StreetIndex::Build(archive.MemberNames(), [&](std::size_t member) {
    return archive.ReadMember(member, streetVersion, problems);
  });
  indexes_[key] = {archive.Identity(), index};
  return index;
}

void StreetSearch::MatchArchive(const ArchiveSource& source, const StreetMatchText& text,
                                const std::optional<SearchHalfSizes>& box, const StreetSources& sources,
                                const std::function<void(const std::string& member, StreetHitList& hits)>& onQuad) {
  ++stats_.Archives;
  StreetHitList hits;
  auto quadDone = [&](const std::string& member) {
    if (hits.Overflowed()) {
      ++stats_.FullQuads;
      if (sources.Problems) sources.Problems->Report({source.FileName, member, kFullQuadProblem});
    }
    onQuad(member, hits);
    hits.Clear();
  };

  if (source.Index) {
    const StreetIndexQuery lookup(source.Index, text);
    const auto& members = lookup.Index().Members();
    for (std::size_t m = 0; m < members.size(); ++m) {
      if (box && OutsideBox(members[m].Box, text.Centre, *box)) continue;
      if (!lookup.HasLines(m)) continue;
      ++stats_.QuadsMatched;
      lookup.MatchMember(m, hits);
      quadDone(members[m].Name);
    }
    return;
  }

  const StreetArchive& archive = *source.Archive;
  const std::vector<std::string> names = archive.MemberNames();
  for (std::size_t m = 0; m < names.size(); ++m) {
    const std::string& name = names[m];
    if (box && OutsideBox(QuadBoxOfName(name), text.Centre, *box)) continue;
    ++stats_.QuadsMatched;
    const int loaded = sources.Loaded ? sources.Loaded->FindDrawing(name.substr(0, kMaxQuadNameLength)) : 0;
    if (loaded != 0) {
      MatchStreets(sources.Loaded->At(loaded).Store, text, hits);
    } else {
      ++stats_.QuadsRead;
      const std::optional<data::Drawing> drawing = archive.ReadMember(m, sources.StreetVersion, sources.Problems);
      if (!drawing) continue;
      MatchStreets(*drawing, text, hits);
    }
    quadDone(name);
  }
}

// The quads of the state archives within the box, read on their own (or
// taken from the control's table when loaded already).
void StreetSearch::ForEachQuadInBox(core::TMapPoint centre, const SearchHalfSizes& box, const StreetSources& sources,
                                    const std::function<void(const data::Drawing&, std::string_view)>& visit) {
  for (int slot = 1; slot <= kLastStreetState; ++slot) {
    const std::string_view code = data::StateCode(slot);
    if (code.empty() || !data::InStateBoxWithMargin(slot, centre.X, centre.Y, box.Y, box.X)) continue;
    const std::string name = data::StreetArchiveName(slot, sources.Extension);
    const std::optional<std::filesystem::path> path = FindArchive(sources, name);
    if (!path) continue;
    std::optional<StreetArchive> archive;
    try {
      archive.emplace(*path, directories_);
    } catch (const Error& e) {
      if (sources.Problems) sources.Problems->Report({name, "", e.what()});
      continue;
    }
    ++stats_.Archives;
    const std::vector<std::string> members = archive->MemberNames();
    for (std::size_t m = 0; m < members.size(); ++m) {
      if (OutsideBox(QuadBoxOfName(members[m]), centre, box)) continue;
      ++stats_.QuadsMatched;
      const int loaded = sources.Loaded ? sources.Loaded->FindDrawing(members[m].substr(0, kMaxQuadNameLength)) : 0;
      if (loaded != 0) {
        visit(sources.Loaded->At(loaded).Store, code);
      } else {
        ++stats_.QuadsRead;
        const std::optional<data::Drawing> drawing = archive->ReadMember(m, sources.StreetVersion, sources.Problems);
        if (drawing) visit(*drawing, code);
      }
    }
  }
}

std::optional<StreetSearch::ArchiveSource> StreetSearch::OpenState(int slot, const StreetSources& sources) {
  const std::string name = data::StreetArchiveName(slot, sources.Extension);
  const std::optional<std::filesystem::path> path = FindArchive(sources, name);
  if (!path) return std::nullopt;
  ArchiveSource source;
  source.FileName = name;
  try {
    if (UseIndex) {
      source.Index = IndexOf(*path, sources.StreetVersion, sources.Problems);
    } else {
      source.Archive.emplace(*path, directories_);
    }
  } catch (const Error& e) {
    // An archive that cannot be opened or whose directory is damaged is
    // passed over; the problem is told.
    if (sources.Problems) sources.Problems->Report({name, "", e.what()});
    return std::nullopt;
  }
  return source;
}

int StreetSearch::SearchStreets(const StreetQuery& query, const StreetSources& sources,
                                const std::function<void(const StreetReport&)>& report) {
  const core::TMapPoint centre = CheckedStart(running_, query.CentreLon, query.CentreLat);
  if (!(query.RadiusMiles >= 0 && query.RadiusMiles <= 25000)) {
    throw ArgumentError("The search radius is not a distance of 0 to 25000 miles");
  }
  const core::FlagScope running(running_);
  stats_ = {};
  const ShortString cross = query.Cross == ShortString("?") ? ShortString() : UpperCase(query.Cross);
  const StreetMatchText text = MakeStreetMatchText(UpperCase(query.Street), cross, !cross.Empty(), query.HouseKey,
                                                   centre);
  // No box without a radius; a radius too large for a box is tested hit by
  // hit. The box is square: its half-size the larger of the two.
  std::optional<SearchHalfSizes> box;
  if (query.RadiusMiles != 0) {
    if (const std::optional<std::int32_t> half = SearchBoxHalfSize(centre.X, centre.Y, query.RadiusMiles)) {
      box = SearchHalfSizes{*half, *half};
    }
  }

  std::vector<int> states;
  if (!query.State.empty()) {
    if (const int slot = data::StreetStateSlot(UpperCase(query.State).View())) states.push_back(slot);
  } else {
    for (int slot = 1; slot <= kLastStreetState; ++slot) {
      if (!data::StateCode(slot).empty()) states.push_back(slot);
    }
  }

  int count = 0;
  for (const int slot : states) {
    if (box && !data::InStateBoxWithMargin(slot, centre.X, centre.Y, box->Y, box->X)) continue;
    const std::optional<ArchiveSource> source = OpenState(slot, sources);
    if (!source) continue;
    const std::string stateCode(data::StateCode(slot));
    MatchArchive(*source, text, box, sources, [&](const std::string&, StreetHitList& hits) {
      for (const StreetHit* hit : ReportedHits(hits)) {
        if (query.RadiusMiles == 0 || hit->Miles <= query.RadiusMiles) {
          ++count;
          report({StreetResultLine(*hit, stateCode), hit});
        }
      }
    });
  }

  if (UserStreets && !query.Street.Empty()) {
    for (const UserStreetHit& street : UserStreets(UpperCase(query.Street))) {
      std::string line = street.Name + "\tUser Defined\t\t\t\t" + core::FormatFixed(street.Lon, sources.UserDecimals) +
                         '\t' + core::FormatFixed(street.Lat, sources.UserDecimals) + '\t' +
                         core::FormatFixed(0, sources.UserDecimals);
      ++count;
      report({std::move(line), nullptr});
    }
  }
  return count;
}

std::vector<StreetHit> StreetSearch::SearchArea(const StreetAreaQuery& query, const StreetSources& sources) {
  const core::TMapPoint centre = CheckedStart(running_, query.CentreLon, query.CentreLat);
  const core::FlagScope running(running_);
  stats_ = {};
  const ShortString cross = UpperCase(query.Cross);
  const StreetMatchText text = MakeStreetMatchText(UpperCase(query.Street), cross, false, query.HouseKey, centre);
  const std::optional<SearchHalfSizes> box = SearchBoxHalfSizes(centre.X, centre.Y, query.RadiusMiles);
  if (!box) throw ArgumentError("The search radius is not a distance the map can hold");
  std::vector<StreetHit> found;
  for (const int slot : query.States) {
    if (slot < 1 || slot > kLastStreetState || data::StateCode(slot).empty()) continue;
    if (!data::InStateBoxWithMargin(slot, centre.X, centre.Y, box->Y, box->X)) continue;
    const std::optional<ArchiveSource> source = OpenState(slot, sources);
    if (!source) continue;
    MatchArchive(*source, text, box, sources, [&](const std::string&, StreetHitList& hits) {
      for (const StreetHit* hit : ReportedHits(hits)) {
        if (found.size() < kMaxStreetHits) found.push_back(*hit);
      }
    });
  }
  return found;
}

std::optional<std::string> StreetSearch::FindClosest(const ClosestQuery& query, const StreetSources& sources) {
  const core::TMapPoint centre = CheckedStart(running_, query.CentreLon, query.CentreLat);
  if (!(query.RadiusMiles >= 0 && query.RadiusMiles <= 25000)) {
    throw ArgumentError("The search radius is not a distance of 0 to 25000 miles");
  }
  const std::optional<SearchHalfSizes> box = SearchBoxHalfSizes(centre.X, centre.Y, query.RadiusMiles);
  if (!box) throw ArgumentError("The search radius is not a distance the map can hold");
  const core::FlagScope running(running_);
  stats_ = {};
  // The threshold only shrinks: the last quad that takes a hit holds the nearest.
  double threshold = box->X;
  ClosestList list;
  std::optional<std::string> result;
  ForEachQuadInBox(centre, *box, sources, [&](const data::Drawing& drawing, std::string_view stateCode) {
    WalkClosestStreets(drawing, centre, &threshold, list);
    if (!list.Empty()) {
      const ClosestHit& nearest = list.Hits().front();
      StreetHit hit;
      hit.Text = nearest.Text;
      hit.Point = nearest.Point;
      hit.Miles = nearest.Miles;
      result = StreetResultLine(hit, stateCode);
      list.Clear();
    }
  });
  return result;
}

StreetSearch& AttachStreetSearch(core::ControlContext& context) {
  return context.Keep(std::make_shared<StreetSearch>());
}

}  // namespace quelmar::search
