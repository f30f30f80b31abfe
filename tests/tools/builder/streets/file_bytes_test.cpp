// The street readers' gzip decoding: the first member only, truncation and
// damage refused, output bounded by its limit.
#include "tools/quelmar-data/builder/streets/file_bytes.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "control/core/errors.h"

namespace quelmar::builder {
namespace {

std::string Gzip(const std::string& text) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::string out(deflateBound(&stream, static_cast<uLong>(text.size())) + 32, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

const std::string kTile = std::string("\x1a\x05roads", 7) + std::string(3000, 'r');

TEST(Gunzip, ReadsTheFirstMember) {
  const std::string compressed = Gzip(kTile);
  ASSERT_TRUE(LooksGzipped(compressed));
  EXPECT_FALSE(LooksGzipped(kTile));
  EXPECT_EQ(Gunzip(compressed, "tile"), kTile);
  EXPECT_EQ(Gunzip(compressed + Gzip("second"), "tile"), kTile);
  EXPECT_EQ(Gunzip(Gzip(""), "tile"), "");
}

TEST(Gunzip, TruncatedOrDamagedDataIsRefused) {
  const std::string compressed = Gzip(kTile);
  for (std::size_t length = 0; length < compressed.size(); ++length) {
    EXPECT_THROW(Gunzip(std::string_view(compressed).substr(0, length), "tile"), DataError) << "cut at " << length;
  }
  // A zlib stream is not gzip; a damaged header is refused.
  std::string header = compressed;
  header[2] = 9;  // compression method
  for (const std::string& bytes : {std::string("x\x9c\x03\x00\x00\x00\x00\x01", 8), header}) {
    EXPECT_THROW(Gunzip(bytes, "tile"), DataError);
  }
}

TEST(Gunzip, OutputStopsAtTheLimit) {
  const std::string inflated(std::size_t{4} << 20, '\0');
  const std::string bomb = Gzip(inflated);
  EXPECT_EQ(Gunzip(bomb, "tile", inflated.size()).size(), inflated.size());
  try {
    Gunzip(bomb, "tile", inflated.size() - 1);
    FAIL() << "inflated past the limit";
  } catch (const DataError& error) {
    EXPECT_STREQ(error.what(), "tile: gzip data inflates past the size limit");
  }
}

}  // namespace
}  // namespace quelmar::builder
