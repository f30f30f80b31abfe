#include "control/printing/route_print.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "control/core/map_units.h"
#include "control/items/direct_draw.h"
#include "platform/gdi/dc_handles.h"

namespace quelmar::printing {
namespace {

using gdi::Point;
using gdi::Rect;

constexpr double kLegMapMiles = 0.15;  // per screen inch

// The fields of a route-list row.
std::vector<std::string> Fields(const std::string& row) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  for (std::size_t tab; (tab = row.find('\t', at)) != std::string::npos; at = tab + 1) fields.push_back(row.substr(at, tab - at));
  fields.push_back(row.substr(at));
  fields.resize(std::max<std::size_t>(fields.size(), 9));
  return fields;
}

// A sentence's manoeuvre (to its line break) and drive part (after it).
bool SplitSentence(const std::string& sentence, std::string* manoeuvre, std::string* drive) {
  const std::size_t at = sentence.find("\r\n");
  if (at == std::string::npos) return false;
  *manoeuvre = sentence.substr(0, at);
  *drive = sentence.substr(at + 2);
  return true;
}

bool IsLegRow(const std::vector<std::string>& fields) { return fields[2].find("\r\n") != std::string::npos; }

gdi::Font Arial(std::int32_t height, bool bold = false) {
  gdi::Font font;
  font.face = "Arial";
  font.height = -height;
  font.weight = bold ? 700 : 400;
  font.escapement = 1;
  return font;
}

void Text(gdi::Canvas& c, Point at, std::uint32_t align, const gdi::Font& font, const std::string& text) {
  c.SetFont(font);
  c.SetTextAlign(align);
  c.TextOut(at, text);
}

// A page in hundredths of an inch, black text on a transparent background.
struct HundredthsPage {
  HundredthsPage(ui::PrintJob& job, const ui::PrinterInfo& printer) : job(job) {
    if (!job.SetUnitTransform(printer.DotsPerInch / 100.0, {0, 0})) {
      throw std::runtime_error("this printer cannot print route pages");
    }
    size = {printer.PageSize.cx * 100 / printer.DotsPerInch, printer.PageSize.cy * 100 / printer.DotsPerInch};
  }
  ~HundredthsPage() { job.SetUnitTransform(1, {0, 0}); }
  gdi::Canvas& Canvas() {
    gdi::Canvas& c = job.Page();
    c.SetTextColor(gdi::RGB(0, 0, 0));
    c.SetBkMode(gdi::BkMode::Transparent);
    return c;
  }
  ui::PrintJob& job;
  gdi::Size size;  // hundredths
};

// The disclaimer in Arial 8 wrapped into [left, right] from 50 above the bottom.
void DrawDisclaimer(gdi::Canvas& c, std::int32_t left, std::int32_t right, std::int32_t bottom) {
  c.SetFont(Arial(8));
  std::int32_t y = bottom - 50;
  for (const std::string& line : WrapText(c, kRouteDisclaimer, right - left)) {
    Text(c, {left, y}, gdi::TA_LEFT | gdi::TA_TOP, Arial(8), line);
    y += 9;
  }
}

void DrawPageFooter(gdi::Canvas& c, const RoutePrintRequest& r, std::int32_t left, std::int32_t right,
                    std::int32_t ruleY, PageCounter& pages) {
  FooterRequest footer;
  footer.Left = left;
  footer.Right = right;
  footer.TextHeight = 8;
  footer.RuleY = ruleY;
  footer.TitleUser = r.TitleUser;
  footer.CreatedAt = r.CreatedAt;
  DrawFooter(c, footer, pages);
}

std::string OneDecimal(double v) {
  char text[48];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

// Centres the view on a leg at the leg maps' scale (twice: the scale
// depends on the latitude of the centre).
void CentreOn(core::ViewState& view, const std::string& position) {
  char* end = nullptr;
  const double lon = std::strtod(position.c_str(), &end);
  if (end == position.c_str() || *end != ',') return;
  const double lat = std::strtod(end + 1, nullptr);
  bool overflow = false;
  const std::int32_t x = core::DegreesToUnits(lon, overflow), y = core::DegreesToUnits(lat, overflow);
  if (overflow) return;
  for (int i = 0; i < 2; ++i) {
    view.SetViewScale(view.ScaleForMiles(kLegMapMiles));
    const core::TViewWindow& v = view.View();
    view.SetViewOrigin(std::int64_t{x} - static_cast<std::int64_t>(v.Width / v.Scale / 2),
                       std::int64_t{y} - static_cast<std::int64_t>(v.Height / v.ScaleY / 2));
    view.DeriveEdges();
  }
}

void DrawLegCell(core::Ttvmap& panel, gdi::Canvas& c, const Rect& cell, int leg, const std::vector<std::string>& f,
                 const RoutePrintRequest& r) {
  CentreOn(panel.view(), f[8]);
  {
    gdi::ScopedDc dc(c);
    items::DirectDrawRequest draw;
    draw.Target = cell;
    draw.Mono = r.BlackWhite;
    draw.Shading = false;
    draw.Output = core::OutputKind::Printer;
    items::DirectDraw(panel, c, dc.Handle(), draw);
  }
  const Point centre{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  c.SetPen(gdi::Pen{gdi::PenStyle::Solid, 2, gdi::RGB(255, 255, 255)});
  c.SetBrush(gdi::Brush::Solid(gdi::RGB(0, 0, 0)));
  c.Ellipse(Rect{centre.x - 6, centre.y - 6, centre.x + 6, centre.y + 6});
  // The cell's border cleaned by white bands, then framed.
  c.SetBrush(gdi::Brush::Null());
  c.SetPen(gdi::Pen{gdi::PenStyle::Solid, 4, gdi::RGB(255, 255, 255)});
  for (int i = 1; i <= 8; ++i) c.Rectangle(Rect{cell.left - 2 * i, cell.top - 2 * i, cell.right + 2 * i, cell.bottom + 2 * i});
  c.SetPen(gdi::Pen{gdi::PenStyle::Solid, 2, gdi::RGB(0, 0, 0)});
  c.Rectangle(Rect{cell.left - 1, cell.top - 1, cell.right + 1, cell.bottom + 1});

  std::string manoeuvre, drive;
  if (SplitSentence(f[2], &manoeuvre, &drive)) {
    std::int32_t y = cell.bottom + 6;
    Text(c, {cell.left, y}, gdi::TA_LEFT | gdi::TA_TOP, Arial(12, true), manoeuvre);
    Text(c, {cell.left, y += 16}, gdi::TA_LEFT | gdi::TA_TOP, Arial(10, true), drive);
    Text(c, {cell.left, y += 10}, gdi::TA_LEFT | gdi::TA_TOP, Arial(8), "Drive Time: " + f[4]);
    Text(c, {cell.left, y += 10}, gdi::TA_LEFT | gdi::TA_TOP, Arial(8),
         "Distance: " + f[5] + (r.Kilometres ? " km" : " mile"));
  }
  c.SetPen(gdi::Pen{gdi::PenStyle::Solid, 2, gdi::RGB(0, 0, 0)});
  c.SetBrush(gdi::Brush::Solid(gdi::RGB(255, 255, 255)));
  c.Ellipse(Rect{cell.left - 12, cell.top - 12, cell.left + 12, cell.top + 12});
  Text(c, {cell.left, cell.top}, gdi::TA_CENTER | gdi::TA_BASELINE, Arial(12, true), std::to_string(leg));
}

}  // namespace

Rect RouteMapCell(gdi::Size page, int k) {
  const std::int32_t w = page.cx - 8, v = page.cy - 151;
  const std::int32_t pitchX = (w + 13) / 2, pitchY = v / 3;
  const std::int32_t left = 24 + (k % 2) * pitchX, top = 75 + (k / 2) * pitchY;
  return Rect{left, top, left + pitchX - 50, top + pitchY - 75};
}

std::vector<std::string> WrapText(gdi::Canvas& canvas, const std::string& text, std::int32_t width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t space = text.find(' ', at);
    const std::string word = text.substr(at, space == std::string::npos ? std::string::npos : space - at);
    at = space == std::string::npos ? text.size() : space + 1;
    if (word.empty()) continue;
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && canvas.MeasureText(longer).cx > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void PrintRouteMaps(core::Ttvmap& panel, ui::PrintJob& job, const ui::PrinterInfo& printer,
                    const RoutePrintRequest& r, PageCounter& pages) {
  core::ViewState& view = panel.view();
  const core::SavedView restore(view);

  HundredthsPage page(job, printer);
  const std::int32_t w = page.size.cx - 8, bottom = page.size.cy - 1;
  auto header = [&] {
    gdi::Canvas& c = page.Canvas();
    const std::int32_t centre = 12 + (w - 24) / 2;
    Text(c, {centre, 0}, gdi::TA_CENTER | gdi::TA_TOP, Arial(17), r.TitlePrint);
    Text(c, {centre, 20}, gdi::TA_CENTER | gdi::TA_TOP, Arial(12), r.StartLabel + "   to   " + r.FinishLabel);
    const std::string totals =
        r.Kilometres ? OneDecimal(r.TotalMiles * 5280 * 0.3048 / 1000) + " km "
                     : OneDecimal(r.TotalMiles) + " miles" + " taking approximately " + r.DriveTimeText;
    Text(c, {centre, 32}, gdi::TA_CENTER | gdi::TA_TOP, Arial(12), totals);
    DrawDisclaimer(c, 24, w - 24, bottom);
    DrawPageFooter(c, r, 24, w - 24, bottom - 66, pages);
  };
  header();
  // The legs are the rows with a manoeuvre: the start row is not always
  // listed, so "all rows but the first and the last" could drop a leg.
  int cell = 0, leg = 0;
  for (const std::string& row : r.Rows) {
    const std::vector<std::string> fields = Fields(row);
    if (!IsLegRow(fields)) continue;
    if (cell == 6) {
      job.NewPage();
      header();
      cell = 0;
    }
    DrawLegCell(panel, page.Canvas(), RouteMapCell(page.size, cell), ++leg, fields, r);
    ++cell;
  }
}

void PrintDirections(ui::PrintJob& job, const ui::PrinterInfo& printer, const RoutePrintRequest& r,
                     PageCounter& pages) {
  HundredthsPage page(job, printer);
  if (job.PageCount() > 0) job.NewPage();
  const std::int32_t w = page.size.cx - 8, p = page.size.cy, bottom = p - 1;
  constexpr std::int32_t kLeft = 100;
  std::int32_t y = 0;
  bool first = true;
  auto startPage = [&] {
    gdi::Canvas& c = page.Canvas();
    DrawDisclaimer(c, kLeft, w - kLeft, bottom);
    y = 12;
    if (first) {
      Text(c, {w / 2, y}, gdi::TA_CENTER | gdi::TA_TOP, Arial(17, true), r.TitlePrint);
      Text(c, {kLeft, y += 24}, gdi::TA_LEFT | gdi::TA_TOP, Arial(15), "From: " + r.StartLabel);
      Text(c, {kLeft, y += 18}, gdi::TA_LEFT | gdi::TA_TOP, Arial(15), "To  : " + r.FinishLabel);
      Text(c, {kLeft, y += 20}, gdi::TA_LEFT | gdi::TA_TOP, Arial(12), r.RouteKind + " Route: " + r.TotalsText);
      y += 22;
      const gdi::Font bold = Arial(12, true);
      Text(c, {kLeft, y}, gdi::TA_LEFT | gdi::TA_TOP, bold, "Driving Directions");
      Text(c, {w - 200, y}, gdi::TA_RIGHT | gdi::TA_TOP, bold, "Distance");
      Text(c, {w - 200, y + 13}, gdi::TA_RIGHT | gdi::TA_TOP, bold, "Traveled");
      Text(c, {w - 100, y}, gdi::TA_RIGHT | gdi::TA_TOP, bold, "Drive");
      Text(c, {w - 100, y + 13}, gdi::TA_RIGHT | gdi::TA_TOP, bold, "Time");
      y += 28;
      c.SetPen(gdi::Pen{gdi::PenStyle::Solid, 1, gdi::RGB(0, 0, 0)});
      c.MoveTo({kLeft, y});
      c.LineTo({w - kLeft, y});
      y += 8;
    }
    DrawPageFooter(c, r, kLeft, w - kLeft, bottom - 74, pages);
  };
  startPage();
  for (std::size_t i = 0; i < r.Rows.size(); ++i) {
    if (y + 28 > p - 130) {
      job.NewPage();
      first = false;
      startPage();
    }
    gdi::Canvas& c = page.Canvas();
    const std::vector<std::string> f = Fields(r.Rows[i]);
    std::string manoeuvre, drive;
    std::int32_t lineHeight = 0;
    if (!SplitSentence(f[2], &manoeuvre, &drive)) {
      Text(c, {kLeft, y}, gdi::TA_LEFT | gdi::TA_TOP, Arial(20, true), f[2]);
      lineHeight = 20;
    } else {
      Text(c, {kLeft + 25, y}, gdi::TA_LEFT | gdi::TA_TOP, Arial(14, true), manoeuvre);
      // A leader of dots from after the manoeuvre to 250 from the right edge.
      const std::int32_t from = kLeft + 25 + c.MeasureText(manoeuvre).cx + 4;
      c.SetFont(Arial(14));
      const std::int32_t dot = std::max(1, c.MeasureText(".").cx);
      if (w - 250 > from) Text(c, {from, y}, gdi::TA_LEFT | gdi::TA_TOP, Arial(14), std::string((w - 250 - from) / dot, '.'));
      Text(c, {kLeft + 25, y + 15}, gdi::TA_LEFT | gdi::TA_TOP, Arial(14), drive);
      lineHeight = 30;
    }
    if (IsLegRow(f)) {
      std::string time = f[4];
      if (time.starts_with('0')) time[0] = ' ';
      if (time.size() >= 3) time.resize(time.size() - 3);
      Text(c, {w - 200, y}, gdi::TA_RIGHT | gdi::TA_TOP, Arial(14), f[5]);
      Text(c, {w - 100, y}, gdi::TA_RIGHT | gdi::TA_TOP, Arial(14), time);
    }
    y += lineHeight + 25 - (i == 0 ? 13 : 0);
  }
}

}  // namespace quelmar::printing
