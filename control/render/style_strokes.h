#pragma once
// Strokes: the pens a line is drawn with, one after another over the same
// points (a halo beneath a boundary, a white line under a dotted one, the two
// passes of a cased line).
#include <array>
#include <cstddef>
#include <span>

#include "platform/gdi/canvas.h"

namespace quelmar::render {

struct StrokePass {
  gdi::Pen Pen;
  // Transparent leaves the gaps of dashed and dotted pens unpainted.
  gdi::BkMode Background = gdi::BkMode::Opaque;
  friend bool operator==(const StrokePass&, const StrokePass&) = default;
};

class StrokeList {
 public:
  static constexpr std::size_t kCapacity = 3;

  void Add(const StrokePass& pass) {
    if (count_ < kCapacity) passes_[count_++] = pass;
  }
  void Add(gdi::PenStyle style, int width, gdi::COLORREF colour,
           gdi::BkMode background = gdi::BkMode::Opaque) {
    Add(StrokePass{gdi::Pen{style, width, colour}, background});
  }
  std::span<const StrokePass> Passes() const { return {passes_.data(), count_}; }
  bool Empty() const { return count_ == 0; }
  std::size_t Size() const { return count_; }
  const StrokePass& operator[](std::size_t i) const { return passes_[i]; }

 private:
  std::array<StrokePass, kCapacity> passes_{};
  std::size_t count_ = 0;
};

// Draws `points` as one polyline per pass, in order. Fewer than 2 points draw nothing.
void DrawStrokes(gdi::Canvas& canvas, std::span<const gdi::Point> points, const StrokeList& strokes);

}  // namespace quelmar::render
