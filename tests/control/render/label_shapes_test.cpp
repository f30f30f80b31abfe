// Label symbols: route shield shapes scaled into their box, the point symbols
// of the place classes, and the landmark icon sheet with its colour-key mask.
#include "control/render/label_shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control/render/colour_standard.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/recording_canvas.h"

namespace quelmar::render {
namespace {

using gdi::COLORREF;
using gdi::DrawKind;
using gdi::DrawRecord;
using gdi::Point;
using gdi::Rect;

constexpr COLORREF kBlue = RGB(0, 0, 0xFF);
constexpr COLORREF kRedC = RGB(0xFF, 0, 0);
constexpr COLORREF kAqua = RGB(0, 0xFF, 0xFF);
constexpr COLORREF kNavyC = RGB(0, 0, 0x80);
constexpr COLORREF kGreyC = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kYellowC = RGB(0xFF, 0xFF, 0);
constexpr COLORREF kGreen = RGB(0, 0x80, 0);
constexpr COLORREF kWhiteC = kWhiteColour;
constexpr COLORREF kBlackC = kBlackColour;
constexpr COLORREF kPaper = RGB(0xF2, 0xEF, 0xE6);  // a background no symbol uses

// The pixels a record covers, right and bottom exclusive.
Rect Bounds(const DrawRecord& r) {
  if (r.kind != DrawKind::Polygon && r.kind != DrawKind::Polyline) return r.rect;
  Rect b{r.points[0].x, r.points[0].y, r.points[0].x + 1, r.points[0].y + 1};
  for (const Point& p : r.points) {
    b = Rect{std::min(b.left, p.x), std::min(b.top, p.y), std::max(b.right, p.x + 1), std::max(b.bottom, p.y + 1)};
  }
  return b;
}

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Describe(const Rect& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

// Fill colours of the records that fill, in drawing order.
std::vector<COLORREF> Fills(const gdi::RecordingCanvas& canvas) {
  std::vector<COLORREF> fills;
  for (const DrawRecord& r : canvas.Records()) {
    if (r.state.brush.style != gdi::BrushStyle::Null) fills.push_back(r.state.brush.color);
  }
  return fills;
}

// --- route shields ---

struct ShieldCase {
  int kind;
  bool blackWhite;
  std::vector<COLORREF> fills;  // in drawing order
  COLORREF centre;              // the pixel at the box's centre
};

const std::vector<ShieldCase>& ShieldCases() {
  static const std::vector<ShieldCase> cases = {
      {0, false, {kBlue, kRedC}, kBlue},
      {0, true, {kWhiteC, kBlackC}, kWhiteC},
      {1, false, {kWhiteC}, kWhiteC},
      {1, true, {kWhiteC}, kWhiteC},
      {2, false, {kWhiteC}, kWhiteC},
      {3, false, {kWhiteC}, kWhiteC},
      {6, false, {kGreyC, kWhiteC}, kGreyC},
      {6, true, {kWhiteC, kWhiteC}, kWhiteC},
      {7, false, {kBlue}, kBlue},
      {7, true, {kWhiteC}, kWhiteC},
      {8, false, {kAqua}, kAqua},
      {8, true, {kWhiteC}, kWhiteC},
      {10, false, {kWhiteC, kBlackC}, kWhiteC},
      {10, true, {kWhiteC, kBlackC}, kWhiteC},
      {11, false, {kWhiteC}, kWhiteC},
  };
  return cases;
}

TEST(LabelShapesShield, EachKindStaysInItsBoxWithItsFillsAndABlackOutline) {
  // A shield as small as on the map and a large one: rounding must keep both inside.
  for (const Rect box : {Rect{40, 30, 74, 51}, Rect{100, 80, 188, 146}}) {
    for (const ShieldCase& c : ShieldCases()) {
      SCOPED_TRACE("kind " + std::to_string(c.kind) + (c.blackWhite ? " bw" : "") + " box " + Describe(box));
      gdi::RecordingCanvas canvas({400, 300});
      DrawShieldShape(canvas, c.kind, box, c.blackWhite);
      ASSERT_FALSE(canvas.Records().empty());
      EXPECT_EQ(Fills(canvas), c.fills);
      bool outlined = false;
      for (const DrawRecord& r : canvas.Records()) {
        EXPECT_TRUE(Inside(Bounds(r), box)) << Describe(Bounds(r));
        if (r.state.pen.style == gdi::PenStyle::Null) continue;
        EXPECT_LE(r.state.pen.width, 1);
        if (r.state.pen.color == kBlackC) outlined = true;
      }
      EXPECT_TRUE(outlined);
      // The caller's pen and brush are left as they were.
      EXPECT_EQ(canvas.State().pen, gdi::Pen{});
      EXPECT_EQ(canvas.State().brush, gdi::Brush::Solid(kWhiteC));
    }
  }
}

TEST(LabelShapesShield, PixelsLandInTheBoxWithTheKindsColours) {
  const Rect box{20, 16, 108, 82};  // 88 × 66
  for (const ShieldCase& c : ShieldCases()) {
    SCOPED_TRACE("kind " + std::to_string(c.kind) + (c.blackWhite ? " bw" : ""));
    gdi::Bitmap bitmap(130, 100);
    bitmap.Fill(kPaper);
    gdi::CairoCanvas canvas(bitmap);
    DrawShieldShape(canvas, c.kind, box, c.blackWhite);
    EXPECT_EQ(bitmap.Pixel((box.left + box.right) / 2, (box.top + box.bottom) / 2), c.centre);
    int painted = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
      for (int x = 0; x < bitmap.Width(); ++x) {
        if (bitmap.Pixel(x, y) == kPaper) continue;
        ++painted;
        ASSERT_TRUE(x >= box.left && x < box.right && y >= box.top && y < box.bottom) << x << "," << y;
      }
    }
    EXPECT_GT(painted, box.Width() * box.Height() / 3);
  }
}

TEST(LabelShapesShield, InterstateCrownIsRedAboveTheBlueBody) {
  const Rect box{0, 0, 88, 66};
  for (const bool bw : {false, true}) {
    gdi::Bitmap bitmap(88, 66);
    bitmap.Fill(kPaper);
    gdi::CairoCanvas canvas(bitmap);
    DrawShieldShape(canvas, 0, box, bw);
    EXPECT_EQ(bitmap.Pixel(22, 6), bw ? kBlackC : kRedC);
    EXPECT_EQ(bitmap.Pixel(44, 40), bw ? kWhiteC : kBlue);
    // The bottom runs to a point: its corners stay clear.
    EXPECT_EQ(bitmap.Pixel(4, 62), kPaper);
    EXPECT_EQ(bitmap.Pixel(83, 62), kPaper);
  }
}

TEST(LabelShapesShield, UsHighwayShieldIsFourPixelsNarrower) {
  gdi::RecordingCanvas canvas({200, 200});
  DrawShieldShape(canvas, 1, {10, 10, 60, 40}, false);
  ASSERT_EQ(canvas.Records().size(), 1u);
  // Two columns clear on either side of the 50-pixel box; the ears nearly reach them.
  const Rect b = Bounds(canvas.Records()[0]);
  EXPECT_TRUE(Inside(b, Rect{12, 10, 58, 40})) << Describe(b);
  EXPECT_GE(b.Width(), 44);
}

TEST(LabelShapesShield, PlatesHaveTheirHeights) {
  struct Case {
    int kind;
    int top, bottom;  // rows of the plate in a box 40 rows high from row 0
  };
  for (const Case c : {Case{2, 5, 35}, Case{3, 2, 38}, Case{7, 2, 38}, Case{8, 0, 40}}) {
    SCOPED_TRACE(c.kind);
    gdi::RecordingCanvas canvas({200, 200});
    DrawShieldShape(canvas, c.kind, {0, 0, 60, 40}, false);
    ASSERT_EQ(canvas.Records().size(), 1u);
    const Rect b = Bounds(canvas.Records()[0]);
    EXPECT_EQ(b.top, c.top);
    EXPECT_EQ(b.bottom, c.bottom);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.right, 60);
  }
}

TEST(LabelShapesShield, UnknownKindsAndEmptyBoxesDrawNothing) {
  for (const int kind : {-1, 4, 5, 9, 12, 99}) {
    gdi::RecordingCanvas canvas({200, 200});
    DrawShieldShape(canvas, kind, {0, 0, 40, 30}, false);
    EXPECT_TRUE(canvas.Records().empty()) << kind;
  }
  gdi::RecordingCanvas canvas({200, 200});
  DrawShieldShape(canvas, 0, {10, 10, 10, 30}, false);
  DrawShieldShape(canvas, 1, {10, 10, 13, 30}, false);  // narrower than the 4 pixels kind 1 gives up
  EXPECT_TRUE(canvas.Records().empty());
}

TEST(LabelShapesShield, TextColours) {
  struct Case {
    int kind;
    COLORREF colour;
  };
  for (const Case c : {Case{0, kWhiteC}, Case{1, kBlackC}, Case{2, kBlackC}, Case{3, kBlackC}, Case{6, kBlackC},
                       Case{7, kWhiteC}, Case{8, kNavyC}, Case{10, kBlackC}, Case{11, kBlackC}}) {
    EXPECT_EQ(ShieldTextColour(c.kind, false), c.colour) << c.kind;
    EXPECT_EQ(ShieldTextColour(c.kind, true), kBlackC) << c.kind;
  }
}

// --- point symbols ---

struct Part {
  DrawKind kind;
  Rect bounds;
  COLORREF fill, pen;
};

struct SymbolCase {
  int labelClass;
  double aspect;
  bool blackWhite;
  std::vector<Part> parts;
};

TEST(LabelShapesPointSymbol, EachClassDrawsItsShapeSizeAndColours) {
  const Point p{50, 40};
  const std::vector<SymbolCase> cases = {
      {0, 1, false, {{DrawKind::Ellipse, {46, 36, 54, 44}, kWhiteC, kRedC}}},
      {0, 1, true, {{DrawKind::Ellipse, {46, 36, 54, 44}, kWhiteC, kBlackC}}},
      {0, 2, false, {{DrawKind::Ellipse, {46, 38, 54, 42}, kWhiteC, kRedC}}},
      {1, 1, false, {{DrawKind::Ellipse, {47, 37, 53, 43}, kGreen, kBlackC}}},
      {1, 1, true, {{DrawKind::Ellipse, {47, 37, 53, 43}, kWhiteC, kBlackC}}},
      {2, 1, false, {{DrawKind::Polygon, {48, 38, 53, 43}, kRedC, kRedC}}},
      {2, 1, true, {{DrawKind::Polygon, {48, 38, 53, 43}, kBlackC, kBlackC}}},
      {3, 1, false,
       {{DrawKind::Rectangle, {45, 35, 55, 45}, kWhiteC, kBlackC},
        {DrawKind::Rectangle, {47, 37, 53, 43}, kYellowC, kYellowC}}},
      {3, 1, true,
       {{DrawKind::Rectangle, {45, 35, 55, 45}, kWhiteC, kBlackC},
        {DrawKind::Rectangle, {47, 37, 53, 43}, kWhiteC, kBlackC}}},
      {4, 1, false, {{DrawKind::Polygon, {47, 37, 54, 44}, kRedC, kRedC}}},
      {4, 2, false, {{DrawKind::Polygon, {47, 38, 54, 43}, kRedC, kRedC}}},
      {5, 1, false,
       {{DrawKind::Ellipse, {45, 35, 55, 45}, kWhiteC, kBlackC}, {DrawKind::Ellipse, {47, 37, 53, 43}, kBlue, kBlue}}},
      {5, 1, true,
       {{DrawKind::Ellipse, {45, 35, 55, 45}, kWhiteC, kBlackC},
        {DrawKind::Ellipse, {47, 37, 53, 43}, kWhiteC, kBlackC}}},
      {6, 1, false,
       {{DrawKind::Polygon, {38, 16, 62, 64}, kGreyC, kBlackC}, {DrawKind::Polygon, {0, 0, 0, 0}, kWhiteC, 0}}},
      {6, 2, false,
       {{DrawKind::Polygon, {38, 28, 62, 52}, kGreyC, kBlackC}, {DrawKind::Polygon, {0, 0, 0, 0}, kWhiteC, 0}}},
      {7, 1, false, {{DrawKind::Ellipse, {47, 37, 53, 43}, kBlue, kWhiteC}}},
      {7, 1, true, {{DrawKind::Ellipse, {47, 37, 53, 43}, kBlackC, kWhiteC}}},
      {8, 1, false, {{DrawKind::Ellipse, {47, 37, 53, 43}, kRedC, kWhiteC}}},
      {8, 1, true, {{DrawKind::Ellipse, {47, 37, 53, 43}, kBlackC, kWhiteC}}},
      {10, 1, false, {{DrawKind::Rectangle, {48, 38, 53, 43}, kBlue, kBlue}}},
      {10, 1, true, {{DrawKind::Rectangle, {48, 38, 53, 43}, kBlackC, kBlackC}}},
      {11, 1, false, {{DrawKind::Rectangle, {48, 38, 53, 43}, kRedC, kRedC}}},
      {12, 1, false, {{DrawKind::Ellipse, {47, 37, 53, 43}, kBlue, kBlue}}},
      {12, 1.5, false, {{DrawKind::Ellipse, {47, 38, 53, 42}, kBlue, kBlue}}},
      {13, 1, false, {{DrawKind::Ellipse, {48, 38, 52, 42}, kRedC, kRedC}}},
      {13, 1, true, {{DrawKind::Ellipse, {48, 38, 52, 42}, kBlackC, kBlackC}}},
  };
  for (const SymbolCase& c : cases) {
    SCOPED_TRACE("class " + std::to_string(c.labelClass) + " aspect " + std::to_string(c.aspect) +
                 (c.blackWhite ? " bw" : ""));
    gdi::RecordingCanvas canvas({200, 200});
    DrawPointSymbol(canvas, c.labelClass, p, c.aspect, c.blackWhite);
    ASSERT_EQ(canvas.Records().size(), c.parts.size());
    for (std::size_t i = 0; i < c.parts.size(); ++i) {
      const DrawRecord& r = canvas.Records()[i];
      const Part& want = c.parts[i];
      EXPECT_EQ(r.kind, want.kind) << i;
      if (want.bounds.right != 0) {
        EXPECT_EQ(Bounds(r), want.bounds) << i << " " << Describe(Bounds(r));
      }
      EXPECT_EQ(r.state.brush, gdi::Brush::Solid(want.fill)) << i;
      if (want.pen != 0 || want.kind != DrawKind::Polygon) {
        EXPECT_EQ(r.state.pen.color, want.pen) << i;
        EXPECT_LE(r.state.pen.width, 1);
      }
    }
  }
}

TEST(LabelShapesPointSymbol, BlackAndWhiteUsesOnlyBlackAndWhite) {
  for (int labelClass = 0; labelClass <= 13; ++labelClass) {
    gdi::RecordingCanvas canvas({200, 200});
    DrawPointSymbol(canvas, labelClass, {60, 60}, 1.2, true);
    for (const DrawRecord& r : canvas.Records()) {
      if (r.state.brush.style != gdi::BrushStyle::Null) {
        EXPECT_TRUE(r.state.brush.color == kBlackC || r.state.brush.color == kWhiteC) << labelClass;
      }
      if (r.state.pen.style != gdi::PenStyle::Null) {
        EXPECT_TRUE(r.state.pen.color == kBlackC || r.state.pen.color == kWhiteC) << labelClass;
      }
    }
  }
}

TEST(LabelShapesPointSymbol, CentredLabelsAndUnknownClassesDrawNothing) {
  for (const int labelClass : {9, -1, 14, 200}) {
    gdi::RecordingCanvas canvas({200, 200});
    DrawPointSymbol(canvas, labelClass, {60, 60}, 1, false);
    EXPECT_TRUE(canvas.Records().empty()) << labelClass;
  }
}

TEST(LabelShapesPointSymbol, PinPointsDownAndIsCentredOnThePoint) {
  gdi::Bitmap bitmap(100, 100);
  bitmap.Fill(kPaper);
  gdi::CairoCanvas canvas(bitmap);
  DrawPointSymbol(canvas, 6, {50, 50}, 1, false);
  EXPECT_EQ(bitmap.Pixel(50, 39), kWhiteC);  // the eye in the head
  EXPECT_EQ(bitmap.Pixel(50, 50), kGreyC);
  EXPECT_EQ(bitmap.Pixel(40, 70), kPaper);   // beside the point
  EXPECT_NE(bitmap.Pixel(50, 73), kPaper);   // the point, 24 rows below the centre
  EXPECT_EQ(bitmap.Pixel(50, 74), kPaper);
}

// --- landmark icons ---

class LabelShapesIcons : public ::testing::Test {
 protected:
  static const LandmarkIconSheet& Icons() {
    static const LandmarkIconSheet sheet;
    return sheet;
  }
  static Point Cell(int k) { return {(k - 1) / 8 * 24, (k - 1) % 8 * 24}; }
};

TEST_F(LabelShapesIcons, SheetHoldsSeventyTwoIconsOnTheKeyColour) {
  const gdi::Bitmap& sheet = Icons().Sheet();
  ASSERT_EQ(sheet.Width(), 216);
  ASSERT_EQ(sheet.Height(), 192);
  for (int k = 1; k <= 72; ++k) {
    const Point cell = Cell(k);
    int ink = 0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) ink += sheet.Pixel(cell.x + x, cell.y + y) != LandmarkIconSheet::kKeyColour;
    }
    EXPECT_GT(ink, 200) << k;
    // The corners of a cell show the key colour: icons keep to their cells.
    EXPECT_EQ(sheet.Pixel(cell.x, cell.y), LandmarkIconSheet::kKeyColour) << k;
    EXPECT_EQ(sheet.Pixel(cell.x + 23, cell.y + 23), LandmarkIconSheet::kKeyColour) << k;
  }
}

