#include "control/data/search_table_layout.h"

#include <algorithm>

#include "control/data/state_table.h"

namespace quelmar::data {
namespace {

void AppendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t LittleEndianAt(TableBytes bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count; i-- > 0;) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

std::int32_t Int32At(TableBytes bytes, std::size_t at) { return static_cast<std::int32_t>(LittleEndianAt(bytes, at, 4)); }
std::int16_t Int16At(TableBytes bytes, std::size_t at) { return static_cast<std::int16_t>(LittleEndianAt(bytes, at, 2)); }

bool Fits(TableBytes bytes, std::size_t at, std::size_t size) { return at <= bytes.size() && size <= bytes.size() - at; }

// The L bytes after a length byte at `offset`, ending by `end`; nullopt when
// they do not fit or L is below `fixed`.
std::optional<TableBytes> LengthPrefixed(TableBytes bytes, std::size_t offset, std::size_t end, std::size_t fixed,
                                         std::size_t* next) {
  end = std::min(end, bytes.size());
  if (offset >= end) return std::nullopt;
  const std::size_t length = bytes[offset];
  if (length < fixed || length > end - offset - 1) return std::nullopt;
  *next = offset + 1 + length;
  return bytes.subspan(offset + 1, length);
}

std::string TextOf(TableBytes bytes) { return {reinterpret_cast<const char*>(bytes.data()), bytes.size()}; }

}  // namespace

// ---- ZIP.BIN

void AppendZipBlockEntry(std::string& out, const ZipBlockEntry& entry) {
  AppendLittleEndian(out, static_cast<std::uint32_t>(entry.Offset), 4);
  out.push_back(static_cast<char>(entry.StateSlot));
  AppendLittleEndian(out, static_cast<std::uint32_t>(entry.FirstZip), 4);
}

std::optional<ZipBlockEntry> ZipBlockEntryAt(TableBytes bytes, int index) {
  if (index < 0 || index >= kZipHeaderEntries) return std::nullopt;
  const std::size_t at = static_cast<std::size_t>(index) * kZipHeaderEntrySize;
  if (!Fits(bytes, at, kZipHeaderEntrySize)) return std::nullopt;
  return ZipBlockEntry{Int32At(bytes, at), bytes[at + 4], Int32At(bytes, at + 5)};
}

void AppendZipRecord(std::string& out, const ZipRecord& record, std::int32_t firstZip) {
  const std::string_view name = std::string_view(record.PackedName).substr(0, kMaxZipNameBytes);
  out.push_back(static_cast<char>(kZipRecordFixedSize + name.size()));
  AppendLittleEndian(out, static_cast<std::uint32_t>(record.Zip - firstZip), 4);
  AppendLittleEndian(out, record.Count, 2);
  AppendLittleEndian(out, record.LonWest, 3);
  AppendLittleEndian(out, record.LatNorth, 3);
  out += name;
}

std::optional<ZipRecord> ZipRecordAt(TableBytes bytes, std::size_t offset, std::size_t end, std::int32_t firstZip,
                                     std::size_t* next) {
  const std::optional<TableBytes> body = LengthPrefixed(bytes, offset, end, kZipRecordFixedSize, next);
  if (!body) return std::nullopt;
  ZipRecord record;
  record.Zip = *ZipRecordCodeAt(bytes, offset, end, firstZip, next);
  record.Count = static_cast<std::uint16_t>(LittleEndianAt(*body, 4, 2));
  record.LonWest = LittleEndianAt(*body, 6, 3);
  record.LatNorth = LittleEndianAt(*body, 9, 3);
  record.PackedName = TextOf(body->subspan(kZipRecordFixedSize));
  return record;
}

std::optional<std::int32_t> ZipRecordCodeAt(TableBytes bytes, std::size_t offset, std::size_t end,
                                            std::int32_t firstZip, std::size_t* next) {
  const std::optional<TableBytes> body = LengthPrefixed(bytes, offset, end, kZipRecordFixedSize, next);
  if (!body) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(Int32At(*body, 0)) + static_cast<std::uint32_t>(firstZip));
}

// ---- Cities.bin

void AppendCityRecord(std::string& out, const CityRecord& record) {
  const std::string_view name = std::string_view(record.PackedName).substr(0, kMaxCityNameBytes);
  out.push_back(static_cast<char>(record.State));
  AppendLittleEndian(out, static_cast<std::uint32_t>(record.X), 4);
  AppendLittleEndian(out, static_cast<std::uint32_t>(record.Y), 4);
  out.push_back(static_cast<char>(name.size()));
  out += name;
}

std::optional<CityRecord> CityRecordAt(TableBytes bytes, std::size_t offset) {
  if (!Fits(bytes, offset, kCityRecordFixedSize)) return std::nullopt;
  const std::size_t length = bytes[offset + 9];
  if (!Fits(bytes, offset + kCityRecordFixedSize, length)) return std::nullopt;
  return CityRecord{bytes[offset], Int32At(bytes, offset + 1), Int32At(bytes, offset + 5),
                    TextOf(bytes.subspan(offset + kCityRecordFixedSize, length))};
}

