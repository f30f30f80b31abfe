#pragma once
// Streets from TIGER/Line shapefiles (shapelib): the all-lines EDGES file of
// a county, whose road edges (MTFCC S1xxx) give the geometry, class and
// FULLNAME, and optionally the ADDRFEAT file with the address ranges of the
// same edges (joined on TLID). A segment's range spans both sides: the
// lowest and highest of LFROMADD/LTOADD/RFROMADD/RTOADD (EDGES) and
// LFROMHN/LTOHN/RFROMHN/RTOHN (ADDRFEAT); its ZIP is the left one, else the
// right one.
#include <filesystem>
#include <optional>
#include <string_view>

#include "tools/quelmar-data/builder/streets/raw_streets.h"

namespace quelmar::builder {

// `edges` and `addressRanges` name the .shp (or the file name without the
// extension); the .dbf beside it must exist, the .shx too for `edges`.
// `addressRanges` may be empty. Throws quelmar::IoError for a missing or
// unreadable file, quelmar::DataError for a shapefile that is not a line
// layer, lacks the fields named above, has damaged records, or a table
// whose header gives more records than the file holds.
RawStreets ReadTigerEdges(const std::filesystem::path& edges, const std::filesystem::path& addressRanges = {});

// The files of a layer held in memory: the EDGES .shp, .shx and .dbf, and
// the ADDRFEAT .dbf when there is one.
struct TigerLayerBytes {
  std::string_view Shp;
  std::string_view Shx;
  std::string_view Dbf;
  std::optional<std::string_view> AddressDbf;
};

// As ReadTigerEdges on the files; messages name them edges.shp, edges.dbf,
// addrfeat.dbf.
RawStreets ReadTigerEdges(const TigerLayerBytes& layer);

}  // namespace quelmar::builder
