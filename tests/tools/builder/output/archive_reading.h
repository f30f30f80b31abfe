#pragma once
// Reads what the builder wrote back through the engine's own readers.
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "control/data/archive_input.h"
#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"
#include "control/data/layer_archive.h"
#include "control/data/layer_archive_index.h"

namespace quelmar::builder::testing {

struct ReadMember {
  data::Drawing Drawing;
  std::int32_t Records = 0;
};

// Every member of the layer archive at `path`, read as a drawing.
inline std::map<std::string, ReadMember> ReadLayerArchive(const std::filesystem::path& path) {
  auto input = std::make_shared<data::FileArchiveInput>(path);
  const data::LayerIndex index = data::LayerIndex::Read(*input);
  std::map<std::string, ReadMember> members;
  for (std::size_t i = 0; i < index.Entries().size(); ++i) {
    auto source = data::OpenLayerMember(input, index, i);
    ReadMember& m = members[index.Entries()[i].name];
    data::ReadDrawingOptions options;
    options.RegistryName = index.Entries()[i].name;
    m.Records = data::ReadDrawing(*source, m.Drawing, options);
  }
  return members;
}

}  // namespace quelmar::builder::testing
