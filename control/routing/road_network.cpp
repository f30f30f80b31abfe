#include "control/routing/road_network.h"

#include <algorithm>
#include <limits>

#include "control/routing/road_classes.h"
#include "control/routing/route_geometry.h"

namespace quelmar::routing {

std::int32_t RouteNames::Enter(const std::string& text) {
  // The table grows as far as the names go: a full table would leave later
  // roads unnamed in the directions.
  const auto [at, added] = numbers_.try_emplace(text, static_cast<std::int32_t>(texts_.size() + 1));
  if (added) texts_.push_back(text);
  return at->second;
}

std::string_view RouteNames::Text(std::int32_t index) const {
  if (index < 1 || static_cast<std::size_t>(index) > texts_.size()) return {};
  return texts_[index - 1];
}

std::uint32_t RoadNetwork::NearestNode(core::TMapPoint point) const {
  std::uint32_t best = kNoNode;
  std::int64_t bestSquare = std::numeric_limits<std::int64_t>::max();
  for (std::uint32_t n = 0; n < points_.size(); ++n) {
    const std::int64_t dx = std::int64_t{points_[n].X} - point.X, dy = std::int64_t{points_[n].Y} - point.Y;
    const std::int64_t square = dx * dx + dy * dy;
    if (square < bestSquare) {
      bestSquare = square;
      best = n;
    }
  }
  return best;
}

std::uint32_t RoadNetwork::SnapToNode(core::TMapPoint point, std::int32_t r) const {
  for (std::uint32_t n = NodeCount(); n-- > 0;) {
    const std::int64_t dx = std::int64_t{points_[n].X} - point.X, dy = std::int64_t{points_[n].Y} - point.Y;
    if (dx <= r && dx >= -r && dy <= r && dy >= -r) return n;
  }
  return kNoNode;
}

std::size_t RoadNetwork::MemoryBytes() const {
  std::size_t names = 0;
  for (std::int32_t i = 1; i <= static_cast<std::int32_t>(names_->Count()); ++i) names += names_->Text(i).size() + 48;
  return points_.capacity() * sizeof(core::TMapPoint) + first_.capacity() * sizeof(std::uint32_t) +
         edges_.capacity() * sizeof(RoadEdge) + names;
}

RoadNetworkBuilder::RoadNetworkBuilder(bool splayIndex)
    : index_(splayIndex ? MakeSplayNodeIndex() : MakeTreeNodeIndex()) {}

std::uint32_t RoadNetworkBuilder::NodeAt(core::TMapPoint point) {
  // Successive pieces of a line share their points: the last node looked up
  // is asked for first.
  if (last_ != kNoNode && points_[last_] == point) return last_;
  last_ = Lookup(point);
  return last_;
}

std::uint32_t RoadNetworkBuilder::Lookup(core::TMapPoint point) {
  const auto fresh = static_cast<std::uint32_t>(points_.size());
  points_.push_back(point);
  const std::uint32_t node = index_->FindOrAdd(point, fresh, points_);
  if (node != fresh) {
    points_.pop_back();
    return node;
  }
  head_.push_back(kNoNode);
  tail_.push_back(kNoNode);
  return node;
}

void RoadNetworkBuilder::AddEdge(std::uint32_t from, const RoadEdge& edge) {
  for (std::uint32_t e = head_[from]; e != kNoNode; e = edges_[e].Next) {
    const RoadEdge& have = edges_[e].Edge;
    if (have.Target == edge.Target && have.Length == edge.Length && have.ClassCode() == edge.ClassCode()) return;
  }
  const auto added = static_cast<std::uint32_t>(edges_.size());
  edges_.push_back({edge, kNoNode});
  if (edge.ClassCode() == kInterstateClass) interstateNodes_.push_back(from);
  if (head_[from] == kNoNode) {
    head_[from] = tail_[from] = added;
  } else if (edge.ClassCode() == kInterstateClass) {
    // Interstate edges go in front, where the search meets them first.
    edges_[added].Next = head_[from];
    head_[from] = added;
  } else {
    edges_[tail_[from]].Next = added;
    tail_[from] = added;
  }
}

void RoadNetworkBuilder::AddPiece(core::TMapPoint a, core::TMapPoint b, std::uint8_t classCode, std::int32_t name,
                                  std::int32_t length) {
  // Only a piece that joins a point to itself is dropped: short pieces of a
  // curved street keep it connected.
  if (a == b) return;
  if (length < 1) length = 1;
  const std::uint32_t from = NodeAt(a);
  const std::uint32_t to = NodeAt(b);
  AddEdge(from, {to, classCode, name, length});
  AddEdge(to, {from, classCode, name, length});
}

std::vector<std::uint32_t> RoadNetworkBuilder::LinksOf(std::uint32_t node) const {
  std::vector<std::uint32_t> links;
  for (std::uint32_t e = head_[node]; e != kNoNode; e = edges_[e].Next) links.push_back(e);
  return links;
}

void RoadNetworkBuilder::SetLinks(std::uint32_t node, const std::vector<std::uint32_t>& links) {
  head_[node] = tail_[node] = kNoNode;
  for (std::uint32_t e : links) {
    edges_[e].Next = kNoNode;
    if (head_[node] == kNoNode) head_[node] = e; else edges_[tail_[node]].Next = e;
    tail_[node] = e;
  }
}

std::size_t RoadNetworkBuilder::EdgeCountOf(std::uint32_t node) const {
  std::size_t count = 0;
  for (std::uint32_t e = head_[node]; e != kNoNode; e = edges_[e].Next) ++count;
  return count;
}

std::vector<RoadEdge> RoadNetworkBuilder::EdgesOf(std::uint32_t node) const {
  std::vector<RoadEdge> out;
  for (std::uint32_t e : LinksOf(node)) out.push_back(edges_[e].Edge);
  return out;
}

std::vector<std::uint32_t> RoadNetworkBuilder::JunctionCandidates() {
  // A node once given an interstate edge, in node order, each once.
  std::sort(interstateNodes_.begin(), interstateNodes_.end());
  interstateNodes_.erase(std::unique(interstateNodes_.begin(), interstateNodes_.end()), interstateNodes_.end());
  return interstateNodes_;
}

int RoadNetworkBuilder::ApplyRampRule(double rampAngleLimit) {
  int closed = 0;
  std::vector<std::uint32_t> interstates, ramps;
  for (std::uint32_t n : JunctionCandidates()) {
    // Only the first 100 edges of a node count.
    interstates.clear();
    ramps.clear();
    int others = 0, seen = 0;
    for (std::uint32_t e = head_[n]; e != kNoNode && seen < 100; e = edges_[e].Next, ++seen) {
      const std::uint8_t c = edges_[e].Edge.ClassCode();
      if (c == kInterstateClass) {
        interstates.push_back(e);
      } else {
        ++others;
        if (c == kRampClass) ramps.push_back(e);
      }
    }
    if (interstates.size() <= 1 || ramps.empty() || (others == 1 && interstates.size() > 1)) continue;
    const core::TMapPoint here = points_[n];
    for (std::uint32_t r : ramps) {
      const core::TMapPoint far = points_[edges_[r].Edge.Target];
      // Coming off the ramp into this junction needs an interstate to merge
      // onto with a right-hand bend; without one the ramp only leaves here.
      bool mergesRight = false;
      bool divergesRight = false;
      for (std::uint32_t i : interstates) {
        const core::TMapPoint other = points_[edges_[i].Edge.Target];
        const double onto = TurnAngle(far, here, other);
        if (onto > 0 && onto <= rampAngleLimit) mergesRight = true;
        const double off = TurnAngle(other, here, far);
        if (off > 0 && off < 80) divergesRight = true;
      }
      if (!mergesRight) {
        for (std::uint32_t e = head_[edges_[r].Edge.Target]; e != kNoNode; e = edges_[e].Next) {
          RoadEdge& back = edges_[e].Edge;
          if (back.Target == n && back.ClassCode() == kRampClass && back.Open()) {
            back.Class |= kClosedBit;
            ++closed;
          }
        }
      }
      if (!divergesRight && edges_[r].Edge.Open()) {
        edges_[r].Edge.Class |= kClosedBit;
        ++closed;
      }
    }
  }
  return closed;
}

int RoadNetworkBuilder::ApplyInterstateRule() {
  int split = 0;
  const std::uint32_t existing = NodeCount();
  std::vector<std::uint32_t> keep, move;
  for (std::uint32_t n : JunctionCandidates()) {
    if (n >= existing) continue;
    int interstates = 0, roads = 0;
    for (std::uint32_t e = head_[n]; e != kNoNode; e = edges_[e].Next) {
      const std::uint8_t c = edges_[e].Edge.ClassCode();
      interstates += c == kInterstateClass;
      roads += c != kInterstateClass && c != kRampClass;
    }
    if (interstates <= 1 || roads <= 1) continue;
    keep.clear();
    move.clear();
    for (std::uint32_t e : LinksOf(n)) {
      const std::uint8_t c = edges_[e].Edge.ClassCode();
      (c == kInterstateClass || c == kRampClass ? keep : move).push_back(e);
    }
    // The crossing road's own node: two units north-east, stepping on while
    // that point is some other node's, so that no two roads merge by it.
    core::TMapPoint at{points_[n].X + 2, points_[n].Y + 2};
    while (FindNode(at) != kNoNode) at = {at.X + 1, at.Y + 1};
    const std::uint32_t crossing = NodeAt(at);
    last_ = kNoNode;
    SetLinks(n, keep);
    SetLinks(crossing, move);
    for (std::uint32_t e : move) {
      const RoadEdge moved = edges_[e].Edge;
      for (std::uint32_t back = head_[moved.Target]; back != kNoNode; back = edges_[back].Next) {
        RoadEdge& b = edges_[back].Edge;
        if (b.Target == n && b.ClassCode() == moved.ClassCode() && b.Length == moved.Length) b.Target = crossing;
      }
    }
    ++split;
  }
  return split;
}

std::uint32_t RoadNetworkBuilder::NearestNode(core::TMapPoint point) const {
  std::uint32_t best = kNoNode;
  std::int64_t bestSquare = std::numeric_limits<std::int64_t>::max();
  for (std::uint32_t n = 0; n < points_.size(); ++n) {
    const std::int64_t dx = std::int64_t{points_[n].X} - point.X, dy = std::int64_t{points_[n].Y} - point.Y;
    if (dx * dx + dy * dy < bestSquare) {
      bestSquare = dx * dx + dy * dy;
      best = n;
    }
  }
  return best;
}

void RoadNetworkBuilder::Reserve(std::size_t nodes, std::size_t edges) {
  points_.reserve(points_.size() + nodes);
  head_.reserve(head_.size() + nodes);
  tail_.reserve(tail_.size() + nodes);
  edges_.reserve(edges_.size() + edges);
}

RoadNetwork RoadNetworkBuilder::Finish() && {
  RoadNetwork network;
  network.first_.reserve(points_.size() + 1);
  network.edges_.reserve(edges_.size());
  for (std::uint32_t n = 0; n < NodeCount(); ++n) {
    for (std::uint32_t e = head_[n]; e != kNoNode; e = edges_[e].Next) network.edges_.push_back(edges_[e].Edge);
    network.first_.push_back(static_cast<std::uint32_t>(network.edges_.size()));
  }
  network.points_ = std::move(points_);
  network.names_ = std::move(names_);
  *this = RoadNetworkBuilder();
  return network;
}

RoadNetwork RoadNetworkBuilder::Build() const {
  RoadNetwork network;
  network.points_ = points_;
  network.first_.reserve(points_.size() + 1);
  network.edges_.reserve(edges_.size());
  for (std::uint32_t n = 0; n < NodeCount(); ++n) {
    for (std::uint32_t e = head_[n]; e != kNoNode; e = edges_[e].Next) network.edges_.push_back(edges_[e].Edge);
    network.first_.push_back(static_cast<std::uint32_t>(network.edges_.size()));
  }
  network.names_ = std::make_shared<RouteNames>(*names_);
  return network;
}

}  // namespace quelmar::routing
