#pragma once
// DrawingWriter: writes a drawing file record by record, any record kind in
// any of its codings. The data builder writes the map with it; tests build
// their fixtures with it.
//
// Points and extents are given in map units; the writer applies the file's
// conventions (west-positive absolute x, offsets from the extents base, steps
// in units of 32 while the header's scaled flag is on). A value that the
// chosen coding cannot hold throws std::invalid_argument and writes nothing,
// so the writer never stores something other than what it was given.
//
// The writer numbers objects as the reader will (from 1, counting only records
// that create one), so NameRef offsets can be taken from Objects() and
// SectionBase().
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "control/data/drawing.h"
#include "control/data/drawing_opcodes.h"
#include "control/data/drawing_reader.h"

namespace quelmar::data {

// The attribute coding of a record: its value is the opcode's attribute bits.
enum class AttributeCoding : std::uint8_t {
  None = opcode::kNoAttributes,        // no attribute bytes; the attributes must be zero
  Short = opcode::kShortAttributes,    // i16 low, i16 high, u8 index
  Long = opcode::kLongAttributes,      // i32 low, i32 high, u8 index
  Packed = opcode::kPackedAttributes,  // i16 low, u8 span + 127, u8 index
};

enum class PointCoding : std::uint8_t {
  Absolute,  // 3-byte x (west positive) and y
  Relative,  // 2-byte offsets from the base of the last extents record
};

class DrawingWriter {
 public:
  // Writes the prologue: marker, then data version.
  explicit DrawingWriter(std::int16_t version = kDefaultStreetVersion, std::int16_t marker = 0);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  // Objects the records so far create, and the current section base.
  std::int32_t Objects() const { return objects_; }
  std::int32_t SectionBase() const { return sectionBase_; }

  // kSectionHeader: tag, then two i32. 'M', 'S' and 'C' take `last` as the block tag;
  // 'T' starts a section.
  void SectionHeader(std::uint8_t tag, std::int32_t first = 0, std::int32_t last = 0);
  void End();                                // kEnd
  void Header(const DrawingHeader& header);  // kHeader; Scaled = 1 scales the polylines after it
  // kExtents, in map units. The base of relative points becomes (x1, y1); a
  // section starts.
  void Extents(std::int32_t x1, std::int32_t x2, std::int32_t y1, std::int32_t y2);
  void FeatureCode(std::uint8_t code);       // kFeatureCode
  void NameString(std::string_view packed);  // kNameString, at most 255 bytes
  // A NameRef to object SectionBase() + n: kNameRef with an i32 offset,
  // kShortNameRef with a u16.
  void NameRef(std::int32_t n);
  void ShortNameRef(std::uint16_t n);
  // kBlock: a BlockObject when a..d are non-zero and count > 1, else a GroupMark when count > 0.
  void Block(std::uint8_t style, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, std::int32_t count);
  // kIndexList: more than 255 values are written but skipped by the reader.
  void IndexList(std::span<const std::int32_t> values);
  void GroupMark();  // kGroupMark
  void Nop();        // kNop
  // `opcode` is kRelativeLabel (relative point), kAbsoluteLabel or
  // kAbsoluteLabelAlt (absolute); an empty text creates nothing.
  void Label(std::uint8_t opcode, TMapPoint point, std::string_view text);
  // kPlace; County and Population within 24 bits; an empty name creates nothing.
  void Place(const PlaceObject& place);
  // kInertFamily: an inert object with 32-bit Dx, Dy.
  void Inert(AttributeCoding coding, PointCoding point, const data::Segment& segment);
  // kSegment16Family: Dx, Dy within 16 bits.
  void Segment16(AttributeCoding coding, PointCoding point, const data::Segment& segment);
  // kSegmentFamily: Dx, Dy within -127..128; AttributeCoding::None gives a plain Segment.
  void Segment(AttributeCoding coding, PointCoding point, const data::Segment& segment);
  // A polyline of kind 12..15 through `vertices` (the points after the start).
  // Kind 15 writes a bias step first, chosen so every step fits.
  void Polyline(ObjectKind kind, AttributeCoding coding, PointCoding point, const Attributes& attributes,
                TMapPoint start, std::span<const TMapPoint> vertices);
  // A polyline whose step records are given as stored (Steps, Count of them).
  void Polyline(ObjectKind kind, AttributeCoding coding, PointCoding point, const data::Polyline& line);
  // Bytes as they are, for records this class does not make (damaged files).
  void Raw(std::span<const std::uint8_t> bytes);

  // Whether the reader stores a polyline of this kind and step count.
  static bool PolylineFits(ObjectKind kind, std::int32_t count);

 private:
  // Each record is built here and appended only once all of it was encoded.
  class Record;

  void Append(const Record& record, std::int32_t objectsCreated);

  std::vector<std::uint8_t> bytes_;
  std::int32_t objects_ = 0;
  std::int32_t sectionBase_ = 0;
  TMapPoint base_;  // relative points are offsets from it; (0, 0) until an extents record, as in the reader
  bool scaled_ = false;
};

}  // namespace quelmar::data
