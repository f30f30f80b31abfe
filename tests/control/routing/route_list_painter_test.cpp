// The route list as drawn: cells framed in the header's columns, rows
// filled by turns, the selected row, class bars, two-line fields and cut
// text.
#include <gtest/gtest.h>

#include "control/routing/route_list_painter.h"
#include "platform/gdi/recording_canvas.h"

namespace quelmar::routing {
namespace {

using gdi::DrawKind;

std::vector<std::string> Rows() {
  return {"1\tA10\tStarting on I-94 head North\r\nDrive North for 12 miles (about 11 mins)\tI-94\t00:11:04\t12.0\t65\tN "
          "\t-87.649984,41.919168",
          "2\tA40\tTurn Right onto W ADDISON ST\r\nDrive East for 0.3 miles (about 1 mins)\tW ADDISON ST\t00:11:38\t12.3"
          "\t35\tE \t-87.643584,41.919168",
          "\t\tFinish\t\t00:11:38\t12.3\t\t\t-87.643584,41.919168"};
}

TEST(PaintRouteList, CellsRowsBarsAndCutText) {
  gdi::RecordingCanvas canvas({600, 200});
  core::RouteSettings settings;
  settings.Columns[9] = false;  // the "x" column is left out
  const int bottom = PaintRouteList(canvas, Rows(), RouteListHeader(settings), {0, 16, 2});
  EXPECT_EQ(bottom, 40 + 40 + 16);  // two rows of two lines, one of one

  const std::vector<gdi::DrawRecord> frames = canvas.RecordsOf(DrawKind::Rectangle);
  std::size_t cells = 0;
  for (const auto& f : frames) cells += f.state.pen.color == 0xC0C0C0;
  EXPECT_EQ(cells, 3u * 9u);  // nine columns shown

  // Fills: the first row white, the second pale yellow, the selected third blue.
  const std::vector<gdi::DrawRecord> fills = canvas.RecordsOf(DrawKind::FillRect);
  const auto fillAt = [&](int y) {
    for (const auto& f : fills) {
      if (f.rect.left == 0 && f.rect.top == y) return f.fillBrush.color;
    }
    return gdi::COLORREF{0x123456};
  };
  EXPECT_EQ(fillAt(0), 0xFFFFFFu);
  EXPECT_EQ(fillAt(40), 0xE0FFFFu);
  EXPECT_EQ(fillAt(80), 0xFF0000u);

  // The class bars: a red interstate bar with its border, a maroon street bar.
  bool red = false, maroon = false;
  for (const auto& f : fills) {
    red |= f.fillBrush.color == 0x0000FF && f.rect.right - f.rect.left == 3;
    maroon |= f.fillBrush.color == 0x000080 && f.rect.right - f.rect.left == 1;
  }
  EXPECT_TRUE(red);
  EXPECT_TRUE(maroon);

  std::vector<std::string> texts;
  for (const auto& t : canvas.RecordsOf(DrawKind::TextOut)) texts.push_back(t.text);
  // The sentence on two lines, each cut to its column; the class code never as text.
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Finish"), texts.end());
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "A10"), texts.end());
  bool cut = false;
  for (const std::string& t : texts) cut |= t.size() > 3 && t.ends_with("...");
  EXPECT_TRUE(cut);
  for (const auto& t : canvas.RecordsOf(DrawKind::TextOut)) {
    EXPECT_EQ(t.state.textColor, t.points[0].y >= 80 ? 0xFFFFFFu : 0x000000u) << t.text;
  }
}

TEST(PaintRouteList, FitTextCutsToTheWidth) {
  gdi::RecordingCanvas canvas({100, 100});
  EXPECT_EQ(FitText(canvas, "ELM", 200), "ELM");
  const std::string cut = FitText(canvas, "W ADDISON STREET EXTENSION", 60);
  EXPECT_TRUE(cut.ends_with("..."));
  EXPECT_LE(canvas.MeasureText(cut).cx, 60);
  EXPECT_EQ(FitText(canvas, "WWWW", 1), "...");
}

}  // namespace
}  // namespace quelmar::routing
