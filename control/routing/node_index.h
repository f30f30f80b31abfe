#pragma once
// The two look-up structures that find a road node by its exact map
// coordinates while the road network is built (chosen by the Routing
// dialog's "Splay Tree" box; both give the same nodes):
// - a table of 256 x 256 splay trees indexed by bits 8..15 of x and of y,
//   each ordered by x then y (unsigned), splayed top-down at every look-up,
//   a new node becoming the root;
// - a table of 32 x 32 plain binary trees indexed by bits 6..10 of x and of
//   y, each ordered by y then x, a new node added as a leaf.
#include <cstdint>
#include <memory>
#include <vector>

#include "control/core/map_units.h"

namespace quelmar::routing {

inline constexpr std::uint32_t kNoNode = 0xFFFFFFFFu;

class NodeIndex {
 public:
  virtual ~NodeIndex() = default;
  // The node at `point`, or, when there is none, `fresh` entered as the
  // node at `point` (the caller numbers nodes 0, 1, ... in creation order
  // and passes the next number). `points` are the coordinates of the nodes
  // made so far, by number, `fresh` included.
  virtual std::uint32_t FindOrAdd(core::TMapPoint point, std::uint32_t fresh,
                                  const std::vector<core::TMapPoint>& points) = 0;
  // The node at `point` or kNoNode, without changing the structure's order.
  virtual std::uint32_t Find(core::TMapPoint point, const std::vector<core::TMapPoint>& points) const = 0;
};

std::unique_ptr<NodeIndex> MakeSplayNodeIndex();
std::unique_ptr<NodeIndex> MakeTreeNodeIndex();

}  // namespace quelmar::routing
