#include "control/data/zip_archive.h"

#include <string>

#include "control/core/errors.h"

namespace quelmar::data {

std::vector<ZipLocalHeader> ListZipMembers(ArchiveInput& input, std::uint64_t offset) {
  std::vector<ZipLocalHeader> members;
  // Each header is at least 30 bytes long, so the walk always moves on.
  while (std::optional<ZipLocalHeader> header = ReadLocalHeader(input, offset)) {
    offset = header->DataEnd();
    members.push_back(std::move(*header));
  }
  return members;
}

std::unique_ptr<ArchiveMemberSource> OpenZipMember(std::shared_ptr<ArchiveInput> input, std::string_view name) {
  std::uint64_t offset = 0;
  while (std::optional<ZipLocalHeader> header = ReadLocalHeader(*input, offset)) {
    if (header->name == name) return std::make_unique<ArchiveMemberSource>(std::move(input), std::move(*header));
    offset = header->DataEnd();
  }
  return nullptr;
}

}  // namespace quelmar::data
