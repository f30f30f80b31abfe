// WriteReliefUnderlay on a fixture of flat tiles (exact values, extent and
// determinism, read back by the control's readers), its refusals, and on the
// real tiles of the fetched inputs (skipped when QUELMAR_INPUTS is unset).
#include "tools/quelmar-data/builder/relief/relief_underlay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "control/core/errors.h"
#include "control/render/bmp_header.h"
#include "control/render/bmp_rows.h"
#include "control/render/sat_extent.h"
#include "relief_test_support.h"
#include "tools/quelmar-data/builder/relief/srtm_tiles.h"

namespace quelmar::builder {
namespace {

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The heights of a written underlay, top row first, through the control's reader.
GreyImage ReadUnderlay(const std::filesystem::path& file) {
  render::FileUnderlayBytes bytes(file.string());
  const render::BmpHeader header = render::ReadBmpHeader(bytes);
  render::BmpRowReader rows(bytes, header);
  GreyImage image;
  image.Width = header.Width;
  image.Height = header.Height;
  image.Pixels.resize(static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));
  for (std::int32_t y = 0; y < image.Height; ++y) {
    rows.ReadRow(image.Height - 1 - y,
                 std::span(image.Pixels).subspan(static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width),
                                                 static_cast<std::size_t>(image.Width)));
  }
  return image;
}

TEST(ReliefHeight, SeaIsZeroAndLandRunsFromOneTo255) {
  EXPECT_EQ(ReliefHeight(0), 0);
  EXPECT_EQ(ReliefHeight(96), 0);
  EXPECT_EQ(ReliefHeight(97), 1);
  EXPECT_EQ(ReliefHeight(98), 3);  // 1 + round(254 / 158)
  EXPECT_EQ(ReliefHeight(176), 128);
  EXPECT_EQ(ReliefHeight(255), 255);
}

// Level 3 with 9-pixel tiles: 144 × 72 world pixels, 0.4 a degree. The
// default area takes columns 0..45 and rows 7..28.
std::uint8_t FixtureGrey(int row, int column) { return static_cast<std::uint8_t>(80 + 25 * column + 7 * row); }

class ReliefFixture : public ::testing::Test {
 protected:
  void SetUp() override { test::WriteFlatTiles(inputs_.Path(), 3, 9, FixtureGrey); }
  test::ScratchFolder inputs_;
  test::ScratchFolder output_;
};

TEST_F(ReliefFixture, HeightsAndExtentOfTheArea) {
  const ReliefUnderlayFiles files = WriteReliefUnderlay(inputs_.Path(), output_.Path() / "relief");
  EXPECT_EQ(files.Image, output_.Path() / "relief" / "usrelief.bmp");
  EXPECT_EQ(files.Width, 46);
  EXPECT_EQ(files.Height, 22);
  const GreyImage image = ReadUnderlay(files.Image);
  ASSERT_EQ(image.Width, 46);
  ASSERT_EQ(image.Height, 22);
  for (int y = 0; y < 22; ++y) {
    for (int x = 0; x < 46; ++x) {
      ASSERT_EQ(image.At(x, y), ReliefHeight(FixtureGrey((y + 7) / 9, x / 9))) << x << "," << y;
    }
  }
  EXPECT_EQ(image.At(0, 0), 0);  // grey 80: below sea level
  // Pixel centres: longitude -180 + (x + 0.5) / 0.4, latitude 90 - (y + 0.5) / 0.4.
  EXPECT_EQ(ReadText(files.Extent), "-178.750000,71.250000,-66.250000,18.750000\r\n");
  const core::MapRect extent = render::ReadExtentFile(files.Image);
  EXPECT_EQ(extent.x1, -2792969);  // -178.75 × 15625 = -2,792,968.75
  EXPECT_EQ(extent.y2, 292969);    // 18.75 × 15625 = 292,968.75
}

TEST_F(ReliefFixture, OutputIsTheSameEveryTime) {
  const ReliefUnderlayFiles first = WriteReliefUnderlay(inputs_.Path(), output_.Path() / "a");
  const ReliefUnderlayFiles second = WriteReliefUnderlay(inputs_.Path(), output_.Path() / "b");
  EXPECT_EQ(ReadText(first.Image), ReadText(second.Image));
  EXPECT_EQ(ReadText(first.Extent), ReadText(second.Extent));
}

