#pragma once
// Writes the builder's lines as drawing-file records: the most compact
// polyline kind whose steps hold the line (two-byte steps, else 16-bit
// steps), lines longer than one record split into pieces that share their
// ends, steps too long for 16 bits broken into equal parts, and the smallest
// attribute coding that holds the attributes exactly.
#include <optional>

#include "control/data/drawing_writer.h"
#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

// The most points one polyline record holds (3,300 steps).
inline constexpr std::size_t kMaxRecordPoints = 3301;

// The smallest coding that stores `attributes` exactly.
data::AttributeCoding SmallestCoding(const data::Attributes& attributes);

// Writes `line` (two points or more; shorter lines write nothing). With
// `relativeBase` set (the base of the last extents record), starts that lie
// within 16-bit offsets of it are written relative; else absolute.
void WriteLine(data::DrawingWriter& writer, const Line& line, const data::Attributes& attributes = {},
               std::optional<TMapPoint> relativeBase = std::nullopt);

}  // namespace quelmar::builder
