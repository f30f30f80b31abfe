#pragma once
// The shade colours: the land and water colours, the 24-entry shade palette
// and the 72-entry state colour table, with their built-in defaults.
//
// A state colour is either a plain colour or a palette reference: bit 27 set
// and the palette entry in the low bits. Palette entry 0 is the water colour.
#include <array>
#include <cstdint>

#include "control/render/colour_standard.h"

namespace quelmar::render {

inline constexpr int kPaletteEntries = 24;       // entries 1..24
inline constexpr int kStateColourEntries = 72;   // state codes 1..72
inline constexpr int kShadedStateCodes = 71;     // codes 1..71 are drawn and kept in schemes
inline constexpr std::uint32_t kPaletteReferenceFlag = 0x08000000;

constexpr std::uint32_t PaletteReference(int entry) {
  return kPaletteReferenceFlag | static_cast<std::uint32_t>(entry);
}
constexpr bool IsPaletteReference(std::uint32_t value) { return (value & kPaletteReferenceFlag) != 0; }

class ShadeColours {
 public:
  ShadeColours() { RestoreDefaults(); }

  // The built-in land, water, palette and state colours.
  void RestoreDefaults();

  COLORREF Land() const { return land_; }
  COLORREF Water() const { return water_; }
  void SetLand(COLORREF colour) { land_ = colour; }
  void SetWater(COLORREF colour) { water_ = colour; }

  // Entry 0 is the water colour; 1..24 the palette. Any other entry is no
  // colour of the palette: it reads as white.
  COLORREF PaletteEntry(int entry) const;
  // False (nothing changed) for entries outside 1..24.
  bool SetPaletteEntry(int entry, COLORREF colour);

  // The stored value of state code 1..72 (plain colour or palette
  // reference); 0 for other codes.
  std::uint32_t StateEntry(int code) const;
  // False (nothing changed) for codes outside 1..72.
  bool SetStateEntry(int code, std::uint32_t value);

  // The colour a state ring of `code` is filled with: a palette reference is
  // resolved through the palette; codes outside 1..71 give white.
  COLORREF StateColour(int code) const;
  // A stored value as a colour: plain colours as they are, palette
  // references through the palette. A reference to an entry outside 0..24
  // gives white instead of reading beyond the palette.
  COLORREF Resolve(std::uint32_t value) const;

  friend bool operator==(const ShadeColours&, const ShadeColours&) = default;

 private:
  COLORREF land_ = 0;
  COLORREF water_ = 0;
  std::array<COLORREF, kPaletteEntries + 1> palette_{};        // [0] unused: entry 0 is water_
  std::array<std::uint32_t, kStateColourEntries + 1> states_{};  // [0] unused
};

// The built-in defaults, for schemes and tests.
COLORREF DefaultLandColour();
COLORREF DefaultWaterColour();
COLORREF DefaultPaletteEntry(int entry);         // 1..24; white otherwise
std::uint32_t DefaultStateEntry(int code);       // 1..72; 0 otherwise

}  // namespace quelmar::render
