#pragma once
// DrawObject: one numbered object of a drawing, as the drawing-file reader
// creates it. Every object has a kind and a feature code (a BlockObject's
// second byte is its style); the body holds the fields of its kind.
//
// Fields keep the values as read. The engine's packed object store narrows a
// few of them to the widths of its layout (a segment's span and a block's
// count to 16 bits); the model keeps them whole so nothing is lost here.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "control/core/map_units.h"

namespace quelmar::data {

using core::TMapPoint;

// The kind byte of a stored object. A scaled polyline stores its kind with
// bit 7 set (140..143); see DrawObject::KindByte.
enum class ObjectKind : std::uint8_t {
  Inert = 0,                // takes a number, never drawn or searched
  Segment = 1,              // with attributes
  SegmentNoAttributes = 2,  // a plain Segment
  GroupMark = 3,
  PlaceObject = 4,
  NameString = 5,
  NameRef = 6,
  BlockObject = 8,
  IndexList = 9,
  Polyline12 = 12,  // steps of i32 dx, i32 dy
  Polyline13 = 13,  // steps of i16 dx, i16 dy
  Polyline14 = 14,  // steps of two bytes, each less 127
  Polyline15 = 15,  // a bias step, then two-byte steps relative to it
  LabelText = 25,
  Segment16 = 129,
};

inline constexpr std::uint8_t kScaledKindFlag = 0x80;
inline constexpr int kScaledStep = 32;  // map units per step unit of a scaled polyline

inline constexpr std::size_t kMaxPlaceNameLength = 120;
inline constexpr std::size_t kMaxLabelTextLength = 120;
inline constexpr std::size_t kMaxIndexListEntries = 255;  // the count fits the object's second byte

// The attribute triple as objects keep it: a street's address range with an
// index into the current IndexList (its ZIP code), or a state area's number.
struct Attributes {
  std::int32_t Low = 0;
  std::int32_t Span = 0;    // high - low, wrapping in 32 bits
  std::uint8_t Index = 0;   // 1-based into the current IndexList; 0 means none
  friend bool operator==(const Attributes&, const Attributes&) = default;
};

struct AddressRange {
  std::int32_t Low = 0;
  std::int32_t High = 0;
  friend bool operator==(const AddressRange&, const AddressRange&) = default;
};

// The range an attribute triple stands for: high = low + span, except that a
// span of ±2147483647 gives high 0 and a negative low gives (0, 0).
AddressRange RangeOf(const Attributes& attributes);

// Kinds Inert, Segment, SegmentNoAttributes (Attr all zero) and Segment16
// (Dx, Dy within 16 bits): a straight line from Start to Start + (Dx, Dy).
struct Segment {
  TMapPoint Start;
  std::int32_t Dx = 0;
  std::int32_t Dy = 0;
  Attributes Attr;
  friend bool operator==(const Segment&, const Segment&) = default;
};

struct GroupMark {
  friend bool operator==(const GroupMark&, const GroupMark&) = default;
};

struct PlaceObject {
  std::int32_t County = 0;      // state FIPS × 1000 + county FIPS
  std::int32_t Population = 0;  // negative: a state capital of |Population|
  TMapPoint Point;
  std::int16_t Elevation = 0;   // feet
  std::string Name;             // at most kMaxPlaceNameLength; "*" first: the national capital
  friend bool operator==(const PlaceObject&, const PlaceObject&) = default;
};

struct NameString {
  std::string Packed;  // the bytes as stored (packed street-name text)
  friend bool operator==(const NameString&, const NameString&) = default;
};

struct NameRef {
  std::int32_t Object = 0;  // number of the NameString it names; 0 when none
  friend bool operator==(const NameRef&, const NameRef&) = default;
};

struct BlockObject {
  std::int32_t Count = 0;
  std::int32_t BlockTag = 0;  // the tag of the last 'M', 'S' or 'C' section header
  std::int32_t A = 0;         // A and B sit where other objects keep their point
  std::int32_t B = 0;
  std::int32_t C = 0;
  std::int32_t D = 0;
  friend bool operator==(const BlockObject&, const BlockObject&) = default;
};

struct IndexList {
  std::vector<std::int32_t> Values;  // at most kMaxIndexListEntries ZIP codes
  friend bool operator==(const IndexList&, const IndexList&) = default;
};

// Kinds Polyline12..Polyline15. Steps holds the step records as stored in the
// file (Count of them, each of the kind's size); PolylinePoints decodes them.
struct Polyline {
  std::int16_t Count = 0;
  Attributes Attr;
  TMapPoint Start;
  TMapPoint Extent;     // 0 when read; the drawing engine fills it on first use
  bool Scaled = false;  // every step counts kScaledStep units
  std::vector<std::uint8_t> Steps;
  friend bool operator==(const Polyline&, const Polyline&) = default;
};

struct LabelText {
  std::int16_t RouteLayer = 0;  // the layer of a route label's road; 0 for file labels
  TMapPoint Point;              // X = 0: not shown; with codes 2, 5, 6, 7 it names what follows
  std::string Text;             // at most kMaxLabelTextLength
  friend bool operator==(const LabelText&, const LabelText&) = default;
};

using ObjectBody =
    std::variant<Segment, GroupMark, PlaceObject, NameString, NameRef, BlockObject, IndexList, Polyline, LabelText>;

struct DrawObject {
  ObjectKind Kind = ObjectKind::GroupMark;
  std::uint8_t Code = 0;  // feature code; a BlockObject's style
  ObjectBody Body = GroupMark{};

  template <class T>
  const T* As() const { return std::get_if<T>(&Body); }
  template <class T>
  T* As() { return std::get_if<T>(&Body); }

  bool IsPolyline() const;
  // The stored kind byte: the kind, with kScaledKindFlag on a scaled polyline.
  std::uint8_t KindByte() const;

  friend bool operator==(const DrawObject&, const DrawObject&) = default;
};

// Step record size in bytes of polyline kind 12..15.
std::size_t PolylineStepSize(ObjectKind kind);

// The points a polyline draws: the start, then each step added (times
// kScaledStep when scaled). Kinds 12..14 give Count + 1 points; kind 15 takes
// its first step as the bias and gives Count points. Sums that leave 32 bits
// are held at the limits. Empty for any object that is not a polyline.
std::vector<TMapPoint> PolylinePoints(const DrawObject& object);
// The same into `points`, reusing its memory.
void PolylinePointsInto(const DrawObject& object, std::vector<TMapPoint>& points);

// The points of a line object into `points`: a segment's two ends (the
// second at its offset), a polyline's points. False, with `points` empty,
// for any other object.
bool LinePointsInto(const DrawObject& object, std::vector<TMapPoint>& points);

// A segment's anchor, its midpoint with each half rounded toward zero.
TMapPoint SegmentAnchor(const Segment& segment);

// Bytes the object takes in the engine's packed store (kind, code and fields).
std::size_t StoredSize(const DrawObject& object);

// The kind's name as the format documents it ("Segment", "Polyline", ...).
const char* ObjectKindName(ObjectKind kind);

}  // namespace quelmar::data
