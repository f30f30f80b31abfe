// The Printer dialog as a model: what it shows of the printer, how its
// margin buttons, its paper setup and drags on its page picture change the
// margins, what "Preview" draws, and what its closing keeps.
#include "control/dialogs/print_dialog.h"

#include <gtest/gtest.h>

namespace quelmar::dialogs {
namespace {

// A letter-size printer at 100 dpi whose setup turns the paper.
class TurningPrinter final : public ui::Printer {
 public:
  ui::PrinterInfo Info() const override {
    return {"Test printer", landscape ? gdi::Size{1100, 850} : gdi::Size{850, 1100}, 100, landscape};
  }
  std::unique_ptr<ui::PrintJob> StartJob(const std::string&) override { return nullptr; }
  bool Setup() override {
    landscape = !landscape;
    return true;
  }
  bool landscape = false;
};

core::PrintSettings Margins(double l, double r, double t, double b) {
  core::PrintSettings p;
  p.MarginLeft = l;
  p.MarginRight = r;
  p.MarginTop = t;
  p.MarginBottom = b;
  return p;
}

TEST(PrintDialog, ShowsThePrinterAndTheMapArea) {
  TurningPrinter printer;
  PrintDialog dialog(PrintPage::Map, Margins(1, 0.5, 0.25, 0.75), "Title", &printer);
  ui::DialogModel& d = dialog.Dialog();
  EXPECT_EQ(d.Field("Printer name").text, "Test printer");
  EXPECT_EQ(d.Field("Size:").text, "Size: 8.50 x 11.00 in.");
  EXPECT_EQ(d.Field("Map area").text, "7.00x10.00");
  EXPECT_EQ(dialog.Height(), 387);
  PrintDialog none(PrintPage::Route, {}, "Title", nullptr);
  EXPECT_EQ(none.Dialog().Field("Printer name").text, "None Loaded");
  EXPECT_EQ(none.Height(), 250);
}

TEST(PrintDialog, SpinsSetupAndClosingKeepWhatThePartSays) {
  TurningPrinter printer;
  PrintDialog dialog(PrintPage::Map, Margins(0.3, 4, 0.5, 1), "Title", &printer);
  ui::DialogModel& d = dialog.Dialog();
  d.Press(SpinButtonOf("&Left:", true));
  EXPECT_EQ(d.Field("&Left:").text, "0.50");
  d.Press(SpinButtonOf("&Right :", true));
  EXPECT_EQ(d.Field("&Right :").text, "4.00");
  // Turning the paper exchanges left with top and right with bottom.
  d.Press(kPrintSetup);
  EXPECT_EQ(d.Field("&Top:").text, "0.50");
  EXPECT_EQ(d.Field("&Left:").text, "0.50");
  EXPECT_EQ(d.Field("&Bot :").text, "4.00");
  EXPECT_EQ(d.Field("&Right :").text, "1.00");
  EXPECT_EQ(d.Field("Size:").text, "Size: 11.00 x 8.50 in.");

  d.Field("&Shading").checked = false;
  d.Field("&Left:").text = "nan";
  d.Press(kPrintCancel);
  const core::PrintSettings cancelled = dialog.Result(Margins(0.3, 4, 0.5, 1));
  EXPECT_FALSE(cancelled.Shading) << "the boxes are kept however the dialog closes";
  EXPECT_EQ(cancelled.MarginLeft, 0.3) << "the margins only with Print";

  PrintDialog again(PrintPage::Map, Margins(0.3, 4, 0.5, 1), "Title", &printer);
  again.Dialog().Field("&Left:").text = "nan";
  again.Dialog().Field("&Top:").text = "12";
  again.Dialog().Field("Title").text = std::string(300, 'x');
  again.Dialog().Press(kPrintButton);
  const core::PrintSettings printed = again.Result({});
  EXPECT_EQ(printed.MarginLeft, 0) << "a field that is no number reads as 0";
  EXPECT_EQ(printed.MarginTop, 4) << "and margins are held within 0..4";
  EXPECT_EQ(again.Title().size(), 255u);
}

TEST(PrintDialog, DraggingThePagePictureSetsTheMargins) {
  TurningPrinter printer;
  PrintDialog dialog(PrintPage::Map, Margins(1, 1, 1, 1), "Title", &printer);
  ui::DialogModel& d = dialog.Dialog();
  const gdi::Rect map = dialog.PictureLayout().Map;
  const double ppi = dialog.PictureLayout().PixelsPerInchX;
  // The left edge dragged 10 pixels to the right: the left margin grows.
  dialog.Drag({map.left, (map.top + map.bottom) / 2}, {map.left + 10, (map.top + map.bottom) / 2});
  EXPECT_NEAR(std::stod(d.Field("&Left:").text), 1 + 10 / ppi, 0.011);
  EXPECT_EQ(d.Field("&Right :").text, "1.00");
  // The whole rectangle moved far up: it stops 8 pixels inside the page.
  const gdi::Rect now = dialog.PictureLayout().Map;
  const gdi::Point inside{(now.left + now.right) / 2, (now.top + now.bottom) / 2};
  dialog.Drag(inside, {inside.x, inside.y - 500});
  EXPECT_EQ(d.Field("&Top:").text, "0.00");
  EXPECT_NEAR(std::stod(d.Field("&Bot :").text), 2.0, 1.0 / dialog.PictureLayout().PixelsPerInchY + 0.01)
      << "the height is kept, to a pixel of the picture";
  // Not while maximized.
  d.Field("Maximized").checked = true;
  const std::string left = d.Field("&Left:").text;
  dialog.Drag({map.left, map.top}, {map.left + 30, map.top + 30});
  EXPECT_EQ(d.Field("&Left:").text, left);
}

TEST(PrintDialog, PreviewDrawsTheViewIntoTheMapRectangle) {
  TurningPrinter printer;
  gdi::Rect drawnInto;
  bool drawnMono = false;
  PrintDialog dialog(PrintPage::Map, Margins(1, 1, 1, 1), "Title", &printer,
                     [&](gdi::Canvas& canvas, const gdi::Rect& rect, bool mono) {
                       drawnInto = rect;
                       drawnMono = mono;
                       canvas.FillRect(rect, gdi::Brush::Solid(gdi::RGB(0, 0, 255)));
                     });
  const gdi::Rect map = dialog.PictureLayout().Map;
  EXPECT_EQ(dialog.Picture().Pixel(map.left + 5, map.top + 5), gdi::RGB(255, 255, 255)) << "a white page";
  dialog.Dialog().Field("Black&&&White").checked = true;
  dialog.Dialog().Press("Preview");
  EXPECT_EQ(drawnInto, map);
  EXPECT_TRUE(drawnMono);
  EXPECT_EQ(dialog.Picture().Pixel(map.left + 5, map.top + 5), gdi::RGB(0, 0, 255));
  EXPECT_EQ(dialog.Picture().Pixel(map.left, map.top), gdi::RGB(0, 0, 0)) << "framed in black";
}

}  // namespace
}  // namespace quelmar::dialogs
