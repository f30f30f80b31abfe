// DecodeGreyJpeg: grey tiles decode to their values; damaged or cut tiles are
// DataErrors, never crashes.
#include "tools/quelmar-data/builder/relief/jpeg_grey_tile.h"

#include <gtest/gtest.h>

#include "control/core/errors.h"
#include "relief_test_support.h"

namespace quelmar::builder {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(JpegGreyTile, FlatTileDecodesToItsValue) {
  const std::string jpeg = test::EncodeGreyJpeg(test::FlatImage(17, 9, 143));
  const GreyImage image = DecodeGreyJpeg(Bytes(jpeg));
  EXPECT_EQ(image.Width, 17);
  EXPECT_EQ(image.Height, 9);
  for (std::uint8_t v : image.Pixels) ASSERT_EQ(v, 143);
}

TEST(JpegGreyTile, NotAJpegIsADataError) {
  EXPECT_THROW(DecodeGreyJpeg(Bytes("")), DataError);
  EXPECT_THROW(DecodeGreyJpeg(Bytes("GIF89a and more bytes")), DataError);
}

TEST(JpegGreyTile, MissingFileIsAnIoError) {
  EXPECT_THROW(ReadGreyJpeg("/nonexistent/quelmar/tile.jpg"), IoError);
}

TEST(JpegGreyTile, TruncatedAtEveryByte) {
  GreyImage image = test::FlatImage(24, 16, 0);
  for (std::size_t i = 0; i < image.Pixels.size(); ++i) image.Pixels[i] = static_cast<std::uint8_t>(i * 37);
  const std::string jpeg = test::EncodeGreyJpeg(image);
  for (std::size_t size = 0; size < jpeg.size(); ++size) {
    EXPECT_THROW(DecodeGreyJpeg(Bytes(jpeg.substr(0, size))), DataError) << size;
  }
  EXPECT_EQ(DecodeGreyJpeg(Bytes(jpeg)).Width, 24);
}

}  // namespace
}  // namespace quelmar::builder
