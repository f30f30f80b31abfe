#include "tools/quelmar-data/builder/output/search_tables.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

#include "control/core/errors.h"
#include "control/core/map_units.h"
#include "control/data/search_table_layout.h"
#include "control/data/state_table.h"
#include "platform/kernel/atomic_file.h"
#include "tools/quelmar-data/builder/inputs/place_names.h"
#include "tools/quelmar-data/builder/inputs/search_points.h"
#include "tools/quelmar-data/builder/name_packer.h"

namespace quelmar::builder {
namespace {

constexpr std::size_t kZipPlaceLength = 20;

// Longitude west and latitude north in table units; nullopt outside what 24
// bits hold (east of Greenwich, south of the equator).
std::optional<std::pair<std::uint32_t, std::uint32_t>> TableCoordinates(TMapPoint at) {
  const double west = std::round(-at.X * core::kDegreesPerUnit * data::kTableUnitsPerDegree);
  const double north = std::round(at.Y * core::kDegreesPerUnit * data::kTableUnitsPerDegree);
  if (west <= 0 || north <= 0 || west > data::kMaxTableCoordinate || north > data::kMaxTableCoordinate) {
    return std::nullopt;
  }
  return std::pair{static_cast<std::uint32_t>(west), static_cast<std::uint32_t>(north)};
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

void WriteInt32At(std::string& bytes, std::size_t at, std::int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
}

void WriteTable(const std::filesystem::path& file, const std::string& bytes) {
  std::error_code error;
  if (!kernel::WriteFileAtomically(file, bytes, &error)) {
    throw IoError("cannot write " + file.string() + ": " + error.message());
  }
}

}  // namespace

std::string ZipTableBytes(const std::vector<ZipPoint>& zips) {
  struct Row {
    const ZipPoint* Zip;
    int Slot;
    std::pair<std::uint32_t, std::uint32_t> At;
  };
  std::vector<Row> rows;
  for (const ZipPoint& zip : zips) {
    const int slot = data::StreetStateSlot(zip.StateCode);
    const auto at = TableCoordinates(zip.At);
    if (slot == 0 || !at || zip.Zip < 1 || zip.Zip >= data::kZipEndCode) continue;
    rows.push_back({&zip, slot, *at});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.Zip->Zip < b.Zip->Zip; });
  rows.erase(std::unique(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.Zip->Zip == b.Zip->Zip; }),
             rows.end());

  std::string header;
  std::string records;
  int blocks = 0;
  for (std::size_t i = 0; i < rows.size();) {
    const std::int32_t first = rows[i].Zip->Zip;
    if (++blocks >= data::kZipHeaderEntries) {
      throw DataError("the ZIP codes fall in more than " + std::to_string(data::kZipHeaderEntries - 1) +
                      " runs of one state, more than the ZIP table's header holds");
    }
    data::AppendZipBlockEntry(header, {static_cast<std::int32_t>(data::kZipHeaderSize + records.size()),
                                       static_cast<std::uint8_t>(rows[i].Slot), first});
    const int slot = rows[i].Slot;
    for (; i < rows.size() && rows[i].Slot == slot; ++i) {
      const PackedText name = PackPairText(AsciiName(rows[i].Zip->Place).substr(0, kZipPlaceLength),
                                           data::kMaxZipNameBytes);
      data::AppendZipRecord(records, {rows[i].Zip->Zip, 0, rows[i].At.first, rows[i].At.second, name.Bytes}, first);
    }
  }
  data::AppendZipBlockEntry(header, {static_cast<std::int32_t>(data::kZipHeaderSize + records.size()), 0,
                                     data::kZipEndCode});
  header.resize(data::kZipHeaderSize, '\0');
  return header + records;
}

std::string StoredPlaceName(std::string_view name) {
  std::string stored = Upper(AsciiName(name));
  if (stored.starts_with("ST. ")) {
    stored = "SAINT " + stored.substr(4);
  } else if (stored.starts_with("ST ")) {
    stored = "SAINT " + stored.substr(3);
  }
  for (std::string_view word : {"NORTH ", "SOUTH ", "EAST ", "WEST "}) {
    if (stored.starts_with(word) && stored.size() > word.size()) {
      stored = std::string(1, word[0]) + "." + stored.substr(word.size());
      break;
    }
  }
  return stored;
}

