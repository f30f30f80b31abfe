#include "control/items/host_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "control/core/errors.h"
#include "platform/gdi/path_geometry.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::items {
namespace {

constexpr gdi::COLORREF kBlack = 0x000000;
constexpr gdi::COLORREF kWhite = 0xFFFFFF;
constexpr gdi::COLORREF kGrey = 0x808080;
constexpr int kBubbleLineHeight = 15;

const gdi::Pen kBlackPen{gdi::PenStyle::Solid, 1, kBlack};

// Draws the outer white and the inner coloured polygon of one symbol.
void TwoPolygons(gdi::Canvas& canvas, std::span<const gdi::Point> outer, std::span<const gdi::Point> inner,
                 gdi::COLORREF colour) {
  canvas.SetBrush(gdi::Brush::Solid(kWhite));
  canvas.Polygon(outer);
  canvas.SetBrush(gdi::Brush::Solid(colour));
  canvas.Polygon(inner);
}

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

}  // namespace

void DrawObject(gdi::Canvas& canvas, const core::ViewState& view, core::TMapPoint point, std::int32_t type,
                gdi::COLORREF colour) {
  if (point.X == 0 && point.Y == 0) return;
  if (type < 1 || type > 8) return;
  const core::TPixelPoint p = view.MapToPixel(point);
  const int px = p.X, py = p.Y;
  const int saved = canvas.SaveState();
  canvas.SetPen(kBlackPen);
  switch (type) {
    case 1:
    case 2: {
      auto shape = [&](const gdi::Rect& r) { type == 1 ? canvas.Ellipse(r) : canvas.Rectangle(r); };
      canvas.SetBrush(gdi::Brush::Solid(kWhite));
      shape({px - 8, py - 8, px + 9, py + 9});
      canvas.SetBrush(gdi::Brush::Solid(colour));
      shape({px - 5, py - 5, px + 6, py + 6});
      break;
    }
    case 3: {
      auto diamond = [&](int d) {
        return std::array<gdi::Point, 4>{{{px, py - d}, {px + d, py}, {px, py + d}, {px - d, py}}};
      };
      TwoPolygons(canvas, diamond(9), diamond(6), colour);
      break;
    }
    case 4: {
      const std::array<gdi::Point, 3> outer{{{px - 9, py + 4}, {px, py - 8}, {px + 9, py + 4}}};
      const std::array<gdi::Point, 3> inner{{{px - 5, py + 2}, {px, py - 4}, {px + 5, py + 2}}};
      TwoPolygons(canvas, outer, inner, colour);
      break;
    }
    default: {
      static constexpr std::array<std::array<int, 2>, 7> kOuter{
          {{-2, 0}, {10, 12}, {10, 6}, {22, 6}, {22, -6}, {10, -6}, {10, -12}}};
      static constexpr std::array<std::array<int, 2>, 7> kInner{
          {{0, 0}, {8, 8}, {8, 4}, {20, 4}, {20, -4}, {8, -4}, {8, -8}}};
      const int k = type - 5;
      auto place = [&](const std::array<std::array<int, 2>, 7>& shape) {
        std::array<gdi::Point, 7> out;
        for (std::size_t i = 0; i < shape.size(); ++i) {
          const int a = (k & 1) ? -shape[i][0] : shape[i][0];
          const int b = shape[i][1];
          out[i] = (k & 2) ? gdi::Point{px + b, py + a} : gdi::Point{px + a, py + b};
        }
        return out;
      };
      TwoPolygons(canvas, place(kOuter), place(kInner), colour);
      break;
    }
  }
  canvas.RestoreState(saved);
}

gdi::Rop2 PenModeOf(std::int32_t mode) {
  switch (mode) {
    case 13: return gdi::Rop2::CopyPen;
    case 7: return gdi::Rop2::XorPen;
    case 6: return gdi::Rop2::Not;
    case 9: return gdi::Rop2::MaskPen;
    case 15: return gdi::Rop2::MergePen;
    case 4: return gdi::Rop2::NotCopyPen;
    default: break;
  }
  throw ArgumentError("DrawLine does not take the pen mode " + std::to_string(mode) +
                      " (4, 6, 7, 9, 13 or 15)");
}

