#include "platform/gdi/region.h"

#include <algorithm>
#include <utility>

namespace quelmar::gdi {
namespace {

struct Span {
  int left, right;
};

// The x-extents covered by `rects` within the band [top, bottom), merged.
std::vector<Span> SpansOfBand(std::span<const Rect> rects, int top, int bottom) {
  std::vector<Span> spans;
  for (const Rect& r : rects) {
    if (r.top <= top && r.bottom >= bottom) spans.push_back({r.left, r.right});
  }
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
  std::vector<Span> merged;
  for (const Span& s : spans) {
    if (!merged.empty() && s.left <= merged.back().right) {
      merged.back().right = std::max(merged.back().right, s.right);
    } else {
      merged.push_back(s);
    }
  }
  return merged;
}

bool SameSpans(const std::vector<Span>& a, const std::vector<Span>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const Span& x, const Span& y) { return x.left == y.left && x.right == y.right; });
}

}  // namespace

Rect IntersectRects(const Rect& a, const Rect& b) {
  const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
  return r.IsEmpty() ? Rect{} : r;
}

Rect OffsetRect(const Rect& rect, int dx, int dy) {
  return Rect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

Region::Region(const Rect& rect) {
  if (!rect.IsEmpty()) rects_.push_back(rect);
}

// Cuts the plane into horizontal bands at every top and bottom edge, merges
// the x-extents inside each band, then joins vertically adjacent bands whose
// extents are equal so a plain rectangle stays one rectangle.
Region Region::FromRects(std::span<const Rect> rects) {
  std::vector<Rect> nonEmpty;
  for (const Rect& r : rects) {
    if (!r.IsEmpty()) nonEmpty.push_back(r);
  }
  Region result;
  if (nonEmpty.empty()) return result;
  if (nonEmpty.size() == 1) {
    result.rects_ = nonEmpty;
    return result;
  }

  std::vector<int> edges;
  for (const Rect& r : nonEmpty) {
    edges.push_back(r.top);
    edges.push_back(r.bottom);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

  std::vector<Span> previous;
  std::size_t previousFirst = 0;  // index in result.rects_ of the previous band
  int previousBottom = 0;
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
    const int top = edges[i];
    const int bottom = edges[i + 1];
    std::vector<Span> spans = SpansOfBand(nonEmpty, top, bottom);
    if (!spans.empty() && previousBottom == top && SameSpans(spans, previous)) {
      for (std::size_t k = previousFirst; k < result.rects_.size(); ++k) result.rects_[k].bottom = bottom;
    } else {
      previousFirst = result.rects_.size();
      for (const Span& s : spans) result.rects_.push_back(Rect{s.left, top, s.right, bottom});
    }
    previous = std::move(spans);
    previousBottom = bottom;
  }
  return result;
}

Rect Region::Bounds() const {
  if (rects_.empty()) return Rect{};
  Rect b = rects_.front();
  for (const Rect& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

bool Region::Contains(int x, int y) const {
  for (const Rect& r : rects_) {
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  }
  return false;
}

Region Region::Intersect(const Rect& rect) const {
  Region result;
  for (const Rect& r : rects_) {
    const Rect piece = IntersectRects(r, rect);
    if (!piece.IsEmpty()) result.rects_.push_back(piece);
  }
  return result;
}

Region Region::Intersect(const Region& other) const {
  std::vector<Rect> pieces;
  for (const Rect& a : rects_) {
    for (const Rect& b : other.rects_) {
      const Rect piece = IntersectRects(a, b);
      if (!piece.IsEmpty()) pieces.push_back(piece);
    }
  }
  // Pieces of two disjoint sets are disjoint; rebuilding restores the order.
  return FromRects(pieces);
}

Region Region::Union(const Rect& rect) const {
  if (rect.IsEmpty()) return *this;
  std::vector<Rect> all = rects_;
  all.push_back(rect);
  return FromRects(all);
}

Region Region::Offset(int dx, int dy) const {
  Region result;
  result.rects_.reserve(rects_.size());
  for (const Rect& r : rects_) result.rects_.push_back(OffsetRect(r, dx, dy));
  return result;
}

}  // namespace quelmar::gdi
