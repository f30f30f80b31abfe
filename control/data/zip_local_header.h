#pragma once
// ZIP local file headers: the 30-byte header, then the member's name and
// extra field, then its data. The reader sizes members from the local header
// alone (a central directory is never needed), and reads only stored
// (method 0) and imploded (method 6) members.
#include <cstdint>
#include <optional>
#include <string>

#include "control/data/archive_input.h"
#include "control/data/implode_variant.h"

namespace quelmar::data {

inline constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;  // "PK\3\4"
inline constexpr std::size_t kLocalHeaderSize = 30;

struct ZipLocalHeader {
  std::uint64_t offset = 0;  // of the signature in the archive
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint32_t crc32 = 0;
  std::uint32_t compressedSize = 0;
  std::uint32_t uncompressedSize = 0;
  std::string name;
  std::uint64_t dataOffset = 0;  // first byte after the name and extra field

  std::uint64_t DataEnd() const { return dataOffset + compressedSize; }
};

// Reads the local header at `offset`. Returns nullopt when the archive holds
// no local header signature there (including at or near its end: what
// follows the members, such as a central directory). Throws DataError when
// the header, its name and extra field, or its compressed data do not fit in
// the archive, or when the member's sizes are left to a data descriptor
// (flag bit 3 with a compressed size of 0), which this reader cannot size.
// IoError passes through from the input.
std::optional<ZipLocalHeader> ReadLocalHeader(ArchiveInput& input, std::uint64_t offset);

// How a member's data is read, judged from its method and flags separately.
struct MemberCoding {
  enum class Kind { kStored, kImploded };
  Kind kind = Kind::kStored;
  ImplodeVariant variant;  // for imploded members: from flag bits 1 and 2
};

// The coding of a member this reader accepts: method 0 (stored, whatever
// flag bits 1 and 2 say, since they carry nothing for stored data), or
// method 6 (imploded). Nothing else: not deflate or any other method with
// any flags, not an encrypted member (flag bit 0, 6 or 13), and not a stored
// member whose two sizes differ.
std::optional<MemberCoding> AcceptedCoding(const ZipLocalHeader& header);

// "stored", "imploded 8k3", "deflated", "method 12", with "encrypted" added
// for encrypted members: for listings.
std::string DescribeCoding(const ZipLocalHeader& header);

}  // namespace quelmar::data
