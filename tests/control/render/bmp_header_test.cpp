// ReadBmpHeader: the fields it takes, the colour table, and the headers it refuses.
#include "control/render/bmp_header.h"

#include <gtest/gtest.h>

#include <functional>

#include "control/core/errors.h"
#include "underlay_test_support.h"

namespace quelmar::render {
namespace {

using test::MakeBmp;
using test::PutU16;
using test::PutU32;

TEST(BmpHeader, ReadsSizeColoursAndColourTable) {
  test::TestImage image = test::MakeImage(5, 3, [](int x, int y) { return x + 10 * y; });
  image.Colours[7] = gdi::RGB(0x12, 0x34, 0x56);
  image.ColoursUsed = 200;
  std::vector<std::uint8_t> bytes = MakeBmp(image);
  MemoryUnderlayBytes source(bytes);
  const BmpHeader header = ReadBmpHeader(source);
  EXPECT_EQ(header.Width, 5);
  EXPECT_EQ(header.Height, 3);
  EXPECT_EQ(header.BitsPerPixel, 8);
  EXPECT_EQ(header.Compression, 0u);
  EXPECT_EQ(header.PixelOffset, 54u + 1024u);
  EXPECT_EQ(header.Colours, 200);
  EXPECT_EQ(header.ColourTable[7], gdi::RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(header.ColourTable[255], gdi::RGB(255, 255, 255));  // the table is read to the pixel area
}

TEST(BmpHeader, ZeroColoursUsedMeans256) {
  std::vector<std::uint8_t> bytes = MakeBmp(test::MakeImage(2, 2, [](int, int) { return 0; }));
  MemoryUnderlayBytes source(bytes);
  EXPECT_EQ(ReadBmpHeader(source).Colours, 256);
}

TEST(BmpHeader, ShortColourTableLeavesTheRestBlack) {
  // 16 colours, the pixel area right after them.
  std::vector<std::uint8_t> bytes = MakeBmp(test::MakeImage(4, 2, [](int x, int) { return x; }));
  bytes.erase(bytes.begin() + 54 + 16 * 4, bytes.begin() + 54 + 1024);
  PutU32(bytes, 10, 54 + 16 * 4);
  PutU32(bytes, 46, 16);
  MemoryUnderlayBytes source(bytes);
  const BmpHeader header = ReadBmpHeader(source);
  EXPECT_EQ(header.Colours, 16);
  EXPECT_EQ(header.ColourTable[15], gdi::RGB(15, 15, 15));
  EXPECT_EQ(header.ColourTable[16], 0u);
}

struct RefusedHeader {
  const char* name;
  std::function<void(std::vector<std::uint8_t>&)> damage;
};

class BmpHeaderRefusal : public ::testing::TestWithParam<RefusedHeader> {};

TEST_P(BmpHeaderRefusal, ThrowsDataError) {
  std::vector<std::uint8_t> bytes = MakeBmp(test::MakeImage(4, 4, [](int x, int y) { return x * y; }));
  GetParam().damage(bytes);
  MemoryUnderlayBytes source(bytes);
  EXPECT_THROW(ReadBmpHeader(source), DataError);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BmpHeaderRefusal,
    ::testing::Values(
        RefusedHeader{"InfoHeader12", [](auto& b) { PutU32(b, 14, 12); }},
        RefusedHeader{"InfoHeader124", [](auto& b) { PutU32(b, 14, 124); }},
        RefusedHeader{"FourBits", [](auto& b) { PutU16(b, 28, 4); }},
        RefusedHeader{"TwentyFourBits", [](auto& b) { PutU16(b, 28, 24); }},
        RefusedHeader{"OneColumn", [](auto& b) { PutU32(b, 18, 1); }},
        RefusedHeader{"OneRow", [](auto& b) { PutU32(b, 22, 1); }},
        RefusedHeader{"TopDownRows", [](auto& b) { PutU32(b, 22, static_cast<std::uint32_t>(-4)); }},
        RefusedHeader{"HugeWidth", [](auto& b) { PutU32(b, 18, 0x7FFFFFFF); }},
        RefusedHeader{"TooManyColours", [](auto& b) { PutU32(b, 46, 257); }},
        RefusedHeader{"PixelsInsideColourTable", [](auto& b) { PutU32(b, 10, 54 + 100); }},
        RefusedHeader{"PixelsPastTheEnd", [](auto& b) { PutU32(b, 10, static_cast<std::uint32_t>(b.size() + 1)); }},
        RefusedHeader{"HeaderCut", [](auto& b) { b.resize(40); }},
        RefusedHeader{"ColourTableCut", [](auto& b) { b.resize(54 + 500); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quelmar::render
