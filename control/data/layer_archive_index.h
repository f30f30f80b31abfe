#pragma once
// The member index at the start of a layer archive (".zpx" and the street
// archives): a 16-bit entry count N, then N entries of 17 bytes sorted by
// name in byte order, each a length-prefixed name of up to 12 characters in
// 13 bytes and the 32-bit offset of the member's local header counted from
// the end of the index. The ZIP stream of the members follows the index.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/data/archive_input.h"

namespace quelmar::data {

struct LayerIndexEntry {
  std::string name;
  std::uint32_t offset = 0;  // from the start of the ZIP stream
};

class LayerIndex {
 public:
  static constexpr std::size_t kEntrySize = 17;
  static constexpr std::size_t kMaxNameLength = 12;

  // Reads and checks the index at the start of `input`. Throws DataError,
  // refusing the whole index, when the archive is shorter than its count,
  // the count is negative, the entries do not fit in the archive, or an
  // entry has a name longer than 12 characters or an offset whose local
  // header could not lie inside the archive. IoError passes through. Memory
  // is bounded by the count (at most 32,767 entries).
  static LayerIndex Read(ArchiveInput& input);

  explicit LayerIndex(std::vector<LayerIndexEntry> entries) : entries_(std::move(entries)) {}

  const std::vector<LayerIndexEntry>& Entries() const { return entries_; }
  std::uint64_t ZipStart() const { return 2 + kEntrySize * entries_.size(); }
  std::uint64_t LocalHeaderOffset(std::size_t entry) const { return ZipStart() + entries_[entry].offset; }

  // The engine's look-up: the key is the first 6 characters of `member` when
  // it begins with "Y" (a street member), else the first 5; an entry matches
  // when the same number of its first characters equal the key, whatever
  // follows. Binary search in byte order; nullopt when nothing matches.
  std::optional<std::size_t> FindByKey(std::string_view member) const;

  // The entry whose whole name is `name` (binary search in byte order).
  std::optional<std::size_t> FindExact(std::string_view name) const;

 private:
  std::vector<LayerIndexEntry> entries_;
};

}  // namespace quelmar::data
