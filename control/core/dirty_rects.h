#pragma once
// Rectangles (client pixels) that the host declares changed; the next Redirty
// repaint copies only these areas to the screen.
#include <cstdint>
#include <vector>

namespace quelmar::core {

struct TPixelRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TPixelRect&, const TPixelRect&) = default;
};

class DirtyRects {
 public:
  static constexpr std::size_t kMaxRects = 100;

  // SetDirtyRect: keeps the rectangle widened by 2 pixels on every side.
  // Ignored (false) when left = right or top = bottom, or when the list is full.
  bool Add(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

  // The clip rectangles of the next repaint (each widened by one more pixel to
  // the right and bottom, the exclusive edges of a clip); empties the list.
  std::vector<TPixelRect> TakeClipRects();

  std::size_t Count() const { return rects_.size(); }
  const std::vector<TPixelRect>& Rects() const { return rects_; }

 private:
  std::vector<TPixelRect> rects_;
};

}  // namespace quelmar::core
