#include "platform/gdi/bitmap.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

#include "platform/gdi/bitmap_impl.h"

namespace quelmar::gdi {
namespace {

// Cairo refuses image surfaces wider or taller than this.
constexpr int kMaxSide = 32767;
// A cap on the whole buffer (1 GiB of pixels) so a hostile size fails with a
// clear error instead of exhausting memory later.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

cairo_surface_t* CreateSurface(int width, int height) {
  if (width < 0 || height < 0) {
    throw std::invalid_argument("Bitmap size must not be negative: " + std::to_string(width) + "x" +
                                std::to_string(height));
  }
  if (width > kMaxSide || height > kMaxSide ||
      static_cast<std::int64_t>(width) * static_cast<std::int64_t>(height) > kMaxPixels) {
    throw std::invalid_argument("Bitmap size too large: " + std::to_string(width) + "x" + std::to_string(height));
  }
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    throw std::bad_alloc();
  }
  return surface;
}

// Writes PNG bytes produced by Cairo to an open file descriptor.
cairo_status_t WriteToFd(void* closure, const unsigned char* data, unsigned int length) {
  const int fd = *static_cast<int*>(closure);
  while (length > 0) {
    const ssize_t written = ::write(fd, data, length);
    if (written < 0) {
      if (errno == EINTR) continue;
      return CAIRO_STATUS_WRITE_ERROR;
    }
    data += written;
    length -= static_cast<unsigned int>(written);
  }
  return CAIRO_STATUS_SUCCESS;
}

// Creates a new file beside `path` that no one else uses; -1 on failure.
int CreateTemporaryBeside(const std::string& path, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

Bitmap::Bitmap(int width, int height) : impl_(std::make_unique<Impl>()) {
  impl_->surface = CreateSurface(width, height);
  impl_->width = width;
  impl_->height = height;
}

Bitmap::~Bitmap() { cairo_surface_destroy(impl_->surface); }

int Bitmap::Width() const { return impl_->width; }
int Bitmap::Height() const { return impl_->height; }

void Bitmap::Resize(int width, int height) {
  if (width == impl_->width && height == impl_->height) return;
  cairo_surface_t* replacement = CreateSurface(width, height);
  cairo_surface_destroy(impl_->surface);
  impl_->surface = replacement;
  impl_->width = width;
  impl_->height = height;
}

COLORREF Bitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= impl_->width || y >= impl_->height) return 0;
  impl_->BeginPixelAccess();
  return FromDevicePixel(impl_->Row(y)[x]);
}

void Bitmap::SetPixel(int x, int y, COLORREF color) {
  if (x < 0 || y < 0 || x >= impl_->width || y >= impl_->height) return;
  impl_->BeginPixelAccess();
  impl_->Row(y)[x] = ToDevicePixel(color);
  impl_->EndPixelAccess();
}

void Bitmap::Fill(COLORREF color) {
  impl_->BeginPixelAccess();
  const std::uint32_t pixel = ToDevicePixel(color);
  for (int y = 0; y < impl_->height; ++y) {
    std::uint32_t* row = impl_->Row(y);
    for (int x = 0; x < impl_->width; ++x) row[x] = pixel;
  }
  impl_->EndPixelAccess();
}

bool Bitmap::SavePng(const std::string& path) const {
  if (path.empty()) return false;
  std::string tempPath;
  int fd = CreateTemporaryBeside(path, tempPath);
  if (fd < 0) return false;

  impl_->BeginPixelAccess();
  bool ok = cairo_surface_write_to_png_stream(impl_->surface, WriteToFd, &fd) == CAIRO_STATUS_SUCCESS;
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  // Renaming replaces the old file in one step, so readers see the old file
  // or the new one, never a partial PNG.
  ok = ok && std::rename(tempPath.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(tempPath.c_str());
  return ok;
}

}  // namespace quelmar::gdi
