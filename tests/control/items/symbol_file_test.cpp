// Symbol bitmap files: 8-bit and 24-bit pictures read the right way up,
// refusal of what is not such a file, and every truncation refused.
#include "control/items/symbol_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "control/core/errors.h"
#include "symbol_fixtures.h"
#include "tests/control/render/underlay_test_support.h"

namespace quelmar::items {
namespace {

// Widths of 4 leave no row padding, so every byte cut off is a byte of the picture.
std::vector<std::uint8_t> Eight() {
  render::test::TestImage image = render::test::MakeImage(4, 2, [](int x, int y) { return x + 4 * y; });
  image.Colours[4] = gdi::RGB(200, 10, 20);
  return render::test::MakeBmp(image);
}

std::vector<std::uint8_t> TwentyFour() {
  auto picture = test::Picture(4, 3, [](int x, int y) { return gdi::RGB(static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(60 * y), 99); });
  return test::Bmp24(*picture);
}

TEST(SymbolFile, ReadsEightBitPicturesTopRowFirst) {
  std::vector<std::uint8_t> bytes = Eight();
  render::MemoryUnderlayBytes source(bytes);
  const auto symbol = ReadSymbolBitmap(source);
  ASSERT_EQ(symbol->Width(), 4);
  ASSERT_EQ(symbol->Height(), 2);
  EXPECT_EQ(symbol->Index(2, 1), 6);
  EXPECT_EQ(symbol->Colour(0, 1), gdi::RGB(200, 10, 20));
}

TEST(SymbolFile, ReadsTwentyFourBitPictures) {
  std::vector<std::uint8_t> bytes = TwentyFour();
  render::MemoryUnderlayBytes source(bytes);
  const auto symbol = ReadSymbolBitmap(source);
  ASSERT_EQ(symbol->Width(), 4);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(symbol->Colour(x, y), gdi::RGB(static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(60 * y), 99));
    }
  }
}

TEST(SymbolFile, RefusesWhatItCannotRead) {
  struct Case {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    bool u16;
  };
  for (const Case c : {Case{"16 bits a pixel", 28, 16, true}, Case{"compressed rows", 30, 1, false},
                       Case{"no width", 18, 0, false}, Case{"a huge width", 18, 1u << 30, false},
                       Case{"a negative height", 22, 0xFFFFFFFEu, false}, Case{"pixels past the end", 10, 1u << 20, false},
                       Case{"an old info header", 14, 12, false}}) {
    SCOPED_TRACE(c.what);
    std::vector<std::uint8_t> bytes = TwentyFour();
    if (c.u16) {
      render::test::PutU16(bytes, c.offset, static_cast<std::uint16_t>(c.value));
    } else {
      render::test::PutU32(bytes, c.offset, c.value);
    }
    render::MemoryUnderlayBytes source(bytes);
    EXPECT_THROW(ReadSymbolBitmap(source), DataError);
  }
}

TEST(SymbolFile, EveryTruncationIsRefused) {
  for (const std::vector<std::uint8_t>& whole : {Eight(), TwentyFour()}) {
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
      std::vector<std::uint8_t> bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
      render::MemoryUnderlayBytes source(bytes);
      EXPECT_THROW(ReadSymbolBitmap(source), DataError) << "cut at " << cut;
    }
  }
}

TEST(SymbolFile, FilesNameThemselvesInTheirErrors) {
  render::test::ScratchFolder folder;
  const std::string path = (folder.Path() / "bad.bmp").string();
  std::ofstream(path) << "BM not a bitmap";
  try {
    LoadSymbolFile(path);
    FAIL() << "a bad file was read";
  } catch (const DataError& e) {
    EXPECT_NE(std::string(e.what()).find("bad.bmp"), std::string::npos) << e.what();
  }
  EXPECT_THROW(LoadSymbolFile((folder.Path() / "missing.bmp").string()), IoError);
}

}  // namespace
}  // namespace quelmar::items