TEST_F(ReliefFixture, AreaOutsideTheWorldOrEmptyIsADataError) {
  ReliefUnderlayOptions options;
  options.West = -190;
  EXPECT_THROW(WriteReliefUnderlay(inputs_.Path(), output_.Path(), options), DataError);
  options.West = -100;
  options.East = -100;
  EXPECT_THROW(WriteReliefUnderlay(inputs_.Path(), output_.Path(), options), DataError);
}

TEST_F(ReliefFixture, DamagedTileIsADataErrorAndAMissingOneAnIoError) {
  const std::filesystem::path row = SrtmThemeFolder(inputs_.Path()) / "3" / "000001";
  {
    std::ofstream damaged(row / "000001_000002.jpg", std::ios::binary | std::ios::trunc);
    damaged << "not a jpeg";
  }
  EXPECT_THROW(WriteReliefUnderlay(inputs_.Path(), output_.Path()), DataError);
  std::filesystem::remove(row / "000001_000002.jpg");
  EXPECT_THROW(WriteReliefUnderlay(inputs_.Path(), output_.Path()), IoError);
}

TEST(ReliefUnderlay, MissingInputsAreIoErrors) {
  test::ScratchFolder output;
  EXPECT_THROW(WriteReliefUnderlay("/nonexistent/quelmar/inputs", output.Path()), IoError);
}

// --- The real tiles ------------------------------------------------------------

class RealReliefUnderlay : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const char* inputs = std::getenv("QUELMAR_INPUTS");
    if (inputs == nullptr || !std::filesystem::is_directory(SrtmThemeFolder(inputs))) return;
    output_ = new test::ScratchFolder();
    files_ = WriteReliefUnderlay(inputs, output_->Path());
    image_ = new GreyImage(ReadUnderlay(files_.Image));
  }
  static void TearDownTestSuite() {
    delete image_;
    delete output_;
    image_ = nullptr;
    output_ = nullptr;
  }
  void SetUp() override {
    if (image_ == nullptr) GTEST_SKIP() << "QUELMAR_INPUTS does not name the fetched input packages";
  }

  // The height at a longitude and latitude (30 pixels a degree from 180° W, 72° N).
  static int HeightAt(double lon, double lat) {
    return image_->At(static_cast<std::int32_t>((lon + 180.0) * 30.0), static_cast<std::int32_t>((72.0 - lat) * 30.0));
  }

  static test::ScratchFolder* output_;
  static ReliefUnderlayFiles files_;
  static GreyImage* image_;
};

test::ScratchFolder* RealReliefUnderlay::output_ = nullptr;
ReliefUnderlayFiles RealReliefUnderlay::files_;
GreyImage* RealReliefUnderlay::image_ = nullptr;

TEST_F(RealReliefUnderlay, CoversTheCountryAtThirtyPixelsADegree) {
  EXPECT_EQ(image_->Width, 3450);
  EXPECT_EQ(image_->Height, 1650);
  EXPECT_EQ(ReadText(files_.Extent), "-179.983333,71.983333,-65.016667,17.016667\r\n");
}

TEST_F(RealReliefUnderlay, SeaIsEmptyAndTheGroundRisesWhereItShould) {
  EXPECT_EQ(HeightAt(-70.0, 30.0), 0);    // the Atlantic
  EXPECT_EQ(HeightAt(-90.0, 26.0), 0);    // the Gulf of Mexico
  EXPECT_EQ(HeightAt(-140.0, 40.0), 0);   // the Pacific
  const int florida = HeightAt(-81.5, 28.0);
  const int kansas = HeightAt(-98.0, 38.0);
  const int denver = HeightAt(-104.9, 39.7);
  const int pikesPeak = HeightAt(-105.04, 38.84);
  EXPECT_GT(florida, 0);
  EXPECT_LT(florida, kansas);
  EXPECT_LT(kansas, denver);
  EXPECT_LT(denver, pikesPeak);
  EXPECT_GT(HeightAt(-155.47, 19.82), denver);       // Mauna Kea, Hawaii
  EXPECT_GT(HeightAt(-151.0, 63.07), pikesPeak - 20);  // Denali, Alaska
}

}  // namespace
}  // namespace quelmar::builder
