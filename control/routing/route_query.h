#pragma once
// RouteQuery: one A* search over a RoadNetwork, with all of its scratch
// state (node states, estimates, predecessors, the open list), so that any
// number of searches can run over one shared network. A query object can be
// reused for further searches over the same network.
//
// The open list is ordered by estimated total cost; of equal estimates the
// one queued last is taken first. It grows as far as the search needs.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "control/routing/road_classes.h"
#include "control/routing/road_network.h"

namespace quelmar::routing {

struct QuerySettings {
  RouteType Type = RouteType::ShortestBias;
  RoadTable Roads = RoadTableOf(core::RoadOptions{});
  double TurnFactor = 5;
  double RampAngleLimit = 91;  // degrees
  double Dot = 0.5;            // the bias of "Shortest (bias)" applies where |cos| toward the finish is below it
  // Miles per map unit in x and y, for the straight-line estimate.
  double MilesPerX = 0;
  double MilesPerY = 0;
  // Off: no estimate (a plain Dijkstra search under the same rules and costs).
  bool UseEstimate = true;
};

// What a search tells while it runs; every member may be empty.
struct SearchObserver {
  // Every 1024 nodes taken, when the estimate to the finish is the smallest
  // yet: the estimate in hundredths of a mile.
  std::function<void(std::int64_t estimate)> Progress;
  // The lines of the route-search trace.
  std::function<void(std::string_view line)> Trace;
};

// One edge of the found route: the node arrived at, the class, name and
// length of the edge it was arrived by. The first step is the start, with
// length 0, no name and class 0.
struct RouteStep {
  std::uint32_t Node = kNoNode;
  core::TMapPoint Point;
  std::uint8_t Class = 0;
  std::int32_t Name = 0;
  std::int32_t Length = 0;  // hundredths of a mile
  friend bool operator==(const RouteStep&, const RouteStep&) = default;
};

struct SearchStats {
  std::int64_t NodesTaken = 0;
  std::int64_t EdgesRelaxed = 0;
  std::size_t LargestOpenList = 0;
  std::size_t MemoryBytes = 0;  // of the query's scratch state
};

class RouteQuery {
 public:
  explicit RouteQuery(const RoadNetwork& network) : network_(network) {}

  // Searches from `start` to `finish`; true when the finish was reached.
  // The same node for both is an empty route, found.
  bool Run(std::uint32_t start, std::uint32_t finish, const QuerySettings& settings,
           const SearchObserver& observer = {});

  // The found route, start first; empty when none was found.
  std::vector<RouteStep> Steps() const;
  // The cost of the found route by the search's route type.
  std::int64_t Cost() const { return found_ ? estimate_[finish_] : -1; }
  const SearchStats& Stats() const { return stats_; }

  // The edge cost of moving from `from` (arrived by from `previous`, or
  // kNoNode at the start) along `edge` by `settings`' route type.
  std::int64_t EdgeCost(std::uint32_t previous, std::uint32_t from, const RoadEdge& edge,
                        const QuerySettings& settings) const;

 private:
  enum : std::uint8_t { kUnreached = 0, kQueued = 1, kFinal = 2 };
  struct Open {
    std::int64_t Estimate;
    std::uint64_t Order;
    std::uint32_t Node;
  };
  std::int64_t Estimate(std::uint32_t node, const QuerySettings& settings) const;
  void Expand(std::uint32_t node, const QuerySettings& settings, const SearchObserver& observer);
  void Push(std::uint32_t node, std::int64_t estimate);

  const RoadNetwork& network_;
  std::uint32_t finish_ = kNoNode, start_ = kNoNode;
  bool found_ = false;
  std::vector<std::uint8_t> state_;
  std::vector<std::int64_t> estimate_;  // queued: estimated total; final: cost from the start
  std::vector<std::uint32_t> previous_;
  std::vector<std::uint32_t> arrivalEdge_;
  std::vector<std::uint64_t> order_;    // the open-list entry that is current for a node
  std::vector<Open> open_;              // a heap; entries of nodes re-queued since are skipped
  std::uint64_t nextOrder_ = 0;
  SearchStats stats_;
};

// The length in hundredths of a mile of the shortest path over the open
// edges from `start` to `finish`, ignoring every turn rule; -1 when there
// is none. The yardstick the search's routes are measured against.
std::int64_t PlainShortestLength(const RoadNetwork& network, std::uint32_t start, std::uint32_t finish);

}  // namespace quelmar::routing
