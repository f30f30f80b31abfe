#pragma once
// Streets from TIGER/Line shapefiles (shapelib): the all-lines EDGES file of
// a county, whose road edges (MTFCC S1xxx) give the geometry, class and
// FULLNAME, and optionally the ADDRFEAT file with the address ranges of the
// same edges (joined on TLID). A segment's range spans both sides: the
// lowest and highest of LFROMADD/LTOADD/RFROMADD/RTOADD (EDGES) and
// LFROMHN/LTOHN/RFROMHN/RTOHN (ADDRFEAT); its ZIP is the left one, else the
// right one.
#include <filesystem>

#include "tools/quelmar-data/builder/streets/raw_streets.h"

namespace quelmar::builder {

// `edges` and `addressRanges` name the .shp (or the file name without the
// extension); the .dbf beside it must exist, the .shx too for `edges`.
// `addressRanges` may be empty. Throws quelmar::IoError for a missing or
// unreadable file, quelmar::DataError for a shapefile that is not a line
// layer, lacks the fields named above, or has damaged records.
RawStreets ReadTigerEdges(const std::filesystem::path& edges, const std::filesystem::path& addressRanges = {});

}  // namespace quelmar::builder
