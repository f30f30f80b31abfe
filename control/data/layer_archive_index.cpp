#include "control/data/layer_archive_index.h"

#include <algorithm>
#include <array>
#include <vector>

#include "control/core/errors.h"
#include "control/data/zip_local_header.h"

namespace quelmar::data {

LayerIndex LayerIndex::Read(ArchiveInput& input) {
  std::array<std::uint8_t, 2> countBytes{};
  ReadExactlyAt(input, 0, countBytes, "the layer index count");
  const auto count = static_cast<std::int16_t>(countBytes[0] | (countBytes[1] << 8));
  if (count < 0) throw DataError("the layer index has a negative count (" + std::to_string(count) + ")");

  std::vector<std::uint8_t> raw(kEntrySize * static_cast<std::size_t>(count));
  ReadExactlyAt(input, 2, raw, "the layer index");

  std::vector<LayerIndexEntry> entries(static_cast<std::size_t>(count));
  const std::uint64_t zipStart = 2 + raw.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::uint8_t* p = raw.data() + i * kEntrySize;
    const std::size_t nameLength = p[0];
    if (nameLength > kMaxNameLength) {
      throw DataError("layer index entry " + std::to_string(i) + " has a name of " + std::to_string(nameLength) +
                      " characters (at most 12)");
    }
    entries[i].name.assign(reinterpret_cast<const char*>(p + 1), nameLength);
    const auto offset = static_cast<std::int32_t>(static_cast<std::uint32_t>(p[13]) | (p[14] << 8) |
                                                  (p[15] << 16) | (static_cast<std::uint32_t>(p[16]) << 24));
    if (offset < 0 || zipStart + static_cast<std::uint64_t>(offset) + kLocalHeaderSize > input.Size()) {
      throw DataError("layer index entry " + entries[i].name + " points outside the archive (offset " +
                      std::to_string(offset) + ")");
    }
    entries[i].offset = static_cast<std::uint32_t>(offset);
  }
  return LayerIndex(std::move(entries));
}

std::optional<std::size_t> LayerIndex::FindByKey(std::string_view member) const {
  const std::size_t keyLength = (!member.empty() && member.front() == 'Y') ? 6 : 5;
  const std::string_view key = member.substr(0, keyLength);
  std::size_t low = 0;
  std::size_t high = entries_.size();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const int order = std::string_view(entries_[middle].name).substr(0, keyLength).compare(key);
    if (order == 0) return middle;
    if (order < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return std::nullopt;
}

std::optional<std::size_t> LayerIndex::FindExact(std::string_view name) const {
  const auto found = std::lower_bound(entries_.begin(), entries_.end(), name,
                                      [](const LayerIndexEntry& e, std::string_view n) { return e.name < n; });
  if (found == entries_.end() || found->name != name) return std::nullopt;
  return static_cast<std::size_t>(found - entries_.begin());
}

}  // namespace quelmar::data
