#pragma once
// Underlay image fixtures written byte by byte, apart from the readers under
// test: plain 8-bit bitmaps, their row-compressed ".PCC" form, extent lines,
// and a scratch folder to put them in.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "control/render/underlay_colours.h"

namespace quelmar::render::test {

struct TestImage {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::vector<std::uint8_t> Pixels;  // top row first, Width bytes a row
  UnderlayColours Colours{};         // written as the colour table
  std::uint32_t ColoursUsed = 0;     // the header field (0 means 256)

  std::uint8_t At(std::int32_t x, std::int32_t y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};

// An image whose pixel (x, y) is pixel(x, y), with a grey colour table
// (entry i = RGB(i, i, i)).
template <typename PixelFn>
TestImage MakeImage(std::int32_t width, std::int32_t height, PixelFn pixel) {
  TestImage image;
  image.Width = width;
  image.Height = height;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) image.Pixels.push_back(static_cast<std::uint8_t>(pixel(x, y)));
  }
  for (int i = 0; i < 256; ++i) {
    image.Colours[static_cast<std::size_t>(i)] =
        static_cast<std::uint32_t>(i) | (static_cast<std::uint32_t>(i) << 8) | (static_cast<std::uint32_t>(i) << 16);
  }
  return image;
}

// File header, 40-byte info header, a colour table of 256 entries, then the
// rows bottom first, each padded to 4 bytes.
std::vector<std::uint8_t> MakeBmp(const TestImage& image);
// The same header; the pixel area is the table of H + 2 row offsets followed
// by the rows bottom first, each run-length coded.
std::vector<std::uint8_t> MakePcc(const TestImage& image);

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value);
void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
std::uint32_t GetU32(const std::vector<std::uint8_t>& bytes, std::size_t offset);

// A folder under the system's temporary folder, removed with its contents.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  std::filesystem::path Write(const std::string& name, const std::string& text) const;

 private:
  std::filesystem::path path_;
};

}  // namespace quelmar::render::test
