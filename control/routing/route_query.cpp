#include "control/routing/route_query.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <queue>

#include "control/routing/route_geometry.h"

namespace quelmar::routing {
namespace {

enum class Kind { Interstate, Ramp, Road };

Kind KindOf(std::uint8_t classCode) {
  if (classCode == kInterstateClass) return Kind::Interstate;
  if (classCode == kRampClass) return Kind::Ramp;
  return Kind::Road;
}

// The open list's order: the smaller estimate first; of equal ones, the
// later entry.
struct Later {
  template <typename Open>
  bool operator()(const Open& a, const Open& b) const {
    return a.Estimate != b.Estimate ? a.Estimate > b.Estimate : a.Order < b.Order;
  }
};

std::int64_t Round(double v) { return std::llround(v); }

// What the first pass saw of moves between interstates and other roads.
struct PassNotes {
  bool InterstateRoadMove = false;
  bool RoadToInterstate = false;
  double MinAngle = 1e9;
  double MaxAngle = -1e9;
  bool Allowed = false;
};

// Whether a move from a road of kind `from` onto one of kind `to` may be
// made; `turn` gives the turn angle, asked only for moves whose rule needs it.
template <typename Turn>
bool MoveAllowed(Kind from, Kind to, const Turn& turn, int pass, double limit, PassNotes& notes) {
  if (from == Kind::Interstate && to == Kind::Road) {
    notes.InterstateRoadMove = true;
    return pass == 2;
  }
  if (from == Kind::Road && to == Kind::Road) return true;
  if ((from == Kind::Ramp && to != Kind::Interstate) || (from == Kind::Road && to == Kind::Ramp)) return true;
  if (from == Kind::Interstate && to == Kind::Interstate) return true;
  const double angle = turn();
  if (from == Kind::Road && to == Kind::Interstate) {
    notes.InterstateRoadMove = true;
    notes.RoadToInterstate = true;
    notes.MinAngle = std::min(notes.MinAngle, angle);
    notes.MaxAngle = std::max(notes.MaxAngle, angle);
    return pass == 2;
  }
  if (from == Kind::Interstate && to == Kind::Ramp) return angle <= limit && (pass == 2 || angle >= 0);
  if (from == Kind::Ramp && to == Kind::Interstate) return pass == 2 || (angle > 0 && angle <= limit);
  return true;
}

}  // namespace

std::int64_t RouteQuery::Estimate(std::uint32_t node, const QuerySettings& s) const {
  if (!s.UseEstimate) return 0;
  const core::TMapPoint a = network_.Point(node), b = network_.Point(finish_);
  const double dx = (double(a.X) - b.X) * s.MilesPerX, dy = (double(a.Y) - b.Y) * s.MilesPerY;
  return Round(100 * std::sqrt(dx * dx + dy * dy));
}

std::int64_t RouteQuery::EdgeCost(std::uint32_t previous, std::uint32_t from, const RoadEdge& edge,
                                  const QuerySettings& s) const {
  const std::int64_t length = edge.Length;
  const std::uint8_t c = edge.ClassCode();
  const std::int64_t speed = s.Roads.SpeedOf(c);
  const std::int64_t priority = s.Roads.PriorityOf(c);
  const core::TMapPoint here = network_.Point(from), next = network_.Point(edge.Target);
  // The cosine between arriving and leaving, and between arriving and the
  // way to the finish; each worked out only for the route types that use it.
  const auto turn = [&] {
    if (previous == kNoNode) return 1.0;
    const core::TMapPoint back = network_.Point(previous);
    const std::int64_t span = std::llabs(std::int64_t{here.X} - back.X) + std::llabs(std::int64_t{here.Y} - back.Y);
    return span <= 8000 ? DirectionCosine(back, here, here, next) : 1.0;
  };
  const auto ahead = [&] {
    return previous == kNoNode ? 1.0 : DirectionCosine(network_.Point(previous), here, here, network_.Point(finish_));
  };
  switch (s.Type) {
    case RouteType::ShortestBias: {
      const std::int64_t biased = Round((1 + (6.0 - priority) / 5) * length);
      return std::abs(ahead()) < s.Dot ? Round(((2 - turn()) / 10 + 1) * biased) : biased;
    }
    case RouteType::Fastest: {
      const double top = s.Roads.TopSpeed();
      return Round((1 + (top - speed) / top) * length);
    }
    case RouteType::LeastTurns: return Round((1 - turn()) * 10) + length * 65 / (speed + 5);
    case RouteType::UserDefined:
      return Round((1 - turn()) * s.TurnFactor) + length * 65 / std::max<std::int64_t>(1, speed + priority * 10);
    case RouteType::Shortest: return length;
  }
  return length;
}

void RouteQuery::Push(std::uint32_t node, std::int64_t estimate) {
  estimate_[node] = estimate;
  order_[node] = nextOrder_;
  open_.push_back({estimate, nextOrder_++, node});
  std::push_heap(open_.begin(), open_.end(), Later{});
  stats_.LargestOpenList = std::max(stats_.LargestOpenList, open_.size());
}

void RouteQuery::Expand(std::uint32_t n, const QuerySettings& s, const SearchObserver& observer) {
  const std::int64_t g = estimate_[n];
  const std::uint32_t previous = previous_[n];
  const Kind arrived = KindOf(arrivalEdge_[n] == kNoNode ? 0 : network_.Edge(arrivalEdge_[n]).ClassCode());
  const auto edges = network_.EdgesOf(n);
  PassNotes notes;
  for (int pass = 1; pass <= 2; ++pass) {
    if (pass == 2) {
      const bool second = (notes.InterstateRoadMove && !notes.Allowed) ||
                          (notes.RoadToInterstate && notes.MaxAngle - notes.MinAngle <= 90);
      if (!second) break;
      if (observer.Trace) observer.Trace("*2nd");
    }
    for (std::size_t i = 0; i < edges.size(); ++i) {
      const RoadEdge& edge = edges[i];
      const std::uint32_t m = edge.Target;
      if (!edge.Open() || state_[m] == kFinal) continue;
      const core::TMapPoint far = network_.Point(m);
      bool allowed = true;
      if (previous != kNoNode) {
        const auto turn = [&] { return TurnAngle(network_.Point(previous), network_.Point(n), far); };
        allowed = MoveAllowed(arrived, KindOf(edge.ClassCode()), turn, pass, s.RampAngleLimit, notes);
      }
      if (!allowed) {
        if (observer.Trace) {
          observer.Trace("  C:" + std::to_string(far.X) + "," + std::to_string(far.Y) +
                         " L:" + std::to_string(edge.ClassCode()) + " <Reject");
        }
        continue;
      }
      notes.Allowed = true;
      ++stats_.EdgesRelaxed;
      const std::int64_t cost = EdgeCost(previous, n, edge, s);
      const std::int64_t h = Estimate(m, s);
      const std::int64_t f = g + cost + h;
      if (observer.Trace) {
        observer.Trace("  C:" + std::to_string(far.X) + "," + std::to_string(far.Y) + " L:" +
                       std::to_string(edge.ClassCode()) + " Ak:" + std::to_string(cost) + " Ec:" + std::to_string(h) +
                       " Pr:" + std::to_string(f));
      }
      if (state_[m] == kUnreached || estimate_[m] > f) {
        if (state_[m] == kQueued && observer.Trace) {
          observer.Trace(" Chg:" + std::to_string(-f) + ":" + std::to_string(-estimate_[m]));
        }
        state_[m] = kQueued;
        previous_[m] = n;
        arrivalEdge_[m] = network_.EdgeIndex(n, i);
        Push(m, f);
      }
    }
  }
}

bool RouteQuery::Run(std::uint32_t start, std::uint32_t finish, const QuerySettings& s,
                     const SearchObserver& observer) {
  const std::uint32_t count = network_.NodeCount();
  start_ = start;
  finish_ = finish;
  found_ = false;
  stats_ = {};
  if (start >= count || finish >= count) return false;
  state_.assign(count, kUnreached);
  estimate_.assign(count, 0);
  previous_.assign(count, kNoNode);
  arrivalEdge_.assign(count, kNoNode);
  order_.assign(count, 0);
  open_.clear();
  nextOrder_ = 0;

  state_[start] = kFinal;
  estimate_[start] = 0;
  if (start == finish) return found_ = true;
  Expand(start, s, observer);
  std::int64_t smallest = std::numeric_limits<std::int64_t>::max();
  while (!open_.empty()) {
    std::pop_heap(open_.begin(), open_.end(), Later{});
    const Open top = open_.back();
    open_.pop_back();
    if (state_[top.Node] != kQueued || order_[top.Node] != top.Order) continue;  // superseded
    const std::uint32_t n = top.Node;
    const std::int64_t h = Estimate(n, s);
    state_[n] = kFinal;
    estimate_[n] = top.Estimate - h;
    ++stats_.NodesTaken;
    if (observer.Trace) {
      const core::TMapPoint p = network_.Point(n);
      const int arrival = arrivalEdge_[n] == kNoNode ? 0 : network_.Edge(arrivalEdge_[n]).ClassCode();
      observer.Trace("P:  " + std::to_string(p.X) + "," + std::to_string(p.Y) + " L:" + std::to_string(arrival) +
                     " bPr:" + std::to_string(estimate_[n]));
    }
    if (stats_.NodesTaken % 1024 == 0 && h < smallest) {
      smallest = h;
      if (observer.Progress) observer.Progress(h);
    }
    if (n == finish) {
      found_ = true;
      break;
    }
    Expand(n, s, observer);
  }
  stats_.MemoryBytes = count * (sizeof(std::uint8_t) + sizeof(std::int64_t) + 2 * sizeof(std::uint32_t) +
                                sizeof(std::uint64_t)) +
                       open_.capacity() * sizeof(Open);
  return found_;
}

std::vector<RouteStep> RouteQuery::Steps() const {
  std::vector<RouteStep> steps;
  if (!found_) return steps;
  for (std::uint32_t n = finish_; n != kNoNode; n = previous_[n]) {
    RouteStep step;
    step.Node = n;
    step.Point = network_.Point(n);
    if (arrivalEdge_[n] != kNoNode) {
      const RoadEdge& edge = network_.Edge(arrivalEdge_[n]);
      step.Class = edge.ClassCode();
      step.Name = edge.Name;
      step.Length = edge.Length;
    }
    steps.push_back(step);
    if (n == start_) break;
  }
  std::reverse(steps.begin(), steps.end());
  return steps;
}

std::int64_t PlainShortestLength(const RoadNetwork& network, std::uint32_t start, std::uint32_t finish) {
  const std::uint32_t count = network.NodeCount();
  if (start >= count || finish >= count) return -1;
  std::vector<std::int64_t> distance(count, std::numeric_limits<std::int64_t>::max());
  using Entry = std::pair<std::int64_t, std::uint32_t>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  distance[start] = 0;
  queue.push({0, start});
  while (!queue.empty()) {
    const auto [d, n] = queue.top();
    queue.pop();
    if (d != distance[n]) continue;
    if (n == finish) return d;
    for (const RoadEdge& edge : network.EdgesOf(n)) {
      if (!edge.Open()) continue;
      const std::int64_t next = d + edge.Length;
      if (next < distance[edge.Target]) {
        distance[edge.Target] = next;
        queue.push({next, edge.Target});
      }
    }
  }
  return -1;
}

}  // namespace quelmar::routing
