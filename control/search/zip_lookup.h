#pragma once
// The ZIP code lookup over "ZIP.BIN" (layout in search_table_layout.h): the
// block that may hold a code, the record reported for it, and the result
// line the control shows.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "control/data/search_table_layout.h"
#include "control/search/short_string.h"

namespace quelmar::search {

using data::TableBytes;
using data::ZipBlockEntry;
using data::ZipRecord;

inline constexpr std::int32_t kLargestZipCode = 99999;

// A block chosen for a code: its header entry and where its records end.
struct ZipBlock {
  ZipBlockEntry Entry;
  std::size_t End = 0;
};

struct ZipHit {
  ZipRecord Record;
  std::uint8_t StateSlot = 0;
  friend bool operator==(const ZipHit&, const ZipHit&) = default;
};

// The block a code is looked for in: the header is scanned from its first
// entry up to the first whose first code is not below `zip` or that ends the
// header, and one entry back when `zip` is below that entry's first code
// (never before the first). Nullopt for a code outside 1..99999, a header
// that is too short, or a chosen entry that is unused or the end mark.
std::optional<ZipBlock> ChooseZipBlock(TableBytes bytes, std::int32_t zip);

// The hit for `zip`: the first record of its block whose code is at least
// `zip`, else the block's last record. Nullopt when there is no block or it
// has no records.
std::optional<ZipHit> FindZipCode(TableBytes bytes, std::int32_t zip);

// "60613\tChicago\tIL\t0\t-87.6575\t41.9543": the code in five digits, the
// place name (first 20 characters), the state code (empty unless the slot is
// 1..56), the count, the longitude (negative) and latitude in 4 decimals.
std::string ZipResultLine(const ZipHit& hit);

// The hit's point in map units.
struct TablePoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};
TablePoint TablePointOf(std::uint32_t lonWest, std::uint32_t latNorth);

// What the ZIP dialog lists for a code: the block's records from its start
// until 20 records with a code not below `zip` have been read or the block
// ends, the last 41 read, in order; `First` is the index of the first not
// below `zip` (the list's size when there is none), selected when its code
// equals `zip`.
struct ZipDialogList {
  std::vector<ZipHit> Rows;
  std::size_t First = 0;
  bool Selected = false;
};
ZipDialogList ZipDialogRows(TableBytes bytes, std::int32_t zip);

// The Locator's wildcard search: every record whose five-digit code matches
// `pattern` (digits, "?" for any digit, a final "*" for the rest), in table
// order. A block is read only when the pattern's digits before its first
// "?" or "*" lie between its first code and the next block's.
std::vector<ZipHit> FindZipPattern(TableBytes bytes, const ShortString& pattern);

}  // namespace quelmar::search
