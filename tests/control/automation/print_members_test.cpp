// ExecPrint: the Printer dialog, then one page of the current printer. The
// PDF printer's page is read back by independent tools: pdfinfo for the
// pages and their size, pdftoppm for the pixels, which show what the screen
// shows around the view's centre.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

#include "control_fixture.h"
#include "external_tools.h"
#include "control/dialogs/print_dialog.h"
#include "platform/ui/dialog_model.h"
#include "platform/ui/headless_window.h"
#include "platform/ui/printer.h"

namespace quelmar::testing {
namespace {

namespace fs = std::filesystem;
using com::Variant;

class PrintMembers : public ControlTest {
 protected:
  void SetUp() override {
    folder_ = fs::current_path() / "print";
    fs::create_directories(folder_);
    printer_ = std::make_shared<ui::PdfFilePrinter>(folder_ / "map.pdf", 100);
    ui::SetPrinter(printer_);
    ControlTest::SetUp();
  }
  void TearDown() override {
    ui::SetDialogRunner({});
    ui::ResetPrinter();
    ControlTest::TearDown();
    fs::remove_all(folder_);
  }
  fs::path folder_;
  std::shared_ptr<ui::PdfFilePrinter> printer_;
};

TEST_F(PrintMembers, APrintedMapIsOnePageShowingWhatTheScreenShows) {
  Call("ZoomWindow", {Variant(-88.2), Variant(42.2), Variant(-87.3), Variant(41.6)});  // Chicago
  Call("Refresh");
  const gdi::Bitmap& screen = ui::HeadlessWindow::FromHandle(Get("Handle").i4())->FrontBuffer();
  ui::SetDialogRunner([](ui::DialogModel& d) {
    EXPECT_EQ(d.Field("Printer name").text, "PDF file map.pdf");
    EXPECT_EQ(d.Field("Size:").text, "Size: 8.50 x 11.00 in.");
    d.Field("Title").text = "Chicago";
    d.Press(dialogs::kPrintButton);
  });
  ASSERT_EQ(Call("ExecPrint").hr, com::S_OK);
  EXPECT_EQ(Get("TitlePrint").bstr(), "Chicago");
  ASSERT_TRUE(fs::exists(folder_ / "map.pdf"));
  const std::string info = RunCommand("pdfinfo '" + (folder_ / "map.pdf").string() + "'");
  EXPECT_TRUE(std::regex_search(info, std::regex("Pages:\\s+1\n"))) << info;
  EXPECT_NE(info.find("612 x 792 pts"), std::string::npos) << info;
  EXPECT_NE(RunCommand("pdffonts '" + (folder_ / "map.pdf").string() + "'").find("yes yes"), std::string::npos)
      << "the fonts are embedded";

  // The page at 100 dpi, aliased as the screen draws: the map rectangle
  // (half-inch margins, the title and footer bands) holds the view's
  // picture; its middle is the screen's map.
  RunCommand("pdftoppm -r 100 -aa no -aaVector no '" + (folder_ / "map.pdf").string() + "' '" + (folder_ / "page").string() + "'");
  const Raster page = ReadPpm(folder_ / "page-1.ppm");
  ASSERT_EQ(page.width, 850);
  ASSERT_EQ(page.height, 1100);
  const int frame = Panel()->FrameWidth();
  const int mapW = screen.Width() - 2 * frame, mapH = screen.Height() - 2 * frame;
  // The map rectangle: x 50..800, y 74..1000 (see MapPrintRectangle); its
  // picture is the screen's width grown to that shape, drawn 750 / mapW larger.
  const double k = 750.0 / mapW;
  const double pictureH = 926 / k;
  int same = 0, compared = 0;
  for (int y = mapH / 4; y < 3 * mapH / 4; y += 3) {
    for (int x = mapW / 4; x < 3 * mapW / 4; x += 3) {
      const int px = 50 + static_cast<int>((x + 0.5) * k);
      const int py = 74 + static_cast<int>((y + (pictureH - mapH) / 2 + 0.5) * k);
      ++compared;
      if (page.At(px, py) == screen.Pixel(x + frame, y + frame)) ++same;
    }
  }
  EXPECT_GT(same, compared * 8 / 10) << same << " of " << compared << " pixels agree";
}

TEST_F(PrintMembers, CancelPrintsNothingAndKeepsTheBoxesButNotTheMargins) {
  ui::SetDialogRunner([](ui::DialogModel& d) {
    d.Press(dialogs::SpinButtonOf("&Left:", true));
    EXPECT_EQ(d.Field("&Left:").text, "0.75");
    d.Field("&Shading").checked = false;
    d.Press(dialogs::kPrintCancel);
  });
  ASSERT_EQ(Call("ExecPrint").hr, com::S_OK);
  EXPECT_FALSE(fs::exists(folder_ / "map.pdf"));
  EXPECT_FALSE(Panel()->settings().Print().Shading);
  EXPECT_EQ(Panel()->settings().Print().MarginLeft, 0.5);
}

TEST_F(PrintMembers, APrintThatCannotBeWrittenSaysSoAndLeavesNoFile) {
  printer_->SetPath(folder_ / "no" / "such" / "folder" / "map.pdf");
  ui::SetDialogRunner([](ui::DialogModel& d) { d.Press(dialogs::kPrintButton); });
  InvokeResult r = Call("ExecPrint");
  EXPECT_EQ(r.MemberResult(), com::E_FAIL);
  EXPECT_NE(r.excep.bstrDescription.find("cannot be written"), std::string::npos) << r.excep.bstrDescription;
  EXPECT_FALSE(fs::exists(folder_ / "no"));

  ui::SetPrinter(nullptr);
  ui::SetDialogRunner([](ui::DialogModel& d) {
    EXPECT_EQ(d.Field("Printer name").text, "None Loaded");
    d.Press(dialogs::kPrintButton);
  });
  r = Call("ExecPrint");
  EXPECT_EQ(r.MemberResult(), com::E_FAIL);
  EXPECT_NE(r.excep.bstrDescription.find("no printer"), std::string::npos);
}

}  // namespace
}  // namespace quelmar::testing
