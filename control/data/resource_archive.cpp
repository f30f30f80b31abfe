#include "control/data/resource_archive.h"

#include "control/core/errors.h"
#include "control/data/builtin_resources.h"
#include "control/data/zip_local_header.h"
#include "platform/kernel/ascii.h"

namespace quelmar::data {
namespace {

bool ContainsZipExtension(std::string_view name) {
  constexpr std::string_view kZip = ".ZIP";
  for (std::size_t i = 0; i + kZip.size() <= name.size(); ++i) {
    if (kernel::EqualsIgnoreCase(name.substr(i, kZip.size()), kZip)) return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> ResourceArchiveType(std::string_view name) {
  if (!ContainsZipExtension(name)) return std::nullopt;
  return std::string(name.substr(0, name.find('.')));
}

std::string ResourceMemberName(std::string_view name) {
  const std::size_t dot = name.find('.');
  return std::string(name.substr(0, dot == std::string_view::npos ? name.size() : dot)) + ".DCM";
}

std::unique_ptr<ArchiveMemberSource> OpenResourceArchive(std::span<const std::uint8_t> resource,
                                                         std::string_view type) {
  auto input = std::make_shared<MemoryArchiveInput>(resource);
  std::uint64_t offset = 0;
  while (std::optional<ZipLocalHeader> header = ReadLocalHeader(*input, offset)) {
    if (AcceptedCoding(*header)) return std::make_unique<ArchiveMemberSource>(input, std::move(*header));
    const std::string_view name = header->name;
    if (kernel::EqualsIgnoreCase(name.substr(0, name.find('.')), type)) {
      throw DataError("built-in member " + header->name + " is " + DescribeCoding(*header) + ", which is not read");
    }
    offset = header->DataEnd();
  }
  throw DataError("built-in archive " + std::string(type) + " has no stored or imploded member");
}

std::unique_ptr<ArchiveMemberSource> OpenBuiltInArchive(std::string_view name) {
  const std::optional<std::string> type = ResourceArchiveType(name);
  if (!type) throw IoError("not a built-in archive: " + std::string(name));
  const std::optional<std::span<const std::uint8_t>> resource = FindBuiltInResource(*type, "Zipdata_1");
  if (!resource) throw IoError("the control has no built-in archive " + std::string(name));
  return OpenResourceArchive(*resource, *type);
}

}  // namespace quelmar::data
