// The image encoders on small pictures: the BMP layout byte by byte, GIF
// streams read back by giflib (exact colours when a picture has at most 256,
// nearest palette colours beyond), the LZW table filling and clearing, and
// the refusals.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>

#include "control/core/errors.h"
#include "control/export/bmp_encoder.h"
#include "control/export/gif_encoder.h"
#include "control/export/image_format.h"
#include "control/export/indexed_picture.h"
#include "gif_decoder.h"
#include "platform/gdi/bitmap.h"

namespace quelmar::testing {
namespace {

using image_export::ImageFormat;

std::uint32_t U32(const std::string& s, std::size_t at) {
  return static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8 |
         static_cast<std::uint8_t>(s[at + 2]) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 3])) << 24;
}

std::vector<gdi::COLORREF> PixelsOf(const gdi::Bitmap& b) {
  std::vector<gdi::COLORREF> out;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.push_back(b.Pixel(x, y));
  return out;
}

TEST(ImageFileName, GetsTheExtensionOnlyWithoutAnyDot) {
  struct Case {
    const char* name;
    ImageFormat format;
    const char* file;
  } cases[] = {
      {"map", ImageFormat::Bmp, "map.bmp"},         {"map", ImageFormat::Gif, "map.gif"},
      {"out/map", ImageFormat::Png, "out/map.png"}, {"c:\\maps.v2\\map", ImageFormat::Bmp, "c:\\maps.v2\\map"},
      {"map.jpg", ImageFormat::Gif, "map.jpg"},
  };
  for (const Case& c : cases) EXPECT_EQ(image_export::ImageFileName(c.name, c.format), c.file) << c.name;
  EXPECT_THROW(image_export::ImageFileName("", ImageFormat::Bmp), ArgumentError);
  EXPECT_NO_THROW(image_export::ImageFileName(std::string(255, 'a'), ImageFormat::Bmp));
  EXPECT_THROW(image_export::ImageFileName(std::string(256, 'a'), ImageFormat::Bmp), ArgumentError);
}

TEST(BmpEncoder, WritesBottomUpBgrRowsPaddedToFourBytes) {
  gdi::Bitmap picture(3, 2);  // 9 bytes a row, padded to 12
  picture.Fill(gdi::RGB(1, 2, 3));
  picture.SetPixel(0, 0, gdi::RGB(0xAA, 0xBB, 0xCC));  // top left
  picture.SetPixel(2, 1, gdi::RGB(0x10, 0x20, 0x30));  // bottom right
  const std::string bmp = image_export::EncodeBmp(picture);
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(U32(bmp, 10), 54u);
  EXPECT_EQ(U32(bmp, 14), 40u);
  EXPECT_EQ(U32(bmp, 18), 3u);
  EXPECT_EQ(U32(bmp, 22), 2u);
  EXPECT_EQ(U32(bmp, 26), 1u | 24u << 16);  // one plane, 24 bits
  EXPECT_EQ(U32(bmp, 34), 24u);
  // The bottom row first: its last pixel at bytes 6..8, then three pad bytes.
  EXPECT_EQ(bmp.substr(54 + 6, 6), std::string("\x30\x20\x10\0\0\0", 6));
  EXPECT_EQ(bmp.substr(54 + 12, 3), "\xCC\xBB\xAA");
}

TEST(GifEncoder, KeepsAPictureOfFewColoursExactly) {
  // Sizes around the code-width steps and palettes of 1, 2, 3, 5 and 256
  // colours (tables of 2 to 256 entries, the minimum code size 2 and up).
  struct Case {
    int width, height, colors;
  } cases[] = {{1, 1, 1}, {7, 3, 2}, {40, 30, 3}, {64, 64, 5}, {300, 200, 256}};
  std::mt19937 random(7);
  for (const Case& c : cases) {
    gdi::Bitmap picture(c.width, c.height);
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const int k = static_cast<int>(random() % static_cast<unsigned>(c.colors));
        // Runs as well as noise, so both short and long strings reach the
        // table.
        const int v = (y % 4 == 0) ? (x / 9) % c.colors : k;
        picture.SetPixel(x, y, gdi::RGB(static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(255 - v), 77));
      }
    }
    const DecodedGif gif = DecodeGif(image_export::EncodeGif(image_export::IndexPicture(picture)));
    ASSERT_TRUE(gif.ok) << c.width << " x " << c.height;
    EXPECT_EQ(gif.width, c.width);
    EXPECT_EQ(gif.height, c.height);
    EXPECT_EQ(gif.images, 1);
    EXPECT_EQ(gif.pixels, PixelsOf(picture)) << c.colors << " colours";
  }
}

