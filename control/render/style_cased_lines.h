#pragma once
// The cased-line queue: wide outlined lines are not drawn one by one but kept
// with a copy of their points, and drawn at the end of the paint in two
// passes over all of them (every outline first, then every inner line), so
// that crossing roads join without their outlines cutting each other.
#include <cstddef>
#include <span>
#include <vector>

#include "control/render/style_object.h"

namespace quelmar::render {

class CasedLineQueue {
 public:
  static constexpr std::size_t kCapacity = 5000;

  // Keeps the line; false when the queue is full (the caller then draws the
  // line at once in both passes).
  bool Add(const CasedLineStyle& style, std::span<const gdi::Point> points);

  // Draws the kept lines in descending layer order: all outer passes, then
  // all inner passes; then empties the queue.
  void Draw(gdi::Canvas& canvas, bool blackWhiteOutput, bool streetStyle);

  void Clear() { lines_.clear(); }
  std::size_t Size() const { return lines_.size(); }

 private:
  struct Line {
    CasedLineStyle style;
    std::vector<gdi::Point> points;
  };
  std::vector<Line> lines_;
};

// Both passes of one line, for a line drawn at once.
StrokeList CasedLineStrokes(const CasedLineStyle& style, bool blackWhiteOutput, bool streetStyle);

}  // namespace quelmar::render
