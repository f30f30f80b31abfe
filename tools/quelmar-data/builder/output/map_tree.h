#pragma once
// The whole data tree: MAP.INI, the two built-in archives, the Data1/Data2
// overview archives, the Data3 folder kept for the search tables, and the
// States0 street archives. The tree is written into a temporary folder
// beside the target and renamed into place at the end, so a failed build
// leaves any earlier tree untouched.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/output/overview_archives.h"
#include "tools/quelmar-data/builder/output/street_archives.h"
#include "tools/quelmar-data/builder/zip_centroids.h"

namespace quelmar::builder {

inline constexpr const char* kMapIniName = "MAP.INI";
inline constexpr const char* kBaseMapArchive = "TARVO.ZIP";
inline constexpr const char* kBaseMapMember = "TARVO.DCM";
inline constexpr const char* kNetworkArchive = "HMAP.ZIP";
inline constexpr const char* kNetworkMember = "HTOTAL.DCM";

struct TreeReport {
  std::uintmax_t BaseMapBytes = 0;
  std::uintmax_t NetworkBytes = 0;
  std::vector<OverviewArchive> Overview;
  std::vector<StreetArchive> Streets;
};

using Progress = std::function<void(const std::string&)>;

// Writes TARVO.ZIP and HMAP.ZIP into `folder`.
void WriteBuiltInArchives(const NationalInputs& inputs, const std::filesystem::path& folder, TreeReport& report);

// Writes more files into the finished tree's folder before it is swapped in
// (the relief underlay).
using TreeExtras = std::function<void(const std::filesystem::path& tree)>;

// Writes the whole tree to `target`, replacing a tree there.
TreeReport WriteMapTree(const NationalInputs& inputs, const std::vector<StreetSample>& streets,
                        const ZipCentroids& zips, const std::filesystem::path& target, const Progress& progress,
                        const TreeExtras& extras = {});

}  // namespace quelmar::builder
