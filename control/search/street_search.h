#pragma once
// StreetSearch: the street search engine of one control. A search runs over
// the state street archives within a box around its centre, quad by quad,
// and reports each hit within the radius as its street result line; the
// user's own streets come last.
//
// With the street index on (the default) each archive's lines are read once
// into a StreetIndex, kept while the archive is unchanged, and a search only
// looks at the lines whose names can match; without it every quad in the box
// is read for the search. Both report the same hits in the same order. A
// search never changes the control's table of loaded drawings.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/core/problem_reporter.h"
#include "control/data/index_cache.h"
#include "control/data/loaded_drawings.h"
#include "control/search/closest_streets.h"
#include "control/search/search_box.h"
#include "control/search/short_string.h"
#include "control/search/street_archive.h"
#include "control/search/street_hits.h"
#include "control/search/street_index.h"

namespace quelmar::core {
class ControlContext;
}

namespace quelmar::search {

struct StreetQuery {
  ShortString Street;        // upper-cased on entry; searched for by its StreetSearchKey
  ShortString Cross = "?";   // "?" or "": no cross street
  std::string State;         // two letters, or "" for every state
  double RadiusMiles = 0;    // 0: no limit
  double CentreLon = 0;      // degrees
  double CentreLat = 0;
  std::int32_t HouseKey = 0;  // HouseNumberKey; 0 none
};

// The Find Street dialog's search.
struct StreetAreaQuery {
  ShortString Street;  // normalised
  ShortString Cross;   // "" for none
  std::vector<int> States;  // state slots
  double RadiusMiles = 2;
  double CentreLon = 0;
  double CentreLat = 0;
  std::int32_t HouseKey = 0;
};

// The closest-street searches: a centre and the radius of the box around it.
struct ClosestQuery {
  double CentreLon = 0;  // degrees
  double CentreLat = 0;
  double RadiusMiles = 2;
};

// Where a search reads from: the control's settings and table, handed in.
struct StreetSources {
  std::string States0;  // folders of the state archives, the second tried when the first has none
  std::string States1;
  std::string Extension = ".ZP5";
  std::int32_t StreetVersion = 402;
  const data::DrawingTable* Loaded = nullptr;  // quads loaded already are matched there (may be null)
  core::ProblemReporter* Problems = nullptr;   // damaged members, overfull quads (may be null)
  int UserDecimals = 4;  // the control's coordinate decimals, for user street lines
};

// One reported hit.
struct StreetReport {
  std::string Line;  // the street result line
  // The hit behind a street line; null for a user street.
  const StreetHit* Hit = nullptr;
};

// A user street whose name holds the searched text.
struct UserStreetHit {
  std::string Name;
  double Lon = 0;  // its first point, degrees
  double Lat = 0;
};

// What the last search did, for tests, benchmarks and the trace.
struct StreetSearchStats {
  int Archives = 0;      // archives searched
  int QuadsMatched = 0;  // quads whose lines were matched
  int QuadsRead = 0;     // quads read from an archive for the search
  int FullQuads = 0;     // quads with more than 1000 hits (the rest dropped)
};

class StreetSearch {
 public:
  // The user street layer's streets whose upper-cased names hold `text`
  // (upper-cased as given), in store order; none until that layer exists.
  std::function<std::vector<UserStreetHit>(const ShortString& text)> UserStreets;
  // Look up lines through the street index (on by default).
  bool UseIndex = true;

  // Runs one search, reporting each hit through `report`; returns the
  // number reported. Throws quelmar::Error (Unexpected) when a search is
  // already running, i.e. one is started from a report of another, and
  // ArgumentError for a centre or radius that is not a number in range.
  int SearchStreets(const StreetQuery& query, const StreetSources& sources,
                    const std::function<void(const StreetReport&)>& report);

  // The Find Street dialog's pass: the quads of the given states within the
  // radius's box (its two half-sizes kept apart) matched with house numbers
  // placing the hits even with a cross street; the hits of the street (or
  // the intersection) in order, at most 1000 in all. Throws as SearchStreets.
  std::vector<StreetHit> SearchArea(const StreetAreaQuery& query, const StreetSources& sources);

  // FindClosest: the street result line of the street line nearest to the
  // centre (straight map-unit distance, within the radius along x), or
  // nullopt when none lies that near. Throws as SearchStreets, and
  // ArgumentError for a radius that is not 0 to 25000 miles.
  std::optional<std::string> FindClosest(const ClosestQuery& query, const StreetSources& sources);

  bool Running() const { return running_; }
  const StreetSearchStats& LastStats() const { return stats_; }

  // The index of the archive at `path`, built now unless kept for the file
  // as it is; throws as the archive reader does.
  std::shared_ptr<const StreetIndex> IndexOf(const std::filesystem::path& path, std::int32_t streetVersion,
                                             core::ProblemReporter* problems);
  void DropIndexes() { indexes_.clear(); }

 private:
  // One state's archive, opened: through its index, or read quad by quad.
  struct ArchiveSource {
    std::string FileName;
    std::shared_ptr<const StreetIndex> Index;
    std::optional<StreetArchive> Archive;
  };
  std::optional<ArchiveSource> OpenState(int slot, const StreetSources& sources);
  // Matches each quad of the archive within `box` (every quad without one),
  // handing each quad's hits to `onQuad`.
  void MatchArchive(const ArchiveSource& source, const StreetMatchText& text, const std::optional<SearchHalfSizes>& box,
                    const StreetSources& sources,
                    const std::function<void(const std::string& member, StreetHitList& hits)>& onQuad);

  // Calls `visit` with each street quad's drawing within `box` about
  // `centre`, state by state, and the state's code.
  void ForEachQuadInBox(core::TMapPoint centre, const SearchHalfSizes& box, const StreetSources& sources,
                        const std::function<void(const data::Drawing&, std::string_view stateCode)>& visit);

  struct KeptIndex {
    data::ArchiveIdentity Identity;
    std::shared_ptr<const StreetIndex> Index;
  };
  data::ArchiveIndexCache directories_;
  std::map<std::string, KeptIndex> indexes_;  // by canonical path
  bool running_ = false;
  StreetSearchStats stats_;
};

// The street result line of a hit found in the archive of `stateCode`:
// street, place, range, state, ZIP, longitude, latitude, miles.
std::string StreetResultLine(const StreetHit& hit, std::string_view stateCode);

// Creates the engine, attaches it to `context` and returns it.
StreetSearch& AttachStreetSearch(core::ControlContext& context);

}  // namespace quelmar::search
