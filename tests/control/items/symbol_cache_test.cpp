// The symbol caches: one entry per file path (letter case kept), host
// bitmaps by handle and bitmap, limits, and unused entries dropped.
#include "control/items/symbol_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "control/core/errors.h"
#include "symbol_fixtures.h"
#include "tests/control/render/underlay_test_support.h"

namespace quelmar::items {
namespace {

void WriteBmp(const std::filesystem::path& path, gdi::COLORREF colour) {
  auto picture = test::Picture(4, 4, [colour](int, int) { return colour; });
  const std::vector<std::uint8_t> bytes = test::Bmp24(*picture);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(FileBitmapCache, PathsThatDifferOnlyInCaseOrLengthAreTwoEntries) {
  render::test::ScratchFolder folder;
  const std::string longName(90, 'a');
  WriteBmp(folder.Path() / "car.bmp", gdi::RGB(255, 0, 0));
  WriteBmp(folder.Path() / "CAR.bmp", gdi::RGB(0, 0, 255));
  WriteBmp(folder.Path() / (longName + "1.bmp"), gdi::RGB(0, 255, 0));
  WriteBmp(folder.Path() / (longName + "2.bmp"), gdi::RGB(9, 9, 9));
  FileBitmapCache cache;
  const auto lower = cache.Get((folder.Path() / "car.bmp").string());
  const auto upper = cache.Get((folder.Path() / "CAR.bmp").string());
  const auto first = cache.Get((folder.Path() / (longName + "1.bmp")).string());
  const auto second = cache.Get((folder.Path() / (longName + "2.bmp")).string());
  EXPECT_EQ(cache.Size(), 4u);
  EXPECT_EQ(lower->Colour(0, 0), gdi::RGB(255, 0, 0));
  EXPECT_EQ(upper->Colour(0, 0), gdi::RGB(0, 0, 255));
  EXPECT_NE(first->Colour(0, 0), second->Colour(0, 0));
  // The same file by another spelling of its path is the same entry.
  EXPECT_EQ(cache.Get((folder.Path() / "x" / ".." / "car.bmp").string()), lower);
  std::string backslashed = (folder.Path() / "car.bmp").string();
  std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
  EXPECT_EQ(cache.Get(backslashed), lower);
  EXPECT_EQ(cache.Size(), 4u);
}

TEST(FileBitmapCache, AFileThatDoesNotReadLeavesNoEntry) {
  render::test::ScratchFolder folder;
  std::ofstream(folder.Path() / "bad.bmp") << "nothing";
  FileBitmapCache cache;
  EXPECT_THROW(cache.Get((folder.Path() / "bad.bmp").string()), DataError);
  EXPECT_THROW(cache.Get((folder.Path() / "none.bmp").string()), IoError);
  EXPECT_EQ(cache.Size(), 0u);
}

TEST(FileBitmapCache, WhenFullOnlySymbolsInUseKeepTheirPlace) {
  render::test::ScratchFolder folder;
  FileBitmapCache cache;
  std::vector<std::shared_ptr<const Symbol>> inUse;
  for (std::size_t i = 0; i < kMaxCachedSymbols; ++i) {
    const auto path = folder.Path() / ("s" + std::to_string(i) + ".bmp");
    WriteBmp(path, gdi::RGB(1, 2, static_cast<std::uint8_t>(i)));
    inUse.push_back(cache.Get(path.string()));
  }
  const auto extra = folder.Path() / "extra.bmp";
  WriteBmp(extra, 0);
  EXPECT_EQ(cache.Get(extra.string()), nullptr);  // full of symbols in use
  inUse.pop_back();
  EXPECT_NE(cache.Get(extra.string()), nullptr);
  EXPECT_EQ(cache.Size(), kMaxCachedSymbols);
  inUse.clear();
  cache.DropUnused();
  EXPECT_EQ(cache.Size(), 0u);
}

TEST(HostBitmapCache, CopiesOnceAndRefusesHandlesThatNameNoBitmap) {
  auto picture = test::Picture(3, 3, [](int, int) { return gdi::RGB(10, 20, 30); });
  const gdi::HBITMAP handle = gdi::RegisterBitmap(picture.get());
  HostBitmapCache cache;
  const auto symbol = cache.Get(handle);
  EXPECT_EQ(symbol->Colour(1, 1), gdi::RGB(10, 20, 30));
  picture->SetPixel(1, 1, 0);
  EXPECT_EQ(cache.Get(handle), symbol);  // the copy made on assignment is kept
  gdi::ReleaseBitmap(handle);
  EXPECT_THROW(cache.Get(handle), ArgumentError);  // freed by the host
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_THROW(cache.Get(0), ArgumentError);
  EXPECT_THROW(cache.Get(123456789), ArgumentError);
}

}  // namespace
}  // namespace quelmar::items