std::string CityTableBytes(const std::vector<PlaceName>& places) {
  struct Row {
    std::string Key;
    data::CityRecord Record;
  };
  std::vector<Row> rows;
  for (const PlaceName& place : places) {
    const PackedText name = PackPairText(StoredPlaceName(place.Name), data::kMaxCityNameBytes);
    if (name.Text.empty() || place.State < 1 || place.State > 99) continue;
    rows.push_back({data::CitySortKey(name.Text, place.State),
                    {static_cast<std::uint8_t>(place.State), place.At.X, place.At.Y, name.Bytes}});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.Key < b.Key; });
  std::string bytes(4 + 4 * rows.size(), '\0');
  WriteInt32At(bytes, 0, static_cast<std::int32_t>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    WriteInt32At(bytes, 4 + 4 * i, static_cast<std::int32_t>(bytes.size()));
    data::AppendCityRecord(bytes, rows[i].Record);
  }
  return bytes;
}

std::string ExchangeTableBytes(const std::vector<ExchangePoint>& exchanges) {
  std::map<int, std::map<int, const ExchangePoint*>> byArea;
  for (const ExchangePoint& exchange : exchanges) {
    if (exchange.AreaCode < 1 || exchange.AreaCode > 999 || exchange.Exchange < 0 || exchange.Exchange > 999) continue;
    if (!TableCoordinates(exchange.At)) continue;
    byArea[exchange.AreaCode].emplace(exchange.Exchange, &exchange);
  }
  constexpr std::size_t kPerBlock = data::kExchangeHeaderEntries - 1;
  const std::size_t blocks = std::max<std::size_t>(1, (byArea.size() + kPerBlock - 1) / kPerBlock);
  if (blocks > static_cast<std::size_t>(data::kMaxExchangeHeaderBlocks)) {
    throw DataError("too many area codes for the exchange table: " + std::to_string(byArea.size()));
  }
  const std::size_t headerSize = blocks * data::kExchangeHeaderSize;
  std::string header;
  std::string records;
  std::size_t inBlock = 0;
  for (const auto& [area, byExchange] : byArea) {
    if (inBlock == kPerBlock) {
      // The last entry of a full block continues the header in the next one.
      const std::size_t next = (header.size() / data::kExchangeHeaderSize + 1) * data::kExchangeHeaderSize;
      data::AppendAreaCodeEntry(header, {static_cast<std::int32_t>(next), data::kExchangeHeaderContinues, 0});
      inBlock = 0;
    }
    std::int32_t base = 0;
    for (const auto& [number, exchange] : byExchange) {
      if (exchange->Zip > 0 && (base == 0 || exchange->Zip < base)) base = exchange->Zip;
    }
    data::AppendAreaCodeEntry(header, {static_cast<std::int32_t>(headerSize + records.size()),
                                       static_cast<std::int16_t>(area), base});
    ++inBlock;
    for (const auto& [number, exchange] : byExchange) {
      const auto at = *TableCoordinates(exchange->At);
      const std::int32_t offset = exchange->Zip > 0 ? exchange->Zip - base : 0;
      const std::string text = exchange->StateCode.substr(0, 2) +
                               AsciiName(exchange->Place).substr(0, data::kMaxExchangePlaceLength);
      data::AppendExchangeRecord(records, {static_cast<std::uint16_t>(number), at.first, at.second,
                                           static_cast<std::int16_t>(offset <= INT16_MAX ? offset : 0),
                                           PackPairText(text, 255 - data::kExchangeRecordFixedSize).Bytes});
    }
  }
  data::AppendAreaCodeEntry(header, {static_cast<std::int32_t>(headerSize + records.size()), 0, 0});
  header.resize(headerSize, '\0');
  return header + records;
}

void WriteSearchTables(const SearchTableInputs& search, const ZipCentroids& zips, const std::filesystem::path& folder) {
  if (zips.Size() > 0) WriteTable(folder / std::string(data::kZipTableFile), ZipTableBytes(ZipPointsOf(zips)));
  if (!search.Places.empty()) WriteTable(folder / std::string(data::kCityTableFile), CityTableBytes(search.Places));
  if (!search.Exchanges.empty()) {
    WriteTable(folder / std::string(data::kExchangeTableFile), ExchangeTableBytes(search.Exchanges));
  }
}

}  // namespace quelmar::builder
