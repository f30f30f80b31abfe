#pragma once
// Plane geometry on map units for cutting the map into tiles: simplification
// for the coarser layers, clipping of lines and rings to a tile's box, and
// splitting of lines that are too long for one record.
#include <cstddef>
#include <optional>
#include <vector>

#include "control/data/map_box.h"
#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

using data::MapBox;

// The smallest box holding both.
MapBox Union(const MapBox& a, const MapBox& b);

// The smallest box holding every point; nullopt for no points.
std::optional<MapBox> BoundsOf(const std::vector<TMapPoint>& points);
std::optional<MapBox> BoundsOf(const std::vector<Ring>& rings);  // rings or lines

// Douglas-Peucker: drops points closer than `tolerance` map units to the line
// through their neighbours that remain. Keeps both ends; consecutive
// duplicates go too. A tolerance of 0 only drops the duplicates.
Line SimplifyLine(const Line& line, double tolerance);

// As SimplifyLine for a closed ring; returns an empty ring when fewer than
// three distinct corners would remain (the ring is too small to show).
Ring SimplifyRing(const Ring& ring, double tolerance);

// The parts of `line` inside `box` (edges included), each with at least two
// points; points where the line crosses the edge are rounded to map units.
std::vector<Line> ClipLine(const Line& line, const MapBox& box);

// `ring` cut to `box` (Sutherland-Hodgman): the filled area inside the box.
// Empty when nothing of the ring lies inside.
Ring ClipRing(const Ring& ring, const MapBox& box);

// Splits `line` into pieces of at most `maxPoints` points that share their
// end points, so that the pieces draw as the whole.
std::vector<Line> SplitLine(const Line& line, std::size_t maxPoints);

// Drops the rings and lines of the national layers that lie east of the
// antimeridian (the western Aleutians): the map's grids start at 180° W.
void DropEastOfAntimeridian(NationalInputs& inputs);

// Whether `point` lies inside the rings (even-odd).
bool InsideRings(const std::vector<Ring>& rings, TMapPoint point);

}  // namespace quelmar::builder
