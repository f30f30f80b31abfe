#pragma once
// The street archives of the States0 folder: one layer archive per state
// ("17.ZP5") whose members are the street quads of the state's streets, each
// split in its four quarters plus a whole-quad member, and the national
// archive "02.ZP5" of "Z" quads with the major roads of every state.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/zip_centroids.h"

namespace quelmar::builder {

inline constexpr std::int16_t kStreetDataVersion = 402;

struct StreetArchive {
  std::string Name;           // "17.ZP5"
  std::size_t Members = 0;
  std::size_t Segments = 0;   // street lines written
  std::uintmax_t Bytes = 0;
};

// Whether a CFCC code is a major road (limited access, highways, secondary
// roads), which the whole-quad members and the national quads hold.
bool IsMajorRoad(std::string_view cfcc);

// Writes one archive per state of `samples` (samples of the same state go
// into one archive) and the national archive into `folder`.
std::vector<StreetArchive> WriteStreetArchives(const std::vector<StreetSample>& samples, const NationalInputs& inputs,
                                               const ZipCentroids& zips, const std::filesystem::path& folder,
                                               const std::function<void(const std::string&)>& progress);

}  // namespace quelmar::builder
