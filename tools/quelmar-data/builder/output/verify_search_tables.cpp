#include "tools/quelmar-data/builder/output/verify_search_tables.h"

#include <optional>

#include "control/data/name_unpack.h"
#include "control/data/state_table.h"

namespace quelmar::builder {
namespace {

constexpr std::size_t kMaxProblems = 10;

void Add(TableCheck& check, std::string problem) {
  if (check.Problems.size() < kMaxProblems) check.Problems.push_back(std::move(problem));
}

}  // namespace

TableCheck CheckZipTable(data::TableBytes bytes) {
  TableCheck check;
  if (bytes.size() < data::kZipHeaderSize) {
    Add(check, "shorter than its header (" + std::to_string(bytes.size()) + " bytes)");
    return check;
  }
  std::vector<data::ZipBlockEntry> blocks;
  std::optional<data::ZipBlockEntry> end;
  for (int i = 0; i < data::kZipHeaderEntries; ++i) {
    const data::ZipBlockEntry entry = *data::ZipBlockEntryAt(bytes, i);
    if (entry.FirstZip >= data::kZipEndCode) {
      end = entry;
      break;
    }
    if (entry.FirstZip == 0) {
      Add(check, "header entry " + std::to_string(i) + " is unused before the end entry");
      break;
    }
    blocks.push_back(entry);
  }
  if (!end) Add(check, "the header has no end entry (first code 100000 or more)");
  std::size_t records = 0;
  std::int32_t previous = 0;
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    const data::ZipBlockEntry& block = blocks[b];
    const std::string where = "block " + std::to_string(b) + " (" + std::to_string(block.FirstZip) + ")";
    const std::int64_t next = b + 1 < blocks.size() ? blocks[b + 1].Offset : end ? end->Offset : bytes.size();
    if (block.Offset < static_cast<std::int64_t>(data::kZipHeaderSize) || next < block.Offset ||
        next > static_cast<std::int64_t>(bytes.size())) {
      Add(check, where + ": its records lie outside the file or before the block before it");
      continue;
    }
    if (block.StateSlot < 1 || block.StateSlot > data::kLastStreetStateSlot) {
      Add(check, where + ": state slot " + std::to_string(block.StateSlot) + " names no state");
    }
    if (block.FirstZip <= previous) Add(check, where + ": does not follow the codes before it");
    std::size_t at = static_cast<std::size_t>(block.Offset);
    std::size_t after = 0;
    bool first = true;
    while (at < static_cast<std::size_t>(next)) {
      const std::optional<data::ZipRecord> record =
          data::ZipRecordAt(bytes, at, static_cast<std::size_t>(next), block.FirstZip, &after);
      if (!record) {
        Add(check, where + ": a damaged record at offset " + std::to_string(at));
        break;
      }
      if (first && record->Zip != block.FirstZip) Add(check, where + ": its first record is not its first code");
      if (record->Zip <= previous && !first) Add(check, where + ": code " + std::to_string(record->Zip) + " out of order");
      if (record->Zip > 99999) Add(check, where + ": code " + std::to_string(record->Zip) + " is no ZIP code");
      first = false;
      previous = record->Zip;
      ++records;
      at = after;
    }
  }
  check.Summary = std::to_string(records) + " ZIP codes in " + std::to_string(blocks.size()) + " blocks";
  return check;
}

TableCheck CheckCityTable(data::TableBytes bytes) {
  TableCheck check;
  const std::optional<std::int32_t> count = data::CityCount(bytes);
  if (!count) {
    Add(check, "its count or offset table does not fit the file");
    return check;
  }
  std::string previous;
  for (std::int32_t i = 0; i < *count; ++i) {
    const std::int32_t offset = *data::CityOffsetAt(bytes, i);
    const std::optional<data::CityRecord> record =
        offset < 0 ? std::nullopt : data::CityRecordAt(bytes, static_cast<std::size_t>(offset));
    if (!record) {
      Add(check, "place " + std::to_string(i) + ": its record at offset " + std::to_string(offset) + " does not fit");
      continue;
    }
    if (data::CityStateCode(record->State).empty()) {
      Add(check, "place " + std::to_string(i) + ": state " + std::to_string(record->State) + " names no state");
    }
    const std::string key = data::CitySortKey(data::UnpackPairs(record->PackedName), record->State);
    if (key < previous) Add(check, "place " + std::to_string(i) + " (" + key + ") is out of order");
    previous = key;
  }
  check.Summary = std::to_string(*count) + " places";
  return check;
}

TableCheck CheckExchangeTable(data::TableBytes bytes) {
  TableCheck check;
  const std::vector<data::AreaCodeEntry> entries = data::AreaCodeEntries(bytes);
  if (bytes.size() < data::kExchangeHeaderSize) Add(check, "shorter than its header");
  std::size_t exchanges = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const data::AreaCodeEntry& entry = entries[i];
    const std::string where = "area code " + std::to_string(entry.AreaCode);
    if (i > 0 && entry.AreaCode <= entries[i - 1].AreaCode) Add(check, where + ": out of order");
    if (i > 0 && entry.Offset < entries[i - 1].Offset) Add(check, where + ": its records lie before the ones before it");
    if (entry.Offset < 0 || static_cast<std::size_t>(entry.Offset) > bytes.size()) {
      Add(check, where + ": its records lie outside the file");
      continue;
    }
    const std::size_t end = data::AreaCodeEnd(bytes, entries, i);
    std::size_t at = static_cast<std::size_t>(entry.Offset);
    std::size_t after = 0;
    int previous = -1;
    while (at < end) {
      const std::optional<data::ExchangeRecord> record = data::ExchangeRecordAt(bytes, at, end, &after);
      if (!record) {
        Add(check, where + ": a damaged record at offset " + std::to_string(at));
        break;
      }
      if (record->Exchange <= previous) Add(check, where + ": exchange " + std::to_string(record->Exchange) + " out of order");
      if (record->Exchange > 999) Add(check, where + ": exchange " + std::to_string(record->Exchange) + " has four digits");
      previous = record->Exchange;
      ++exchanges;
      at = after;
    }
  }
  check.Summary = std::to_string(exchanges) + " exchanges of " + std::to_string(entries.size()) + " area codes";
  return check;
}

}  // namespace quelmar::builder
