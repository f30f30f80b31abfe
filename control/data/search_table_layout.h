#pragma once
// The three search tables of the search-files folder, in one layout that the
// data builder writes and the lookups read:
//   "ZIP.BIN"    ZIP code points in blocks of one state each, by code;
//   "Cities.bin" places with an offset table in name order;
//   "FON.BIN"    telephone exchanges grouped by area code.
// Integers are little-endian; a 24-bit value is the low three bytes of a
// 32-bit value, unsigned. Names are stored pair-packed (data::UnpackPairs).
//
// Every decoder takes any bytes: it checks each offset and length against
// the bytes it is given and answers nullopt for what does not fit.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar::data {

using TableBytes = std::span<const std::uint8_t>;

inline constexpr std::string_view kZipTableFile = "ZIP.BIN";
inline constexpr std::string_view kCityTableFile = "Cities.bin";
inline constexpr std::string_view kExchangeTableFile = "FON.BIN";

// Table coordinates: 1/10000 degree, longitude west and latitude north, in
// 24 bits. A map unit is 1/15625 degree, so map units = value × 1.5625.
inline constexpr double kTableUnitsPerDegree = 10000;
inline constexpr std::uint32_t kMaxTableCoordinate = 0xFFFFFF;

// ---- ZIP.BIN ----------------------------------------------------------------
//
// header: 200 entries of 9 bytes: i32 offset of the block's first record,
// u8 state slot, i32 first ZIP code of the block (0 = unused entry). An
// entry whose first code is kZipEndCode or more ends the header; its offset
// is where the last block ends. A block ends where the next entry's begins.
// record: u8 length L, then L bytes: i32 code - block's first code,
// u16 count, 24-bit longitude west, 24-bit latitude north, L - 12 bytes of
// packed place name.
//
// Alaska's codes (99501 ...) lie above 99499, which older tables used as the
// end mark; ending the header at 100000 keeps them findable, and a table
// whose end entry lies anywhere in 99500..99999 still reads (its end entry is
// taken as an empty block).
inline constexpr int kZipHeaderEntries = 200;
inline constexpr std::size_t kZipHeaderEntrySize = 9;
inline constexpr std::size_t kZipHeaderSize = kZipHeaderEntries * kZipHeaderEntrySize;
inline constexpr std::size_t kZipRecordFixedSize = 12;
inline constexpr std::size_t kMaxZipNameBytes = 255 - kZipRecordFixedSize;
inline constexpr std::int32_t kZipEndCode = 100000;

struct ZipBlockEntry {
  std::int32_t Offset = 0;
  std::uint8_t StateSlot = 0;
  std::int32_t FirstZip = 0;
  // Whether the header ends at this entry (an unused entry or the end mark).
  bool EndsHeader() const { return FirstZip == 0 || FirstZip >= kZipEndCode; }
  friend bool operator==(const ZipBlockEntry&, const ZipBlockEntry&) = default;
};

struct ZipRecord {
  std::int32_t Zip = 0;  // the whole code, the block's first code added
  std::uint16_t Count = 0;
  std::uint32_t LonWest = 0;
  std::uint32_t LatNorth = 0;
  std::string PackedName;
  friend bool operator==(const ZipRecord&, const ZipRecord&) = default;
};

void AppendZipBlockEntry(std::string& out, const ZipBlockEntry& entry);
// Entry `index` (0..199); nullopt when the bytes end before it.
std::optional<ZipBlockEntry> ZipBlockEntryAt(TableBytes bytes, int index);

// The record's code is stored as its difference from `firstZip`. The name is
// cut to kMaxZipNameBytes.
void AppendZipRecord(std::string& out, const ZipRecord& record, std::int32_t firstZip);
// The record at `offset`, which must end by `end` (clamped to the bytes);
// `*next` is set to the offset after it. Nullopt when it does not fit or its
// length is below the fixed part.
std::optional<ZipRecord> ZipRecordAt(TableBytes bytes, std::size_t offset, std::size_t end, std::int32_t firstZip,
                                     std::size_t* next);
// The code of that record alone, for scans that read only the codes.
std::optional<std::int32_t> ZipRecordCodeAt(TableBytes bytes, std::size_t offset, std::size_t end,
                                            std::int32_t firstZip, std::size_t* next);

