#pragma once
// Independent tools that read the control's files back (pdfinfo, pdftoppm,
// ImageMagick): running one, and reading the binary PPM rasters they write.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace quelmar::testing {

// What the command writes to its standard output.
inline std::string RunCommand(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

// A binary PPM (P6) as pixels $00BBGGRR; empty when it cannot be read.
struct Raster {
  int width = 0, height = 0;
  std::vector<gdi::COLORREF> pixels;
  gdi::COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline Raster ReadPpm(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  Raster r;
  if (!(in >> magic >> r.width >> r.height >> maxValue) || magic != "P6" || maxValue != 255) return {};
  in.get();
  std::vector<unsigned char> bytes(static_cast<std::size_t>(r.width) * r.height * 3);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return {};
  for (std::size_t i = 0; i < bytes.size(); i += 3) r.pixels.push_back(gdi::RGB(bytes[i], bytes[i + 1], bytes[i + 2]));
  return r;
}

}  // namespace quelmar::testing
