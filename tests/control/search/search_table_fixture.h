#pragma once
// Small search tables assembled entry by entry from the layout's own record
// encoders, so a test can state exactly what each block and record holds
// (and damage it).
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "control/data/search_table_layout.h"

namespace quelmar::search::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct ZipFixtureRecord {
  std::int32_t Zip = 0;
  std::string Name;
  std::uint32_t LonWest = 876575;  // 87.6575 W
  std::uint32_t LatNorth = 419543;
};
struct ZipFixtureBlock {
  std::uint8_t Slot = 17;
  std::vector<ZipFixtureRecord> Records;
  std::int32_t FirstZip = 0;  // 0: the first record's code
};

// The blocks in order, then the end entry of first code `endCode`.
inline Bytes ZipTable(const std::vector<ZipFixtureBlock>& blocks, std::int32_t endCode = data::kZipEndCode) {
  std::string header;
  std::string records;
  for (const ZipFixtureBlock& block : blocks) {
    const std::int32_t first = block.FirstZip ? block.FirstZip : block.Records.at(0).Zip;
    data::AppendZipBlockEntry(header, {static_cast<std::int32_t>(data::kZipHeaderSize + records.size()), block.Slot, first});
    for (const ZipFixtureRecord& r : block.Records) {
      data::AppendZipRecord(records, {r.Zip, 7, r.LonWest, r.LatNorth, r.Name}, first);
    }
  }
  data::AppendZipBlockEntry(header, {static_cast<std::int32_t>(data::kZipHeaderSize + records.size()), 0, endCode});
  header.resize(data::kZipHeaderSize, '\0');
  return ToBytes(header + records);
}

struct CityFixture {
  std::string Name;  // unpacked, capitals
  int State = 17;
  std::int32_t X = -1369219;
  std::int32_t Y = 654375;
};

// The places sorted by their sort key, as the table must be.
inline Bytes CityTable(std::vector<CityFixture> places) {
  std::stable_sort(places.begin(), places.end(), [](const CityFixture& a, const CityFixture& b) {
    return data::CitySortKey(a.Name, a.State) < data::CitySortKey(b.Name, b.State);
  });
  std::string bytes(4 + 4 * places.size(), '\0');
  const auto put = [&bytes](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put(0, static_cast<std::uint32_t>(places.size()));
  for (std::size_t i = 0; i < places.size(); ++i) {
    put(4 + 4 * i, static_cast<std::uint32_t>(bytes.size()));
    data::AppendCityRecord(bytes, {static_cast<std::uint8_t>(places[i].State), places[i].X, places[i].Y, places[i].Name});
  }
  return ToBytes(bytes);
}

struct ExchangeFixture {
  std::uint16_t Exchange = 0;
  std::string Text;  // state code, then place
  std::int16_t ZipOffset = 0;
};
struct AreaCodeFixture {
  std::int16_t AreaCode = 0;
  std::int32_t ZipBase = 60601;
  std::vector<ExchangeFixture> Exchanges;
};

// One header entry per area code, `perBlock` to a header block (the last
// entry of a full block continues it in the next).
inline Bytes ExchangeTable(const std::vector<AreaCodeFixture>& areas, std::size_t perBlock = 299) {
  const std::size_t blocks = std::max<std::size_t>(1, (areas.size() + perBlock - 1) / perBlock);
  const std::size_t headerSize = blocks * data::kExchangeHeaderSize;
  std::string header;
  std::string records;
  for (std::size_t block = 0; block < blocks; ++block) {
    for (std::size_t i = block * perBlock; i < std::min(areas.size(), (block + 1) * perBlock); ++i) {
      data::AppendAreaCodeEntry(header, {static_cast<std::int32_t>(headerSize + records.size()), areas[i].AreaCode,
                                         areas[i].ZipBase});
      for (const ExchangeFixture& e : areas[i].Exchanges) {
        data::AppendExchangeRecord(records, {e.Exchange, 876298, 418781, e.ZipOffset, e.Text});
      }
    }
    if (block + 1 < blocks) {
      data::AppendAreaCodeEntry(header, {static_cast<std::int32_t>((block + 1) * data::kExchangeHeaderSize),
                                         data::kExchangeHeaderContinues, 0});
    }
    header.resize((block + 1) * data::kExchangeHeaderSize, '\0');
  }
  return ToBytes(header + records);
}

inline data::TableBytes View(const Bytes& bytes) { return {bytes.data(), bytes.size()}; }

}  // namespace quelmar::search::testing
