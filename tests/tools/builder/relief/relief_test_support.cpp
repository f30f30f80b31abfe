#include "relief_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

#include <atomic>

#include <jpeglib.h>

#include "tools/quelmar-data/builder/relief/srtm_tiles.h"

namespace quelmar::builder::test {

std::string EncodeGreyJpeg(const GreyImage& image) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.Width);
  info.image_height = static_cast<JDIMENSION>(image.Height);
  info.input_components = 1;
  info.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    auto* row = const_cast<JSAMPROW>(image.Pixels.data() + static_cast<std::size_t>(info.next_scanline) * info.image_width);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

GreyImage FlatImage(std::int32_t width, std::int32_t height, std::uint8_t grey) {
  GreyImage image;
  image.Width = width;
  image.Height = height;
  image.Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), grey);
  return image;
}

std::filesystem::path WriteFlatTiles(const std::filesystem::path& inputsDir, int level, std::int32_t tileSize,
                                     const std::function<std::uint8_t(int row, int column)>& grey) {
  const std::filesystem::path theme = SrtmThemeFolder(inputsDir);
  for (int row = 0; row < (1 << level); ++row) {
    char rowName[16];
    std::snprintf(rowName, sizeof rowName, "%06d", row);
    const std::filesystem::path folder = theme / std::to_string(level) / rowName;
    std::filesystem::create_directories(folder);
    for (int column = 0; column < (2 << level); ++column) {
      char name[40];
      std::snprintf(name, sizeof name, "%06d_%06d.jpg", row, column);
      const std::string bytes = EncodeGreyJpeg(FlatImage(tileSize, tileSize, grey(row, column)));
      std::ofstream out(folder / name, std::ios::binary);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      if (!out) throw std::runtime_error("cannot write a fixture tile");
    }
  }
  return theme;
}

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("quelmar-relief-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace quelmar::builder::test
