#pragma once
// Drawing: the numbered objects of one loaded drawing in memory, with what its
// reader learned about the file. Objects are numbered from 1 in the order they
// were appended; the engine's object store is filled from here.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "control/data/draw_object.h"

namespace quelmar::data {

// An extents record or the union of a file's extents records, in map units.
struct DrawingExtents {
  std::int32_t X1 = 0;  // west edge (X1 <= X2)
  std::int32_t X2 = 0;
  std::int32_t Y1 = 0;
  std::int32_t Y2 = 0;
  friend bool operator==(const DrawingExtents&, const DrawingExtents&) = default;
};

// Record 0x02. Only Scaled matters to the map; the rest is kept as read.
struct DrawingHeader {
  std::int32_t First = 0;   // s24
  std::int32_t Second = 0;  // s24
  std::array<std::uint8_t, 6> Real{};  // a 6-byte real, undecoded
  std::int16_t Scaled = 0;  // 1 turns the scaled flag on for the polylines that follow
  std::int16_t Word1 = 0;
  std::int16_t Word2 = 0;
  std::array<std::int32_t, 4> Box{};  // four s24 values
  friend bool operator==(const DrawingHeader&, const DrawingHeader&) = default;
};

// Load error codes of the layer loader.
inline constexpr int kLoadOk = 0;
inline constexpr int kLoadOutOfMemory = 2;
inline constexpr int kLoadSourceNotOpened = 7;

// What the last ReadDrawing learned about its file besides the objects.
struct DrawingFile {
  std::int16_t Marker = 0;
  std::int16_t StoredVersion = 0;
  double DataVersion = 0;  // StoredVersion, or 0 when the marker is not 0 or the version not positive
  bool Refused = false;    // a street quad of the wrong data version: no record was read
  std::int32_t Records = 0;  // records read, the end record included
  std::optional<DrawingExtents> FirstExtents;  // the first extents record
  std::optional<DrawingExtents> Extents;       // the union of all of them
  std::optional<DrawingHeader> Header;         // the last header record
  int LoadError = kLoadOk;
};

class Drawing {
 public:
  // The engine's store holds at most 879 pages of 512 objects, in a heap of
  // 1,500 pages of 20,480 bytes; appends beyond a limit fail.
  struct Limits {
    std::int32_t MaxObjects = 879 * 512;
    std::size_t MaxBytes = 1500 * 20480;  // by StoredSize
  };

  // Asked for the bytes of every append (and of each new page of 512 object
  // pointers, 2,048 bytes); false refuses the append as out of memory.
  using Allocator = std::function<bool(std::size_t bytes)>;

  Drawing() = default;
  explicit Drawing(Limits limits) : limits_(limits) {}

  void SetAllocator(Allocator allocator) { allocator_ = std::move(allocator); }

  std::int32_t Count() const { return static_cast<std::int32_t>(objects_.size()); }
  const std::vector<DrawObject>& Objects() const { return objects_; }
  // Object `number` (1-based), or null outside 1..Count().
  const DrawObject* ObjectAt(std::int32_t number) const;
  DrawObject* ObjectAt(std::int32_t number);
  // The NameString that object `number` is, or null when there is no such
  // object or it is of another kind.
  const NameString* NameAt(std::int32_t number) const;

  // Appends the object as number Count() + 1. When a limit would be passed the
  // object is not stored, the count stays, and the out-of-memory flag is raised.
  bool Append(DrawObject object);
  bool OutOfMemory() const { return outOfMemory_; }
  std::size_t StoredBytes() const { return storedBytes_; }
  const Limits& GetLimits() const { return limits_; }

  DrawingFile& File() { return file_; }
  const DrawingFile& File() const { return file_; }

 private:
  Limits limits_;
  Allocator allocator_;
  std::vector<DrawObject> objects_;
  std::size_t storedBytes_ = 0;
  bool outOfMemory_ = false;
  DrawingFile file_;
};

}  // namespace quelmar::data
