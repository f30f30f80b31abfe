// Writes the small map data tree the Python tests use: MAP.INI, a ZIP code
// and place table, and an Illinois street archive with West Addison Street
// between Clark Street and Sheffield Avenue in Chicago.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "tests/control/search/search_table_fixture.h"
#include "tests/control/search/street_archive_fixture.h"

namespace fs = std::filesystem;
using namespace quelmar::search::testing;

namespace {

void WriteBytes(const fs::path& file, const Bytes& bytes) {
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_tree FOLDER\n";
    return 2;
  }
  const fs::path tree = argv[1];
  for (const char* folder : {"DATA1", "DATA2", "DATA3", "STATES0"}) fs::create_directories(tree / folder);
  std::ofstream(tree / "MAP.INI") << "[Application Interface]\nData1Path=DATA1\nData2Path=DATA2\nData3Path=DATA3\n"
                                     "StatesPath=STATES0\n";
  WriteBytes(tree / "DATA3" / "ZIP.BIN", ZipTable({{17, {{60613, "Chicago", 876575, 419543}}}}));
  WriteBytes(tree / "DATA3" / "Cities.bin", CityTable({{"CHICAGO", 17, -1369375, 654063}}));
  const TMapPoint clark{-1369631, 655423}, sheffield{-1369591, 655423}, north{-1369631, 655463};
  FixtureMember chicago{StreetMemberAt(clark, 0, 17), "CHICAGO", {60613}, {}};
  chicago.Lines = {{"W ADDISON ST", {sheffield, clark}, 1000, 1098, 1}, {"N CLARK ST", {clark, north}, 3600, 3698, 1}};
  WriteStreetArchive(tree / "STATES0" / "17.ZP5", {chicago});
  return 0;
}
