#include "underlay_test_support.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <stdexcept>

namespace quelmar::render::test {
namespace {

constexpr std::size_t kPixelAreaOffset = 54 + 256 * 4;

std::vector<std::uint8_t> Header(const TestImage& image, std::size_t fileSize) {
  std::vector<std::uint8_t> bytes(kPixelAreaOffset, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutU32(bytes, 2, static_cast<std::uint32_t>(fileSize));
  PutU32(bytes, 10, static_cast<std::uint32_t>(kPixelAreaOffset));
  PutU32(bytes, 14, 40);
  PutU32(bytes, 18, static_cast<std::uint32_t>(image.Width));
  PutU32(bytes, 22, static_cast<std::uint32_t>(image.Height));
  PutU16(bytes, 26, 1);
  PutU16(bytes, 28, 8);
  PutU32(bytes, 46, image.ColoursUsed);
  for (std::size_t i = 0; i < 256; ++i) {
    const std::uint32_t c = image.Colours[i];  // 0x00BBGGRR
    bytes[54 + i * 4] = static_cast<std::uint8_t>(c >> 16);
    bytes[54 + i * 4 + 1] = static_cast<std::uint8_t>(c >> 8);
    bytes[54 + i * 4 + 2] = static_cast<std::uint8_t>(c);
  }
  return bytes;
}

std::vector<std::uint8_t> EncodeRow(const std::uint8_t* row, std::int32_t width) {
  std::vector<std::uint8_t> codes;
  std::int32_t x = 0;
  while (x < width) {
    std::int32_t run = 1;
    while (x + run < width && run < 63 && row[x + run] == row[x]) ++run;
    if (run == 1 && row[x] < 192) {
      codes.push_back(row[x]);
    } else {
      codes.push_back(static_cast<std::uint8_t>(192 + run));
      codes.push_back(row[x]);
    }
    x += run;
  }
  return codes;
}

}  // namespace

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<std::uint8_t>(value);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetU32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[offset + static_cast<std::size_t>(i)];
  return value;
}

std::vector<std::uint8_t> MakeBmp(const TestImage& image) {
  const std::size_t stride = (static_cast<std::size_t>(image.Width) + 3) / 4 * 4;
  std::vector<std::uint8_t> bytes = Header(image, kPixelAreaOffset + stride * static_cast<std::size_t>(image.Height));
  for (std::int32_t y = image.Height - 1; y >= 0; --y) {
    const std::size_t start = bytes.size();
    bytes.resize(start + stride, 0);
    for (std::int32_t x = 0; x < image.Width; ++x) bytes[start + static_cast<std::size_t>(x)] = image.At(x, y);
  }
  return bytes;
}

std::vector<std::uint8_t> MakePcc(const TestImage& image) {
  std::vector<std::vector<std::uint8_t>> rows;  // bottom row first
  for (std::int32_t y = image.Height - 1; y >= 0; --y) {
    rows.push_back(EncodeRow(&image.Pixels[static_cast<std::size_t>(y * image.Width)], image.Width));
  }
  const std::size_t tableSize = 4 * (static_cast<std::size_t>(image.Height) + 2);
  std::size_t size = kPixelAreaOffset + tableSize;
  for (const auto& row : rows) size += row.size();
  std::vector<std::uint8_t> bytes = Header(image, size);
  bytes.resize(kPixelAreaOffset + tableSize, 0);
  // Entry r - 1 is where row r begins, so entry r is where row r ends.
  std::size_t end = kPixelAreaOffset + tableSize;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    end += rows[r].size();
    PutU32(bytes, kPixelAreaOffset + 4 * r, static_cast<std::uint32_t>(end));
  }
  PutU32(bytes, kPixelAreaOffset + 4 * rows.size(), static_cast<std::uint32_t>(end));
  PutU32(bytes, kPixelAreaOffset + 4 * (rows.size() + 1), static_cast<std::uint32_t>(end));
  for (const auto& row : rows) bytes.insert(bytes.end(), row.begin(), row.end());
  return bytes;
}

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("quelmar-underlay-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
  return file;
}

std::filesystem::path ScratchFolder::Write(const std::string& name, const std::string& text) const {
  return Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace quelmar::render::test
