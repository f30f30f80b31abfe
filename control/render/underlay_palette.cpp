#include "control/render/underlay_palette.h"

namespace quelmar::render {
namespace {

// The 20 static colours of a 256-colour display, as RGB.
constexpr gdi::COLORREF kStaticLow[10] = {
    gdi::RGB(0x00, 0x00, 0x00), gdi::RGB(0x80, 0x00, 0x00), gdi::RGB(0x00, 0x80, 0x00), gdi::RGB(0x80, 0x80, 0x00),
    gdi::RGB(0x00, 0x00, 0x80), gdi::RGB(0x80, 0x00, 0x80), gdi::RGB(0x00, 0x80, 0x80), gdi::RGB(0xC0, 0xC0, 0xC0),
    gdi::RGB(0xC0, 0xDC, 0xC0), gdi::RGB(0xA6, 0xCA, 0xF0)};
constexpr gdi::COLORREF kStaticHigh[10] = {
    gdi::RGB(0xFF, 0xFB, 0xF0), gdi::RGB(0xA0, 0xA0, 0xA4), gdi::RGB(0x80, 0x80, 0x80), gdi::RGB(0xFF, 0x00, 0x00),
    gdi::RGB(0x00, 0xFF, 0x00), gdi::RGB(0xFF, 0xFF, 0x00), gdi::RGB(0x00, 0x00, 0xFF), gdi::RGB(0xFF, 0x00, 0xFF),
    gdi::RGB(0x00, 0xFF, 0xFF), gdi::RGB(0xFF, 0xFF, 0xFF)};

constexpr std::size_t kFirstImageEntry = 11;
constexpr std::size_t kImageEntries = 216;

}  // namespace

UnderlayColours UnderlayLogicalPalette(const UnderlayColours& colours) {
  UnderlayColours palette{};
  for (std::size_t i = 0; i < 10; ++i) {
    palette[i] = kStaticLow[i];
    palette[246 + i] = kStaticHigh[i];
  }
  for (std::size_t i = kFirstImageEntry; i < kFirstImageEntry + kImageEntries; ++i) palette[i] = colours[i];
  return palette;
}

}  // namespace quelmar::render
