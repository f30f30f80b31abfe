#include "control/search/zip_lookup.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>

#include "control/core/coordinate_format.h"
#include "control/data/name_unpack.h"
#include "control/data/state_table.h"
#include "control/search/wildcard.h"

namespace quelmar::search {

using data::kZipEndCode;
using data::kZipHeaderEntries;
using data::kTableUnitsPerDegree;
using data::ZipBlockEntryAt;
using data::ZipRecordAt;
using data::ZipRecordCodeAt;

namespace {

constexpr std::size_t kDialogRowsNotBelow = 20;
constexpr std::size_t kDialogRowsKept = 41;

std::string FiveDigits(std::int32_t zip) {
  char text[16];
  std::snprintf(text, sizeof text, "%05d", zip);
  return text;
}

}  // namespace

std::optional<ZipBlock> ChooseZipBlock(TableBytes bytes, std::int32_t zip) {
  if (zip < 1 || zip > kLargestZipCode) return std::nullopt;
  std::vector<ZipBlockEntry> entries;
  std::optional<std::size_t> stop;
  for (int i = 0; i < kZipHeaderEntries; ++i) {
    const std::optional<ZipBlockEntry> entry = ZipBlockEntryAt(bytes, i);
    if (!entry) break;
    entries.push_back(*entry);
    if (entry->FirstZip >= kZipEndCode || entry->FirstZip >= zip) {
      stop = entries.size() - 1;
      break;
    }
  }
  if (entries.empty()) return std::nullopt;
  std::size_t chosen = entries.size() - 1;
  if (stop && zip < entries[*stop].FirstZip && *stop > 0) chosen = *stop - 1;
  const ZipBlockEntry& entry = entries[chosen];
  if (entry.EndsHeader() || entry.Offset < 0) return std::nullopt;
  // The block ends where the next entry's begins, which is read even when
  // the scan stopped before it.
  std::size_t end = bytes.size();
  if (const std::optional<ZipBlockEntry> next = ZipBlockEntryAt(bytes, static_cast<int>(chosen) + 1)) {
    if (next->Offset >= entry.Offset) end = std::min<std::size_t>(static_cast<std::size_t>(next->Offset), end);
  }
  return ZipBlock{entry, end};
}

std::optional<ZipHit> FindZipCode(TableBytes bytes, std::int32_t zip) {
  const std::optional<ZipBlock> block = ChooseZipBlock(bytes, zip);
  if (!block) return std::nullopt;
  // Only the codes are read until the hit; then its whole record.
  std::optional<std::size_t> hit;
  std::size_t at = static_cast<std::size_t>(block->Entry.Offset);
  std::size_t next = 0;
  while (const std::optional<std::int32_t> code = ZipRecordCodeAt(bytes, at, block->End, block->Entry.FirstZip, &next)) {
    hit = at;
    if (*code >= zip) break;
    at = next;
  }
  if (!hit) return std::nullopt;
  std::optional<ZipRecord> record = ZipRecordAt(bytes, *hit, block->End, block->Entry.FirstZip, &next);
  return ZipHit{std::move(*record), block->Entry.StateSlot};
}

std::string ZipResultLine(const ZipHit& hit) {
  const int slot = hit.StateSlot;
  const std::string_view state = slot >= 1 && slot <= data::kLastStreetStateSlot ? data::StateCode(slot) : "";
  std::string line = FiveDigits(hit.Record.Zip);
  line += '\t';
  line += data::UnpackPairs(hit.Record.PackedName).substr(0, 20);
  line += '\t';
  line += state;
  line += '\t';
  line += std::to_string(hit.Record.Count);
  line += '\t';
  line += core::FormatFixed(-static_cast<double>(hit.Record.LonWest) / kTableUnitsPerDegree, 4);
  line += '\t';
  line += core::FormatFixed(static_cast<double>(hit.Record.LatNorth) / kTableUnitsPerDegree, 4);
  return line;
}

TablePoint TablePointOf(std::uint32_t lonWest, std::uint32_t latNorth) {
  return {-static_cast<std::int32_t>(std::lround(lonWest * 1.5625)),
          static_cast<std::int32_t>(std::lround(latNorth * 1.5625))};
}

ZipDialogList ZipDialogRows(TableBytes bytes, std::int32_t zip) {
  ZipDialogList list;
  const std::optional<ZipBlock> block = ChooseZipBlock(bytes, zip);
  if (!block) return list;
  std::deque<ZipHit> kept;
  std::size_t notBelow = 0;
  std::size_t at = static_cast<std::size_t>(block->Entry.Offset);
  std::size_t next = 0;
  while (notBelow < kDialogRowsNotBelow) {
    std::optional<ZipRecord> record = ZipRecordAt(bytes, at, block->End, block->Entry.FirstZip, &next);
    if (!record) break;
    at = next;
    if (record->Zip >= zip) ++notBelow;
    kept.push_back({std::move(*record), block->Entry.StateSlot});
    if (kept.size() > kDialogRowsKept) kept.pop_front();
  }
  list.Rows.assign(kept.begin(), kept.end());
  list.First = list.Rows.size();
  for (std::size_t i = 0; i < list.Rows.size(); ++i) {
    if (list.Rows[i].Record.Zip >= zip) {
      list.First = i;
      list.Selected = list.Rows[i].Record.Zip == zip;
      break;
    }
  }
  return list;
}

std::vector<ZipHit> FindZipPattern(TableBytes bytes, const ShortString& pattern) {
  std::vector<ZipHit> hits;
  if (pattern.Empty()) return hits;
  auto masked = [&pattern](std::int32_t zip) { return WildcardMask(ShortString(FiveDigits(zip)), pattern); };
  // A block can hold a match only when the pattern's digits before its first
  // "?" or "*" lie between the block's first code and the next block's.
  // (Bounds masked by the whole pattern do not bracket it when a "?" stands
  // before a digit: "6?1??" would skip the block of 60613.)
  const std::string prefix(pattern.View().substr(0, std::min(pattern.View().find_first_of("?*"), std::size_t{5})));
  for (int i = 0; i < kZipHeaderEntries; ++i) {
    const std::optional<ZipBlockEntry> entry = ZipBlockEntryAt(bytes, i);
    if (!entry || entry->EndsHeader() || entry->Offset < 0) break;
    const std::optional<ZipBlockEntry> next = ZipBlockEntryAt(bytes, i + 1);
    const std::int32_t nextFirst = next && next->FirstZip > 0 ? std::min(next->FirstZip, kLargestZipCode) : kLargestZipCode;
    if (FiveDigits(entry->FirstZip).substr(0, prefix.size()) > prefix ||
        FiveDigits(nextFirst).substr(0, prefix.size()) < prefix) {
      continue;
    }
    std::size_t end = bytes.size();
    if (next && next->Offset >= entry->Offset) end = std::min<std::size_t>(static_cast<std::size_t>(next->Offset), end);
    std::size_t at = static_cast<std::size_t>(entry->Offset);
    std::size_t after = 0;
    while (std::optional<ZipRecord> record = ZipRecordAt(bytes, at, end, entry->FirstZip, &after)) {
      at = after;
      if (masked(record->Zip) == pattern) hits.push_back({std::move(*record), entry->StateSlot});
    }
  }
  return hits;
}

}  // namespace quelmar::search
