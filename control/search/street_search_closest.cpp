// The closest-street searches of StreetSearch: the street quads within the
// radius's box walked for their nearest lines.
#include <cmath>

#include "control/core/errors.h"
#include "control/core/scope_guards.h"
#include "control/search/street_search.h"

namespace quelmar::search {
namespace {

struct ClosestStart {
  core::TMapPoint Centre;
  SearchHalfSizes Box;
};

ClosestStart CheckedClosestStart(bool running, const ClosestQuery& query) {
  if (running) {
    throw Error("A street search is running: another cannot start from one of its reports", ErrorCode::Unexpected);
  }
  if (!(std::abs(query.CentreLon) <= 180) || !(std::abs(query.CentreLat) <= 90)) {
    throw ArgumentError("The search centre is not a longitude and latitude in degrees");
  }
  if (!(query.RadiusMiles >= 0 && query.RadiusMiles <= 25000)) {
    throw ArgumentError("The search radius is not a distance of 0 to 25000 miles");
  }
  const core::TMapPoint centre{static_cast<std::int32_t>(std::lround(query.CentreLon * core::kUnitsPerDegree)),
                               static_cast<std::int32_t>(std::lround(query.CentreLat * core::kUnitsPerDegree))};
  const std::optional<SearchHalfSizes> box = SearchBoxHalfSizes(centre.X, centre.Y, query.RadiusMiles);
  if (!box) throw ArgumentError("The search radius is not a distance the map can hold");
  return {centre, *box};
}

StreetHit AsStreetHit(const ClosestHit& hit) {
  StreetHit street;
  street.Text = hit.Text;
  street.Point = hit.Point;
  street.Miles = hit.Miles;
  return street;
}

}  // namespace

std::optional<std::string> StreetSearch::FindClosest(const ClosestQuery& query, const StreetSources& sources) {
  const ClosestStart start = CheckedClosestStart(running_, query);
  const core::FlagScope running(running_);
  stats_ = {};
  // The threshold only shrinks: the last quad that takes a hit holds the nearest.
  double threshold = start.Box.X;
  ClosestList list;
  std::optional<std::string> result;
  ForEachQuadInBox(start.Centre, start.Box, sources, [&](const data::Drawing& drawing, std::string_view stateCode) {
    WalkClosestStreets(drawing, start.Centre, &threshold, list);
    if (!list.Empty()) {
      result = StreetResultLine(AsStreetHit(list.Hits().front()), stateCode);
      list.Clear();
    }
    return true;
  });
  return result;
}

std::vector<ClosestHit> StreetSearch::ClosestStreets(const ClosestQuery& query, const StreetSources& sources) {
  const ClosestStart start = CheckedClosestStart(running_, query);
  const core::FlagScope running(running_);
  stats_ = {};
  ClosestList list;  // one list over every quad
  ForEachQuadInBox(start.Centre, start.Box, sources, [&](const data::Drawing& drawing, std::string_view stateCode) {
    ClosestList quad;
    WalkClosestStreets(drawing, start.Centre, nullptr, quad);
    for (ClosestHit hit : quad.Hits()) {
      hit.StateCode = stateCode;
      list.Add(std::move(hit));
    }
    return true;
  });
  return list.Hits();
}

}  // namespace quelmar::search
