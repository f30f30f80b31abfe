#include "control/routing/route_list_painter.h"

#include <algorithm>

namespace quelmar::routing {
namespace {

constexpr gdi::COLORREF kFrame = 0xC0C0C0;
constexpr gdi::COLORREF kPaleYellow = 0xE0FFFF;  // red 255, green 255, blue 224
constexpr gdi::COLORREF kWhite = 0xFFFFFF;
constexpr gdi::COLORREF kBlue = 0xFF0000;
constexpr gdi::COLORREF kBlack = 0x000000;
constexpr std::size_t kMostFields = 10;

std::vector<std::string> Fields(const std::string& row) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  while (fields.size() < kMostFields) {
    const std::size_t tab = row.find('\t', at);
    fields.push_back(row.substr(at, tab == std::string::npos ? std::string::npos : tab - at));
    if (tab == std::string::npos) break;
    at = tab + 1;
  }
  return fields;
}

struct Bar {
  gdi::COLORREF Colour;
  int Width;
  bool Bordered;
};

// The class bar of a road class code text by its first two characters.
Bar BarOf(const std::string& code) {
  const std::string kind = code.substr(0, 2);
  if (kind == "A1") return {0x0000FF, 3, true};
  if (kind == "A2") return {0x00FFFF, 3, true};
  if (kind == "A3") return {0x000080, 2, false};
  if (kind == "A4" || kind == "A0") return {0x000080, 1, false};
  if (kind == "A6") return {0x008000, 1, false};
  return {0xFFFF00, 1, false};
}

}  // namespace

std::string FitText(gdi::Canvas& canvas, const std::string& text, int width) {
  if (canvas.MeasureText(text).cx <= width) return text;
  std::string cut = text;
  while (!cut.empty() && canvas.MeasureText(cut + "...").cx > width) cut.pop_back();
  return cut + "...";
}

int PaintRouteList(gdi::Canvas& canvas, const std::vector<std::string>& rows,
                   const std::vector<RouteListColumn>& header, const RouteListLook& look) {
  const int saved = canvas.SaveState();
  canvas.SetBkMode(gdi::BkMode::Transparent);
  int top = look.Top;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::vector<std::string> fields = Fields(rows[r]);
    const bool twoLines = std::any_of(fields.begin(), fields.end(),
                                      [](const std::string& f) { return f.find("\r\n") != std::string::npos; });
    const int height = twoLines ? look.LineHeight * 5 / 2 : look.LineHeight;
    const bool selected = static_cast<int>(r) == look.Selected;
    const gdi::COLORREF fill = selected ? kBlue : r % 2 == 1 ? kPaleYellow : kWhite;
    canvas.SetTextColor(selected ? kWhite : kBlack);
    int left = 0;
    for (std::size_t c = 0; c < header.size(); ++c) {
      const int width = header[c].Width;
      if (width <= 0) continue;
      const gdi::Rect cell{left, top, left + width, top + height};
      left += width;
      canvas.FillRect(cell, gdi::Brush::Solid(fill));
      canvas.SetPen({gdi::PenStyle::Solid, 1, kFrame});
      canvas.SetBrush(gdi::Brush::Null());
      canvas.Rectangle(cell);
      if (c >= fields.size() || fields[c].empty()) continue;
      const std::string& field = fields[c];
      if (c == 1) {
        const Bar bar = BarOf(field);
        const int x = cell.left + width / 2 - bar.Width / 2;
        const gdi::Rect shape{x, cell.top + 2, x + bar.Width, cell.bottom - 2};
        canvas.FillRect(shape, gdi::Brush::Solid(bar.Colour));
        if (bar.Bordered) {
          canvas.SetPen({gdi::PenStyle::Solid, 1, kBlack});
          canvas.Rectangle({shape.left - 1, shape.top - 1, shape.right + 1, shape.bottom + 1});
        }
        continue;
      }
      const std::size_t breakAt = field.find("\r\n");
      const std::string first = field.substr(0, breakAt);
      canvas.TextOut({cell.left + 2, cell.top + 1}, FitText(canvas, first, width - 4));
      if (breakAt != std::string::npos) {
        canvas.TextOut({cell.left + 2, cell.top + 1 + look.LineHeight},
                       FitText(canvas, field.substr(breakAt + 2), width - 4));
      }
    }
    top += height;
  }
  canvas.RestoreState(saved);
  return top;
}

}  // namespace quelmar::routing
