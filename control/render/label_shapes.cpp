#include "control/render/label_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>
#include <vector>

#include "control/render/colour_standard.h"
#include "control/render/label_shield_outlines.h"

namespace quelmar::render {
namespace {

using gdi::Point;
using gdi::Rect;

constexpr COLORREF kBlueColour = StdColor(9);
constexpr COLORREF kRedColour = StdColor(kRed);
constexpr COLORREF kAquaColour = StdColor(11);
constexpr COLORREF kNavyColour = StdColor(kNavy);
constexpr COLORREF kGreyColour = StdColor(kGrey);
constexpr COLORREF kYellowColour = StdColor(kYellow);
constexpr COLORREF kDarkGreen = gdi::RGB(0x00, 0x80, 0x00);

// Maps a design frame onto pixels: x grows to the right from `left`, y grows
// upwards from the pixel row `bottom`.
struct FrameMap {
  double left = 0, xScale = 1, bottom = 0, yScale = 1;

  Point operator()(FramePoint p) const {
    return Point{static_cast<int>(std::lround(left + p.x * xScale)),
                 static_cast<int>(std::lround(bottom - p.y * yScale))};
  }
  std::vector<Point> Map(std::span<const FramePoint> points) const {
    std::vector<Point> out;
    out.reserve(points.size());
    for (const FramePoint& p : points) out.push_back((*this)(p));
    return out;
  }
};

// A frame scaled so that its edges fall on the outermost pixels of the
// `width` columns from `left` and of the box's rows: a one-pixel outline
// through the frame's extreme points stays inside the box, as a rectangle's
// outline does.
FrameMap FrameOnto(double frameWidth, double frameHeight, int left, int width, const Rect& box) {
  return FrameMap{static_cast<double>(left), std::max(0, width - 1) / frameWidth, static_cast<double>(box.bottom - 1),
                  std::max(0, box.Height() - 1) / frameHeight};
}

// Sets a one-pixel pen (or none) and a solid brush (or none).
void Use(gdi::Canvas& canvas, std::optional<COLORREF> fill, std::optional<COLORREF> outline) {
  canvas.SetPen(outline ? gdi::Pen{gdi::PenStyle::Solid, 1, *outline} : gdi::Pen{gdi::PenStyle::Null, 0, 0});
  canvas.SetBrush(fill ? gdi::Brush::Solid(*fill) : gdi::Brush::Null());
}

// The points of a rectangle with rounded corners whose outermost pixels are
// `r`'s (right and bottom exclusive), corner radius `radius`.
std::vector<Point> RoundedRectPoints(const Rect& r, double radius) {
  const double left = r.left, top = r.top, right = r.right - 1, bottom = r.bottom - 1;
  radius = std::clamp(radius, 0.0, std::min(right - left, bottom - top) / 2);
  constexpr int kStepsPerCorner = 6;
  // Corner centres, clockwise from the top right, each with its arc's start angle.
  const struct {
    double x, y, startDegrees;
  } corners[] = {{right - radius, top + radius, -90},
                 {right - radius, bottom - radius, 0},
                 {left + radius, bottom - radius, 90},
                 {left + radius, top + radius, 180}};
  std::vector<Point> points;
  for (const auto& c : corners) {
    for (int i = 0; i <= kStepsPerCorner; ++i) {
      const double a = (c.startDegrees + 90.0 * i / kStepsPerCorner) * std::numbers::pi / 180;
      const Point p{static_cast<int>(std::lround(c.x + radius * std::cos(a))),
                    static_cast<int>(std::lround(c.y + radius * std::sin(a)))};
      if (points.empty() || !(points.back() == p)) points.push_back(p);
    }
  }
  return points;
}

// A box of `height` rows centred vertically in `box`, as wide as the box.
Rect CentredBand(const Rect& box, int height) {
  height = std::clamp(height, 0, box.Height());
  const int top = box.top + (box.Height() - height) / 2;
  return Rect{box.left, top, box.right, top + height};
}

void DrawPin(gdi::Canvas& canvas, const Rect& box, bool blackWhite) {
  const FrameMap map = FrameOnto(kShieldFrameWidth, kShieldFrameHeight, box.left, box.Width(), box);
  Use(canvas, blackWhite ? kWhiteColour : kGreyColour, kBlackColour);
  canvas.Polygon(map.Map(kPinOutline));
  // In black and white the white eye on the white pin keeps its outline.
  Use(canvas, kWhiteColour, blackWhite ? std::optional<COLORREF>(kBlackColour) : std::nullopt);
  canvas.Polygon(map.Map(kPinEye));
}

}  // namespace

void DrawShieldShape(gdi::Canvas& canvas, int kind, const gdi::Rect& box, bool blackWhite) {
  if (box.IsEmpty()) return;
  const int w = box.Width();
  const int h = box.Height();
  const int depth = canvas.SaveState();
  const auto fill = [&](COLORREF colour) { return blackWhite ? kWhiteColour : colour; };
  switch (kind) {
    case 0: {
      // Body and crown are filled without a pen, then the body's outline
      // goes round both, so that the crown's sides never show a seam.
      const FrameMap map = FrameOnto(kShieldFrameWidth, kShieldFrameHeight, box.left, w, box);
      const std::vector<Point> body = map.Map(kInterstateOutline);
      Use(canvas, fill(kBlueColour), std::nullopt);
      canvas.Polygon(body);
      Use(canvas, blackWhite ? kBlackColour : kRedColour, std::nullopt);
      canvas.Polygon(map.Map(kInterstateCrown));
      Use(canvas, std::nullopt, kBlackColour);
      canvas.Polygon(body);
      break;
    }
    case 1: {
      if (w <= 4) break;
      const FrameMap map = FrameOnto(kShieldFrameWidth, kShieldFrameHeight, box.left + 2, w - 4, box);
      Use(canvas, kWhiteColour, kBlackColour);
      canvas.Polygon(map.Map(kUsHighwayOutline));
      break;
    }
    case 2: {
      // The corners are quarter ellipses two thirds of the plate's height
      // across: a radius of a third of the height.
      const Rect plate = CentredBand(box, h * 3 / 4);
      if (plate.IsEmpty()) break;
      Use(canvas, kWhiteColour, kBlackColour);
      canvas.Polygon(RoundedRectPoints(plate, plate.Height() / 3.0));
      break;
    }
    case 3:
    case 7: {
      const Rect plate = CentredBand(box, h - 4);
      if (plate.IsEmpty()) break;
      Use(canvas, kind == 3 ? kWhiteColour : fill(kBlueColour), kBlackColour);
      canvas.Rectangle(plate);
      break;
    }
    case 6:
      DrawPin(canvas, box, blackWhite);
      break;
    case 8:
      Use(canvas, fill(kAquaColour), kBlackColour);
      canvas.Polygon(RoundedRectPoints(box, h / 3.0));
      break;
    case 10: {
      const FrameMap map = FrameOnto(kPlateFrameWidth, kPlateFrameHeight, box.left, w, box);
      Use(canvas, kWhiteColour, kBlackColour);
      canvas.Polygon(map.Map(kRoundPlate));
      Use(canvas, kBlackColour, std::nullopt);
      canvas.Polygon(map.Map(kRoundPlateBorder));
      break;
    }
    case 11: {
      const FrameMap map = FrameOnto(kPlateFrameWidth, kPlateFrameHeight, box.left, w, box);
      Use(canvas, kWhiteColour, kBlackColour);
      canvas.Polygon(map.Map(kPentagonPlate));
      break;
    }
    default:
      break;
  }
  canvas.RestoreState(depth);
}

gdi::COLORREF ShieldTextColour(int kind, bool blackWhite) {
  if (blackWhite) return kBlackColour;
  switch (kind) {
    case 0:
    case 7:
      return kWhiteColour;
    case 8:
      return kNavyColour;
    default:
      return kBlackColour;
  }
}

namespace {

// A box `width` pixels wide and `height` / aspect high centred on `p`.
Rect SymbolBox(Point p, int width, int height, double screenAspect) {
  const int rows = std::max(1, static_cast<int>(std::lround(height / screenAspect)));
  const int left = p.x - width / 2;
  const int top = p.y - rows / 2;
  return Rect{left, top, left + width, top + rows};
}

std::vector<Point> Diamond(Point p, int halfSize, double screenAspect) {
  const int dy = static_cast<int>(std::lround(halfSize / screenAspect));
  return {{p.x, p.y - dy}, {p.x + halfSize, p.y}, {p.x, p.y + dy}, {p.x - halfSize, p.y}};
}

}  // namespace

void DrawPointSymbol(gdi::Canvas& canvas, int labelClass, gdi::Point p, double screenAspect, bool blackWhite) {
  if (labelClass < 0 || labelClass > 13 || labelClass == 9) return;
  if (!(screenAspect > 0) || !std::isfinite(screenAspect)) screenAspect = 1;
  // The colour of a shape, or the one it takes in black and white.
  const auto colour = [&](COLORREF normal, COLORREF mono) { return blackWhite ? mono : normal; };
  const COLORREF red = colour(kRedColour, kBlackColour);
  const COLORREF blue = colour(kBlueColour, kBlackColour);
  const auto box = [&](int width, int height) { return SymbolBox(p, width, height, screenAspect); };

  const int depth = canvas.SaveState();
  switch (labelClass) {
    case 0:
      Use(canvas, kWhiteColour, red);
      canvas.Ellipse(box(8, 8));
      break;
    case 1:
      Use(canvas, colour(kDarkGreen, kWhiteColour), kBlackColour);
      canvas.Ellipse(box(6, 6));
      break;
    case 2:
    case 4:
      Use(canvas, red, red);
      canvas.Polygon(Diamond(p, labelClass == 2 ? 2 : 3, screenAspect));
      break;
    case 3: {
      // The inner shape is outlined in its own colour, or in black when black
      // and white turns it as white as the shape around it.
      Use(canvas, kWhiteColour, kBlackColour);
      canvas.Rectangle(box(10, 10));
      const COLORREF inner = colour(kYellowColour, kWhiteColour);
      Use(canvas, inner, blackWhite ? kBlackColour : inner);
      canvas.Rectangle(box(6, 6));
      break;
    }
    case 5: {
      Use(canvas, kWhiteColour, kBlackColour);
      canvas.Ellipse(box(10, 10));
      const COLORREF inner = colour(kBlueColour, kWhiteColour);
      Use(canvas, inner, blackWhite ? kBlackColour : inner);
      canvas.Ellipse(box(6, 6));
      break;
    }
    case 6:
      DrawPin(canvas, box(24, 48), blackWhite);
      break;
    case 7:
      Use(canvas, blue, kWhiteColour);
      canvas.Ellipse(box(6, 6));
      break;
    case 8:
      Use(canvas, red, kWhiteColour);
      canvas.Ellipse(box(6, 6));
      break;
    case 10:
      Use(canvas, blue, blue);
      canvas.Rectangle(box(5, 5));
      break;
    case 11:
      Use(canvas, red, red);
      canvas.Rectangle(box(5, 5));
      break;
    case 12:
      Use(canvas, blue, blue);
      canvas.Ellipse(box(6, 6));
      break;
    case 13:
      Use(canvas, red, red);
      canvas.Ellipse(box(4, 4));
      break;
    default:
      break;
  }
  canvas.RestoreState(depth);
}

}  // namespace quelmar::render
