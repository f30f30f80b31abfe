#pragma once
// Streets from OpenStreetMap files through libosmium: XML (.osm, also
// compressed .osm.bz2 / .osm.gz) and PBF (.osm.pbf). Highway ways become
// lines — with the TIGER class (tiger:cfcc) and ZIP codes
// (tiger:zip_left / tiger:zip_right) where the import left them — nodes and
// ways with addr:housenumber and addr:street become address points, named
// parks and water become landmarks.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "tools/quelmar-data/builder/streets/raw_streets.h"

namespace quelmar::builder {

// `area` keeps the nodes inside it; a way is cut where it leaves the area,
// and where it names nodes the file does not have. Throws quelmar::IoError
// when the file cannot be opened and quelmar::DataError for a damaged one.
RawStreets ReadOsmFile(const std::filesystem::path& file, const std::optional<GeoBox>& area = std::nullopt);

// The same for data in memory; `format` is libosmium's name for it ("osm",
// "pbf", "osm.bz2").
RawStreets ReadOsmData(std::string_view data, const std::string& format,
                       const std::optional<GeoBox>& area = std::nullopt);

}  // namespace quelmar::builder