void DrawLine(gdi::Canvas& canvas, const core::ViewState& view, core::TMapPoint from, core::TMapPoint to,
              std::int32_t width, gdi::COLORREF colour, gdi::Rop2 mode) {
  const core::TViewWindow& v = view.View();
  // The view's window in map units, north up: its "top" is the smaller Y.
  const gdi::RectD window{static_cast<double>(v.Left), static_cast<double>(v.Bottom), static_cast<double>(v.Right),
                          static_cast<double>(v.Top)};
  const gdi::PointD p{static_cast<double>(from.X), static_cast<double>(from.Y)};
  const gdi::PointD q{static_cast<double>(to.X), static_cast<double>(to.Y)};
  double t0 = 0, t1 = 1;
  if (!gdi::ClipSegment(p, q, window, t0, t1)) return;
  const core::TPixelPoint a = view.MapToPixelReal(p.x + t0 * (q.x - p.x), p.y + t0 * (q.y - p.y));
  const core::TPixelPoint b = view.MapToPixelReal(p.x + t1 * (q.x - p.x), p.y + t1 * (q.y - p.y));
  const int saved = canvas.SaveState();
  canvas.SetRop2(mode);
  canvas.SetPen(gdi::Pen{gdi::PenStyle::Solid, std::clamp(width, 0, 1000), colour});
  canvas.MoveTo({a.X, a.Y});
  canvas.LineTo({b.X, b.Y});
  canvas.RestoreState(saved);
}

gdi::Rect DrawBubble(gdi::Canvas& canvas, const core::ViewState& view, core::TMapPoint point,
                     const std::string& text, const gdi::Font& font) {
  const core::TPixelPoint p = view.MapToPixel(point);
  const int px = p.X, py = p.Y;
  std::vector<std::string> lines;
  const std::string cut = text.substr(0, 255);
  std::string line;
  for (std::size_t i = 0; i < cut.size(); ++i) {
    if (cut[i] == '\r') {
      lines.push_back(line);
      line.clear();
      if (i + 1 < cut.size() && cut[i + 1] == '\n') ++i;
    } else {
      line += cut[i];
    }
  }
  lines.push_back(line);
  std::erase_if(lines, [](const std::string& l) { return l.empty(); });
  int widest = 0;
  for (const std::string& l : lines) widest = std::max(widest, gdi::TextMeasurer::Measure(font, l).width);
  const int h = kBubbleLineHeight * static_cast<int>(lines.size());
  const std::array<gdi::Point, 7> balloon{{{px, py},
                                           {px + 10, py - 20},
                                           {px + 10, py - 20 - h},
                                           {px + widest + 18, py - 20 - h},
                                           {px + widest + 18, py - 20},
                                           {px + 20, py - 20},
                                           {px, py}}};
  const int saved = canvas.SaveState();
  canvas.SetPen(kBlackPen);
  canvas.SetBrush(gdi::Brush::Solid(kWhite));
  canvas.Polygon(balloon);
  canvas.SetFont(font);
  canvas.SetTextColor(kBlack);
  canvas.SetBkMode(gdi::BkMode::Transparent);
  canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
  int y = py - 20 - h + 1;
  for (const std::string& l : lines) {
    canvas.TextOut({px + 14, y}, l);
    y += kBubbleLineHeight;
  }
  canvas.RestoreState(saved);
  return {px, py - 20 - h, px + widest + 19, py + 1};
}

