// libFuzzer target: any bytes as "ZIP.BIN"; the first four choose the code
// looked up, the rest is the table. Every lookup and the dialog's list run.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "control/search/zip_lookup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::search;
  if (size < 4) return 0;
  std::int32_t zip = 0;
  std::memcpy(&zip, data, 4);
  const quelmar::data::TableBytes table(data + 4, size - 4);
  for (std::int32_t code : {zip, zip % 100000, 60613, 99501, 1}) {
    if (const auto hit = FindZipCode(table, code)) (void)ZipResultLine(*hit);
    (void)ZipDialogRows(table, code);
  }
  return 0;
}
