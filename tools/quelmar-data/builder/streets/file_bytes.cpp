#include "tools/quelmar-data/builder/streets/file_bytes.h"

#include <zlib.h>

#include <array>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <system_error>

#include "control/core/errors.h"

namespace quelmar::builder {

std::string ReadFileBytes(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) throw IoError("no such file: " + file.string());
  std::ifstream in(file, std::ios::binary);
  if (!in) throw IoError("cannot open " + file.string());
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw IoError("cannot read " + file.string());
  return bytes;
}

bool LooksGzipped(std::string_view bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1F &&
         static_cast<unsigned char>(bytes[1]) == 0x8B;
}

std::string Gunzip(std::string_view compressed, const std::string& what, std::size_t limit) {
  if (compressed.size() > std::numeric_limits<uInt>::max()) throw DataError(what + ": too large to decode");
  z_stream stream{};
  if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) throw DataError(what + ": cannot start gzip decoding");
  const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, inflateEnd);
  std::string out;
  std::array<char, 1 << 16> buffer{};
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
    stream.avail_out = static_cast<uInt>(buffer.size());
    status = inflate(&stream, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END) throw DataError(what + ": damaged or truncated gzip data");
    const std::size_t produced = buffer.size() - stream.avail_out;
    if (produced > limit - out.size()) throw DataError(what + ": gzip data inflates past the size limit");
    out.append(buffer.data(), produced);
    if (status == Z_OK && stream.avail_in == 0 && stream.avail_out != 0) {
      throw DataError(what + ": truncated gzip data");
    }
  }
  return out;
}

}  // namespace quelmar::builder
