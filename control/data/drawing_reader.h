#pragma once
// ReadDrawing: reads one drawing file (".DCM") from a byte source and appends
// its objects to a Drawing.
//
// A drawing file is a 4-byte prologue (int16 marker, int16 data version) and
// then records, each one opcode byte and a body, up to the end record. Object
// numbers continue the drawing's count; a NameRef's number is relative to the
// section base, which is the count when the read began and is reset by every
// extents record and every 'T' section header.
//
// What the reader guarantees:
// - Every object it stores is whole: a record is applied only once all of its
//   bytes have been read, and a failure never leaves half an object.
// - On any failure the objects stored before it stay in the drawing, and so
//   do drawing.File()'s record count, extents and header. Route labels
//   collected before the failure are appended as at a normal end.
// - No count, length or number in the file leads outside a buffer: counts
//   beyond the format's limits are skipped or refused, texts longer than their
//   object allows are cut, and references are kept as numbers that the
//   Drawing resolves (Drawing::NameAt) or reads as none.
//
// What it throws (after the guarantees above have been met):
// - DataError for a malformed file: a prologue or record that needs more bytes
//   than are left (a truncated file, or one without its end record), an
//   invalid opcode (opcode::kFirstInvalid..kLastInvalid, or a polyline opcode
//   whose kind bits are below kFirstPolylineKind; see drawing_opcodes.h), a
//   negative polyline count or index-list length.
// - Whatever the source throws (IoError from a file, DataError from a member
//   that does not decode).
//
// What ends the read without an exception:
// - The end record (opcode::kEnd).
// - A polyline that the drawing has no room for: File().LoadError becomes
//   kLoadOutOfMemory. Other objects without room are dropped and the read goes
//   on; Drawing::OutOfMemory() tells either case.
// - A street quad of the wrong data version: no record is read and
//   File().Refused is set.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "control/data/byte_source.h"
#include "control/data/drawing.h"
#include "control/data/drawing_route_labels.h"

namespace quelmar::data {

inline constexpr std::int32_t kDefaultStreetVersion = 402;

// One record as read, handed to ReadDrawingOptions::OnRecord after it was applied.
struct DrawingRecord {
  std::uint64_t Offset = 0;  // of the opcode byte in the file
  std::uint8_t Opcode = 0;
  std::int32_t FirstObject = 0;  // number of the object it created; 0 when none
  std::int32_t Objects = 0;      // objects it created (0 or 1)
  bool Skipped = false;          // an oversize polyline or index list: consumed, nothing created
  std::int32_t Count = 0;        // a polyline's steps or an index list's entries as stored
  // The reader's state after the record.
  std::uint8_t FeatureCode = 0;
  std::int32_t BlockTag = 0;
  std::int32_t SectionBase = 0;
  bool Scaled = false;
  TMapPoint RelativeBase;  // what RelPoint offsets are added to
  // A section header's tag and its eight bytes; an extents record's own extents.
  std::uint8_t Tag = 0;
  std::array<std::uint8_t, 8> TagBytes{};
  DrawingExtents RecordExtents;
};

struct ReadDrawingOptions {
  // The drawing's registry name (member or file name). A street quad, whose
  // name begins with "Y", of a 4xx data version must be ExpectedStreetVersion.
  std::string RegistryName;
  std::int32_t ExpectedStreetVersion = kDefaultStreetVersion;
  // Collect route labels (network quads and the base map).
  bool CollectRouteLabels = false;
  RouteNameRules RouteNames;
  // Called after each record is applied, the end record included.
  std::function<void(const DrawingRecord&)> OnRecord;
};

// Reads the file and appends its objects to `drawing`; drawing.File() is reset
// first and describes this file afterwards. Returns the number of records read,
// the end record included (0 for a refused file). See the top of this header
// for what it throws and guarantees.
std::int32_t ReadDrawing(ByteSource& source, Drawing& drawing, const ReadDrawingOptions& options = {});

}  // namespace quelmar::data
