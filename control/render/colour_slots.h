#pragma once
// The colour slots of SetOption(n, v): n = 0 reads slot v, n > 0 sets slot n
// to v. The slots reach the shade colours:
//
//   -1       read: restore the default land, water, palette and state colours
//    0       read: rebuild the logical palette from the shade colours
//    2, 3    set: shade palette entry 17 / 18; read: the last value set here
//   16..31   shade palette entry slot - 15
//   32..107  state colour of code slot - 31 (codes 63..71 are renumbered,
//            see StateCodeOfSlot); codes beyond 72 address nothing
//
// Slot 1 (the control's background colour) and the non-colour options belong
// to the control's option table.
#include <cstdint>
#include <optional>

#include "control/render/palette_logical.h"
#include "control/render/shading_colours.h"

namespace quelmar::render {

// What slots 2 and 3 read back: the values last set through them.
struct ColourSlotMemory {
  std::uint32_t Slot2 = RGB(0x00, 0x00, 0x7F);
  std::uint32_t Slot3 = RGB(0x00, 0x7F, 0x00);
};

// The state code a slot of 32..107 addresses, with the renumbering of codes
// 63..71; nullopt when the result is no code 1..72 (or the slot is no state slot).
std::optional<int> StateCodeOfSlot(std::int32_t slot);

// SetOption for the colour slots: the result of the read (0 for every
// write), or nullopt when the slot is not one of the slots above, so that the
// caller's option table handles it. A write to a state slot that addresses no
// code changes nothing and gives 0.
std::optional<std::int32_t> ColourSlotOption(ShadeColours& colours, ColourSlotMemory& memory, LogicalPalette& palette,
                                             std::int32_t n, std::int32_t v);

}  // namespace quelmar::render
