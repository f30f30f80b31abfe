#pragma once
// The indexes of recently used layer archives, so that loading many members
// of one archive reads its index once. An engine context owns one cache; it
// holds at most 20 indexes and drops the least recently used for a new one.
//
// An index is kept under the archive's identity: its canonical full path
// with its size and modification time (nanoseconds). A same-named archive in
// another folder, or an archive rewritten in place, is therefore never read
// with an index that is not its own.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control/data/layer_archive_index.h"

namespace quelmar::data {

struct ArchiveIdentity {
  std::string canonicalPath;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  friend bool operator==(const ArchiveIdentity&, const ArchiveIdentity&) = default;
};

class ArchiveIndexCache {
 public:
  static constexpr std::size_t kCapacity = 20;

  // The index kept for `identity`, now the most recently used; nullptr when
  // there is none.
  std::shared_ptr<const LayerIndex> Find(const ArchiveIdentity& identity);

  // Keeps `index` as the most recently used. It replaces an index kept for
  // the same path (an older version of the file); otherwise, when the cache
  // is full, the least recently used index is dropped.
  void Insert(const ArchiveIdentity& identity, std::shared_ptr<const LayerIndex> index);

  std::size_t Size() const { return slots_.size(); }
  void Clear() { slots_.clear(); }

 private:
  struct Slot {
    ArchiveIdentity identity;
    std::shared_ptr<const LayerIndex> index;
    std::uint64_t lastUse = 0;
  };
  std::vector<Slot> slots_;
  std::uint64_t clock_ = 0;  // a use counter: no two uses share a time
};

}  // namespace quelmar::data
