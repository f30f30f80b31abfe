#pragma once
// The table of loaded drawings: at most 100, in load order, entry 1 the base
// map. Each entry owns its object store, whose memory the shared ObjectHeap
// accounts under the entry's owner tag. One table per control.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "control/core/problem_reporter.h"
#include "control/data/drawing.h"
#include "control/data/drawing_kind.h"
#include "control/data/drawing_reader.h"
#include "control/data/drawing_route_labels.h"
#include "control/data/index_cache.h"
#include "control/data/map_box.h"
#include "control/data/object_heap.h"

namespace quelmar::data {

inline constexpr std::uint8_t kDrawingRemove = 1;  // flags bit 0: marked for removal
inline constexpr std::uint8_t kDrawingLocked = 2;  // bit 1: being painted after a one-off load
inline constexpr std::uint8_t kDrawingHidden = 4;  // bit 2: hidden
inline constexpr int kLoadFromArchive = 8;         // LoadDrawing flags bit 3

struct LoadedDrawing {
  std::string Name;          // registry name, at most 12 characters
  std::uint16_t Owner = 0;   // tag of its pages in the object heap
  char Kind = '\0';          // kind letter ('P' for the base map)
  ScaleBounds Bounds;
  std::uint8_t Flags = 0;
  MapBox Extents;            // all 0: unknown, meets every view
  Drawing Store;

  bool Hidden() const { return (Flags & kDrawingHidden) != 0; }
  bool Locked() const { return (Flags & kDrawingLocked) != 0; }
  bool ExtentsUnknown() const { return Extents == MapBox{}; }
};

// What a load needs besides its source: the folders, the reading options and
// the scale rules that give a new entry its bounds.
struct LoadContext {
  std::string DataFolder;      // for flags bit 3: the folder of the archive
  std::string FallbackFolder;  // States1, tried when the archive is not in DataFolder
  bool RouteSearchRunning = false;  // route labels are not collected for its own loads
  std::int32_t ExpectedStreetVersion = kDefaultStreetVersion;
  RouteNameRules RouteNames;
  const ScaleRules* Rules = nullptr;
  // Told of every archive or drawing that cannot be read whole; may be null.
  core::ProblemReporter* Problems = nullptr;
};

class DrawingTable {
 public:
  // Entries' stores call back into the table's heap: the table stays put.
  DrawingTable() = default;
  DrawingTable(const DrawingTable&) = delete;
  DrawingTable& operator=(const DrawingTable&) = delete;

  static constexpr std::size_t kMaxDrawings = 100;
  static constexpr std::size_t kMaxNameLength = 12;
  static constexpr std::size_t kPageTableCopyBytes = 3516;

  // Loads one drawing file. With kLoadFromArchive in `flags`, `source` is an
  // archive in the context's data folder (else, with `fallback`, the
  // fallback folder) and `member` its member, which is the registry name;
  // without it `source` is a file name or a built-in archive name
  // ("TARVO.ZIP") and the registry name. Does nothing when the name is
  // loaded already; beeps when 100 drawings are. LoadError() tells how it
  // went: 0, 7 (not opened) or 2 (out of memory). An archive or member that
  // exists but cannot be read, and a drawing that ends in damage, are told to
  // the context's problem reporter; the load keeps what was read. A source
  // that is simply not there is no problem (most quads have no data). Returns
  // the entry's index (1-based) or 0 when no entry was made.
  int LoadDrawing(int flags, std::string_view source, std::string_view member, bool fallback,
                  const LoadContext& context);

  // The entry named `name` (compared in upper case), 1-based; 0 when none.
  int FindDrawing(std::string_view name) const;
  // Frees the drawing's pages and removes its entry; later entries move down.
  void UnloadDrawing(int index);
  void HideDrawing(std::string_view name, bool hidden);
  void LockDrawing(std::string_view name, bool locked);
  // Drops everything, the base map too (a new INIT).
  void Clear();

  int Count() const { return static_cast<int>(entries_.size()); }
  LoadedDrawing& At(int index) { return *entries_.at(static_cast<std::size_t>(index) - 1); }
  const LoadedDrawing& At(int index) const { return *entries_.at(static_cast<std::size_t>(index) - 1); }
  int LoadError() const { return loadError_; }
  // The folder the last archive load used (the fallback folder when it was taken).
  const std::string& UsedFolder() const { return usedFolder_; }
  const ObjectHeap& Heap() const { return heap_; }
  ArchiveIndexCache& IndexCache() { return indexCache_; }

 private:
  std::vector<std::unique_ptr<LoadedDrawing>> entries_;
  ObjectHeap heap_;
  ArchiveIndexCache indexCache_;
  int loadError_ = kLoadOk;
  std::string usedFolder_;
};

// `name` in upper case (ASCII letters only).
std::string UpperName(std::string_view name);

}  // namespace quelmar::data
