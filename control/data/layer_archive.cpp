#include "control/data/layer_archive.h"

#include <cctype>
#include <string>
#include <system_error>

#include "control/core/errors.h"
#include "control/data/zip_archive.h"

namespace quelmar::data {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<ArchiveMemberSource> OpenLayerMember(std::shared_ptr<ArchiveInput> input, const LayerIndex& index,
                                                     std::size_t entry) {
  const std::string& name = index.Entries().at(entry).name;
  const std::uint64_t offset = index.LocalHeaderOffset(entry);
  std::optional<ZipLocalHeader> header = ReadLocalHeader(*input, offset);
  if (!header) throw DataError("the index entry " + name + " points at no local header (offset " + std::to_string(offset) + ")");
  if (!SameName(header->name, name)) {
    throw DataError("the index entry " + name + " opens the member \"" + header->name + "\"");
  }
  return std::make_unique<ArchiveMemberSource>(std::move(input), std::move(*header));
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
