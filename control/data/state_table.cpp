#include "control/data/state_table.h"

#include <array>

namespace quelmar::data {
namespace {

constexpr int kPuertoRicoSlot = 43;
constexpr int kPuertoRicoFips = 72;
constexpr int kVirginIslandsSlot = 52;
constexpr int kVirginIslandsFips = 78;

}  // namespace

int StreetStateSlot(std::string_view code) {
  for (int slot = 1; slot <= kLastStreetStateSlot; ++slot) {
    if (!code.empty() && kStateCodes[slot] == code) return slot;
  }
  return 0;
}

int StateNumber(std::string_view code) {
  if (code.empty()) return 0;  // never matches an empty slot
  for (int slot = 1; slot <= kStateSlotCount; ++slot) {
    if (kStateCodes[slot] != code) continue;
    if (slot == kPuertoRicoSlot) return kPuertoRicoFips;
    if (slot == kVirginIslandsSlot) return kVirginIslandsFips;
    return slot;
  }
  return 0;
}

std::optional<StateBox> ParseStateBoxEntry(std::string_view entry) {
  if (entry.size() != kStateBoxEntryLength) return std::nullopt;
  const char tens = entry[0];
  const char units = entry[1];
  if (tens < '0' || tens > '9' || units < '0' || units > '9') return std::nullopt;
  const int firstColumn = Base36Pair(entry.substr(2, 2));
  const int firstRow = Base36Pair(entry.substr(4, 2));
  const int lastColumn = Base36Pair(entry.substr(6, 2));
  const int lastRow = Base36Pair(entry.substr(8, 2));
  if (firstColumn < 0 || firstRow < 0 || lastColumn < 0 || lastRow < 0) return std::nullopt;
  const std::optional<MapBox> lowerLeft = QuadBox({QuadGrid::Street, firstColumn, firstRow});
  const std::optional<MapBox> upperRight = QuadBox({QuadGrid::Street, lastColumn, lastRow});
  if (!lowerLeft || !upperRight) return std::nullopt;
  const MapBox box{lowerLeft->Left, lowerLeft->Bottom, upperRight->Right, upperRight->Top};
  return StateBox{(tens - '0') * 10 + (units - '0'), box};
}

std::optional<StateBox> StateBoxOf(int state) {
  // The table parsed once, by state code; the first entry of a code counts.
  static const std::array<std::optional<StateBox>, 100> kBoxes = [] {
    std::array<std::optional<StateBox>, 100> boxes{};
    for (std::string_view entry : kStateBoxEntries) {
      const std::optional<StateBox> box = ParseStateBoxEntry(entry);
      if (box && box->State >= 0 && box->State < 100 && !boxes[box->State]) boxes[box->State] = box;
    }
    return boxes;
  }();
  return state >= 0 && state < 100 ? kBoxes[state] : std::nullopt;
}

bool InStateBox(int state, std::int32_t x, std::int32_t y) { return InStateBoxWithMargin(state, x, y, 0, 0); }

bool InStateBoxWithMargin(int state, std::int32_t x, std::int32_t y, std::int32_t marginY, std::int32_t marginX) {
  const std::optional<StateBox> found = StateBoxOf(state);
  if (!found) return false;
  // In 64 bits: a margin may carry the box past the int32 range.
  const MapBox& box = found->Box;
  return std::int64_t{box.Left} - marginX <= x && x <= std::int64_t{box.Right} + marginX &&
         std::int64_t{box.Bottom} - marginY <= y && y <= std::int64_t{box.Top} + marginY;
}

}  // namespace quelmar::data
