#pragma once
// Helpers shared by the drawing-file tests.
#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

#include "control/data/byte_source.h"
#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"
#include "control/data/drawing_text.h"
#include "control/data/drawing_writer.h"

namespace quelmar::data {

// Test messages show objects as the dump does.
inline void PrintTo(const DrawObject& object, std::ostream* os) { *os << DescribeObject(0, object); }

}  // namespace quelmar::data

namespace quelmar::data::testing {

// The extents every fixture starts with: base of relative points (-1000000, 600000).
inline constexpr TMapPoint kBase{-1000000, 600000};

// A writer with the prologue, one extents record and feature code 41 written.
inline DrawingWriter StartedWriter(std::int16_t version = kDefaultStreetVersion) {
  DrawingWriter writer(version);
  writer.Extents(kBase.X, kBase.X + 20000, kBase.Y, kBase.Y + 20000);
  writer.FeatureCode(41);
  return writer;
}

inline Drawing Read(std::span<const std::uint8_t> bytes, const ReadDrawingOptions& options = {}) {
  MemorySource source(bytes);
  Drawing drawing;
  ReadDrawing(source, drawing, options);
  return drawing;
}

// A writer's file with the end record added.
inline std::vector<std::uint8_t> Finished(DrawingWriter writer) {
  writer.End();
  return writer.Bytes();
}

// A file with every kind of object and a route name, in two sections.
inline std::vector<std::uint8_t> EveryKindFile() {
  DrawingWriter w = StartedWriter();
  w.Header({.Scaled = 1});
  w.SectionHeader('M', 0, 12);
  w.NameString("\x10" "66");
  w.NameRef(1);
  w.IndexList(std::vector<std::int32_t>{60601, 60602});
  w.Polyline(ObjectKind::Polyline13, AttributeCoding::Short, PointCoding::Absolute, {10, 20, 1}, kBase,
             std::vector<TMapPoint>{{kBase.X + 64, kBase.Y}, {kBase.X + 64, kBase.Y + 320}});
  w.Segment(AttributeCoding::Packed, PointCoding::Relative, {{kBase.X + 7, kBase.Y}, 5, -5, {1, 2, 2}});
  w.GroupMark();
  w.Extents(kBase.X - 100, kBase.X, kBase.Y, kBase.Y + 100);
  w.Label(0x17, {kBase.X - 50, kBase.Y + 50}, "LAKE");
  w.Nop();
  w.Label(0x58, kBase, "RIVER");
  w.Place({17031, 100, kBase, 600, "TOWN"});
  w.SectionHeader('T');
  w.Block(3, 1, 2, 3, 4, 5);
  w.Inert(AttributeCoding::Long, PointCoding::Absolute, {kBase, 1, 2, {-1, 3, 0}});
  w.Segment16(AttributeCoding::None, PointCoding::Relative, {kBase, 300, -300, {}});
  w.Header({.Scaled = 0});
  w.Polyline(ObjectKind::Polyline14, AttributeCoding::None, PointCoding::Relative, {}, kBase,
             std::vector<TMapPoint>{{kBase.X + 1, kBase.Y + 1}});
  w.Polyline(ObjectKind::Polyline15, AttributeCoding::Packed, PointCoding::Absolute, {5, 5, 0}, kBase,
             std::vector<TMapPoint>{{kBase.X + 1, kBase.Y + 1}});
  w.Polyline(ObjectKind::Polyline12, AttributeCoding::Long, PointCoding::Relative, {}, kBase,
             std::vector<TMapPoint>{{kBase.X + 100000, kBase.Y + 1}});
  w.ShortNameRef(1);
  return Finished(w);
}

}  // namespace quelmar::data::testing
