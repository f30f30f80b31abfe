#pragma once
// Helpers for pixel-exact drawing tests: small bitmaps pictured as text so a
// failing comparison shows the whole image.
#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

// Readable values in test failure messages.
inline void PrintTo(const Rect& r, std::ostream* out) {
  *out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const Point& p, std::ostream* out) { *out << "(" << p.x << "," << p.y << ")"; }
inline void PrintTo(const Size& s, std::ostream* out) { *out << s.cx << "x" << s.cy; }

}  // namespace quelmar::gdi

namespace quelmar::gdi::testing {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// One text row per pixel row, '\n' after each: '.' for `background`, '#' for
// `ink`, '?' for any other colour.
inline std::string Picture(const Bitmap& bitmap, COLORREF background = kWhite, COLORREF ink = kBlack) {
  std::string text;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const COLORREF c = bitmap.Pixel(x, y);
      text += c == background ? '.' : c == ink ? '#' : '?';
    }
    text += '\n';
  }
  return text;
}

// The same, with rows given as separate strings for readable expectations.
inline std::string Rows(std::initializer_list<const char*> rows) {
  std::string text;
  for (const char* row : rows) {
    text += row;
    text += '\n';
  }
  return text;
}

// The smallest rectangle holding every pixel that is not `background`
// (all zero when there is none).
inline Rect InkBounds(const Bitmap& bitmap, COLORREF background = kWhite) {
  Rect bounds{bitmap.Width(), bitmap.Height(), 0, 0};
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (bitmap.Pixel(x, y) == background) continue;
      bounds.left = std::min(bounds.left, x);
      bounds.top = std::min(bounds.top, y);
      bounds.right = std::max(bounds.right, x + 1);
      bounds.bottom = std::max(bounds.bottom, y + 1);
    }
  }
  return bounds.IsEmpty() ? Rect{} : bounds;
}

inline int CountPixels(const Bitmap& bitmap, COLORREF color) {
  int count = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) count += bitmap.Pixel(x, y) == color;
  }
  return count;
}

// How many pixels differ between two bitmaps of the same size.
inline int CountDifferences(const Bitmap& a, const Bitmap& b) {
  int count = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) count += a.Pixel(x, y) != b.Pixel(x, y);
  }
  return count;
}

}  // namespace quelmar::gdi::testing
