#include "tools/quelmar-data/builder/output/map_tree.h"

#include <fstream>
#include <system_error>

#include "control/core/errors.h"
#include "control/data/archive_writer.h"
#include "tools/quelmar-data/builder/output/base_map.h"
#include "tools/quelmar-data/builder/output/quad_tiler.h"
#include "tools/quelmar-data/builder/output/search_tables.h"

namespace quelmar::builder {
namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out.flush()) throw IoError("cannot write " + path.string());
}

std::uintmax_t WriteSingleMember(const std::filesystem::path& path, const char* member,
                                 const std::vector<std::uint8_t>& bytes) {
  data::ArchiveWriter archive(data::ArchiveLayout::kPlainZip);
  archive.Add(member, bytes, MemberImplode());
  archive.WriteFile(path);
  return std::filesystem::file_size(path);
}

std::string MapIni() {
  // Folders relative to MAP.INI, so that the tree can be moved as a whole.
  return "[Application Interface]\r\n"
         "Data1Path=DATA1\r\n"
         "Data2Path=DATA2\r\n"
         "Data3Path=DATA3\r\n"
         "StatesPath=STATES0\r\n";
}

}  // namespace

void WriteBuiltInArchives(const NationalInputs& inputs, const std::filesystem::path& folder, TreeReport& report) {
  report.BaseMapBytes = WriteSingleMember(folder / kBaseMapArchive, kBaseMapMember, WriteBaseMap(inputs));
  report.NetworkBytes = WriteSingleMember(folder / kNetworkArchive, kNetworkMember, WriteHighwayNetwork(inputs));
}

TreeReport WriteMapTree(const NationalInputs& inputs, const std::vector<StreetSample>& streets,
                        const ZipCentroids& zips, const std::filesystem::path& target, const Progress& progress,
                        const TreeExtras& extras) {
  namespace fs = std::filesystem;
  const fs::path absolute = fs::absolute(target);
  const fs::path work = absolute.parent_path() / (absolute.filename().string() + ".partial");
  std::error_code ignored;
  fs::remove_all(work, ignored);
  fs::create_directories(work);
  for (const char* folder : {"DATA1", "DATA2", "DATA3", "STATES0"}) fs::create_directories(work / folder);

  // A build that fails midway leaves no half-written tree behind.
  struct RemoveUnlessDone {
    const fs::path& folder;
    bool done = false;
    ~RemoveUnlessDone() {
      std::error_code e;
      if (!done) fs::remove_all(folder, e);
    }
  } cleanup{work};

  TreeReport report;
  progress(kBaseMapArchive);
  WriteBuiltInArchives(inputs, work, report);
  std::vector<Landmark> sampleLandmarks;
  for (const StreetSample& sample : streets) {
    sampleLandmarks.insert(sampleLandmarks.end(), sample.Landmarks.begin(), sample.Landmarks.end());
  }
  report.Overview = WriteOverviewArchives(inputs, sampleLandmarks, work / "DATA1", work / "DATA2", progress);
  report.Streets = WriteStreetArchives(streets, inputs, zips, work / "STATES0", progress);
  progress("search tables");
  WriteSearchTables(inputs.Search, zips, work / "DATA3");
  if (extras) extras(work);
  WriteText(work / kMapIniName, MapIni());

  // Swap the finished tree in: the old one is removed only now.
  const fs::path old = absolute.parent_path() / (absolute.filename().string() + ".old");
  fs::remove_all(old, ignored);
  if (fs::exists(absolute)) fs::rename(absolute, old);
  fs::rename(work, absolute);
  cleanup.done = true;
  fs::remove_all(old, ignored);
  return report;
}

}  // namespace quelmar::builder