TEST_F(LabelShapesIcons, MaskIsWhiteExactlyWhereTheSheetShowsTheKey) {
  const gdi::Bitmap& sheet = Icons().Sheet();
  const gdi::Bitmap& mask = Icons().Mask();
  ASSERT_EQ(mask.Width(), sheet.Width());
  ASSERT_EQ(mask.Height(), sheet.Height());
  int blackInk = 0;
  for (int y = 0; y < sheet.Height(); ++y) {
    for (int x = 0; x < sheet.Width(); ++x) {
      const COLORREF c = sheet.Pixel(x, y);
      ASSERT_EQ(mask.Pixel(x, y), c == LandmarkIconSheet::kKeyColour ? kWhiteC : kBlackC) << x << "," << y;
      blackInk += c == kBlackC;
    }
  }
  EXPECT_GT(blackInk, 0);  // black is an icon colour like any other
}

// What drawing icon k centred at `centre` at `scale` should leave on a canvas of
// `background`: the icon's pixels inside its square, the background elsewhere.
COLORREF Expected(const gdi::Bitmap& sheet, int k, Point centre, int scale, int x, int y, COLORREF background) {
  const int size = 24 * scale;
  const int left = centre.x - size / 2, top = centre.y - size / 2;
  if (x < left || x >= left + size || y < top || y >= top + size) return background;
  const COLORREF c =
      sheet.Pixel((k - 1) / 8 * 24 + (x - left) / scale, (k - 1) % 8 * 24 + (y - top) / scale);
  return c == LandmarkIconSheet::kKeyColour ? background : c;
}