void DrawNorth(gdi::Canvas& canvas, const core::ViewState& view, std::int32_t x, std::int32_t y) {
  const double r = view.RotationAngle(), c = std::cos(r), s = std::sin(r);
  auto place = [&](std::span<const std::array<int, 2>> shape) {
    std::vector<gdi::Point> out;
    for (const auto& [a, b] : shape) {
      out.push_back({x - static_cast<int>(std::lround(a * c - b * s)), y - static_cast<int>(std::lround(b * c + a * s))});
    }
    return out;
  };
  static constexpr std::array<std::array<int, 2>, 13> kOutline{{{0, 44}, {6, 16}, {0, 22}, {0, -16}, {6, -22},
                                                                {6, -44}, {0, -38}, {-6, -44}, {-6, -22}, {0, -16},
                                                                {0, 22}, {-6, 16}, {0, 44}}};
  static constexpr std::array<std::array<int, 2>, 3> kHalfA{{{0, 44}, {6, 16}, {0, 22}}};
  static constexpr std::array<std::array<int, 2>, 4> kHalfB{{{0, -16}, {-6, -22}, {-6, -44}, {0, -38}}};
  const int saved = canvas.SaveState();
  canvas.SetPen(kBlackPen);
  canvas.SetBrush(gdi::Brush::Solid(kWhite));
  canvas.Polygon(place(kOutline));
  canvas.SetBrush(gdi::Brush::Solid(kGrey));
  canvas.Polygon(place(kHalfA));
  canvas.Polygon(place(kHalfB));
  canvas.SetPen(gdi::Pen{gdi::PenStyle::Null, 1, kBlack});
  for (int i = 0; i < 12; ++i) {
    const auto level = static_cast<std::uint8_t>(31 + i * 207 / 11);
    canvas.SetBrush(gdi::Brush::Solid(gdi::RGB(level, level, level)));
    const int shift = i / 2;
    canvas.Ellipse({x + i - 11 - shift, y + i - 11 - shift, x + 11 - i - shift, y + 11 - i - shift});
  }
  gdi::Font font;
  font.face = "Arial";
  font.height = 14;
  font.weight = 700;
  canvas.SetFont(font);
  canvas.SetBkMode(gdi::BkMode::Transparent);
  canvas.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
  canvas.SetTextColor(kWhite);
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) canvas.TextOut({x + dx, y - 7 + dy}, "N");
  }
  canvas.SetTextColor(kBlack);
  canvas.TextOut({x, y - 7}, "N");
  canvas.RestoreState(saved);
}

ScalebarText ScalebarOf(const core::ViewState& view) {
  const core::TScaleBar bar = view.ScaleBar();
  const bool km = view.DistanceUnit() == 2;
  ScalebarText out;
  double pixels = bar.Pixels;
  if (bar.Length >= 1) {
    out.Text = " " + Number(bar.Length) + (km ? " km" : " mi");
  } else if (km) {
    const double m = bar.Length * 1000;
    const double base = m > 500 ? 500 : 100;
    const double value = std::trunc(m / base + 0.5) * base;
    out.Text = " " + Number(value) + " m";
    if (m > 0) pixels = pixels * value / m;
  } else {
    const double f = bar.Length * 5280;
    double base = 5;
    for (double b : {1000.0, 500.0, 200.0, 100.0, 50.0, 20.0, 10.0, 5.0}) {
      if (b < f) {
        base = b;
        break;
      }
    }
    const double value = std::trunc(f / base + 0.5) * base;
    out.Text = " " + Number(value) + " ft";
    if (f > 0) pixels = pixels * value / f;
  }
  if (out.Text.size() > 20) out.Text.resize(20);
  out.Pixels = static_cast<std::int32_t>(std::clamp(std::lround(pixels), -100000L, 100000L));
  return out;
}

void DrawScalebar(gdi::Canvas& canvas, const core::ViewState& view, std::int32_t x, std::int32_t y,
                  const gdi::Font& font) {
  const ScalebarText bar = ScalebarOf(view);
  const int p = bar.Pixels;
  const int t = gdi::TextMeasurer::Measure(font, bar.Text).AsSize().cy + 2;
  const gdi::Rect r{x, y + t - 2 * (t / 2) + 1, x + p, y + t};
  const int mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
  const int saved = canvas.SaveState();
  canvas.FillRect(r, gdi::Brush::Solid(kWhite));
  canvas.FillRect({r.left + 1, r.top + 1, mx, my}, gdi::Brush::Solid(kGrey));
  canvas.FillRect({mx + 1, my, r.right - 1, r.bottom - 1}, gdi::Brush::Solid(kGrey));
  canvas.SetPen(kBlackPen);
  canvas.SetBrush(gdi::Brush::Null());
  canvas.Rectangle(r);
  canvas.MoveTo({x, my});
  canvas.LineTo({x + p, my});
  canvas.MoveTo({mx, y + t - 1});
  canvas.LineTo({mx, r.top});
  canvas.SetFont(font);
  canvas.SetTextColor(kBlack);
  canvas.SetBkColor(kWhite);
  canvas.SetBkMode(gdi::BkMode::Opaque);
  canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
  canvas.TextOut({x + p, r.top}, bar.Text);
  canvas.RestoreState(saved);
}

}  // namespace quelmar::items
