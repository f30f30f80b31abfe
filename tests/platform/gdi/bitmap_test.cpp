#include "platform/gdi/bitmap.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/gdi/pixel_checks.h"

namespace quelmar::gdi {
namespace {

namespace fs = std::filesystem;
using testing::kBlack;
using testing::kWhite;

// A fresh, empty folder per test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    path_ = fs::temp_directory_path() /
            ("quelmar_bitmap_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter_++));
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    return names;
  }

 private:
  static inline int counter_ = 0;
  fs::path path_;
};

TEST(BitmapTest, NewBitmapIsBlackAndReportsItsSize) {
  Bitmap bitmap(7, 3);
  EXPECT_EQ(bitmap.Width(), 7);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(testing::CountPixels(bitmap, kBlack), 21);
}

TEST(BitmapTest, PixelsKeepTheirColourAndReadZeroOutside) {
  Bitmap bitmap(4, 4);
  bitmap.Fill(kWhite);
  bitmap.SetPixel(1, 2, RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(bitmap.Pixel(1, 2), 0x00563412u);  // $00BBGGRR
  EXPECT_EQ(bitmap.Pixel(0, 0), kWhite);
  for (const Point p : {Point{-1, 0}, Point{0, -1}, Point{4, 0}, Point{0, 4}}) {
    bitmap.SetPixel(p.x, p.y, kBlack);  // ignored, no crash
    EXPECT_EQ(bitmap.Pixel(p.x, p.y), 0u);
  }
  EXPECT_EQ(testing::CountPixels(bitmap, kWhite), 15);
}

TEST(BitmapTest, ResizeChangesSizeAndZeroSizeIsAllowed) {
  Bitmap bitmap(2, 2);
  bitmap.Resize(0, 0);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0u);
  bitmap.Resize(5, 6);
  bitmap.Fill(kWhite);
  EXPECT_EQ(testing::CountPixels(bitmap, kWhite), 30);
}

struct HostileSize {
  int width, height;
};

class BitmapHostileSizeTest : public ::testing::TestWithParam<HostileSize> {};

TEST_P(BitmapHostileSizeTest, ConstructorAndResizeThrowInvalidArgument) {
  const HostileSize size = GetParam();
  EXPECT_THROW({ Bitmap bitmap(size.width, size.height); }, std::invalid_argument);
  Bitmap bitmap(3, 3);
  EXPECT_THROW(bitmap.Resize(size.width, size.height), std::invalid_argument);
  EXPECT_EQ(bitmap.Width(), 3) << "a failed resize keeps the old buffer";
  bitmap.Fill(kWhite);
  EXPECT_EQ(bitmap.Pixel(2, 2), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BitmapHostileSizeTest,
                         ::testing::Values(HostileSize{-1, 10}, HostileSize{10, -1}, HostileSize{INT_MIN, INT_MIN},
                                           HostileSize{32768, 1}, HostileSize{1, 32768}, HostileSize{INT_MAX, INT_MAX},
                                           HostileSize{30000, 30000}));

TEST(BitmapSavePngTest, RoundTripsThroughCairo) {
  TempFolder folder;
  Bitmap bitmap(5, 4);
  bitmap.Fill(kWhite);
  bitmap.SetPixel(0, 0, RGB(255, 0, 0));
  bitmap.SetPixel(4, 3, RGB(1, 2, 3));
  const std::string path = (folder.Path() / "out.png").string();
  ASSERT_TRUE(bitmap.SavePng(path));

  cairo_surface_t* read = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(read), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(read), 5);
  EXPECT_EQ(cairo_image_surface_get_height(read), 4);
  const unsigned char* data = cairo_image_surface_get_data(read);
  const int stride = cairo_image_surface_get_stride(read);
  const auto pixel = [&](int x, int y) {
    return reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0x00FFFFFFu;  // 0xRRGGBB
  };
  EXPECT_EQ(pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(pixel(4, 3), 0x010203u);
  EXPECT_EQ(pixel(2, 2), 0xFFFFFFu);
  cairo_surface_destroy(read);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out.png"}) << "no temporary file left behind";
}

TEST(BitmapSavePngTest, ReplacesAnExistingFile) {
  TempFolder folder;
  const std::string path = (folder.Path() / "map.png").string();
  std::ofstream(path) << "old contents";
  Bitmap bitmap(2, 2);
  ASSERT_TRUE(bitmap.SavePng(path));
  cairo_surface_t* read = cairo_image_surface_create_from_png(path.c_str());
  EXPECT_EQ(cairo_surface_status(read), CAIRO_STATUS_SUCCESS);
  cairo_surface_destroy(read);
  EXPECT_EQ(folder.Entries().size(), 1u);
}

TEST(BitmapSavePngTest, FailureInAMissingFolderLeavesNothing) {
  TempFolder folder;
  Bitmap bitmap(2, 2);
  EXPECT_FALSE(bitmap.SavePng((folder.Path() / "missing" / "out.png").string()));
  EXPECT_FALSE(bitmap.SavePng(""));
  EXPECT_TRUE(folder.Entries().empty());
}

TEST(BitmapSavePngTest, FailureKeepsTheOldFileAndLeavesNoTemporary) {
  TempFolder folder;
  // A folder where the file should go: the PNG is written, the rename fails.
  const fs::path target = folder.Path() / "taken.png";
  fs::create_directory(target);
  std::ofstream(target / "inside.txt") << "keep";
  Bitmap bitmap(2, 2);
  EXPECT_FALSE(bitmap.SavePng(target.string()));
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_TRUE(fs::exists(target / "inside.txt"));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"taken.png"});

  // A bitmap PNG cannot hold (no pixels) fails while writing; the old file stays.
  const std::string path = (folder.Path() / "old.png").string();
  std::ofstream(path) << "old contents";
  Bitmap empty(0, 0);
  EXPECT_FALSE(empty.SavePng(path));
  std::ifstream in(path);
  std::string contents;
  std::getline(in, contents);
  EXPECT_EQ(contents, "old contents");
  EXPECT_EQ(folder.Entries().size(), 2u);
}

}  // namespace
}  // namespace quelmar::gdi