TEST_F(LabelShapesIcons, DrawingPaintsTheIconAndKeepsEverythingElse) {
  struct Case {
    int k;
    int scale;
  };
  const Point centre{60, 50};
  for (const Case c : {Case{1, 1}, Case{8, 1}, Case{35, 1}, Case{65, 1}, Case{72, 1}, Case{18, 3}, Case{72, 3}}) {
    for (const COLORREF background : {kPaper, kWhiteC}) {
      SCOPED_TRACE("class " + std::to_string(c.k) + " scale " + std::to_string(c.scale));
      gdi::Bitmap bitmap(130, 110);
      bitmap.Fill(background);
      gdi::CairoCanvas canvas(bitmap);
      Icons().Draw(canvas, c.k, centre, c.scale);
      int painted = 0;
      for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
          ASSERT_EQ(bitmap.Pixel(x, y), Expected(Icons().Sheet(), c.k, centre, c.scale, x, y, background))
              << x << "," << y;
          painted += bitmap.Pixel(x, y) != background;
        }
      }
      EXPECT_GT(painted, 200 * c.scale * c.scale);
    }
  }
}

TEST_F(LabelShapesIcons, BlackIconPixelsStayOpaqueOnAWhiteMap) {
  // The badge's rim is black: a mask taken from black instead of the key
  // colour would let the white map show through it.
  const gdi::Bitmap& sheet = Icons().Sheet();
  const Point cell = Cell(35);
  Point rim{-1, -1};
  for (int x = 0; x < 24 && rim.x < 0; ++x) {
    if (sheet.Pixel(cell.x + x, cell.y + 12) == kBlackC) rim = {x, 12};
  }
  ASSERT_GE(rim.x, 0);
  gdi::Bitmap bitmap(48, 48);
  bitmap.Fill(kWhiteC);
  gdi::CairoCanvas canvas(bitmap);
  Icons().Draw(canvas, 35, {24, 24});
  EXPECT_EQ(bitmap.Pixel(12 + rim.x, 12 + rim.y), kBlackC);
}

