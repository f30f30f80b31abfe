#pragma once
// Plane geometry on map units for the input readers: conversion from
// longitude/latitude, boxes, point-in-ring tests, clipping to a box and a
// label point inside an area.
#include <optional>
#include <vector>

#include "control/data/map_box.h"
#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/inputs/topojson.h"

namespace quelmar::builder {

using data::MapBox;

// As ToMapUnits, but a coordinate out of range is a DataError naming `what`.
TMapPoint ToMapPoint(const LonLat& at, const char* what);
Line ToMapLine(const LonLatLine& line, const char* what);
// Every ring of every polygon, in order.
std::vector<Ring> ToMapRings(const std::vector<LonLatPolygon>& polygons, const char* what);

// Approximate ground distance in miles (equirectangular), good for choosing
// the nearer of two places and for distances up to a few hundred miles.
double ApproxMiles(const LonLat& a, const LonLat& b);

// The box around every point; nullopt when there is none.
std::optional<MapBox> BoxOf(const std::vector<Ring>& rings);
std::optional<MapBox> BoxOf(const Line& line);

// Whether `at` is inside `ring` (crossing count; points exactly on an edge
// may fall either way). The ring may or may not repeat its first point.
bool PointInRing(const Ring& ring, TMapPoint at);
// Even-odd over all rings, as areas are filled: inside an odd number of them.
bool PointInRings(const std::vector<Ring>& rings, TMapPoint at);

// The squared distance in map units from `at` to the nearest edge of the rings.
double SquaredDistanceToRings(const std::vector<Ring>& rings, TMapPoint at);

// The parts of `line` inside `box`: a line that leaves and comes back gives
// several pieces. Crossing points are placed on the box edges.
std::vector<Line> ClipLineToBox(const Line& line, const MapBox& box);

// `ring` cut to `box` (Sutherland–Hodgman against each edge); empty when
// nothing is left. The result may run along the box edges, which an even-odd
// fill draws correctly.
Ring ClipRingToBox(const Ring& ring, const MapBox& box);

// A point inside the area (even-odd) suited to a label: the middle of the
// widest inside stretch of a horizontal line through the middle of the box,
// or through other heights when that line misses. An area too thin to hold
// a whole map unit gets the middle of its widest stretch. Nullopt for rings
// that enclose nothing.
std::optional<TMapPoint> InteriorPoint(const std::vector<Ring>& rings);

}  // namespace quelmar::builder
