// libFuzzer target: any bytes as "Cities.bin"; the first byte gives the
// length of a typed place that follows, the rest is the table. Exact and
// list lookups run with their lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/search/place_lookup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::search;
  if (size < 1) return 0;
  const std::size_t typedLength = std::min<std::size_t>(data[0], size - 1);
  const ShortString typed(std::string_view(reinterpret_cast<const char*>(data + 1), typedLength));
  const quelmar::data::TableBytes table(data + 1 + typedLength, size - 1 - typedLength);
  for (const ShortString& form : PlaceQueryForms(typed)) {
    if (const auto place = FindPlaceExact(table, form)) {
      (void)PlaceLine(*place, 4);
      (void)NameBeginsWithQuery(*place, form);
    }
    for (const Place& place : FindPlaceList(table, ShortString(form.Str() + "*"))) (void)CityLine(place, 4);
  }
  return 0;
}
