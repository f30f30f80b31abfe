#include "control/search/exchange_lookup.h"

#include <cstdio>

#include "control/core/coordinate_format.h"
#include "control/data/name_unpack.h"

namespace quelmar::search {

using data::AreaCodeEntry;
using data::AreaCodeEntries;
using data::AreaCodeEnd;
using data::ExchangeRecordAt;
using data::kMaxExchangePlaceLength;
using data::kTableUnitsPerDegree;

namespace {

bool AllDigits(std::string_view text) {
  return text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::int32_t Number(std::string_view digits) {
  std::int32_t value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

// The place name of a record's text; three trailing digits name the area
// code the exchange moved to.
std::string PlaceOf(std::string_view text) {
  std::string name(text.substr(std::min<std::size_t>(2, text.size()), kMaxExchangePlaceLength));
  if (name.size() > 3 && AllDigits(std::string_view(name).substr(name.size() - 3))) {
    const std::string moved = name.substr(name.size() - 3);
    name.resize(name.size() - 3);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    name += " (" + moved + ")*";
  }
  return name;
}

ExchangeHit HitOf(const AreaCodeEntry& entry, ExchangeRecord record) {
  ExchangeHit hit;
  hit.AreaCode = entry.AreaCode;
  // A base and offset that make no ZIP code (damage) give 0, "none".
  const std::int64_t zip = std::int64_t{entry.ZipBase} + record.ZipOffset;
  hit.Zip = zip >= 0 && zip <= 99999 ? static_cast<std::int32_t>(zip) : 0;
  const std::string text = data::UnpackPairs(record.PackedText);
  hit.State = text.substr(0, std::min<std::size_t>(2, text.size()));
  hit.Place = PlaceOf(text);
  hit.Record = std::move(record);
  return hit;
}

std::vector<ExchangeHit> Scan(TableBytes bytes, const std::vector<AreaCodeEntry>& entries, std::int32_t areaCode,
                              std::optional<std::int32_t> exchange) {
  std::vector<ExchangeHit> hits;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].AreaCode != areaCode) continue;
    if (entries[i].Offset < 0) return hits;
    const std::size_t end = AreaCodeEnd(bytes, entries, i);
    std::size_t at = static_cast<std::size_t>(entries[i].Offset);
    std::size_t next = 0;
    while (std::optional<ExchangeRecord> record = ExchangeRecordAt(bytes, at, end, &next)) {
      at = next;
      if (!exchange) {
        hits.push_back(HitOf(entries[i], std::move(*record)));
        continue;
      }
      if (record->Exchange < *exchange) continue;
      if (!hits.empty() && record->Exchange < hits.back().Record.Exchange) break;
      const bool equal = record->Exchange == *exchange;
      hits.push_back(HitOf(entries[i], std::move(*record)));
      if (equal) break;
    }
    return hits;
  }
  return hits;
}

std::string ThreeDigits(std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", value);
  return text;
}

}  // namespace

std::optional<PhonePrefix> ParsePhonePrefix(std::string_view text) {
  const std::string_view area = text.substr(0, 3);
  const std::string_view exchange = text.substr(std::min<std::size_t>(3, text.size()), 3);
  if (area.empty() || !AllDigits(area) || !AllDigits(exchange)) return std::nullopt;
  return PhonePrefix{Number(area), Number(exchange)};
}

std::vector<ExchangeHit> FindExchanges(TableBytes bytes, const PhonePrefix& prefix) {
  return Scan(bytes, AreaCodeEntries(bytes), prefix.AreaCode, prefix.Exchange);
}

std::vector<ExchangeHit> AreaCodeExchanges(TableBytes bytes, std::int32_t areaCode) {
  return Scan(bytes, AreaCodeEntries(bytes), areaCode, std::nullopt);
}

std::string ExchangeResultLine(const ExchangeHit& hit) {
  char zip[16];
  std::snprintf(zip, sizeof zip, "%05d", hit.Zip);
  return ThreeDigits(hit.AreaCode) + ThreeDigits(hit.Record.Exchange) + '\t' + hit.Place + '\t' + hit.State + '\t' +
         zip + '\t' + core::FormatFixed(-static_cast<double>(hit.Record.LonWest) / kTableUnitsPerDegree, 4) + '\t' +
         core::FormatFixed(static_cast<double>(hit.Record.LatNorth) / kTableUnitsPerDegree, 4);
}

}  // namespace quelmar::search