// ---- Cities.bin -------------------------------------------------------------
//
// i32 N, then N i32 record offsets in sort order, then the records: u8 state
// (a state slot, 72 for PR, 78 for VI), i32 x, i32 y (map units), u8 name
// length n, n bytes of packed name in capitals.
inline constexpr std::size_t kCityRecordFixedSize = 10;
inline constexpr std::size_t kCitySortNameWidth = 30;
inline constexpr std::size_t kMaxCityNameBytes = 255;
inline constexpr int kPuertoRicoState = 72;
inline constexpr int kVirginIslandsState = 78;

struct CityRecord {
  std::uint8_t State = 0;
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::string PackedName;
  friend bool operator==(const CityRecord&, const CityRecord&) = default;
};

void AppendCityRecord(std::string& out, const CityRecord& record);
std::optional<CityRecord> CityRecordAt(TableBytes bytes, std::size_t offset);

// The number of places; nullopt when the bytes are too short for the count
// or for the offset table it announces.
std::optional<std::int32_t> CityCount(TableBytes bytes);
// Offset table entry `index` (0-based); nullopt outside the table.
std::optional<std::int32_t> CityOffsetAt(TableBytes bytes, std::int32_t index);

// The two-letter code of a record's state byte; "" for one that names none.
std::string_view CityStateCode(int state);
// The key the table is sorted by: the name (unpacked) cut before any ":",
// upper-cased and padded with blanks to 30 characters, then "," and the
// state byte as two digits.
std::string CitySortKey(std::string_view name, int state);

// ---- FON.BIN ----------------------------------------------------------------
//
// header: 300 entries of 10 bytes: i32 offset of the area code's first
// record, i16 area code (0 ends the table), i32 ZIP code base. An entry of
// area code -1 continues the header with another 300 entries at its offset
// (tables with more than 299 area codes; a reader that does not know it
// finds the first 299).
// record: u8 length L, then L bytes: u16 exchange (low 14 bits), 24-bit
// longitude west, 24-bit latitude north, i16 ZIP code - ZIP code base,
// L - 10 bytes of packed text: the state code (2 characters), then the place
// name (up to 20). An area code's records end where the next one's begin.
inline constexpr int kExchangeHeaderEntries = 300;
inline constexpr std::size_t kExchangeHeaderEntrySize = 10;
inline constexpr std::size_t kExchangeHeaderSize = kExchangeHeaderEntries * kExchangeHeaderEntrySize;
inline constexpr std::int16_t kExchangeHeaderContinues = -1;
inline constexpr int kMaxExchangeHeaderBlocks = 16;
inline constexpr std::size_t kExchangeRecordFixedSize = 10;
inline constexpr std::uint16_t kExchangeMask = 0x3FFF;
inline constexpr std::size_t kMaxExchangePlaceLength = 20;

struct AreaCodeEntry {
  std::int32_t Offset = 0;
  std::int16_t AreaCode = 0;
  std::int32_t ZipBase = 0;
  friend bool operator==(const AreaCodeEntry&, const AreaCodeEntry&) = default;
};

struct ExchangeRecord {
  std::uint16_t Exchange = 0;  // low 14 bits
  std::uint32_t LonWest = 0;
  std::uint32_t LatNorth = 0;
  std::int16_t ZipOffset = 0;  // ZIP code - the area code's ZIP code base
  std::string PackedText;      // state code, then place name
  friend bool operator==(const ExchangeRecord&, const ExchangeRecord&) = default;
};

void AppendAreaCodeEntry(std::string& out, const AreaCodeEntry& entry);
// The area codes of the header in order, continuations followed (each must
// lie after the block that names it), up to the entry of area code 0 or the
// end of the bytes.
std::vector<AreaCodeEntry> AreaCodeEntries(TableBytes bytes);
// Where the records of `entry` end: the offset of the first header entry
// after it that lies beyond its own, else the end of the bytes.
std::size_t AreaCodeEnd(TableBytes bytes, const std::vector<AreaCodeEntry>& entries, std::size_t index);

// The text is cut to kMaxZipNameBytes.
void AppendExchangeRecord(std::string& out, const ExchangeRecord& record);
std::optional<ExchangeRecord> ExchangeRecordAt(TableBytes bytes, std::size_t offset, std::size_t end,
                                               std::size_t* next);

}  // namespace quelmar::data
