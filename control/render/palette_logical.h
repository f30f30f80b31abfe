#pragma once
// The control's logical palette, for 256-colour displays: the 20 static
// colours of the system at both ends, the land, water and first 22 shade
// palette colours in entries 11..34, black elsewhere. The drawing backends
// here are true-colour, so the palette is kept for hosts that read it
// (TvPalette, the Map Blocks dialog); map colours are drawn as plain colours.
#include <array>
#include <cstdint>

#include "control/render/shading_colours.h"

namespace quelmar::render {

inline constexpr int kLogicalPaletteSize = 256;
inline constexpr int kFirstShadeSlot = 11;  // land; then water, palette 1..22

class LogicalPalette {
 public:
  // Builds the entries from the shade colours and gives the palette a new
  // handle, as deleting and creating a palette does.
  void Rebuild(const ShadeColours& colours);

  // 0 before the first Rebuild; afterwards a number that changes with each
  // rebuild. It identifies the palette to hosts; nothing resolves it.
  std::int32_t Handle() const { return handle_; }
  COLORREF Entry(int index) const { return index >= 0 && index < kLogicalPaletteSize ? entries_[index] : 0; }

 private:
  std::array<COLORREF, kLogicalPaletteSize> entries_{};
  std::int32_t handle_ = 0;
};

}  // namespace quelmar::render
