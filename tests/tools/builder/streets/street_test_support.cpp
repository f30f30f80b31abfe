#include "tools/builder/streets/street_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <set>

#include "tools/quelmar-data/builder/streets/network_geometry.h"
#include "tools/quelmar-data/builder/streets/street_network.h"
#include "tools/quelmar-data/builder/streets/vector_tile_streets.h"

namespace quelmar::builder::street_testing {

std::filesystem::path StreetTestData() {
  if (const char* root = std::getenv("QUELMAR_TEST_SOURCE_DIR")) {
    return std::filesystem::path(root) / ".." / "shared" / "testdata" / "streets";
  }
  return std::filesystem::path(__FILE__).parent_path() / ".." / ".." / ".." / ".." / ".." / "shared" / "testdata" /
         "streets";
}

const std::vector<StreetSegment>& ChicagoNetwork() {
  static const std::vector<StreetSegment> network = [] {
    RawStreets raw = ReadVectorTileFolder(StreetTestData() / "chicago-z13");
    return BuildStreetNetwork(std::move(raw.Lines), raw.Labels);
  }();
  return network;
}

TMapPoint At(double lon, double lat) { return ToMapUnits(lon, lat); }

std::uint64_t NodeKey(TMapPoint at) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(at.X)) << 32) | static_cast<std::uint32_t>(at.Y);
}

std::unordered_map<std::uint64_t, std::vector<std::size_t>> SegmentsAtEnds(const std::vector<StreetSegment>& segments) {
  std::unordered_map<std::uint64_t, std::vector<std::size_t>> at;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    at[NodeKey(segments[s].Points.front())].push_back(s);
    if (!(segments[s].Points.back() == segments[s].Points.front())) at[NodeKey(segments[s].Points.back())].push_back(s);
  }
  return at;
}

std::vector<std::size_t> ComponentSizes(const std::vector<StreetSegment>& segments) {
  std::vector<std::size_t> parent(segments.size());
  std::iota(parent.begin(), parent.end(), 0);
  const std::function<std::size_t(std::size_t)> root = [&](std::size_t s) {
    while (parent[s] != s) s = parent[s] = parent[parent[s]];
    return s;
  };
  for (const auto& [node, here] : SegmentsAtEnds(segments)) {
    for (std::size_t s : here) parent[root(s)] = root(here.front());
  }
  std::unordered_map<std::size_t, std::size_t> sizes;
  for (std::size_t s = 0; s < segments.size(); ++s) ++sizes[root(s)];
  std::vector<std::size_t> sorted;
  for (const auto& [component, size] : sizes) sorted.push_back(size);
  std::sort(sorted.rbegin(), sorted.rend());
  return sorted;
}

std::size_t CrossingsAwayFromVertices(const std::vector<StreetSegment>& segments) {
  SegmentGrid grid(64);
  struct Edge {
    std::size_t Segment;
    std::size_t Index;
  };
  std::vector<Edge> edges;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    if (segments[s].Bridge || segments[s].Tunnel) continue;
    for (std::size_t i = 0; i + 1 < segments[s].Points.size(); ++i) {
      grid.Add(static_cast<std::uint32_t>(edges.size()), segments[s].Points[i], segments[s].Points[i + 1]);
      edges.push_back({s, i});
    }
  }
  std::set<std::pair<std::uint32_t, std::uint32_t>> bad;
  for (const auto& [cell, ids] : grid.Cells()) {
    for (std::size_t i = 0; i < ids.size(); ++i) {
      for (std::size_t j = i + 1; j < ids.size(); ++j) {
        if (ids[i] == ids[j]) continue;
        const Edge a = edges[ids[i]], b = edges[ids[j]];
        const Line& p = segments[a.Segment].Points;
        const Line& q = segments[b.Segment].Points;
        if (SegmentsCrossAwayFromShared(p[a.Index], p[a.Index + 1], q[b.Index], q[b.Index + 1])) {
          bad.emplace(std::min(ids[i], ids[j]), std::max(ids[i], ids[j]));
        }
      }
    }
  }
  return bad.size();
}

}  // namespace quelmar::builder::street_testing
