// libFuzzer target: any bytes as a configuration file: split into setting
// lines, every value read as each kind, in linear time and within bounds;
// what the writer makes of the lines reads back as the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "control/config/config_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::config;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<ConfigEntry> entries = ParseConfigText(text);
  ConfigWriter writer;
  writer.Section("Fuzz");
  std::size_t listed = 0;
  for (const ConfigEntry& e : entries) {
    (void)ConfigReal(e.Value);
    (void)ConfigInteger(e.Value);
    (void)ConfigBoolean(e.Value);
    (void)ConfigColour(e.Value);
    if ((listed += e.Value.size()) < 100000) (void)ConfigList(e.Value);
    // A read value never holds a line feed or a ";": the reader split and cut there.
    if (e.Value.find_first_of("\n;") != std::string::npos) std::abort();
    writer.Text(e.Key, e.Value);
  }
  if (ParseConfigText(writer.Text()) != entries) std::abort();
  return 0;
}
