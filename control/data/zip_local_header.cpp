#include "control/data/zip_local_header.h"

#include <array>

#include "control/core/errors.h"

namespace quelmar::data {
namespace {

constexpr std::uint16_t kEncryptedFlags = 0x0001 | 0x0040 | 0x2000;  // encrypted, strong, masked headers
constexpr std::uint16_t kDataDescriptorFlag = 0x0008;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodImploded = 6;

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Get32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(Get16(p)) | (static_cast<std::uint32_t>(Get16(p + 2)) << 16);
}

const char* MethodName(std::uint16_t method) {
  switch (method) {
    case 0: return "stored";
    case 1: return "shrunk";
    case 2: case 3: case 4: case 5: return "reduced";
    case 6: return "imploded";
    case 8: return "deflated";
    case 9: return "deflate64";
    case 12: return "bzip2";
    case 14: return "lzma";
    case 93: return "zstd";
    case 95: return "xz";
    default: return nullptr;
  }
}

}  // namespace

std::optional<ZipLocalHeader> ReadLocalHeader(ArchiveInput& input, std::uint64_t offset) {
  std::array<std::uint8_t, kLocalHeaderSize> fixed{};
  const std::size_t got = input.ReadAt(offset, fixed);
  if (got < 4 || Get32(fixed.data()) != kLocalHeaderSignature) return std::nullopt;
  if (got < fixed.size()) throw DataError("the archive ends inside a local header at offset " + std::to_string(offset));

  ZipLocalHeader header;
  header.offset = offset;
  header.flags = Get16(&fixed[6]);
  header.method = Get16(&fixed[8]);
  header.crc32 = Get32(&fixed[14]);
  header.compressedSize = Get32(&fixed[18]);
  header.uncompressedSize = Get32(&fixed[22]);
  const std::uint16_t nameLength = Get16(&fixed[26]);
  const std::uint16_t extraLength = Get16(&fixed[28]);

  const std::uint64_t nameOffset = offset + kLocalHeaderSize;
  header.dataOffset = nameOffset + nameLength + extraLength;
  if (header.dataOffset > input.Size()) {
    throw DataError("the name or extra field of the local header at offset " + std::to_string(offset) +
                    " runs past the end of the archive");
  }
  header.name.resize(nameLength);
  ReadExactlyAt(input, nameOffset,
                std::span(reinterpret_cast<std::uint8_t*>(header.name.data()), header.name.size()), "a member name");

  if ((header.flags & kDataDescriptorFlag) && header.compressedSize == 0) {
    throw DataError("member " + header.name + " keeps its sizes in a data descriptor, which cannot be read");
  }
  if (header.DataEnd() > input.Size()) {
    throw DataError("member " + header.name + " claims " + std::to_string(header.compressedSize) +
                    " compressed bytes, more than the archive holds");
  }
  return header;
}

std::optional<MemberCoding> AcceptedCoding(const ZipLocalHeader& header) {
  if (header.flags & kEncryptedFlags) return std::nullopt;
  if (header.method == kMethodStored) {
    if (header.compressedSize != header.uncompressedSize) return std::nullopt;
    return MemberCoding{MemberCoding::Kind::kStored, {}};
  }
  if (header.method == kMethodImploded) {
    return MemberCoding{MemberCoding::Kind::kImploded, ImplodeVariant::FromFlags(header.flags)};
  }
  return std::nullopt;
}

std::string DescribeCoding(const ZipLocalHeader& header) {
  std::string text;
  if (const char* name = MethodName(header.method)) {
    text = name;
  } else {
    text = "method " + std::to_string(header.method);
  }
  if (header.method == kMethodImploded) text += " " + ImplodeVariantName(ImplodeVariant::FromFlags(header.flags));
  if (header.flags & kEncryptedFlags) text += ", encrypted";
  return text;
}

}  // namespace quelmar::data
