#pragma once
// Shared by the street tests: where the real samples are, the Chicago
// network built once, and graph helpers over segment end points.
#include <cstdint>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder::street_testing {

// ../shared/testdata/streets beside the project root.
std::filesystem::path StreetTestData();

// The Chicago tiles read and noded as LoadStreetSamples does (built once).
const std::vector<StreetSegment>& ChicagoNetwork();

// Map units from degrees, for fixtures.
TMapPoint At(double lon, double lat);

// End points of segments as graph nodes: the segments at each node.
std::unordered_map<std::uint64_t, std::vector<std::size_t>> SegmentsAtEnds(const std::vector<StreetSegment>& segments);
std::uint64_t NodeKey(TMapPoint at);

// The sizes of the connected components (segments joined at shared end
// points), largest first.
std::vector<std::size_t> ComponentSizes(const std::vector<StreetSegment>& segments);

// Pairs of segments (neither a bridge nor a tunnel) that cross or touch
// somewhere other than at a vertex both share.
std::size_t CrossingsAwayFromVertices(const std::vector<StreetSegment>& segments);

}  // namespace quelmar::builder::street_testing
