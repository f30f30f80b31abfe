#pragma once
// Turns the street lines of a reader into a routable network: every line
// that meets another does so at a shared vertex, and every output segment
// runs from a junction (or dead end) to the next.
//
// The steps, in order:
//  1. names from label lines move onto the geometry they follow
//     (label_transfer.h), so the road and label copies of a street become one;
//  2. line ends within SnapUnits of another end are joined (tile edges cut
//     lines in two); an end left alone that close to another line is joined
//     to that line's nearest vertex, or put into it as a new vertex
//     (a T junction);
//  3. lines that cross or touch get the meeting point as a vertex of both,
//     except where either is a bridge or a tunnel;
//  4. lines are cut at every vertex they share with another line, where
//     that makes a junction: a bridge or tunnel only joins what ends on it;
//  5. pieces with the same vertices are kept once (a named copy first);
//  6. pieces meeting end to end with nothing else there and the same
//     attributes (and one-way direction) are joined back together, up to
//     MaxPoints points per segment.
// The output order depends only on the input geometry and attributes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

struct NetworkOptions {
  // Ends of lines closer than this (map units, Euclidean) are one junction;
  // 0 keeps only exactly shared vertices (sources with explicit topology).
  std::int32_t SnapUnits = 2;
  // How far a label line may lie from the geometry it names.
  std::int32_t LabelUnits = 3;
  // Longest output polyline, in points.
  std::size_t MaxPoints = 2999;
};

// Lines shorter than two distinct points are dropped. One-way segments keep
// their direction; the others start at their lower (x, then y) end.
std::vector<StreetSegment> BuildStreetNetwork(std::vector<StreetSegment> lines,
                                              const std::vector<StreetSegment>& labels = {},
                                              const NetworkOptions& options = {});

}  // namespace quelmar::builder
