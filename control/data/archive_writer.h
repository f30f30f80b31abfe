#pragma once
// Writes plain PKZIP archives and layer archives. A layer archive is the
// sorted 17-byte member index, then the members as a ZIP stream; both kinds
// end with a central directory so that standard ZIP tools can list and test
// them (the map reader never looks at it). Its offsets count from the start
// of the file, index included, as in a self-extracting archive.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "control/data/implode_variant.h"

namespace quelmar::data {

enum class ArchiveLayout { kPlainZip, kLayerArchive };

class ArchiveWriter {
 public:
  explicit ArchiveWriter(ArchiveLayout layout) : layout_(layout) {}

  // Adds a member named `name` as given, stored, or imploded with `implode`.
  // `modified` becomes its DOS date and time (local time; 1980-01-01 when
  // earlier). Throws DataError when the name is empty or already used, when
  // a layer archive's name is longer than 12 characters or it would get more
  // than 32,767 members (65,535 for a plain archive), or when the member or
  // the archive would reach 4 GB.
  void Add(std::string name, std::span<const std::uint8_t> data, std::optional<ImplodeVariant> implode = std::nullopt,
           std::time_t modified = 0);

  // The whole archive.
  std::vector<std::uint8_t> Finish() const;

  // Writes the archive to `path` through a temporary file renamed over it,
  // so that a failure leaves no partial file. Throws IoError.
  void WriteFile(const std::filesystem::path& path) const;

  std::size_t MemberCount() const { return members_.size(); }

 private:
  struct Member {
    std::string name;
    std::uint16_t flags;
    std::uint16_t method;
    std::uint16_t dosTime;
    std::uint16_t dosDate;
    std::uint32_t crc32;
    std::uint32_t uncompressedSize;
    std::vector<std::uint8_t> data;  // as stored in the archive
  };

  static void PutSharedFields(std::vector<std::uint8_t>& out, const Member& m);

  ArchiveLayout layout_;
  std::vector<Member> members_;
  std::uint64_t totalBytes_ = 0;
};

}  // namespace quelmar::data