TEST(GifEncoder, FillsAndClearsTheCodeTableManyTimes) {
  // Noise over 256 colours fills the 4096 codes every few thousand pixels.
  image_export::IndexedPicture picture;
  picture.Width = 1000;
  picture.Height = 700;
  for (int i = 0; i < 256; ++i)
    picture.Palette.push_back(gdi::RGB(static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)));
  std::mt19937 random(11);
  for (int i = 0; i < picture.Width * picture.Height; ++i)
    picture.Indexes.push_back(static_cast<std::uint8_t>(random()));
  const DecodedGif gif = DecodeGif(image_export::EncodeGif(picture));
  ASSERT_TRUE(gif.ok);
  ASSERT_EQ(gif.pixels.size(), picture.Indexes.size());
  for (std::size_t i = 0; i < gif.pixels.size(); ++i) {
    ASSERT_EQ(gif.pixels[i], picture.Palette[picture.Indexes[i]]) << "pixel " << i;
  }
}

TEST(GifEncoder, GivesEveryPixelTheNearestOfAtMost256ColoursWhenThereAreMore) {
  // A smooth field of 64 x 64 x 2 colours.
  gdi::Bitmap picture(128, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 128; ++x)
      picture.SetPixel(x, y,
                       gdi::RGB(static_cast<std::uint8_t>(x * 2), static_cast<std::uint8_t>(y * 4), x < 64 ? 0 : 200));
  const image_export::IndexedPicture indexed = image_export::IndexPicture(picture);
  EXPECT_EQ(indexed.Palette.size(), 256u);
  const DecodedGif gif = DecodeGif(image_export::EncodeGif(indexed));
  ASSERT_TRUE(gif.ok);
  EXPECT_EQ(gif.paletteSize, 256);
  auto distance = [](gdi::COLORREF a, gdi::COLORREF b) {
    const int dr = gdi::GetRValue(a) - gdi::GetRValue(b), dg = gdi::GetGValue(a) - gdi::GetGValue(b),
              db = gdi::GetBValue(a) - gdi::GetBValue(b);
    return dr * dr + dg * dg + db * db;
  };
  const std::vector<gdi::COLORREF> original = PixelsOf(picture);
  for (std::size_t i = 0; i < original.size(); ++i) {
    const int d = distance(original[i], gif.pixels[i]);
    // The nearest colour of the palette, and close: 8192 colours in 256 boxes.
    for (const gdi::COLORREF p : indexed.Palette) ASSERT_LE(d, distance(original[i], p)) << i;
    ASSERT_LT(d, 3 * 12 * 12) << i;
  }
}

TEST(GifEncoder, RefusesWhatAGifCannotHold) {
  auto picture = [](int w, int h, std::size_t colors, std::uint8_t index) {
    image_export::IndexedPicture p;
    p.Width = w;
    p.Height = h;
    p.Palette.assign(colors, gdi::RGB(1, 2, 3));
    p.Indexes.assign(static_cast<std::size_t>(std::max(0, w)) * static_cast<std::size_t>(std::max(0, h)), index);
    return p;
  };
  EXPECT_THROW(image_export::EncodeGif(picture(65536, 1, 2, 0)), ArgumentError);
  EXPECT_THROW(image_export::EncodeGif(picture(1, 65536, 2, 0)), ArgumentError);
  EXPECT_THROW(image_export::EncodeGif(picture(0, 5, 2, 0)), ArgumentError);
  EXPECT_THROW(image_export::EncodeGif(picture(4, 4, 0, 0)), ArgumentError);
  EXPECT_THROW(image_export::EncodeGif(picture(4, 4, 257, 0)), ArgumentError);
  EXPECT_THROW(image_export::EncodeGif(picture(4, 4, 3, 3)),
               ArgumentError);  // an index beyond the palette
  image_export::IndexedPicture short_ = picture(4, 4, 2, 0);
  short_.Indexes.pop_back();
  EXPECT_THROW(image_export::EncodeGif(short_), ArgumentError);
  EXPECT_TRUE(DecodeGif(image_export::EncodeGif(picture(65535, 1, 2, 1))).ok) << "the largest side is taken";
}

}  // namespace
}  // namespace quelmar::testing