TEST_F(LabelShapesIcons, ScaleThreeCoversSeventyTwoPixels) {
  gdi::Bitmap bitmap(120, 120);
  bitmap.Fill(kPaper);
  gdi::CairoCanvas canvas(bitmap);
  Icons().Draw(canvas, 12, {60, 60}, 3);
  Rect painted{1000, 1000, -1, -1};
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 120; ++x) {
      if (bitmap.Pixel(x, y) == kPaper) continue;
      painted = Rect{std::min(painted.left, x), std::min(painted.top, y), std::max(painted.right, x + 1),
                     std::max(painted.bottom, y + 1)};
    }
  }
  EXPECT_TRUE(Inside(painted, Rect{24, 24, 96, 96})) << Describe(painted);
  EXPECT_GE(painted.Width(), 66);
  EXPECT_GE(painted.Height(), 66);
}

TEST_F(LabelShapesIcons, ClassesOutsideTheSheetDrawNothing) {
  for (const int k : {0, -3, 73, 1000}) {
    gdi::RecordingCanvas canvas({100, 100});
    Icons().Draw(canvas, k, {50, 50});
    EXPECT_TRUE(canvas.Records().empty()) << k;
  }
  gdi::RecordingCanvas canvas({100, 100});
  Icons().Draw(canvas, 1, {50, 50});
  const auto blits = canvas.RecordsOf(DrawKind::BitBlt);
  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[0].rect, (Rect{38, 38, 62, 62}));
  EXPECT_EQ(blits[0].rop3, gdi::Rop3::SrcAnd);
  EXPECT_EQ(blits[1].rop3, gdi::Rop3::SrcPaint);
}

}  // namespace
}  // namespace quelmar::render
