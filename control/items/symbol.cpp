#include "control/items/symbol.h"

#include <string>
#include <unordered_map>

#include "control/core/errors.h"

namespace quelmar::items {
namespace {

constexpr gdi::COLORREF kMaskWhite = 0xFFFFFF;
constexpr gdi::COLORREF kMaskBlack = 0x000000;

// The nearest colour of the 6 × 6 × 6 cube, whose entries 0..215 fill the
// table when a picture has more than 256 colours.
std::uint8_t CubeIndex(gdi::COLORREF c) {
  auto level = [](std::uint8_t v) { return (v * 5 + 127) / 255; };
  return static_cast<std::uint8_t>(level(gdi::GetRValue(c)) * 36 + level(gdi::GetGValue(c)) * 6 +
                                   level(gdi::GetBValue(c)));
}

}  // namespace

SymbolImage::SymbolImage(int width, int height)
    : Picture(width, height), Mask(width, height), PictureCanvas(Picture), MaskCanvas(Mask) {}

Symbol::Symbol(std::int32_t width, std::int32_t height, std::array<gdi::COLORREF, 256> colours,
               std::vector<std::uint8_t> pixels)
    : width_(width), height_(height), colours_(colours), pixels_(std::move(pixels)) {
  if (width < 1 || height < 1 || width > kMaxSymbolSide || height > kMaxSymbolSide) {
    throw ArgumentError("A symbol of " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels is not usable (1 to " + std::to_string(kMaxSymbolSide) + " pixels a side)");
  }
  if (pixels_.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    throw ArgumentError("A symbol's pixels do not fill its size");
  }
}

std::shared_ptr<Symbol> Symbol::FromBitmap(const gdi::Bitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  if (w < 1 || h < 1 || w > kMaxSymbolSide || h > kMaxSymbolSide) {
    throw ArgumentError("A bitmap of " + std::to_string(w) + " x " + std::to_string(h) +
                        " pixels cannot be a symbol (1 to " + std::to_string(kMaxSymbolSide) + " pixels a side)");
  }
  std::array<gdi::COLORREF, 256> colours{};
  std::unordered_map<gdi::COLORREF, std::uint8_t> seen;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  bool exact = true;
  for (int y = 0; y < h && exact; ++y) {
    for (int x = 0; x < w; ++x) {
      const gdi::COLORREF c = bitmap.Pixel(x, y) & 0xFFFFFF;
      auto [at, added] = seen.try_emplace(c, static_cast<std::uint8_t>(seen.size()));
      if (added && seen.size() > 256) {
        exact = false;
        break;
      }
      if (added) colours[at->second] = c;
      pixels[static_cast<std::size_t>(y) * w + x] = at->second;
    }
  }
  if (!exact) {
    for (int i = 0; i < 216; ++i) colours[i] = gdi::RGB(static_cast<std::uint8_t>(i / 36 * 51),
                                                        static_cast<std::uint8_t>(i / 6 % 6 * 51),
                                                        static_cast<std::uint8_t>(i % 6 * 51));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) pixels[static_cast<std::size_t>(y) * w + x] = CubeIndex(bitmap.Pixel(x, y));
    }
  }
  return std::make_shared<Symbol>(w, h, colours, std::move(pixels));
}

bool Symbol::Opaque(std::int32_t x, std::int32_t y) const {
  if (IsStrip()) {
    // Dark mask pixels let the picture show.
    const gdi::COLORREF m = colours_[Index(x + width_ / 2, y)];
    return gdi::GetRValue(m) * 30 + gdi::GetGValue(m) * 59 + gdi::GetBValue(m) * 11 < 128 * 100;
  }
  return Index(x, y) != TransparentIndex();
}

const SymbolImage& Symbol::Upright() const {
  std::call_once(uprightMade_, [this] {
    const int w = DrawnWidth();
    auto image = std::make_unique<SymbolImage>(w, height_);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool shows = Opaque(x, y);
        image->Mask.SetPixel(x, y, shows ? kMaskBlack : kMaskWhite);
        image->Picture.SetPixel(x, y, shows ? Colour(x, y) : kMaskBlack);
      }
    }
    upright_ = std::move(image);
  });
  return *upright_;
}

}  // namespace quelmar::items
