#pragma once
// The area colour map: gives places and minor civil divisions stable, varied
// shade colours. Up to 100 area codes, kept sorted, each with a colour number
// 1..6 handed out in turn; codes not seen in a paint leave the map when that
// paint ends, so codes that left the view free their slots.
#include <cstdint>
#include <vector>

namespace quelmar::render {

class AreaColourMap {
 public:
  static constexpr std::size_t kCapacity = 100;
  static constexpr std::uint32_t kCodeMask = 0x00FFFFFF;  // area codes are kept as 24 bits

  // The shade palette entry (1..18) for `areaCode`, marking it used in this
  // paint. A new code is added with the next colour number while there is
  // room; with the map full it takes the entry count as its colour number.
  int PaletteEntryFor(std::uint32_t areaCode);

  // Paint boundaries: the start clears every used mark, the end drops the
  // codes not used since.
  void BeginPaint();
  void EndPaint();

  std::size_t Size() const { return entries_.size(); }
  // The colour number (1..6) of a code in the map; 0 when it is not there.
  int ColourNumberOf(std::uint32_t areaCode) const;

 private:
  struct Entry {
    std::uint32_t code = 0;
    int colourNumber = 0;
    bool used = false;
  };
  std::vector<Entry> entries_;  // sorted by code
};

}  // namespace quelmar::render
