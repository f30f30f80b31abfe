#pragma once
// The drawings an export command reads: a drawing file (.DCM) on its own, or
// members of a layer archive or PKZIP file (all of them when none are named),
// each read as the engine reads it.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"

namespace quelmar::builder {

struct ExportInput {
  std::filesystem::path input;       // a drawing file (.DCM), or a layer archive or PKZIP file
  std::vector<std::string> members;  // of an archive, by name ignoring case; empty: all
  std::int32_t streetVersion = data::kDefaultStreetVersion;
};

// Whether `path` names a drawing file (extension .DCM in any case) rather
// than an archive.
bool IsDrawingFile(const std::filesystem::path& path);

// Calls `visit` with each drawing of `input` and its name (the file name, or
// the member name) in file or archive order, and returns what was wrong with
// them as "name: what" (names shown as DisplayName does). A drawing that
// could not be read to its end is visited with the objects read before the
// failure. Throws IoError when the input cannot be opened, DataError when an
// archive's member list cannot be read or a named member is not in it, and
// ArgumentError for members asked of a plain drawing file.
std::vector<std::string> ForEachExportDrawing(
    const ExportInput& input, const std::function<void(std::string_view name, const data::Drawing&)>& visit);

}  // namespace quelmar::builder
