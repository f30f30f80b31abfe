#include "tools/quelmar-data/builder/inputs/input_files.h"

#include <zlib.h>

#include <array>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <system_error>

#include "control/core/errors.h"

namespace quelmar::builder {

std::string ReadWholeFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) throw IoError(file.string() + " is missing or not a file");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw IoError("cannot open " + file.string());
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw IoError("cannot read " + file.string());
  return bytes;
}

std::string GunzipBytes(std::string_view compressed, const std::string& what, std::size_t limit) {
  if (compressed.size() > std::numeric_limits<uInt>::max()) throw DataError(what + ": too large to decompress");
  z_stream stream{};
  // 15 + 32: a zlib or gzip header, detected from the first bytes.
  if (inflateInit2(&stream, 15 + 32) != Z_OK) throw DataError(what + ": cannot start decompression");
  const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, inflateEnd);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  std::string out;
  std::array<char, 1 << 16> buffer{};
  for (;;) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
    stream.avail_out = static_cast<uInt>(buffer.size());
    const int status = inflate(&stream, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END) throw DataError(what + ": damaged or truncated compressed data");
    if (buffer.size() - stream.avail_out > limit - out.size()) {
      throw DataError(what + ": inflates past the limit of " + std::to_string(limit) + " bytes");
    }
    out.append(buffer.data(), buffer.size() - stream.avail_out);
    if (status == Z_STREAM_END) {
      if (stream.avail_in == 0) break;
      // Another gzip member follows.
      if (inflateReset(&stream) != Z_OK) throw DataError(what + ": cannot restart decompression");
      continue;
    }
    if (stream.avail_in == 0 && stream.avail_out != 0) throw DataError(what + ": compressed data ends early");
  }
  return out;
}

std::string ReadGzipFile(const std::filesystem::path& file) { return GunzipBytes(ReadWholeFile(file), file.string()); }

}  // namespace quelmar::builder
