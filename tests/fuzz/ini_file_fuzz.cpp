// libFuzzer target: any bytes as INI text (MAP.INI, the class registry, the
// configuration file): parsed, every key looked up, written out and parsed
// again, in linear time and within bounds whatever the bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/kernel/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quelmar::kernel::IniFile;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  IniFile ini;
  ini.Parse(text);
  for (const std::string& section : ini.SectionNames()) {
    for (const std::string& key : ini.KeyNames(section)) (void)ini.Get(section, key);
  }
  (void)ini.GetOr("Application Interface", "Data1Path", "");
  ini.Set("Application Interface", "Data1Path", "DATA1");
  IniFile again;
  again.Parse(ini.Serialize());
  (void)again.Get("Application Interface", "Data1Path");
  return 0;
}
