#include "control/render/shading_colours.h"

namespace quelmar::render {
namespace {

constexpr std::array<COLORREF, kPaletteEntries + 1> kDefaultPalette = {
    0,  // entry 0 is the water colour
    RGB(0xDA, 0xDA, 0xDA), RGB(0xEC, 0xF1, 0xDC), RGB(0xCB, 0xD6, 0xD6), RGB(0xEF, 0xDE, 0xE2),
    RGB(0xF1, 0xE9, 0xC5), RGB(0xF4, 0xE9, 0xF5), RGB(0xD5, 0xDA, 0xD1), RGB(0xD6, 0xDC, 0xC0),
    RGB(0xDB, 0xE1, 0xE8), RGB(0xDF, 0xD7, 0xD2), RGB(0xDF, 0xE6, 0xE2), RGB(0xDF, 0xD2, 0xC8),
    RGB(0xD7, 0xCA, 0xCF), RGB(0xE3, 0xE1, 0xDB), RGB(0xCF, 0xCF, 0xD8), RGB(0xE2, 0xE2, 0xC9),
    RGB(0xE7, 0xEE, 0xF1), RGB(0xF4, 0xEA, 0xD5), RGB(0xCF, 0xD2, 0xD8), RGB(0x83, 0x85, 0xC7),
    RGB(0xB7, 0xB7, 0xC0), RGB(0xFF, 0xBA, 0xF7), RGB(0x00, 0x00, 0x00), RGB(0x00, 0x00, 0x00),
};

// Palette entry of each state code 1..71 (codes 58..71 all take entry 2).
constexpr std::array<std::uint8_t, kShadedStateCodes + 1> kDefaultStatePalette = {
    0,  // no code 0
    14, 1, 0, 2, 4, 3, 0, 5, 6, 2,  // codes 1..10
    3, 2, 3, 0, 2, 5, 18, 2, 2, 6,  // codes 11..20
    3, 2, 18, 5, 2, 6, 6, 5, 5, 10,  // codes 21..30
    3, 4, 3, 6, 16, 12, 5, 5, 5, 2,  // codes 31..40
    2, 17, 6, 4, 6, 4, 2, 3, 6, 5,  // codes 41..50
    4, 2, 4, 6, 3, 2, 18, 2, 2, 2,  // codes 51..60
    2, 2, 2, 2, 2, 2, 2, 2, 2, 2,  // codes 61..70
    2,  // code 71
};
static_assert(kDefaultStatePalette[57] == 18 && kDefaultStatePalette[58] == 2 && kDefaultStatePalette[71] == 2);

}  // namespace

COLORREF DefaultLandColour() { return RGB(0x99, 0xCC, 0x00); }
COLORREF DefaultWaterColour() { return RGB(0x96, 0xBA, 0xE0); }

COLORREF DefaultPaletteEntry(int entry) {
  return entry >= 1 && entry <= kPaletteEntries ? kDefaultPalette[entry] : kWhiteColour;
}

std::uint32_t DefaultStateEntry(int code) {
  if (code >= 1 && code <= kShadedStateCodes) return PaletteReference(kDefaultStatePalette[code]);
  return 0;  // code 72 holds a plain 0; other codes have no entry
}

void ShadeColours::RestoreDefaults() {
  land_ = DefaultLandColour();
  water_ = DefaultWaterColour();
  palette_ = kDefaultPalette;
  for (int code = 0; code <= kStateColourEntries; ++code) states_[code] = DefaultStateEntry(code);
}

COLORREF ShadeColours::PaletteEntry(int entry) const {
  if (entry == 0) return water_;
  if (entry >= 1 && entry <= kPaletteEntries) return palette_[entry];
  return kWhiteColour;
}

bool ShadeColours::SetPaletteEntry(int entry, COLORREF colour) {
  if (entry < 1 || entry > kPaletteEntries) return false;
  palette_[entry] = colour;
  return true;
}

std::uint32_t ShadeColours::StateEntry(int code) const {
  return code >= 1 && code <= kStateColourEntries ? states_[code] : 0;
}

bool ShadeColours::SetStateEntry(int code, std::uint32_t value) {
  if (code < 1 || code > kStateColourEntries) return false;
  states_[code] = value;
  return true;
}

COLORREF ShadeColours::StateColour(int code) const {
  if (code < 1 || code > kShadedStateCodes) return kWhiteColour;
  return Resolve(states_[code]);
}

COLORREF ShadeColours::Resolve(std::uint32_t value) const {
  if (!IsPaletteReference(value)) return value;
  // A reference from a scheme file or a host may name any entry; only 0..24
  // exist, so anything else is drawn white rather than read past the palette.
  const std::uint32_t entry = value & ~kPaletteReferenceFlag;
  return entry <= kPaletteEntries ? PaletteEntry(static_cast<int>(entry)) : kWhiteColour;
}

}  // namespace quelmar::render
