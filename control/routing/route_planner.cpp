#include "control/routing/route_planner.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "control/core/geodesy.h"
#include "control/routing/corridor.h"
#include "control/routing/local_quads.h"
#include "control/routing/road_loader.h"

namespace quelmar::routing {
namespace {

constexpr std::size_t kCoarseRoutePoints = 5000;

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double GreatCircleMiles(core::TMapPoint a, core::TMapPoint b) {
  const auto d = core::Distance(core::UnitsToDegrees(a.X), core::UnitsToDegrees(a.Y), core::UnitsToDegrees(b.X),
                                core::UnitsToDegrees(b.Y));
  return d ? d->Thousandths / 1000.0 : 0;
}

std::int32_t UnitsFor(double miles, double milesPerUnit) {
  return static_cast<std::int32_t>(std::lround(miles / milesPerUnit));
}

std::string Percent(std::size_t done, std::size_t all) {
  return std::to_string(all == 0 ? 100 : done * 100 / all) + "%";
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

struct Calculation {
  const RouteRequest& Request;
  RouteData& Data;
  RouteResult Result;

  void Status(const std::string& status, const std::string& detail = {}) const {
    if (Request.Status) Request.Status(status, detail);
  }
  void Report(std::string line) { Result.Report.push_back(std::move(line)); }
};

QuerySettings QuerySettingsOf(const RouteRequest& request, const DistanceScale& scale) {
  QuerySettings s;
  s.Type = static_cast<RouteType>(request.Settings.RouteType % kRouteTypeCount);
  s.Roads = RoadTableOf(request.Roads);
  s.TurnFactor = request.Settings.TurnFactor;
  s.RampAngleLimit = request.Settings.RampAngleLimit;
  s.Dot = request.Settings.Dot;
  s.MilesPerX = scale.MilesPerX;
  s.MilesPerY = scale.MilesPerY;
  return s;
}

// The local nodes nearest to `highway`, among nodes numbered from `firstLocal`.
std::uint32_t NearestLocalNode(const RoadNetworkBuilder& builder, std::uint32_t firstLocal, core::TMapPoint at) {
  std::uint32_t best = kNoNode;
  std::int64_t bestSquare = INT64_MAX;
  for (std::uint32_t n = firstLocal; n < builder.NodeCount(); ++n) {
    if (!builder.HasEdges(n)) continue;
    const core::TMapPoint p = builder.Point(n);
    const std::int64_t dx = std::int64_t{p.X} - at.X, dy = std::int64_t{p.Y} - at.Y;
    if (dx * dx + dy * dy < bestSquare) {
      bestSquare = dx * dx + dy * dy;
      best = n;
    }
  }
  return best;
}

}  // namespace

std::string OutcomeText(RouteOutcome outcome) {
  switch (outcome) {
    case RouteOutcome::Alaska: return "Unable to Route in Alaska!";
    case RouteOutcome::NotSet: return "No Route!";
    case RouteOutcome::NoNodes: return "Unable to Complete Path!";
    case RouteOutcome::NotReached: return "Failure.";
    default: return "";
  }
}

RouteResult CalculateRoute(const RouteRequest& request, RouteData& data) {
  const Clock::time_point began = Clock::now();
  Calculation calc{request, data, {}};
  RouteResult& result = calc.Result;
  const core::RouteSettings& settings = request.Settings;
  if (request.Start.Y > kAlaskaLatitude || request.Finish.Y > kAlaskaLatitude) {
    result.Outcome = RouteOutcome::Alaska;
    return result;
  }
  if (request.Options == 0) {
    result.Outcome = RouteOutcome::Cleared;
    return result;
  }
  if (request.Start.X == 0 || request.Finish.X == 0) {
    result.Outcome = RouteOutcome::NotSet;
    return result;
  }
  calc.Status("Calculating...");

  const double bandMiles = 25;  // the band width is 25 miles for every search
  const core::TMapPoint middle{static_cast<std::int32_t>((std::int64_t{request.Start.X} + request.Finish.X) / 2),
                               static_cast<std::int32_t>((std::int64_t{request.Start.Y} + request.Finish.Y) / 2)};
  const DistanceScale scale = ScaleAt(middle, settings.DistanceApproximation);
  const double detailMiles = settings.DetailRadiusMiles > 0 ? settings.DetailRadiusMiles : 11;
  const std::int32_t bandX = UnitsFor(bandMiles, scale.MilesPerX), bandY = UnitsFor(bandMiles, scale.MilesPerY);
  const std::int32_t detailX = UnitsFor(detailMiles, scale.MilesPerX);
  const std::int32_t detailY = UnitsFor(detailMiles, scale.MilesPerY);
  const double straightMiles = std::max(1.0, std::round(GreatCircleMiles(request.Start, request.Finish)));
  const QuerySettings query = QuerySettingsOf(request, scale);

  RoadRules rules;
  rules.Roads = query.Roads;
  rules.Scale = scale;
  rules.PerVertex = settings.PerVertexEdges;
  rules.SuppressNames = settings.SuppressNames;

  RoadNetworkBuilder builder(settings.SplayTree);
  calc.Report("-- Counts ---");
  for (const UserRoad& road : data.UserRoads()) {
    const std::int32_t name = settings.SuppressNames ? 0 : builder.EnterName(road.Name + '\t');
    AddRoad(road.Points, road.Class, name, rules, builder);
  }

  // The coarse route over the built-in network, or the straight line.
  Clock::time_point step = Clock::now();
  result.CoarseRoute = {request.Start, request.Finish};
  const data::Drawing* network = settings.CoarsePass ? data.HighwayNetwork() : nullptr;
  if (network) {
    RoadRules coarse = rules;
    coarse.Coarse = true;
    AddRoadsOfDrawing(*network, coarse, builder);
    const RoadNetwork snapshot = builder.Build();
    const std::uint32_t from = snapshot.NearestNode(request.Start), to = snapshot.NearestNode(request.Finish);
    RouteQuery coarseQuery(snapshot);
    QuerySettings coarseSettings = query;
    if (from != kNoNode && coarseQuery.Run(from, to, coarseSettings, {nullptr, request.Trace})) {
      std::vector<core::TMapPoint> points;
      for (const RouteStep& s : coarseQuery.Steps()) points.push_back(s.Point);
      if (points.size() > kCoarseRoutePoints) points.resize(kCoarseRoutePoints);
      if (points.size() >= 2) result.CoarseRoute = std::move(points);
    }
  }
  calc.Report("HMap Load=" + Fixed(Milliseconds(step), 1) + " ms");

  // The corridor's highway quads.
  if (!settings.CoarseOnly && data.HasHighwayQuads()) {
    step = Clock::now();
    calc.Status("Sampling");
    const Corridor corridor(result.CoarseRoute, bandX, bandY);
    calc.Status("Sampled!");
    calc.Report("Bmp Sample Time=" + Fixed(Milliseconds(step), 1) + " ms");
    const std::vector<std::string> quads = corridor.HighwayQuads();
    RoadRules highway = rules;
    highway.Keep = [&corridor](core::TMapPoint first, core::TMapPoint last) {
      return corridor.Black(first) || corridor.Black(last);
    };
    int read = 0;
    for (std::size_t i = 0; i < quads.size(); ++i) {
      calc.Status("Loading...", "Highways: " + Percent(i, quads.size()));
      if (const auto quad = data.HighwayQuad(quads[i])) {
        AddRoadsOfDrawing(*quad, highway, builder);
        ++read;
      }
    }
    calc.Report("Grids: " + std::to_string(read) + " of " + std::to_string(quads.size()));
  }
  for (std::size_t i = 1; i < result.CoarseRoute.size(); ++i) {
    result.EstimatedMiles += GreatCircleMiles(result.CoarseRoute[i - 1], result.CoarseRoute[i]);
  }
  calc.Status("Initial Route", "Est. Distance=" + Fixed(result.EstimatedMiles, 1));
  calc.Report(" Begin: Node Count=" + std::to_string(builder.NodeCount()));

  // The highway nodes nearest to both ends: the local roads are read along
  // the way to them.
  const std::uint32_t startHighway = builder.NearestNode(request.Start);
  const std::uint32_t finishHighway = builder.NearestNode(request.Finish);
  const auto pointOf = [&builder](std::uint32_t node) -> std::optional<core::TMapPoint> {
    if (node == kNoNode) return std::nullopt;
    return builder.Point(node);
  };

  if (settings.LocalRoads && !settings.CoarseOnly) {
    std::vector<std::string> quads;
    AddLocalQuads(request.Start, pointOf(startHighway), detailX, detailY, quads);
    AddLocalQuads(request.Finish, pointOf(finishHighway), detailX, detailY, quads);
    RoadRules local = rules;
    const core::TMapPoint start = request.Start, finish = request.Finish;
    local.Keep = [=](core::TMapPoint first, core::TMapPoint last) {
      const std::int64_t mx = (std::int64_t{first.X} + last.X) / 2, my = (std::int64_t{first.Y} + last.Y) / 2;
      const auto inBox = [&](core::TMapPoint c) {
        return std::llabs(mx - c.X) < detailX && std::llabs(my - c.Y) < detailY;
      };
      return inBox(start) || inBox(finish);
    };
    const std::uint32_t firstLocal = builder.NodeCount();
    const std::size_t startEdges = startHighway == kNoNode ? 0 : builder.EdgeCountOf(startHighway);
    const std::size_t finishEdges = finishHighway == kNoNode ? 0 : builder.EdgeCountOf(finishHighway);
    std::vector<std::shared_ptr<const data::Drawing>> read;
    std::size_t objects = 0;
    for (std::size_t i = 0; i < quads.size(); ++i) {
      calc.Status("Loading...", "Local Roads: " + Percent(i, quads.size()));
      if (auto quad = data.StreetQuad(quads[i])) {
        objects += static_cast<std::size_t>(quad->Count());
        read.push_back(std::move(quad));
      }
    }
    builder.Reserve(objects * 2, objects * 4);
    for (const auto& quad : read) AddRoadsOfDrawing(*quad, local, builder);
    calc.Report("Local Grids: " + std::to_string(read.size()));
    // The highway network and the street data are made apart, so a highway
    // node need not lie on a street: where the streets did not reach the
    // highway node an end is routed by, a link joins it to the nearest
    // street node, named and classed as the highway there.
    int links = 0;
    const auto link = [&](std::uint32_t highway, std::size_t edgesBefore) {
      if (highway == kNoNode || builder.EdgeCountOf(highway) != edgesBefore) return;
      const std::uint32_t street = NearestLocalNode(builder, firstLocal, builder.Point(highway));
      if (street == kNoNode || builder.EdgesOf(highway).empty()) return;
      const RoadEdge road = builder.EdgesOf(highway).front();
      const core::TMapPoint a = builder.Point(highway), b = builder.Point(street);
      builder.AddPiece(a, b, road.ClassCode(), road.Name, PieceLength(a, b, scale));
      ++links;
    };
    link(startHighway, startEdges);
    if (finishHighway != startHighway) link(finishHighway, finishEdges);
    calc.Report("Links: " + std::to_string(links));
  }
  calc.Status("Ramps");
  calc.Report("Ramp: " + std::to_string(builder.ApplyRampRule(settings.RampAngleLimit)));
  calc.Status("Interstates");
  calc.Report("Istate: " + std::to_string(builder.ApplyInterstateRule()));

  auto searched = std::make_shared<RoadNetwork>(std::move(builder).Finish());
  result.Network = searched;
  result.StartNode = searched->NearestNode(request.Start);
  result.FinishNode = searched->NearestNode(request.Finish);
  calc.Report(" Nodes: " + std::to_string(searched->NodeCount()));
  calc.Report(" Edges: " + std::to_string(searched->EdgeCount()));
  calc.Report("Names: " + std::to_string(searched->Names().Count()));
  if (result.StartNode == kNoNode || result.FinishNode == kNoNode) {
    result.Outcome = RouteOutcome::NoNodes;
  } else {
    calc.Status("Path..");
    RouteQuery search(*searched);
    SearchObserver observer;
    observer.Trace = request.Trace;
    observer.Progress = [&](std::int64_t estimate) {
      const long done = std::max(0L, std::lround(100 - estimate / straightMiles));
      calc.Status("Searching...", "Complete: " + std::to_string(done) + "%");
    };
    const bool found = search.Run(result.StartNode, result.FinishNode, query, observer);
    result.Search = search.Stats();
    result.Outcome = found ? RouteOutcome::Found : RouteOutcome::NotReached;
    if (found) result.Steps = search.Steps();
  }
  calc.Report("-- Memory --");
  calc.Report("Network bytes=" + std::to_string(searched->MemoryBytes()));
  calc.Report("Search bytes=" + std::to_string(result.Search.MemoryBytes));
  calc.Report("Max dp : " + std::to_string(result.Search.LargestOpenList));
  result.ElapsedMs = Milliseconds(began);
  calc.Report("Time=" + Fixed(result.ElapsedMs, 1) + " ms");
  calc.Report(result.Found() ? "Success." : "** Failure **");
  return result;
}

}  // namespace quelmar::routing
