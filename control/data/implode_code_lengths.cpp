#include "control/data/implode_code_lengths.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "control/data/implode_trees.h"

namespace quelmar::data {
namespace {

// Depth of each leaf in a Huffman tree of `weights`; returns the deepest.
int HuffmanDepths(const std::vector<std::uint64_t>& weights, std::span<std::uint8_t> depths) {
  const std::size_t leaves = weights.size();
  std::vector<std::size_t> parent(2 * leaves - 1, 0);
  // Ties broken by node number, so equal counts always give the same code.
  using Node = std::pair<std::uint64_t, std::size_t>;
  std::priority_queue<Node, std::vector<Node>, std::greater<Node>> queue;
  for (std::size_t i = 0; i < leaves; ++i) queue.emplace(weights[i], i);
  std::size_t next = leaves;
  while (queue.size() > 1) {
    const Node a = queue.top();
    queue.pop();
    const Node b = queue.top();
    queue.pop();
    parent[a.second] = parent[b.second] = next;
    queue.emplace(a.first + b.first, next++);
  }
  // Parents are numbered after their children: walk down from the root.
  std::vector<int> depth(next, 0);
  for (std::size_t node = next - 1; node-- > 0;) depth[node] = depth[parent[node]] + 1;
  int deepest = 0;
  for (std::size_t i = 0; i < leaves; ++i) {
    depths[i] = static_cast<std::uint8_t>(std::min(depth[i], 255));
    deepest = std::max(deepest, depth[i]);
  }
  return deepest;
}

}  // namespace

void BuildCodeLengths(std::span<const std::uint32_t> counts, std::span<std::uint8_t> lengths) {
  // Unused symbols count as 1 so that they too get a code.
  std::vector<std::uint64_t> weights(counts.begin(), counts.end());
  for (std::uint64_t& w : weights) w = std::max<std::uint64_t>(w, 1);
  // Too deep for 16 bits: flatten the counts and build again. Each round
  // halves them, and equal counts give depths of at most 8.
  while (HuffmanDepths(weights, lengths) > kMaxImplodeCodeBits) {
    for (std::uint64_t& w : weights) w = (w + 1) / 2;
  }
}

}  // namespace quelmar::data
