#include "control/render/palette_logical.h"

#include <limits>

namespace quelmar::render {
namespace {

// The system's static colours: the first ten and the last ten entries.
constexpr std::array<COLORREF, 10> kStaticLow = {
    RGB(0x00, 0x00, 0x00), RGB(0x80, 0x00, 0x00), RGB(0x00, 0x80, 0x00), RGB(0x80, 0x80, 0x00),
    RGB(0x00, 0x00, 0x80), RGB(0x80, 0x00, 0x80), RGB(0x00, 0x80, 0x80), RGB(0xC0, 0xC0, 0xC0),
    RGB(0xC0, 0xDC, 0xC0), RGB(0xA6, 0xCA, 0xF0),
};
constexpr std::array<COLORREF, 10> kStaticHigh = {
    RGB(0xFF, 0xFB, 0xF0), RGB(0xA0, 0xA0, 0xA4), RGB(0x80, 0x80, 0x80), RGB(0xFF, 0x00, 0x00),
    RGB(0x00, 0xFF, 0x00), RGB(0xFF, 0xFF, 0x00), RGB(0x00, 0x00, 0xFF), RGB(0xFF, 0x00, 0xFF),
    RGB(0x00, 0xFF, 0xFF), RGB(0xFF, 0xFF, 0xFF),
};
constexpr int kPaletteColoursShown = 22;

}  // namespace

void LogicalPalette::Rebuild(const ShadeColours& colours) {
  entries_.fill(0);
  for (std::size_t i = 0; i < kStaticLow.size(); ++i) entries_[i] = kStaticLow[i];
  for (std::size_t i = 0; i < kStaticHigh.size(); ++i) entries_[kLogicalPaletteSize - 10 + i] = kStaticHigh[i];
  entries_[kFirstShadeSlot] = colours.Land();
  entries_[kFirstShadeSlot + 1] = colours.Water();
  for (int entry = 1; entry <= kPaletteColoursShown; ++entry) {
    entries_[kFirstShadeSlot + 1 + entry] = colours.PaletteEntry(entry);
  }
  handle_ = handle_ == std::numeric_limits<std::int32_t>::max() ? 1 : handle_ + 1;
}

}  // namespace quelmar::render
