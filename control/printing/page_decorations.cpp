#include "control/printing/page_decorations.h"

#include <algorithm>
#include <ctime>

namespace quelmar::printing {
namespace {

gdi::Font Arial(std::int32_t height) {
  gdi::Font font;
  font.face = "Arial";
  font.height = -std::max(1, height);  // the character height
  return font;
}

void Text(gdi::Canvas& canvas, gdi::Point at, std::uint32_t align, const std::string& text) {
  canvas.SetTextAlign(align);
  canvas.TextOut(at, text);
}

}  // namespace

void DrawPrintTitle(gdi::Canvas& canvas, const std::string& title, std::int32_t centreX, std::int32_t bottomY,
                    std::int32_t textHeight) {
  const int saved = canvas.SaveState();
  gdi::Font font = Arial(textHeight);
  font.escapement = 1;  // a tenth of a degree, as every printed text but the footer
  canvas.SetFont(font);
  canvas.SetTextColor(gdi::RGB(0, 0, 0));
  canvas.SetBkMode(gdi::BkMode::Transparent);
  Text(canvas, {centreX, bottomY}, gdi::TA_CENTER | gdi::TA_BOTTOM, title);
  canvas.RestoreState(saved);
}

void DrawFooter(gdi::Canvas& canvas, const FooterRequest& footer, PageCounter& pages) {
  const int page = pages.Next();
  const int saved = canvas.SaveState();
  std::int32_t a = std::max(1, footer.TextHeight);
  canvas.SetFont(Arial(a));
  const std::int32_t band = footer.Right - footer.Left;
  const double needed = 1.3 * canvas.MeasureText(kPrintNotice).cx;
  if (needed > band && band > 0) {
    a = std::max(1, static_cast<std::int32_t>(a * band / needed));
    canvas.SetFont(Arial(a));
  }
  canvas.SetTextColor(gdi::RGB(0, 0, 0));
  canvas.SetBkMode(gdi::BkMode::Transparent);
  const std::int32_t above = footer.RuleY - a / 2, below = footer.RuleY + a / 2;
  Text(canvas, {footer.Left, above}, gdi::TA_LEFT | gdi::TA_BOTTOM, footer.TitleUser);
  Text(canvas, {footer.Right, above}, gdi::TA_RIGHT | gdi::TA_BOTTOM, "p." + std::to_string(page));
  Text(canvas, {footer.Left, below}, gdi::TA_LEFT | gdi::TA_TOP, kPrintNotice);
  Text(canvas, {footer.Right, below}, gdi::TA_RIGHT | gdi::TA_TOP, "Created on " + footer.CreatedAt);
  canvas.SetPen(gdi::Pen{gdi::PenStyle::Solid, 1, gdi::RGB(0, 0, 0)});
  canvas.MoveTo({footer.Left, footer.RuleY});
  canvas.LineTo({footer.Right, footer.RuleY});
  canvas.RestoreState(saved);
}

std::string PrintTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  std::strftime(text, sizeof text, "%m/%d/%Y %I:%M:%S %p", &local);
  return text;
}

}  // namespace quelmar::printing
