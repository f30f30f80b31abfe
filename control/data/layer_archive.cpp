#include "control/data/layer_archive.h"

#include <system_error>

#include "control/core/errors.h"
#include "control/data/zip_archive.h"

namespace quelmar::data {

std::unique_ptr<ArchiveMemberSource> OpenLayerMember(std::shared_ptr<ArchiveInput> input, const LayerIndex& index,
                                                     std::size_t entry) {
  ZipLocalHeader header = FindAcceptedMember(*input, index.LocalHeaderOffset(entry));
  return std::make_unique<ArchiveMemberSource>(std::move(input), std::move(header));
}

ArchiveIdentity IdentityOf(const FileArchiveInput& file) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::canonical(file.Path(), error);
  if (error) throw IoError("cannot resolve " + file.Path().string() + ": " + error.message());
  return ArchiveIdentity{canonical.string(), file.Size(), file.ModifiedNanoseconds()};
}

std::unique_ptr<ArchiveMemberSource> OpenArchiveMember(ArchiveIndexCache& cache, const std::filesystem::path& path,
                                                       std::string_view member) {
  auto file = std::make_shared<FileArchiveInput>(path);
  const ArchiveIdentity identity = IdentityOf(*file);
  std::shared_ptr<const LayerIndex> index = cache.Find(identity);
  if (!index) {
    index = std::make_shared<const LayerIndex>(LayerIndex::Read(*file));
    cache.Insert(identity, index);
  }
  const std::optional<std::size_t> entry = index->FindByKey(member);
  if (!entry) return nullptr;
  return OpenLayerMember(std::move(file), *index, *entry);
}

}  // namespace quelmar::data
