#include "control/render/shading_area_colour_map.h"

#include <algorithm>

namespace quelmar::render {
namespace {

constexpr int kColourNumbers = 6;
constexpr int kShadeEntriesInUse = 18;

int PaletteEntryOfColourNumber(int colourNumber) { return (colourNumber - 1) % kShadeEntriesInUse + 1; }

}  // namespace

int AreaColourMap::PaletteEntryFor(std::uint32_t areaCode) {
  const std::uint32_t code = areaCode & kCodeMask;
  auto it = std::lower_bound(entries_.begin(), entries_.end(), code,
                             [](const Entry& e, std::uint32_t c) { return e.code < c; });
  if (it != entries_.end() && it->code == code) {
    it->used = true;
    return PaletteEntryOfColourNumber(it->colourNumber);
  }
  if (entries_.size() >= kCapacity) return PaletteEntryOfColourNumber(static_cast<int>(entries_.size()));
  const int colourNumber = static_cast<int>(entries_.size() % kColourNumbers) + 1;
  entries_.insert(it, Entry{code, colourNumber, true});
  return PaletteEntryOfColourNumber(colourNumber);
}

void AreaColourMap::BeginPaint() {
  for (Entry& e : entries_) e.used = false;
}

void AreaColourMap::EndPaint() {
  std::erase_if(entries_, [](const Entry& e) { return !e.used; });
}

int AreaColourMap::ColourNumberOf(std::uint32_t areaCode) const {
  const std::uint32_t code = areaCode & kCodeMask;
  auto it = std::lower_bound(entries_.begin(), entries_.end(), code,
                             [](const Entry& e, std::uint32_t c) { return e.code < c; });
  return it != entries_.end() && it->code == code ? it->colourNumber : 0;
}

}  // namespace quelmar::render
