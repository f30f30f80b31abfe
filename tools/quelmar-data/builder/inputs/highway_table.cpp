#include "tools/quelmar-data/builder/inputs/highway_table.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/input_files.h"
#include "tools/quelmar-data/builder/inputs/map_geometry.h"
#include "tools/quelmar-data/builder/inputs/text_fields.h"

namespace quelmar::builder {
namespace {

std::string LineText(std::size_t line) { return "highways line " + std::to_string(line) + ": "; }

// The candidates of each stop, then one chosen per stop: a stop with a single
// candidate is fixed; among several, the one with the least distance to the
// nearest fixed stops before and after it.
std::vector<const GazetteerEntry*> ChooseEntries(const std::vector<std::vector<const GazetteerEntry*>>& candidates) {
  const std::size_t n = candidates.size();
  std::vector<const GazetteerEntry*> chosen(n, nullptr);
  for (std::size_t i = 0; i < n; ++i) {
    if (candidates[i].size() == 1) chosen[i] = candidates[i][0];
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (chosen[i] != nullptr) continue;
    const GazetteerEntry* before = nullptr;
    for (std::size_t k = i; k-- > 0;) {
      if (chosen[k] != nullptr) {
        before = chosen[k];
        break;
      }
    }
    const GazetteerEntry* after = nullptr;
    for (std::size_t k = i + 1; k < n; ++k) {
      if (candidates[k].size() == 1) {
        after = candidates[k][0];
        break;
      }
    }
    double best = std::numeric_limits<double>::infinity();
    for (const GazetteerEntry* candidate : candidates[i]) {
      double distance = 0;
      if (before != nullptr) distance += ApproxMiles(candidate->At, before->At);
      if (after != nullptr) distance += ApproxMiles(candidate->At, after->At);
      if (distance < best) {
        best = distance;
        chosen[i] = candidate;
      }
    }
  }
  return chosen;
}

HighwayRoute JoinPiece(const std::string& piece, std::vector<const HighwayStop*> stops,
                       const GazetteerIndex& gazetteer) {
  std::stable_sort(stops.begin(), stops.end(),
                   [](const HighwayStop* a, const HighwayStop* b) { return a->Sequence < b->Sequence; });
  HighwayRoute route;
  route.Route = RouteWithoutPiece(piece);
  route.Interstate = stops.front()->Interstate;
  std::vector<std::vector<const GazetteerEntry*>> candidates;
  for (std::size_t i = 0; i < stops.size(); ++i) {
    const HighwayStop& stop = *stops[i];
    if (stop.Sequence != static_cast<int>(i) + 1) {
      throw DataError(LineText(stop.Line) + "route " + piece + " has sequence " + std::to_string(stop.Sequence) +
                      " where " + std::to_string(i + 1) + " belongs");
    }
    if (stop.Interstate != route.Interstate)
      throw DataError(LineText(stop.Line) + "route " + piece + " changes its kind");
    const std::size_t comma = stop.Place.rfind(", ");
    if (comma == std::string::npos || comma == 0) {
      throw DataError(LineText(stop.Line) + "place \"" + stop.Place + "\" is not \"City, ST\"");
    }
    std::vector<const GazetteerEntry*> found =
        gazetteer.Find(std::string_view(stop.Place).substr(comma + 2), std::string_view(stop.Place).substr(0, comma));
    if (found.empty()) {
      throw DataError(LineText(stop.Line) + "place \"" + stop.Place + "\" of route " + piece +
                      " is not in the gazetteer");
    }
    candidates.push_back(std::move(found));
    route.Places.push_back(stop.Place);
  }
  for (const GazetteerEntry* entry : ChooseEntries(candidates))
    route.Points.push_back(ToMapPoint(entry->At, "gazetteer"));
  return route;
}

}  // namespace

std::vector<HighwayStop> ParseHighwayTable(std::string_view text) {
  std::vector<HighwayStop> stops;
  std::size_t lineNumber = 0;
  bool header = true;
  for (std::string_view rest = text; !rest.empty();) {
    const std::string_view line = NextLine(rest);
    ++lineNumber;
    if (Trimmed(line).empty()) continue;
    const std::vector<std::string_view> fields = SplitFields(line, '\t');
    if (header) {
      if (fields.size() != 4 || fields[0] != "route" || fields[1] != "kind" || fields[2] != "sequence" ||
          fields[3] != "place") {
        throw DataError(LineText(lineNumber) + "the header is not route, kind, sequence, place");
      }
      header = false;
      continue;
    }
    if (fields.size() != 4) throw DataError(LineText(lineNumber) + "a row needs four tab-separated columns");
    HighwayStop stop;
    stop.Line = lineNumber;
    stop.Route = std::string(Trimmed(fields[0]));
    if (stop.Route.empty()) throw DataError(LineText(lineNumber) + "the route is empty");
    if (fields[1] == "interstate") {
      stop.Interstate = true;
    } else if (fields[1] != "us") {
      throw DataError(LineText(lineNumber) + "kind \"" + std::string(fields[1]) + "\" is neither interstate nor us");
    }
    const std::optional<long long> sequence = ParseInteger(Trimmed(fields[2]));
    if (!sequence || *sequence < 1 || *sequence > std::numeric_limits<int>::max()) {
      throw DataError(LineText(lineNumber) + "sequence \"" + std::string(fields[2]) + "\" is not a positive number");
    }
    stop.Sequence = static_cast<int>(*sequence);
    stop.Place = std::string(Trimmed(fields[3]));
    stops.push_back(std::move(stop));
  }
  if (header) throw DataError("highways: the table is empty");
  return stops;
}

std::string RouteWithoutPiece(std::string_view route) {
  const std::size_t open = route.find(" (");
  if (open != std::string_view::npos && route.back() == ')') route = route.substr(0, open);
  return std::string(route);
}

std::vector<HighwayRoute> JoinHighways(const std::vector<HighwayStop>& stops, const GazetteerIndex& gazetteer) {
  std::vector<std::string> order;
  std::map<std::string, std::vector<const HighwayStop*>> pieces;
  for (const HighwayStop& stop : stops) {
    auto& piece = pieces[stop.Route];
    if (piece.empty()) order.push_back(stop.Route);
    piece.push_back(&stop);
  }
  std::vector<HighwayRoute> routes;
  routes.reserve(order.size());
  for (const std::string& piece : order) routes.push_back(JoinPiece(piece, pieces[piece], gazetteer));
  return routes;
}

std::vector<HighwayRoute> ReadHighways(const std::filesystem::path& file, const GazetteerIndex& gazetteer) {
  return JoinHighways(ParseHighwayTable(ReadWholeFile(file)), gazetteer);
}

}  // namespace quelmar::builder
