#include "control/render/label_text_output.h"

#include "control/render/colour_standard.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::render {

void WriteLabelLine(gdi::Canvas& canvas, gdi::Point p, std::string_view text, gdi::COLORREF colour, bool halo) {
  if (text.empty()) return;
  canvas.SetBkMode(gdi::BkMode::Transparent);
  if (halo && colour != kWhiteColour) {
    canvas.SetTextColor(kWhiteColour);
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (dx != 0 || dy != 0) canvas.TextOut({p.x + dx, p.y + dy}, text);
      }
    }
  }
  canvas.SetTextColor(colour);
  canvas.TextOut(p, text);
}

int WriteAnchoredText(gdi::Canvas& canvas, gdi::Point anchor, std::string_view text, const gdi::Font& font,
                      gdi::COLORREF colour, bool halo, OccupiedRects& occupied, AnchorAlign align) {
  canvas.SetFont(font);
  canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
  int written = 0;
  int y = anchor.y;
  while (true) {
    const auto end = text.find('\r');
    const std::string_view line = text.substr(0, end);
    const gdi::TextExtent extent = gdi::TextMeasurer::Measure(font, line);
    const int height = extent.ascent + extent.descent;
    const int left = align == AnchorAlign::LeftFrom  ? anchor.x
                     : align == AnchorAlign::RightTo ? anchor.x - extent.width
                                                     : anchor.x - extent.width / 2;
    const gdi::Rect box{left, y + 2, left + extent.width, y + height - 2};
    if (!line.empty() && occupied.TryTake(box)) {
      WriteLabelLine(canvas, {left, y}, line, colour, halo);
      ++written;
    }
    y += height;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return written;
}

}  // namespace quelmar::render
