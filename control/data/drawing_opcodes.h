#pragma once
// The opcode byte that starts each record of a drawing file (".DCM"), and the
// bits of it that choose how a record codes its attributes and its point. The
// reader, the writer and the dump name opcodes only through this table.
//
// Most records have one opcode each. The object records of the segment and
// polyline families take theirs from the family in the low five bits (for a
// polyline, 0x10 plus its object kind 12..15) with the attribute coding in
// bits 7 and 5 and the point coding in bit 6.
#include <cstdint>

namespace quelmar::data::opcode {

// --- Records of one opcode each ----------------------------------------------

inline constexpr std::uint8_t kSectionHeader = 0x00;  // tag byte, two i32; 'T' starts a section
inline constexpr std::uint8_t kEnd = 0x01;            // the last record of the file
inline constexpr std::uint8_t kHeader = 0x02;         // drawing header: values, scaled flag, box
inline constexpr std::uint8_t kExtents = 0x03;        // four 24-bit bounds; base of relative points
inline constexpr std::uint8_t kFeatureCode = 0x04;    // u8 code of the objects that follow
inline constexpr std::uint8_t kNameString = 0x05;     // a packed name (Pascal string)
inline constexpr std::uint8_t kNameRef = 0x06;        // i32 object offset from the section base
inline constexpr std::uint8_t kBlock = 0x07;          // style, four i32 values, i32 count
inline constexpr std::uint8_t kIndexList = 0x08;      // i16 length, then that many i32
inline constexpr std::uint8_t kGroupMark = 0x09;      // no body; marks a group of objects
inline constexpr std::uint8_t kShortNameRef = 0x0A;   // u16 object offset from the section base
inline constexpr std::uint8_t kNop = 0x0B;            // no body, no effect
inline constexpr std::uint8_t kFirstInvalid = 0x0C;   // 0x0C..0x10 are no record
inline constexpr std::uint8_t kLastInvalid = 0x10;
inline constexpr std::uint8_t kRelativeLabel = 0x17;     // label text at a relative point
inline constexpr std::uint8_t kPlace = 0x54;             // a place: point, county, population, elevation, name
inline constexpr std::uint8_t kAbsoluteLabel = 0x57;     // label text at an absolute point
inline constexpr std::uint8_t kAbsoluteLabelAlt = 0x58;  // read as kAbsoluteLabel

// --- Families of coded object records ----------------------------------------

inline constexpr std::uint8_t kFamilyBits = 0x1F;       // opcode & kFamilyBits names the family
inline constexpr std::uint8_t kInertFamily = 0x19;      // inert object: point, i32 dx, dy
inline constexpr std::uint8_t kSegment16Family = 0x1A;  // segment: point, i16 dx, dy
inline constexpr std::uint8_t kSegmentFamily = 0x1B;    // segment: point, u8 dx, dy (+ 127)
inline constexpr std::uint8_t kPolylineFamily = 0x10;   // polyline: 0x10 | kind, point, i16 count, steps
inline constexpr std::uint8_t kPolylineKindBits = 0x0F;  // opcode & kPolylineKindBits is the object kind
inline constexpr std::uint8_t kFirstPolylineKind = 12;   // lower kinds in those bits are no record

// --- Coding bits of the family records ----------------------------------------

inline constexpr std::uint8_t kAttributeBits = 0xA0;     // opcode & kAttributeBits is one of:
inline constexpr std::uint8_t kNoAttributes = 0x00;      //   no attribute bytes
inline constexpr std::uint8_t kShortAttributes = 0x20;   //   i16 low, i16 high, u8 index
inline constexpr std::uint8_t kLongAttributes = 0x80;    //   i32 low, i32 high, u8 index
inline constexpr std::uint8_t kPackedAttributes = 0xA0;  //   i16 low, u8 span + 127, u8 index
inline constexpr std::uint8_t kAbsolutePointBit = 0x40;  // set: 3-byte absolute point; clear: 2-byte offsets

// The opcode of a `family` record (a polyline's: kPolylineFamily | kind) with
// `attributeBits` and an absolute or relative point.
//
// The inert family turns the point bit over when the record has attributes:
// 0x59 is absolute without attributes, 0x39 is absolute with short ones.
constexpr std::uint8_t FamilyOpcode(std::uint8_t family, std::uint8_t attributeBits, bool absolute) {
  const bool turned = family == kInertFamily && attributeBits != kNoAttributes;
  const bool pointBit = absolute != turned;
  return static_cast<std::uint8_t>(family | attributeBits | (pointBit ? kAbsolutePointBit : 0));
}

// Whether a family record's point is absolute, by the rule of FamilyOpcode.
constexpr bool HasAbsolutePoint(std::uint8_t opcode) {
  const bool pointBit = (opcode & kAbsolutePointBit) != 0;
  const bool turned = (opcode & kFamilyBits) == kInertFamily && (opcode & kAttributeBits) != kNoAttributes;
  return pointBit != turned;
}

}  // namespace quelmar::data::opcode
