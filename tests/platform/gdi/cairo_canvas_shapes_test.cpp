// Pixel-exact geometry of the Cairo canvas: which pixels lines, rectangles,
// polygons and ellipses cover, under window origins and clips.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/pixel_checks.h"

namespace quelmar::gdi {
namespace {

using testing::kBlack;
using testing::kBlue;
using testing::kRed;
using testing::kWhite;
using testing::Picture;
using testing::Rows;

// A white bitmap and a canvas on it; the default pen is black, one pixel.
class CanvasFixture : public ::testing::Test {
 protected:
  explicit CanvasFixture(int width = 10, int height = 8) : bitmap_(width, height), canvas_(bitmap_) {
    bitmap_.Fill(kWhite);
  }
  Bitmap bitmap_;
  CairoCanvas canvas_;
};

using CairoCanvasFillRectTest = CanvasFixture;

TEST_F(CairoCanvasFillRectTest, FillsExactlyLeftTopInclusiveRightBottomExclusive) {
  canvas_.FillRect(Rect{2, 1, 5, 3}, Brush::Solid(kBlack));
  EXPECT_EQ(Picture(bitmap_), Rows({
                                  "..........",
                                  "..###.....",
                                  "..###.....",
                                  "..........",
                                  "..........",
                                  "..........",
                                  "..........",
                                  "..........",
                              }));
}

TEST_F(CairoCanvasFillRectTest, IgnoresThePenTheMixModeAndInvertedRectangles) {
  canvas_.SetPen(Pen{PenStyle::Solid, 3, kRed});
  canvas_.SetRop2(Rop2::XorPen);
  canvas_.FillRect(Rect{0, 0, 2, 2}, Brush::Solid(kBlack));
  canvas_.FillRect(Rect{6, 6, 4, 4}, Brush::Solid(kBlack));  // right < left: nothing
  canvas_.FillRect(Rect{0, 5, 9, 7}, Brush::Null());
  EXPECT_EQ(testing::CountPixels(bitmap_, kBlack), 4);
  EXPECT_EQ(testing::InkBounds(bitmap_), (Rect{0, 0, 2, 2}));
}

TEST_F(CairoCanvasFillRectTest, ReachingPastTheBitmapIsCut) {
  canvas_.FillRect(Rect{-100, -100, 100000, 2}, Brush::Solid(kBlack));
  EXPECT_EQ(testing::CountPixels(bitmap_, kBlack), 20);
}

using CairoCanvasLineTest = CanvasFixture;

TEST_F(CairoCanvasLineTest, OnePixelHorizontalLineColoursExactlyItsRowAndLeavesTheEndOut) {
  canvas_.MoveTo(Point{1, 5});
  canvas_.LineTo(Point{8, 5});
  EXPECT_EQ(Picture(bitmap_), Rows({
                                  "..........",
                                  "..........",
                                  "..........",
                                  "..........",
                                  "..........",
                                  ".#######..",
                                  "..........",
                                  "..........",
                              }));
}

TEST_F(CairoCanvasLineTest, LineToMovesTheCurrentPositionSoLinesJoinWithoutGaps) {
  canvas_.MoveTo(Point{1, 1});
  canvas_.LineTo(Point{4, 1});
  canvas_.LineTo(Point{4, 4});
  canvas_.LineTo(Point{1, 1});  // diagonal back to the start
  EXPECT_EQ(Picture(bitmap_), Rows({
                                  "..........",
                                  ".####.....",
                                  "..#.#.....",
                                  "...##.....",
                                  "....#.....",
                                  "..........",
                                  "..........",
                                  "..........",
                              }));
}

TEST_F(CairoCanvasLineTest, PolylineLeavesOutOnlyItsLastPoint) {
  const Point points[] = {{0, 0}, {0, 3}, {3, 3}};
  canvas_.Polyline(points);
  EXPECT_EQ(Picture(bitmap_), Rows({
                                  "#.........",
                                  "#.........",
                                  "#.........",
                                  "###.......",
                                  "..........",
                                  "..........",
                                  "..........",
                                  "..........",
                              }));
}

TEST_F(CairoCanvasLineTest, LineWithFarAwayEndsDrawsItsVisiblePart) {
  canvas_.MoveTo(Point{-2000000000, 2});
  canvas_.LineTo(Point{2000000000, 2});
  canvas_.MoveTo(Point{3, -1500000000});
  canvas_.LineTo(Point{3, 1500000000});
  EXPECT_EQ(testing::CountPixels(bitmap_, kBlack), 10 + 8 - 1);
  EXPECT_EQ(bitmap_.Pixel(0, 2), kBlack);
  EXPECT_EQ(bitmap_.Pixel(3, 7), kBlack);
}

TEST_F(CairoCanvasLineTest, DiagonalWithFarEndsMatchesTheSameLineDrawnNearby) {
  // The same 1:2 slope through device (0, 0), drawn from just outside the
  // bitmap and from very far away, must pick the same pixels inside it.
  canvas_.MoveTo(Point{-20, -10});
  canvas_.LineTo(Point{40, 20});
  const std::string nearby = Picture(bitmap_);
  EXPECT_GT(testing::CountPixels(bitmap_, kBlack), 8);

  struct FarLine {
    Point origin, from, to;
  };
  const FarLine cases[] = {
      {{0, 0}, {-2000000, -1000000}, {2000000, 1000000}},
      // Device coordinates beyond 32 bits once the origin is taken off.
      {{-2000000000, -1000000000}, {-2000000000, -1000000000}, {2000000000, 1000000000}},
  };
  for (const FarLine& c : cases) {
    bitmap_.Fill(kWhite);
    canvas_.SetWindowOrigin(c.origin);
    canvas_.MoveTo(c.from);
    canvas_.LineTo(c.to);
    EXPECT_EQ(Picture(bitmap_), nearby) << "from " << c.from.x << "," << c.from.y;
  }
}

TEST_F(CairoCanvasLineTest, WidePenCoversItsWidthWithRoundEnds) {
  // Five pixels wide, centred on row 4; the round caps reach 2.5 pixels past
  // the end pixels' centres and narrow towards the edges of the stroke.
  canvas_.SetPen(Pen{PenStyle::Solid, 5, kBlack});
  canvas_.MoveTo(Point{2, 4});
  canvas_.LineTo(Point{7, 4});
  EXPECT_EQ(Picture(bitmap_), Rows({
                                  "..........",
                                  "..........",
                                  ".########.",
                                  "##########",
                                  "##########",
                                  "##########",
                                  ".########.",
                                  "..........",
                              }));
}

TEST_F(CairoCanvasLineTest, NullPenDrawsNothingButStillMoves) {
  canvas_.SetPen(Pen{PenStyle::Null, 1, kBlack});
  canvas_.MoveTo(Point{0, 0});
  canvas_.LineTo(Point{9, 0});
  EXPECT_EQ(testing::CountPixels(bitmap_, kBlack), 0);
  EXPECT_EQ(canvas_.State().currentPosition, (Point{9, 0}));
}

class CairoCanvasDashTest : public CanvasFixture {
 protected:
  CairoCanvasDashTest() : CanvasFixture(40, 1) {}
  std::string Dashes(PenStyle style, BkMode mode) {
    bitmap_.Fill(kWhite);
    canvas_.SetPen(Pen{style, 1, kBlack});
    canvas_.SetBkMode(mode);
    canvas_.SetBkColor(kRed);
    canvas_.MoveTo(Point{0, 0});
    canvas_.LineTo(Point{40, 0});
    return Picture(bitmap_, kWhite, kBlack);
  }
};

TEST_F(CairoCanvasDashTest, StylesRepeatTheirPatternAndGapsFollowTheBackgroundMode) {
  EXPECT_EQ(Dashes(PenStyle::Dash, BkMode::Transparent), "##################......################\n");
  EXPECT_EQ(Dashes(PenStyle::Dot, BkMode::Transparent), "###...###...###...###...###...###...###.\n");
  EXPECT_EQ(Dashes(PenStyle::DashDot, BkMode::Transparent), "#########......###......#########......#\n");
  EXPECT_EQ(Dashes(PenStyle::DashDotDot, BkMode::Transparent), "#########...###...###...#########...###.\n");
  EXPECT_EQ(Dashes(PenStyle::Dash, BkMode::Opaque), "##################??????################\n");
}

TEST_F(CairoCanvasDashTest, PatternCarriesOverPolylineCorners) {
  canvas_.SetPen(Pen{PenStyle::Dot, 1, kBlack});
  canvas_.SetBkMode(BkMode::Transparent);
  const Point points[] = {{0, 0}, {4, 0}, {40, 0}};
  canvas_.Polyline(points);
  EXPECT_EQ(Picture(bitmap_), "###...###...###...###...###...###...###.\n");
}

using CairoCanvasRectangleTest = CanvasFixture;

TEST_F(CairoCanvasRectangleTest, PenOutlinesTheOuterPixelsAndTheBrushFillsInside) {
  canvas_.SetBrush(Brush::Solid(kRed));
  canvas_.Rectangle(Rect{1, 1, 7, 6});
  EXPECT_EQ(Picture(bitmap_, kWhite, kBlack), Rows({
                                                  "..........",
                                                  ".######...",
                                                  ".#????#...",
                                                  ".#????#...",
                                                  ".#????#...",
                                                  ".######...",
                                                  "..........",
                                                  "..........",
                                              }));
  EXPECT_EQ(bitmap_.Pixel(2, 2), kRed);
}

TEST_F(CairoCanvasRectangleTest, SwappedCornersDrawTheSameRectangle) {
  canvas_.Rectangle(Rect{7, 6, 1, 1});
  const std::string swapped = Picture(bitmap_);
  bitmap_.Fill(kWhite);
  canvas_.Rectangle(Rect{1, 1, 7, 6});
  EXPECT_EQ(swapped, Picture(bitmap_));
}

TEST_F(CairoCanvasRectangleTest, WithoutAPenTheFillIsOnePixelSmaller) {
  canvas_.SetPen(Pen{PenStyle::Null, 1, kBlack});
  canvas_.SetBrush(Brush::Solid(kBlack));
  canvas_.Rectangle(Rect{1, 1, 5, 4});
  EXPECT_EQ(testing::InkBounds(bitmap_), (Rect{1, 1, 4, 3}));
  EXPECT_EQ(testing::CountPixels(bitmap_, kBlack), 6);
}

TEST_F(CairoCanvasRectangleTest, NullBrushLeavesTheInsideUntouched) {
  canvas_.SetBrush(Brush::Null());
  canvas_.Rectangle(Rect{0, 0, 4, 4});
  EXPECT_EQ(testing::CountPixels(bitmap_, kBlack), 12);
  EXPECT_EQ(bitmap_.Pixel(1, 1), kWhite);
}

TEST_F(CairoCanvasRectangleTest, InsideFramePenStaysInsideTheRectangle) {
  canvas_.SetPen(Pen{PenStyle::InsideFrame, 3, kBlack});
  canvas_.SetBrush(Brush::Solid(kRed));
  canvas_.Rectangle(Rect{1, 1, 9, 8});
  EXPECT_EQ(testing::InkBounds(bitmap_), (Rect{1, 1, 9, 8}));
  EXPECT_EQ(bitmap_.Pixel(1, 1), kBlack) << "square corners";
  EXPECT_EQ(bitmap_.Pixel(3, 3), kBlack);
  EXPECT_EQ(bitmap_.Pixel(4, 4), kRed);
}

TEST_F(CairoCanvasRectangleTest, WidePenIsCentredOnTheOutline) {
  canvas_.SetPen(Pen{PenStyle::Solid, 3, kBlack});
  canvas_.SetBrush(Brush::Null());
  canvas_.Rectangle(Rect{2, 2, 8, 7});
  EXPECT_EQ(testing::InkBounds(bitmap_), (Rect{1, 1, 9, 8}));
  EXPECT_EQ(bitmap_.Pixel(4, 4), kWhite);
  EXPECT_EQ(bitmap_.Pixel(4, 3), kBlack);
}

using CairoCanvasPolygonTest = CanvasFixture;

TEST_F(CairoCanvasPolygonTest, OutlineIncludesEveryVertex) {
  canvas_.SetBrush(Brush::Solid(kRed));
  const Point square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
  canvas_.Polygon(square);
  EXPECT_EQ(Picture(bitmap_, kWhite, kBlack), Rows({
                                                  "..........",
                                                  ".#####....",
                                                  ".#???#....",
                                                  ".#???#....",
                                                  ".#???#....",
                                                  ".#####....",
                                                  "..........",
                                                  "..........",
                                              }));
}

TEST_F(CairoCanvasPolygonTest, FillIsEvenOdd) {
  canvas_.SetPen(Pen{PenStyle::Null, 1, kBlack});
  canvas_.SetBrush(Brush::Solid(kBlack));
  // An outer square and an inner one traced the same way: under even-odd the
  // inner square is a hole (under non-zero winding it would be filled).
  const Point points[] = {{0, 0}, {8, 0}, {8, 8}, {0, 8}, {0, 0}, {2, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 2}};
  canvas_.Polygon(points);
  EXPECT_EQ(Picture(bitmap_), Rows({
                                  "########..",
                                  "########..",
                                  "##....##..",
                                  "##....##..",
                                  "##....##..",
                                  "##....##..",
                                  "########..",
                                  "########..",
                              }));
}

TEST_F(CairoCanvasPolygonTest, HugeCoordinatesStillFillTheVisiblePart) {
  canvas_.SetPen(Pen{PenStyle::Null, 1, kBlack});
  canvas_.SetBrush(Brush::Solid(kBlack));
  const Point triangle[] = {{-1000000000, -1000000000}, {2000000000, -1000000000}, {-1000000000, 2000000000}};
  canvas_.Polygon(triangle);
  // The long side (x + y = 10^9) passes far from the bitmap: all of it is inside.
  EXPECT_EQ(testing::CountPixels(bitmap_, kBlack), 80);
}

using CairoCanvasEllipseTest = CanvasFixture;

TEST_F(CairoCanvasEllipseTest, StaysInsideItsBoxAndTouchesEverySide) {
  canvas_.SetBrush(Brush::Solid(kRed));
  canvas_.Ellipse(Rect{1, 0, 10, 7});
  EXPECT_EQ(testing::InkBounds(bitmap_), (Rect{1, 0, 10, 7}));
  EXPECT_EQ(bitmap_.Pixel(1, 0), kWhite) << "corners stay clear";
  EXPECT_EQ(bitmap_.Pixel(5, 3), kRed);
  EXPECT_EQ(bitmap_.Pixel(5, 0), kBlack);
  EXPECT_EQ(bitmap_.Pixel(1, 3), kBlack);
  EXPECT_EQ(bitmap_.Pixel(9, 3), kBlack);
  EXPECT_EQ(bitmap_.Pixel(5, 6), kBlack);
}

TEST_F(CairoCanvasEllipseTest, WithoutAPenTheFillIsOnePixelSmaller) {
  canvas_.SetPen(Pen{PenStyle::Null, 1, kBlack});
  canvas_.SetBrush(Brush::Solid(kBlack));
  canvas_.Ellipse(Rect{0, 0, 9, 7});
  EXPECT_EQ(testing::InkBounds(bitmap_), (Rect{0, 0, 8, 6}));
}

using CairoCanvasOriginTest = CanvasFixture;

TEST_F(CairoCanvasOriginTest, LogicalPointsMoveByMinusTheOrigin) {
  canvas_.SetWindowOrigin(Point{100, 50});
  canvas_.FillRect(Rect{101, 51, 103, 52}, Brush::Solid(kBlack));
  canvas_.MoveTo(Point{100, 56});
  canvas_.LineTo(Point{104, 56});
  canvas_.SetBrush(Brush::Null());
  canvas_.Rectangle(Rect{105, 53, 108, 56});
  EXPECT_EQ(Picture(bitmap_), Rows({
                                  "..........",
                                  ".##.......",
                                  "..........",
                                  ".....###..",
                                  ".....#.#..",
                                  ".....###..",
                                  "####......",
                                  "..........",
                              }));
  EXPECT_EQ(canvas_.WindowOrigin(), (Point{100, 50}));
}

using CairoCanvasClipTest = CanvasFixture;

TEST_F(CairoCanvasClipTest, IntersectClipRectLimitsEveryDrawingCall) {
  canvas_.IntersectClipRect(Rect{2, 2, 6, 5});
  canvas_.FillRect(Rect{0, 0, 10, 8}, Brush::Solid(kRed));
  canvas_.MoveTo(Point{0, 3});
  canvas_.LineTo(Point{10, 3});
  EXPECT_EQ(Picture(bitmap_, kWhite, kRed), Rows({
                                                "..........",
                                                "..........",
                                                "..####....",
                                                "..????....",
                                                "..####....",
                                                "..........",
                                                "..........",
                                                "..........",
                                            }));
}

TEST_F(CairoCanvasClipTest, ClipIsAUnionOfRectanglesAndIntersectionsNarrowIt) {
  const Rect rects[] = {{0, 0, 3, 3}, {2, 2, 5, 5}};
  canvas_.SetClipRects(rects);
  canvas_.IntersectClipRect(Rect{1, 0, 10, 8});
  canvas_.FillRect(Rect{0, 0, 10, 8}, Brush::Solid(kBlack));
  EXPECT_EQ(Picture(bitmap_), Rows({
                                  ".##.......",
                                  ".##.......",
                                  ".####.....",
                                  "..###.....",
                                  "..###.....",
                                  "..........",
                                  "..........",
                                  "..........",
                              }));
}

TEST_F(CairoCanvasClipTest, ClipIsInDeviceCoordinatesFromTheOriginInForce) {
  canvas_.SetWindowOrigin(Point{10, 10});
  canvas_.IntersectClipRect(Rect{10, 10, 12, 12});  // device (0,0)-(2,2)
  canvas_.SetWindowOrigin(Point{0, 0});
  canvas_.FillRect(Rect{0, 0, 10, 8}, Brush::Solid(kBlack));
  EXPECT_EQ(testing::InkBounds(bitmap_), (Rect{0, 0, 2, 2}));
}

TEST_F(CairoCanvasClipTest, RemoveClipAndRestoreStateBringBackTheWholeDevice) {
  const int depth = canvas_.SaveState();
  canvas_.IntersectClipRect(Rect{0, 0, 1, 1});
  canvas_.SaveState();
  canvas_.SetPen(Pen{PenStyle::Solid, 1, kRed});
  canvas_.RestoreState(depth);  // drops both saves
  EXPECT_EQ(canvas_.SavedDepth(), 0);
  EXPECT_EQ(canvas_.State().pen.color, kBlack);
  canvas_.FillRect(Rect{0, 0, 10, 8}, Brush::Solid(kBlack));
  EXPECT_EQ(testing::CountPixels(bitmap_, kBlack), 80);

  canvas_.IntersectClipRect(Rect{0, 0, 1, 1});
  canvas_.RemoveClip();
  bitmap_.Fill(kWhite);
  canvas_.FillRect(Rect{0, 0, 10, 8}, Brush::Solid(kBlack));
  EXPECT_EQ(testing::CountPixels(bitmap_, kBlack), 80);
}

TEST_F(CairoCanvasClipTest, EmptyClipDrawsNothing) {
  canvas_.SetClipRects({});
  canvas_.FillRect(Rect{0, 0, 10, 8}, Brush::Solid(kBlack));
  canvas_.Rectangle(Rect{0, 0, 10, 8});
  canvas_.TextOut(Point{0, 0}, "W");
  EXPECT_EQ(testing::CountPixels(bitmap_, kWhite), 80);
}

TEST_F(CairoCanvasClipTest, SystemClipHoldsAgainstTheCanvasClip) {
  const Rect system[] = {{0, 0, 4, 4}};
  canvas_.SetSystemClip(system);
  canvas_.RemoveClip();
  canvas_.FillRect(Rect{0, 0, 10, 8}, Brush::Solid(kBlack));
  EXPECT_EQ(testing::InkBounds(bitmap_), (Rect{0, 0, 4, 4}));
  canvas_.ClearSystemClip();
  canvas_.FillRect(Rect{0, 0, 10, 8}, Brush::Solid(kBlue));
  EXPECT_EQ(testing::CountPixels(bitmap_, kBlue), 80);
}

TEST(CairoCanvasHostileInputTest, ExtremeCoordinatesAndOriginsDrawOnlyWhatIsVisible) {
  Bitmap bitmap(10, 8);
  CairoCanvas canvas(bitmap);
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  for (const Point origin : {Point{0, 0}, Point{kMin, kMin}, Point{kMax, kMax}, Point{kMax, kMin}}) {
    bitmap.Fill(kWhite);
    canvas.SetWindowOrigin(origin);
    canvas.SetPen(Pen{PenStyle::Solid, 3, kBlack});
    canvas.IntersectClipRect(Rect{kMin, kMin, kMax, kMax});
    canvas.Rectangle(Rect{kMin, kMin, kMax, kMax});
    canvas.Ellipse(Rect{kMin, 0, kMax, kMax});
    canvas.FillRect(Rect{kMin, kMin, kMax, kMax}, Brush::Hatch(HatchStyle::Cross, kBlack));
    const Point far[] = {{kMin, kMin}, {kMax, kMax}, {kMin, kMax}};
    canvas.Polygon(far);
    canvas.Polyline(far);
    canvas.TextOut(Point{kMax, kMin}, "far");
    canvas.BitBlt(Rect{kMin, kMin, kMax, kMax}, canvas, Point{kMax, kMin}, Rop3::SrcCopy);
    canvas.RemoveClip();
  }
  canvas.SetWindowOrigin(Point{-5, 0});
  canvas.FillRect(Rect{kMin, kMin, kMax, kMax}, Brush::Solid(kRed));
  EXPECT_EQ(testing::CountPixels(bitmap, kRed), 80);
}

TEST(CairoCanvasStateTest, RestoreStateTakesNegativeDepthsAndIgnoresUnknownOnes) {
  Bitmap bitmap(1, 1);
  CairoCanvas canvas(bitmap);
  canvas.SetTextColor(RGB(1, 1, 1));
  EXPECT_EQ(canvas.SaveState(), 1);
  canvas.SetTextColor(RGB(2, 2, 2));
  EXPECT_EQ(canvas.SaveState(), 2);
  canvas.SetTextColor(RGB(3, 3, 3));
  canvas.RestoreState(5);  // no such state
  canvas.RestoreState(0);
  EXPECT_EQ(canvas.State().textColor, RGB(3, 3, 3));
  canvas.RestoreState(-1);
  EXPECT_EQ(canvas.State().textColor, RGB(2, 2, 2));
  EXPECT_EQ(canvas.SavedDepth(), 1);
  canvas.RestoreState(-1);
  EXPECT_EQ(canvas.State().textColor, RGB(1, 1, 1));
  canvas.RestoreState(-1);  // nothing left
  EXPECT_EQ(canvas.State().textColor, RGB(1, 1, 1));
}

TEST(CairoCanvasSelectBitmapTest, DrawingFollowsTheSelectedBitmap) {
  Bitmap first(4, 4), second(6, 2);
  first.Fill(kWhite);
  second.Fill(kWhite);
  CairoCanvas canvas(first);
  canvas.SetPen(Pen{PenStyle::Solid, 1, kRed});
  canvas.SelectBitmap(second);
  EXPECT_EQ(canvas.DeviceSize(), (Size{6, 2}));
  EXPECT_EQ(canvas.TargetBitmap(), &second);
  canvas.MoveTo(Point{0, 1});
  canvas.LineTo(Point{6, 1});
  EXPECT_EQ(testing::CountPixels(second, kRed), 6);
  EXPECT_EQ(testing::CountPixels(first, kWhite), 16);
}

TEST(DrawFrame3DTest, LightTopLeftDarkBottomRightPerRing) {
  Bitmap bitmap(6, 5);
  bitmap.Fill(kWhite);
  CairoCanvas canvas(bitmap);
  DrawFrame3D(canvas, Rect{0, 0, 6, 5}, kBlack, kRed, 2);
  EXPECT_EQ(Picture(bitmap, kWhite, kBlack), Rows({
                                                 "#####?",
                                                 "####??",
                                                 "##..??",
                                                 "#?????",
                                                 "??????",
                                             }));
}

}  // namespace
}  // namespace quelmar::gdi

