#include "control/routing/node_index.h"

namespace quelmar::routing {
namespace {

// Each node's coordinates and child links, by node number, kept together
// for the look-ups' sake; grown as nodes come.
struct TreeNode {
  core::TMapPoint Key;
  std::uint32_t Left = kNoNode;
  std::uint32_t Right = kNoNode;
};

struct Children {
  std::vector<TreeNode> Nodes;
  void Fit(std::uint32_t node, core::TMapPoint key) {
    if (node >= Nodes.size()) Nodes.resize(node + 1);
    Nodes[node].Key = key;
  }
  std::uint32_t& Left(std::uint32_t n) { return Nodes[n].Left; }
  std::uint32_t& Right(std::uint32_t n) { return Nodes[n].Right; }
  std::uint32_t Left(std::uint32_t n) const { return Nodes[n].Left; }
  std::uint32_t Right(std::uint32_t n) const { return Nodes[n].Right; }
  core::TMapPoint Key(std::uint32_t n) const { return Nodes[n].Key; }
};

// Unsigned x, then y.
int CompareXY(core::TMapPoint a, core::TMapPoint b) {
  const auto ax = static_cast<std::uint32_t>(a.X), bx = static_cast<std::uint32_t>(b.X);
  if (ax != bx) return ax < bx ? -1 : 1;
  const auto ay = static_cast<std::uint32_t>(a.Y), by = static_cast<std::uint32_t>(b.Y);
  if (ay != by) return ay < by ? -1 : 1;
  return 0;
}

// Unsigned y, then x.
int CompareYX(core::TMapPoint a, core::TMapPoint b) {
  return CompareXY({a.Y, a.X}, {b.Y, b.X});
}

class SplayNodeIndex final : public NodeIndex {
 public:
  SplayNodeIndex() : roots_(256 * 256, kNoNode) {}

  std::uint32_t FindOrAdd(core::TMapPoint point, std::uint32_t fresh,
                          const std::vector<core::TMapPoint>& points) override {
    (void)points;
    std::uint32_t& root = roots_[Slot(point)];
    root = Splay(root, point);
    if (root != kNoNode && CompareXY(point, children_.Key(root)) == 0) return root;
    // The new node becomes the root, the old root's halves its children.
    children_.Fit(fresh, point);
    if (root != kNoNode) {
      if (CompareXY(point, children_.Key(root)) < 0) {
        children_.Left(fresh) = children_.Left(root);
        children_.Right(fresh) = root;
        children_.Left(root) = kNoNode;
      } else {
        children_.Right(fresh) = children_.Right(root);
        children_.Left(fresh) = root;
        children_.Right(root) = kNoNode;
      }
    }
    root = fresh;
    return fresh;
  }

  std::uint32_t Find(core::TMapPoint point, const std::vector<core::TMapPoint>&) const override {
    std::uint32_t node = roots_[Slot(point)];
    while (node != kNoNode) {
      const int order = CompareXY(point, children_.Key(node));
      if (order == 0) return node;
      node = order < 0 ? children_.Left(node) : children_.Right(node);
    }
    return kNoNode;
  }

 private:
  static std::size_t Slot(core::TMapPoint p) {
    return ((static_cast<std::uint32_t>(p.X) >> 8) & 255u) * 256 + ((static_cast<std::uint32_t>(p.Y) >> 8) & 255u);
  }

  // Top-down splay of the tree at `t` around `key`; returns the new root.
  std::uint32_t Splay(std::uint32_t t, core::TMapPoint key) {
    if (t == kNoNode) return t;
    Children& c = children_;
    const auto left = [&c](std::uint32_t n) -> std::uint32_t& { return c.Left(n); };
    const auto right = [&c](std::uint32_t n) -> std::uint32_t& { return c.Right(n); };
    // The assembled left and right trees: their roots and the nodes that
    // take the next link (kNoNode until the first link).
    std::uint32_t leftRoot = kNoNode, leftMax = kNoNode, rightRoot = kNoNode, rightMin = kNoNode;
    for (;;) {
      const int order = CompareXY(key, c.Key(t));
      if (order < 0) {
        if (left(t) == kNoNode) break;
        if (CompareXY(key, c.Key(left(t))) < 0) {  // rotate right
          const std::uint32_t y = left(t);
          left(t) = right(y);
          right(y) = t;
          t = y;
          if (left(t) == kNoNode) break;
        }
        // Link t into the right tree.
        if (rightMin == kNoNode) rightRoot = t; else left(rightMin) = t;
        rightMin = t;
        t = left(t);
      } else if (order > 0) {
        if (right(t) == kNoNode) break;
        if (CompareXY(key, c.Key(right(t))) > 0) {  // rotate left
          const std::uint32_t y = right(t);
          right(t) = left(y);
          left(y) = t;
          t = y;
          if (right(t) == kNoNode) break;
        }
        if (leftMax == kNoNode) leftRoot = t; else right(leftMax) = t;
        leftMax = t;
        t = right(t);
      } else {
        break;
      }
    }
    // Assemble.
    if (leftMax != kNoNode) { right(leftMax) = left(t); left(t) = leftRoot; }
    if (rightMin != kNoNode) { left(rightMin) = right(t); right(t) = rightRoot; }
    return t;
  }

  std::vector<std::uint32_t> roots_;
  Children children_;
};

class TreeNodeIndex final : public NodeIndex {
 public:
  TreeNodeIndex() : roots_(32 * 32, kNoNode) {}

  std::uint32_t FindOrAdd(core::TMapPoint point, std::uint32_t fresh,
                          const std::vector<core::TMapPoint>& points) override {
    (void)points;
    std::uint32_t node = roots_[Slot(point)], parent = kNoNode;
    int order = 0;
    while (node != kNoNode) {
      order = CompareYX(point, children_.Key(node));
      if (order == 0) return node;
      parent = node;
      node = order < 0 ? children_.Left(node) : children_.Right(node);
    }
    children_.Fit(fresh, point);
    if (parent == kNoNode) {
      roots_[Slot(point)] = fresh;
    } else if (order < 0) {
      children_.Left(parent) = fresh;
    } else {
      children_.Right(parent) = fresh;
    }
    return fresh;
  }

  std::uint32_t Find(core::TMapPoint point, const std::vector<core::TMapPoint>&) const override {
    std::uint32_t node = roots_[Slot(point)];
    while (node != kNoNode) {
      const int order = CompareYX(point, children_.Key(node));
      if (order == 0) return node;
      node = order < 0 ? children_.Left(node) : children_.Right(node);
    }
    return kNoNode;
  }

 private:
  static std::size_t Slot(core::TMapPoint p) {
    return ((static_cast<std::uint32_t>(p.X) >> 6) & 31u) * 32 + ((static_cast<std::uint32_t>(p.Y) >> 6) & 31u);
  }

  std::vector<std::uint32_t> roots_;
  Children children_;
};

}  // namespace

std::unique_ptr<NodeIndex> MakeSplayNodeIndex() { return std::make_unique<SplayNodeIndex>(); }
std::unique_ptr<NodeIndex> MakeTreeNodeIndex() { return std::make_unique<TreeNodeIndex>(); }

}  // namespace quelmar::routing
