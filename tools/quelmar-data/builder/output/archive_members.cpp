#include "tools/quelmar-data/builder/output/archive_members.h"

#include <cstdint>
#include <optional>

#include "control/data/layer_archive.h"
#include "control/data/zip_archive.h"

namespace quelmar::builder {

bool IsPlainZip(data::ArchiveInput& input) {
  std::uint8_t start[4] = {};
  if (input.ReadAt(0, start) < 4 || start[0] != 'P' || start[1] != 'K') return false;
  return (start[2] == 3 && start[3] == 4) || (start[2] == 5 && start[3] == 6);
}

std::unique_ptr<data::ArchiveMemberSource> OpenNamedMember(const std::filesystem::path& path,
                                                           std::string_view member) {
  auto input = std::make_shared<data::FileArchiveInput>(path);
  if (IsPlainZip(*input)) return data::OpenZipMember(input, member);
  const data::LayerIndex index = data::LayerIndex::Read(*input);
  std::optional<std::size_t> entry = index.FindExact(member);
  if (!entry) entry = index.FindByKey(member);
  if (!entry) return nullptr;
  return data::OpenLayerMember(input, index, *entry);
}

}  // namespace quelmar::builder
