#pragma once
// RoadNetwork: the road graph of one route calculation, immutable once built
// and safe to share between searches (each search keeps its own state in a
// RouteQuery). Nodes are numbered from 0 in creation order, one per exact
// coordinate pair; every road piece is two directed edges, one kept at each
// end. An edge's class carries kClosedBit when its direction is closed.
//
// RoadNetworkBuilder makes one: roads are added piece by piece, the ramp and
// interstate rules adjust the junctions, and Build() takes a snapshot (the
// route search takes one after the coarse level and one at the end).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "control/core/map_units.h"
#include "control/routing/node_index.h"

namespace quelmar::routing {

struct RoadEdge {
  std::uint32_t Target = kNoNode;
  std::uint8_t Class = 0;   // class code; kClosedBit set: closed in this direction
  std::int32_t Name = 0;    // route name index, 0 none
  std::int32_t Length = 0;  // hundredths of a mile, at least 1
  bool Open() const { return (Class & 0x80) == 0; }
  std::uint8_t ClassCode() const { return Class & 0x7F; }
};

// Street name + tab + place name, numbered from 1 in order of entry.
class RouteNames {
 public:
  std::int32_t Enter(const std::string& text);
  // The text of `index`; "" for 0 or an unknown index.
  std::string_view Text(std::int32_t index) const;
  std::size_t Count() const { return texts_.size(); }

 private:
  std::vector<std::string> texts_;
  std::unordered_map<std::string, std::int32_t> numbers_;
};

class RoadNetwork {
 public:
  std::uint32_t NodeCount() const { return static_cast<std::uint32_t>(points_.size()); }
  std::size_t EdgeCount() const { return edges_.size(); }
  core::TMapPoint Point(std::uint32_t node) const { return points_[node]; }
  std::span<const RoadEdge> EdgesOf(std::uint32_t node) const {
    return {edges_.data() + first_[node], edges_.data() + first_[node + 1]};
  }
  // The index of an edge of `EdgesOf(node)` among all edges, and back.
  std::uint32_t EdgeIndex(std::uint32_t node, std::size_t nth) const { return first_[node] + std::uint32_t(nth); }
  const RoadEdge& Edge(std::uint32_t index) const { return edges_[index]; }
  const RouteNames& Names() const { return *names_; }

  // The node nearest to `point` (plain distance in map units; of equal ones
  // the lowest number); kNoNode for an empty network.
  std::uint32_t NearestNode(core::TMapPoint point) const;
  // The node within `r` map units of `point` in both x and y (of several,
  // the last made); kNoNode when none.
  std::uint32_t SnapToNode(core::TMapPoint point, std::int32_t r) const;
  std::size_t MemoryBytes() const;

 private:
  friend class RoadNetworkBuilder;
  std::vector<core::TMapPoint> points_;
  std::vector<std::uint32_t> first_{0};  // first edge of each node; one more entry than nodes
  std::vector<RoadEdge> edges_;
  std::shared_ptr<const RouteNames> names_ = std::make_shared<RouteNames>();
};

class RoadNetworkBuilder {
 public:
  // `splayIndex`: the look-up structure of the nodes (see node_index.h).
  explicit RoadNetworkBuilder(bool splayIndex = true);

  // The node at `point`, made when there is none.
  std::uint32_t NodeAt(core::TMapPoint point);
  // The node at `point` or kNoNode.
  std::uint32_t FindNode(core::TMapPoint point) const { return index_->Find(point, points_); }
  // One road piece from `a` to `b`: an edge at each end, unless that end has
  // an edge to the other node of the same length and class already. Pieces
  // whose ends are the same point are not added; lengths below 1 become 1.
  void AddPiece(core::TMapPoint a, core::TMapPoint b, std::uint8_t classCode, std::int32_t name, std::int32_t length);
  std::int32_t EnterName(const std::string& text) { return names_->Enter(text); }

  // One-way ramps by their geometry: see the definition. Returns the number
  // of edges closed.
  int ApplyRampRule(double rampAngleLimit);
  // No level crossings: at a node with more than one interstate edge and
  // more than one ordinary road edge, the road edges move to a new node two
  // units north-east (or the first free point beyond it). Returns the number
  // of nodes split.
  int ApplyInterstateRule();

  std::uint32_t NodeCount() const { return static_cast<std::uint32_t>(points_.size()); }
  std::size_t EdgeCount() const { return edges_.size(); }
  core::TMapPoint Point(std::uint32_t node) const { return points_[node]; }
  // The edges of `node` (closed bits kept), in order, and their number.
  std::vector<RoadEdge> EdgesOf(std::uint32_t node) const;
  std::size_t EdgeCountOf(std::uint32_t node) const;
  bool HasEdges(std::uint32_t node) const { return head_[node] != kNoNode; }
  RoadNetwork Build() const;
  // The last snapshot: as Build, taking the builder's points and names
  // instead of copying them; the builder is empty afterwards.
  RoadNetwork Finish() &&;
  // The node nearest to `point` (as RoadNetwork::NearestNode), without a snapshot.
  std::uint32_t NearestNode(core::TMapPoint point) const;
  // Room for about `nodes` nodes and `edges` edges more.
  void Reserve(std::size_t nodes, std::size_t edges);

 private:
  struct Link {
    RoadEdge Edge;
    std::uint32_t Next = kNoNode;
  };
  std::uint32_t Lookup(core::TMapPoint point);
  std::vector<std::uint32_t> JunctionCandidates();
  void AddEdge(std::uint32_t from, const RoadEdge& edge);
  std::vector<std::uint32_t> LinksOf(std::uint32_t node) const;
  void SetLinks(std::uint32_t node, const std::vector<std::uint32_t>& links);

  std::unique_ptr<NodeIndex> index_;
  std::vector<core::TMapPoint> points_;
  std::vector<std::uint32_t> head_, tail_;
  std::vector<Link> edges_;
  std::shared_ptr<RouteNames> names_ = std::make_shared<RouteNames>();
  std::uint32_t last_ = kNoNode;  // the node NodeAt found last
  // The nodes with an interstate edge, the only ones the junction rules change.
  std::vector<std::uint32_t> interstateNodes_;
};

}  // namespace quelmar::routing
