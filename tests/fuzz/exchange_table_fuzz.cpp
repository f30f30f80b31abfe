// libFuzzer target: any bytes as "FON.BIN"; the first six are the typed
// number, the rest is the table. The lookup and the dialog's list run.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/search/exchange_lookup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::search;
  if (size < 6) return 0;
  const std::string_view typed(reinterpret_cast<const char*>(data), 6);
  const quelmar::data::TableBytes table(data + 6, size - 6);
  for (std::string_view number : {typed, typed.substr(0, 3), std::string_view("312555")}) {
    if (const auto prefix = ParsePhonePrefix(number)) {
      for (const ExchangeHit& hit : FindExchanges(table, *prefix)) (void)ExchangeResultLine(hit);
      (void)AreaCodeExchanges(table, prefix->AreaCode);
    }
  }
  return 0;
}
