#pragma once
// Value types of the drawing layer: colours as $00BBGGRR words, points,
// rectangles (right and bottom exclusive), pens, brushes, fonts, raster ops.
#include <array>
#include <cstdint>
#include <string>

namespace quelmar::gdi {

using COLORREF = std::uint32_t;
constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr std::uint8_t GetRValue(COLORREF c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GetGValue(COLORREF c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t GetBValue(COLORREF c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

struct Point {
  std::int32_t x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};
struct Size {
  std::int32_t cx = 0, cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};
struct Rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Null, InsideFrame };
struct Pen {
  PenStyle style = PenStyle::Solid;
  int width = 1;  // 0 and 1 are one pixel
  COLORREF color = 0;
  friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle { Solid, Null, Hatched, Pattern };
enum class HatchStyle { Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
struct Brush {
  BrushStyle style = BrushStyle::Solid;
  COLORREF color = 0;
  HatchStyle hatch = HatchStyle::Horizontal;
  // Pattern brushes: 8 rows of 8 bits (bit 7 is the left pixel); set bits take
  // `color`, clear bits `patternBack`. The pattern is aligned to device (0, 0).
  std::array<std::uint8_t, 8> pattern{};
  COLORREF patternBack = 0;

  static Brush Solid(COLORREF c) { return Brush{BrushStyle::Solid, c}; }
  static Brush Null() { return Brush{BrushStyle::Null, 0}; }
  static Brush Hatch(HatchStyle h, COLORREF c) { return Brush{BrushStyle::Hatched, c, h}; }
  friend bool operator==(const Brush&, const Brush&) = default;
};

struct Font {
  std::string face = "Arial";
  int height = 12;      // pixels; negative means character height as on Windows
  int weight = 400;     // 700 is bold
  bool italic = false;
  int escapement = 0;   // tenths of a degree, counter-clockwise
  friend bool operator==(const Font&, const Font&) = default;
};

enum class BkMode { Transparent = 1, Opaque = 2 };

// Text alignment flags (SetTextAlign).
constexpr std::uint32_t TA_LEFT = 0;
constexpr std::uint32_t TA_RIGHT = 2;
constexpr std::uint32_t TA_CENTER = 6;
constexpr std::uint32_t TA_TOP = 0;
constexpr std::uint32_t TA_BOTTOM = 8;
constexpr std::uint32_t TA_BASELINE = 24;

// Binary raster operations for pens (SetROP2).
enum class Rop2 { CopyPen, XorPen, Not, MaskPen, MergePen, NotCopyPen };

// Ternary raster operations for blits, values as on Windows.
enum class Rop3 : std::uint32_t {
  SrcCopy = 0x00CC0020,
  SrcPaint = 0x00EE0086,
  SrcAnd = 0x008800C6,
  SrcInvert = 0x00660046,
  DstInvert = 0x00550009,
  Blackness = 0x00000042,
  Whiteness = 0x00FF0062,
};

// System colours the panel uses for its frame.
constexpr COLORREF kColorBtnFace = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kColorBtnHighlight = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kColorBtnShadow = RGB(0x80, 0x80, 0x80);

}  // namespace quelmar::gdi