std::optional<std::int32_t> CityCount(TableBytes bytes) {
  if (!Fits(bytes, 0, 4)) return std::nullopt;
  const std::int32_t count = Int32At(bytes, 0);
  if (count < 0 || static_cast<std::size_t>(count) > (bytes.size() - 4) / 4) return std::nullopt;
  return count;
}

std::optional<std::int32_t> CityOffsetAt(TableBytes bytes, std::int32_t index) {
  const std::optional<std::int32_t> count = CityCount(bytes);
  if (!count || index < 0 || index >= *count) return std::nullopt;
  return Int32At(bytes, 4 + static_cast<std::size_t>(index) * 4);
}

std::string_view CityStateCode(int state) {
  if (state == kPuertoRicoState) return "PR";
  if (state == kVirginIslandsState) return "VI";
  return StateCode(state);
}

std::string CitySortKey(std::string_view name, int state) {
  std::string key(name.substr(0, name.find(':')));
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (key.size() < kCitySortNameWidth) key.resize(kCitySortNameWidth, ' ');
  const int number = std::clamp(state, 0, 99);
  key += ',';
  key += static_cast<char>('0' + number / 10);
  key += static_cast<char>('0' + number % 10);
  return key;
}

// ---- FON.BIN

void AppendAreaCodeEntry(std::string& out, const AreaCodeEntry& entry) {
  AppendLittleEndian(out, static_cast<std::uint32_t>(entry.Offset), 4);
  AppendLittleEndian(out, static_cast<std::uint16_t>(entry.AreaCode), 2);
  AppendLittleEndian(out, static_cast<std::uint32_t>(entry.ZipBase), 4);
}

std::vector<AreaCodeEntry> AreaCodeEntries(TableBytes bytes) {
  std::vector<AreaCodeEntry> entries;
  std::size_t block = 0;
  for (int blocks = 0; blocks < kMaxExchangeHeaderBlocks; ++blocks) {
    std::optional<std::size_t> continuation;
    for (int i = 0; i < kExchangeHeaderEntries; ++i) {
      const std::size_t at = block + static_cast<std::size_t>(i) * kExchangeHeaderEntrySize;
      if (!Fits(bytes, at, kExchangeHeaderEntrySize)) return entries;
      const AreaCodeEntry entry{Int32At(bytes, at), Int16At(bytes, at + 4), Int32At(bytes, at + 6)};
      if (entry.AreaCode == 0) return entries;
      if (entry.AreaCode == kExchangeHeaderContinues) {
        const std::size_t next = static_cast<std::uint32_t>(entry.Offset);
        if (next >= block + kExchangeHeaderSize) continuation = next;
        break;
      }
      entries.push_back(entry);
    }
    if (!continuation) break;
    block = *continuation;
  }
  return entries;
}

std::size_t AreaCodeEnd(TableBytes bytes, const std::vector<AreaCodeEntry>& entries, std::size_t index) {
  const std::int64_t start = entries.at(index).Offset;
  for (std::size_t i = index + 1; i < entries.size(); ++i) {
    if (entries[i].Offset > start) return std::min<std::size_t>(static_cast<std::uint32_t>(entries[i].Offset), bytes.size());
  }
  return bytes.size();
}

void AppendExchangeRecord(std::string& out, const ExchangeRecord& record) {
  const std::string_view text = std::string_view(record.PackedText).substr(0, 255 - kExchangeRecordFixedSize);
  out.push_back(static_cast<char>(kExchangeRecordFixedSize + text.size()));
  AppendLittleEndian(out, record.Exchange & kExchangeMask, 2);
  AppendLittleEndian(out, record.LonWest, 3);
  AppendLittleEndian(out, record.LatNorth, 3);
  AppendLittleEndian(out, static_cast<std::uint16_t>(record.ZipOffset), 2);
  out += text;
}

std::optional<ExchangeRecord> ExchangeRecordAt(TableBytes bytes, std::size_t offset, std::size_t end,
                                               std::size_t* next) {
  const std::optional<TableBytes> body = LengthPrefixed(bytes, offset, end, kExchangeRecordFixedSize, next);
  if (!body) return std::nullopt;
  ExchangeRecord record;
  record.Exchange = static_cast<std::uint16_t>(LittleEndianAt(*body, 0, 2) & kExchangeMask);
  record.LonWest = LittleEndianAt(*body, 2, 3);
  record.LatNorth = LittleEndianAt(*body, 5, 3);
  record.ZipOffset = Int16At(*body, 8);
  record.PackedText = TextOf(body->subspan(kExchangeRecordFixedSize));
  return record;
}

}  // namespace quelmar::data
