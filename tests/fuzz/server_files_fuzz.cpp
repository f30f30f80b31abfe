// libFuzzer target: any bytes as the map server's own files: as its
// settings file (every setting read, every key of a section listed, a key
// written and read back), as a data tree's MAP.INI, and as its favourites
// file (the lines save and read back as themselves). Within bounds and in
// linear time whatever the bytes; nothing read is longer than its limit.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/kernel/atomic_file.h"
#include "server/engine/favourites.h"
#include "server/engine/server_ini.h"
#include "server/engine/server_settings.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own for each input, removed afterwards, so that nothing
// stays behind however the run ends. In memory where the system has such a
// folder: every save is flushed to disk before its rename.
class Folder {
 public:
  Folder() {
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "server-files-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  fs::path operator/(const char* name) const { return path_ / name; }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

void Write(const fs::path& file, std::string_view bytes) {
  if (!quelmar::kernel::WriteFileAtomically(file, bytes)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::server;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const Folder folder;
  const fs::path settingsFile = folder / kSettingsFileName;
  Write(settingsFile, bytes);
  const ServerIni ini(settingsFile);
  const ServerSettings settings = ReadSettings(ini);
  for (const std::string* text : {&settings.Overlay, &settings.Underlay, &settings.Data1, &settings.States1}) {
    if (text->size() > ServerIni::kMaxValueLength) std::abort();
  }
  if (settings.SearchType < 0 || settings.SearchType > 5) std::abort();
  std::size_t listed = 1;
  for (const std::string& entry : ini.LoadAllKeysInSection("SETUP")) listed += entry.size() + 1;
  if (listed > ServerIni::kMaxSectionLength) std::abort();
  if (ini.SaveIniString("SETUP", "OVERLAY", "") && ini.GetIniString("SETUP", "OVERLAY", "x") != "") std::abort();

  Write(folder / kMapIniName, bytes);
  ServerSettings paths;
  (void)ReadMapIni(folder.path(), &paths);

  const fs::path favouritesFile = folder / kFavouritesFileName;
  Write(favouritesFile, bytes);
  const std::vector<std::string> lines = LoadFavourites(favouritesFile);
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) std::abort();
  }
  if (lines != ParseFavourites(bytes, FavouritesLimits{}.MaxLines)) std::abort();
  if (SaveFavourites(favouritesFile, lines) && LoadFavourites(favouritesFile) != lines) std::abort();
  return 0;
}
