#pragma once
// The telephone exchange lookup over "FON.BIN" (layout in
// search_table_layout.h): "312" lists every exchange of area code 312,
// "312555" reports exchange 555 alone when it exists and every later one of
// the area code when it does not.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "control/data/search_table_layout.h"

namespace quelmar::search {

using data::TableBytes;
using data::ExchangeRecord;

struct ExchangeHit {
  std::int32_t AreaCode = 0;
  ExchangeRecord Record;
  std::int32_t Zip = 0;  // 0 when the table gives none
  std::string State;  // two letters
  std::string Place;  // a moved exchange as "Name (ddd)*"
  friend bool operator==(const ExchangeHit&, const ExchangeHit&) = default;
};

// Area code and exchange of a typed number: the first three characters and
// the next three (a missing exchange is 0). Nullopt when a part that is
// there is not all digits, or the area code is missing.
struct PhonePrefix {
  std::int32_t AreaCode = 0;
  std::int32_t Exchange = 0;
};
std::optional<PhonePrefix> ParsePhonePrefix(std::string_view text);

// The hits for `prefix`: the area code's records from its first, those
// below the exchange skipped; each other is reported until one equals the
// exchange. The scan ends at the area code's last record, at a record whose
// exchange is below the last one reported, or at a damaged record.
std::vector<ExchangeHit> FindExchanges(TableBytes bytes, const PhonePrefix& prefix);

// Every record of `areaCode`, as the area code dialog lists them. The whole
// header is read, so the dialog finds every area code the lookup finds.
std::vector<ExchangeHit> AreaCodeExchanges(TableBytes bytes, std::int32_t areaCode);

// "312555\tChicago\tIL\t60601\t-87.6298\t41.8781".
std::string ExchangeResultLine(const ExchangeHit& hit);

}  // namespace quelmar::search
