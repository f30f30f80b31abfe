#include "control/render/colour_slots.h"

#include <array>

namespace quelmar::render {
namespace {

constexpr std::int32_t kFirstPaletteSlot = 16;
constexpr std::int32_t kLastPaletteSlot = 31;
constexpr std::int32_t kFirstStateSlot = 32;
constexpr std::int32_t kLastStateSlot = 107;

// Codes 63..71 reach their entries in this order (63 -> 66, ..., 71 -> 70).
constexpr std::array<int, 9> kRenumbered = {66, 67, 68, 63, 64, 65, 71, 69, 70};

std::int32_t AsInt(std::uint32_t value) { return static_cast<std::int32_t>(value); }

std::optional<std::int32_t> Read(ShadeColours& colours, const ColourSlotMemory& memory, LogicalPalette& palette,
                                 std::int32_t slot) {
  if (slot == -1) {
    colours.RestoreDefaults();
    return 0;
  }
  if (slot == 0) {
    palette.Rebuild(colours);
    return 0;
  }
  if (slot == 2) return AsInt(memory.Slot2);
  if (slot == 3) return AsInt(memory.Slot3);
  if (slot >= kFirstPaletteSlot && slot <= kLastPaletteSlot) return AsInt(colours.PaletteEntry(slot - 15));
  if (slot >= kFirstStateSlot && slot <= kLastStateSlot) {
    const std::optional<int> code = StateCodeOfSlot(slot);
    return code ? AsInt(colours.StateEntry(*code)) : 0;
  }
  return std::nullopt;
}

std::optional<std::int32_t> Write(ShadeColours& colours, ColourSlotMemory& memory, std::int32_t slot,
                                  std::uint32_t value) {
  if (slot == 2) {
    memory.Slot2 = value;
    colours.SetPaletteEntry(17, value);
  } else if (slot == 3) {
    memory.Slot3 = value;
    colours.SetPaletteEntry(18, value);
  } else if (slot >= kFirstPaletteSlot && slot <= kLastPaletteSlot) {
    colours.SetPaletteEntry(slot - 15, value);
  } else if (slot >= kFirstStateSlot && slot <= kLastStateSlot) {
    if (const std::optional<int> code = StateCodeOfSlot(slot)) colours.SetStateEntry(*code, value);
  } else {
    return std::nullopt;
  }
  return 0;
}

}  // namespace

std::optional<int> StateCodeOfSlot(std::int32_t slot) {
  if (slot < kFirstStateSlot || slot > kLastStateSlot) return std::nullopt;
  int code = slot - 31;
  if (code >= 63 && code <= 71) code = kRenumbered[code - 63];
  if (code < 1 || code > kStateColourEntries) return std::nullopt;
  return code;
}

std::optional<std::int32_t> ColourSlotOption(ShadeColours& colours, ColourSlotMemory& memory, LogicalPalette& palette,
                                             std::int32_t n, std::int32_t v) {
  if (n == 0) return Read(colours, memory, palette, v);
  return Write(colours, memory, n, static_cast<std::uint32_t>(v));
}

}  // namespace quelmar::render
