#pragma once
// The overview layer archives of the Data1 and Data2 folders: states,
// counties, water, cities, airports (the "M" grid), the highway network ("G"),
// the extra overview ("Q") and the landmarks ("U").
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

struct OverviewArchive {
  std::string Folder;   // "DATA1" or "DATA2"
  std::string Name;     // "mstate.zpx"
  std::size_t Members = 0;
  std::uintmax_t Bytes = 0;
};

// Writes every overview archive into `data1` and `data2`; `progress` hears
// the name of each archive as it is begun.
std::vector<OverviewArchive> WriteOverviewArchives(const NationalInputs& inputs,
                                                   const std::vector<Landmark>& extraLandmarks,
                                                   const std::filesystem::path& data1,
                                                   const std::filesystem::path& data2,
                                                   const std::function<void(const std::string&)>& progress);

}  // namespace quelmar::builder
