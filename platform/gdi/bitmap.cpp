#include "platform/gdi/bitmap.h"

#include "platform/kernel/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

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

void Bitmap::ReadRow(int y, COLORREF* out) const {
  if (y < 0 || y >= impl_->height) return;
  impl_->BeginPixelAccess();
  const std::uint32_t* row = impl_->Row(y);
  for (int x = 0; x < impl_->width; ++x) out[x] = FromDevicePixel(row[x]);
}

bool Bitmap::EncodePng(std::string* png) const {
  std::string stream;
  impl_->BeginPixelAccess();
  const cairo_status_t status = cairo_surface_write_to_png_stream(
      impl_->surface,
      [](void* closure, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
      },
      &stream);
  if (status != CAIRO_STATUS_SUCCESS) return false;
  *png = std::move(stream);
  return true;
}

bool Bitmap::SavePng(const std::string& path) const {
  if (path.empty()) return false;
  std::string png;
  if (!EncodePng(&png)) return false;
  // A regular file is replaced in one step, so readers see the old file or
  // the new one, never a partial PNG; a pipe or terminal is written straight.
  return kernel::WriteFileAtomically(path, png);
}

}  // namespace quelmar::gdi
