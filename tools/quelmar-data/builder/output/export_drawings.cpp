#include "tools/quelmar-data/builder/output/export_drawings.h"

#include <optional>

#include "control/core/errors.h"
#include "control/data/file_source.h"
#include "tools/quelmar-data/builder/output/verify_tree.h"

namespace quelmar::builder {

bool IsDrawingFile(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return extension == ".DCM";
}

std::vector<std::string> ForEachExportDrawing(
    const ExportInput& input, const std::function<void(std::string_view name, const data::Drawing&)>& visit) {
  std::vector<std::string> problems;
  if (IsDrawingFile(input.input)) {
    if (!input.members.empty()) {
      throw ArgumentError(input.input.string() + " is a drawing file, which has no members");
    }
    data::FileSource source(input.input.string());
    const std::string name = input.input.filename().string();
    data::ReadDrawingOptions read;
    read.RegistryName = name;
    read.ExpectedStreetVersion = input.streetVersion;
    data::Drawing drawing;
    try {
      data::ReadDrawing(source, drawing, read);
    } catch (const Error& error) {
      problems.push_back(name + ": reading stopped after " + std::to_string(drawing.File().Records) +
                         " records: " + error.what());
    }
    if (drawing.File().Refused) problems.push_back(name + ": refused as a street quad of another version");
    if (drawing.OutOfMemory()) problems.push_back(name + ": the engine's object store cannot hold it");
    visit(name, drawing);
    return problems;
  }

  const DrawingArchive archive(input.input);
  if (!archive.ListingDamage().empty()) problems.push_back(archive.ListingDamage());
  std::vector<std::size_t> chosen;
  for (const std::string& member : input.members) {
    const std::optional<std::size_t> found = archive.Find(member);
    if (!found) throw DataError(input.input.string() + " has no member " + member);
    chosen.push_back(*found);
  }
  if (input.members.empty()) {
    for (std::size_t i = 0; i < archive.MemberCount(); ++i) chosen.push_back(i);
  }
  for (const std::size_t member : chosen) {
    const std::string& name = archive.MemberName(member);
    data::ReadDrawingOptions read;
    read.RegistryName = name;
    read.ExpectedStreetVersion = input.streetVersion;
    data::Drawing drawing;
    for (const std::string& problem : ReadMember(archive, member, read, drawing)) {
      problems.push_back(DisplayName(name) + ": " + problem);
    }
    visit(name, drawing);
  }
  return problems;
}

}  // namespace quelmar::builder