namespace quelmar::gdi {
namespace {

// Wide lines drawn together cover the pixels they cover one by one (a pixel
// whose centre lies exactly on a stroke's edge may fall either way), and a
// one-pixel pen or a mixing mode still takes them one at a time, exactly.
TEST(CairoCanvasPolyPolyline, SamePixelsAsOneCallPerLine) {
  const std::vector<std::vector<Point>> lines = {{{5, 5}, {60, 40}, {90, 10}}, {{10, 60}, {80, 70}}, {{50, 0}, {50, 99}}};
  for (const Pen pen : {Pen{PenStyle::Solid, 5, RGB(200, 0, 0)}, Pen{PenStyle::Solid, 1, RGB(0, 0, 200)}}) {
    for (const Rop2 rop : {Rop2::CopyPen, Rop2::XorPen}) {
      Bitmap one(100, 100), all(100, 100);
      one.Fill(RGB(255, 255, 255));
      all.Fill(RGB(255, 255, 255));
      CairoCanvas a(one), b(all);
      for (CairoCanvas* c : {&a, &b}) {
        c->SetPen(pen);
        c->SetRop2(rop);
      }
      for (const auto& line : lines) a.Polyline(line);
      b.PolyPolyline(lines);
      int differing = 0, painted = 0;
      for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
          differing += one.Pixel(x, y) != all.Pixel(x, y);
          painted += one.Pixel(x, y) != RGB(255, 255, 255);
        }
      }
      const bool batched = pen.width > 1 && rop == Rop2::CopyPen;
      EXPECT_LE(differing, batched ? painted / 200 : 0) << "width " << pen.width << " rop " << int(rop);
    }
  }
}

}  // namespace
}  // namespace quelmar::gdi
