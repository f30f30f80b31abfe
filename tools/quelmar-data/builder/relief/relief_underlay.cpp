#include "tools/quelmar-data/builder/relief/relief_underlay.h"

#include <charconv>
#include <cmath>

#include "control/core/errors.h"
#include "platform/kernel/atomic_file.h"
#include "tools/quelmar-data/builder/relief/grey_bmp.h"
#include "tools/quelmar-data/builder/relief/srtm_tiles.h"

namespace quelmar::builder {
namespace {

// Larger images are refused; the default area is 3,450 × 1,650 pixels.
constexpr std::int64_t kMaxSide = 20000;

std::string Degrees(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
  return std::string(text, result.ptr);
}

void WriteFile(const std::filesystem::path& path, std::string_view contents) {
  std::error_code error;
  if (!kernel::WriteFileAtomically(path, contents, &error)) {
    throw IoError("cannot write \"" + path.string() + "\": " + error.message());
  }
}

}  // namespace

std::uint8_t ReliefHeight(std::uint8_t grey) {
  if (grey < kSeaLevelGrey) return 0;
  return static_cast<std::uint8_t>(1 + (static_cast<int>(grey - kSeaLevelGrey) * 254 + 79) / 158);
}

ReliefUnderlayFiles WriteReliefUnderlay(const std::filesystem::path& inputsDir, const std::filesystem::path& outputFolder,
                                        const ReliefUnderlayOptions& options) {
  const SrtmTiles tiles(SrtmThemeFolder(inputsDir), options.Level);
  const double perDegree = tiles.PixelsPerDegree();
  // World pixels whose centres lie inside the area.
  const auto x0 = static_cast<std::int64_t>(std::ceil((options.West + 180.0) * perDegree - 0.5));
  const auto x1 = static_cast<std::int64_t>(std::ceil((options.East + 180.0) * perDegree - 0.5));
  const auto y0 = static_cast<std::int64_t>(std::ceil((90.0 - options.North) * perDegree - 0.5));
  const auto y1 = static_cast<std::int64_t>(std::ceil((90.0 - options.South) * perDegree - 0.5));
  if (!(options.West < options.East && options.South < options.North) || x0 < 0 || y0 < 0 ||
      x1 > tiles.WorldWidth() || y1 > tiles.WorldHeight() || x1 - x0 < 2 || y1 - y0 < 2 || x1 - x0 > kMaxSide ||
      y1 - y0 > kMaxSide) {
    throw DataError("relief area must lie inside the world and span 2 to " + std::to_string(kMaxSide) +
                    " pixels each way");
  }

  GreyImage relief = tiles.Window(x0, y0, static_cast<std::int32_t>(x1 - x0), static_cast<std::int32_t>(y1 - y0));
  for (std::uint8_t& pixel : relief.Pixels) pixel = ReliefHeight(pixel);

  std::error_code error;
  std::filesystem::create_directories(outputFolder, error);
  if (error) throw IoError("cannot create \"" + outputFolder.string() + "\": " + error.message());

  ReliefUnderlayFiles files;
  files.Image = outputFolder / (options.BaseName + ".bmp");
  files.Extent = outputFolder / (options.BaseName + ".sat");
  files.Width = relief.Width;
  files.Height = relief.Height;
  // The extent names the centres of the corner pixels.
  auto longitude = [&](std::int64_t x) { return -180.0 + (static_cast<double>(x) + 0.5) / perDegree; };
  auto latitude = [&](std::int64_t y) { return 90.0 - (static_cast<double>(y) + 0.5) / perDegree; };
  const std::string extent = Degrees(longitude(x0)) + "," + Degrees(latitude(y0)) + "," + Degrees(longitude(x1 - 1)) +
                             "," + Degrees(latitude(y1 - 1)) + "\r\n";
  WriteFile(files.Image, EncodeGreyBmp(relief));
  WriteFile(files.Extent, extent);
  return files;
}

}  // namespace quelmar::builder
