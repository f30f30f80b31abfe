#pragma once
// A walk over the blob framing of an OSM PBF file, made before libosmium
// decodes it, so that a damaged or hostile file is refused with one clear
// message instead of reaching the decoder's threads with sizes it has to
// trust. The file is a run of
//   4 bytes   the length of the BlobHeader, big-endian
//   BlobHeader  a protobuf message: type (1, "OSMHeader" first, then
//               "OSMData"), indexdata (2), datasize (3, the Blob's length)
//   Blob        a protobuf message: raw (1) or zlib data (3) with its
//               raw_size (2)
// Of the data blocks inside, only the string table is looked at: libosmium
// keeps tags as zero-terminated strings and would read past an object whose
// string holds a zero byte. The rest of the decoding is libosmium's.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quelmar::builder {

// The format's limits, which libosmium also applies.
constexpr std::uint32_t kMaxPbfBlobHeaderSize = 64 * 1024;
constexpr std::uint32_t kMaxPbfBlobSize = 32 * 1024 * 1024;

// Throws quelmar::DataError naming `what` and the blob when the framing is
// wrong: no blob at all, a length cut short, a BlobHeader of 0 or more than
// kMaxPbfBlobHeaderSize bytes, one that is not a protobuf message, lacks
// its type or datasize or has the wrong type, a datasize of 0 or more than
// kMaxPbfBlobSize or past the end of the file, a Blob without data or with
// more than one data field, with a field past its end, a size out of range
// or zlib data that does not inflate to its raw_size, or a string table
// string with a zero byte.
void CheckPbfFraming(std::string_view bytes, const std::string& what);

// The same for a file, read blob by blob. quelmar::IoError when the file
// cannot be read.
void CheckPbfFile(const std::filesystem::path& file);

}  // namespace quelmar::builder
