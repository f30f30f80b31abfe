#pragma once
// The 16 standard colours of the map styles. Layer styles, labels and
// landmarks name their colours by a 4-bit colour index into this table.
#include <array>
#include <cstdint>

#include "platform/gdi/gdi_types.h"

namespace quelmar::render {

using gdi::COLORREF;
using gdi::RGB;

inline constexpr std::array<COLORREF, 16> kStdColors = {
    RGB(0x00, 0x00, 0x00), RGB(0x00, 0x00, 0x80), RGB(0x00, 0x80, 0x00), RGB(0x00, 0x80, 0x80),
    RGB(0x80, 0x00, 0x00), RGB(0x80, 0x00, 0x80), RGB(0x80, 0x80, 0x00), RGB(0xC0, 0xC0, 0xC0),
    RGB(0x80, 0x80, 0x80), RGB(0x00, 0x00, 0xFF), RGB(0x00, 0xFF, 0x00), RGB(0x00, 0xFF, 0xFF),
    RGB(0xFF, 0x00, 0x00), RGB(0xFF, 0x00, 0xFF), RGB(0xFF, 0xFF, 0x00), RGB(0xFF, 0xFF, 0xFF),
};

// Named indexes the styles use.
inline constexpr int kBlack = 0;
inline constexpr int kNavy = 1;
inline constexpr int kMaroon = 4;
inline constexpr int kSilver = 7;
inline constexpr int kGrey = 8;
inline constexpr int kRed = 12;
inline constexpr int kYellow = 14;
inline constexpr int kWhite = 15;

inline constexpr COLORREF kWhiteColour = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kBlackColour = RGB(0x00, 0x00, 0x00);

// Only the low 4 bits of an index choose the colour, so any byte is safe.
constexpr COLORREF StdColor(int index) { return kStdColors[static_cast<unsigned>(index) & 15u]; }

}  // namespace quelmar::render
