// SaveToBitmap, SaveToGif and SaveToPng: the view drawn off screen at the
// map area's size, read back by independent decoders (ImageMagick, giflib)
// with the screen's pixels; the file-name rule; the refusals, which leave no
// file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "control_fixture.h"
#include "external_tools.h"
#include "platform/kernel/atomic_file.h"
#include "platform/ui/headless_window.h"

namespace quelmar::testing {
namespace {

namespace fs = std::filesystem;
using com::Variant;

constexpr com::DISPID kPaintAfter = 2, kPaintBefore = 3;

class ExportMembers : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    folder_ = fs::current_path() / "export";
    fs::create_directories(folder_);
    Call("ZoomWindow", {Variant(-87.70), Variant(41.92), Variant(-87.58), Variant(41.84)});  // Chicago's centre
    Call("Refresh");
  }
  void TearDown() override {
    ControlTest::TearDown();
    fs::remove_all(folder_);
  }
  const gdi::Bitmap& Screen() { return ui::HeadlessWindow::FromHandle(Get("Handle").i4())->FrontBuffer(); }
  // The file decoded by ImageMagick.
  Raster Decode(const fs::path& file) {
    const fs::path ppm = folder_ / "decoded.ppm";
    fs::remove(ppm);
    RunCommand("convert '" + file.string() + "' '" + ppm.string() + "' 2>&1");
    return ReadPpm(ppm);
  }
  // How many pixels of the decoded picture differ from the screen's map area.
  int PixelsUnlikeTheScreen(const Raster& picture) {
    const gdi::Bitmap& screen = Screen();
    const int frame = Panel()->FrameWidth();
    EXPECT_EQ(picture.width, screen.Width() - 2 * frame);
    EXPECT_EQ(picture.height, screen.Height() - 2 * frame);
    if (picture.width != screen.Width() - 2 * frame || picture.height != screen.Height() - 2 * frame) return -1;
    int differ = 0;
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x) differ += picture.At(x, y) != screen.Pixel(x + frame, y + frame);
    return differ;
  }
  std::set<gdi::COLORREF> ScreenColours() {
    const gdi::Bitmap& screen = Screen();
    const int frame = Panel()->FrameWidth();
    std::set<gdi::COLORREF> colours;
    for (int y = frame; y < screen.Height() - frame; ++y)
      for (int x = frame; x < screen.Width() - frame; ++x) colours.insert(screen.Pixel(x, y));
    return colours;
  }
  fs::path folder_;
};

TEST_F(ExportMembers, EachFormatHoldsTheScreensMapArea) {
  struct Case {
    const char* member;
    const char* file;
    const char* magick;  // ImageMagick's name of the format
  } cases[] = {
      {"SaveToBitmap", "view.bmp", "BMP3"}, {"SaveToGif", "view.gif", "GIF"}, {"SaveToPng", "view.png", "PNG"}};
  for (const bool grid : {false, true}) {
    Put("Grid", Variant(grid));
    Call("Refresh");
    const bool fewColours = ScreenColours().size() <= 256;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.member) + (grid ? " with the grid" : ""));
      ASSERT_EQ(Call(c.member, {Variant((folder_ / "view").string())}).hr, com::S_OK);
      const fs::path file = folder_ / c.file;
      ASSERT_TRUE(fs::exists(file));
      const int frame = Panel()->FrameWidth();
      EXPECT_EQ(RunCommand("identify -format '%m %w %h' '" + file.string() + "'"),
                std::string(c.magick) + " " + std::to_string(400 - 2 * frame) + " " + std::to_string(300 - 2 * frame));
      const int differ = PixelsUnlikeTheScreen(Decode(file));
      if (std::string(c.magick) == "GIF" && !fewColours) {
        // More than 256 colours: the GIF's are the nearest of its palette.
        EXPECT_LT(differ, (400 - 2 * frame) * (300 - 2 * frame) / 20);
      } else {
        EXPECT_EQ(differ, 0);
      }
    }
  }
  EXPECT_EQ(RunCommand("giftext '" + (folder_ / "view.gif").string() + "' | grep -c 'Image #'"), "1\n");
}

TEST_F(ExportMembers, DrawingThePictureRaisesThePaintEventsAndKeepsTheView) {
  const double left = Get("LonLeft").r8(), top = Get("LatTop").r8(), miles = Get("Miles").r8();
  sink_->events.clear();
  ASSERT_EQ(Call("SaveToGif", {Variant((folder_ / "view").string())}).hr, com::S_OK);
  std::vector<com::DISPID> paint;
  for (const com::DISPID id : sink_->Dispids())
    if (id == kPaintBefore || id == kPaintAfter) paint.push_back(id);
  EXPECT_EQ(paint, (std::vector<com::DISPID>{kPaintBefore, kPaintAfter}));
  EXPECT_EQ(Get("LonLeft").r8(), left);
  EXPECT_EQ(Get("LatTop").r8(), top);
  EXPECT_EQ(Get("Miles").r8(), miles);
  // The next screen paint shows the same map.
  Call("Refresh");
  ASSERT_LE(ScreenColours().size(), 256u) << "the GIF then holds the screen's colours exactly";
  EXPECT_EQ(PixelsUnlikeTheScreen(Decode(folder_ / "view.gif")), 0);
}

TEST_F(ExportMembers, AFileThatCannotBeWrittenIsAnErrorAndLeavesNothing) {
  struct Case {
    const char* name;
    com::HRESULT result;
    const char* says;
  } cases[] = {
      {"", com::E_INVALIDARG, "file name"},
      {"no/such/folder/map", com::E_FAIL, "cannot be written"},
      {"/dev/./full", com::E_FAIL, "cannot be written"},  // a full disk (the "." keeps the name)
  };
  for (const char* member : {"SaveToBitmap", "SaveToGif", "SaveToPng"}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(member) + " " + c.name);
      const InvokeResult r = Call(member, {Variant(std::string(c.name))});
      EXPECT_EQ(r.MemberResult(), c.result);
      EXPECT_NE(r.excep.bstrDescription.find(c.says), std::string::npos) << r.excep.bstrDescription;
    }
  }
  EXPECT_FALSE(fs::exists("no"));
  // A name is cut to 255 characters; with its extension it is then too long for
  // the file system.
  const InvokeResult tooLong = Call("SaveToBitmap", {Variant(std::string(300, 'm'))});
  EXPECT_EQ(tooLong.MemberResult(), com::E_FAIL);
  EXPECT_NE(tooLong.excep.bstrDescription.find("cannot be written"), std::string::npos);
}

TEST_F(ExportMembers, AFailedWriteKeepsTheOldFile) {
  // A folder in the way of the temporary file's rename: the old contents stay.
  const fs::path old = folder_ / "keep.bmp";
  ASSERT_TRUE(kernel::WriteFileAtomically(old, "old picture"));
  const fs::path blocked = folder_ / "blocked.bmp";
  fs::create_directories(blocked / "inside");
  EXPECT_EQ(Call("SaveToBitmap", {Variant(blocked.string())}).MemberResult(), com::E_FAIL);
  EXPECT_TRUE(fs::is_directory(blocked / "inside"));
  std::string contents;
  ASSERT_TRUE(kernel::ReadWholeFile(old, &contents));
  EXPECT_EQ(contents, "old picture");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_)) ++files;
  EXPECT_EQ(files, 2u) << "no temporary file is left";
}

TEST_F(ExportMembers, AControlWithNoRoomInsideItsFrameHasNoPicture) {
  Put("BorderWidth", Variant(200));  // wider than half the 300-pixel height
  const InvokeResult r = Call("SaveToPng", {Variant((folder_ / "empty").string())});
  EXPECT_EQ(r.MemberResult(), com::E_INVALIDARG);
  EXPECT_NE(r.excep.bstrDescription.find("map area is empty"), std::string::npos) << r.excep.bstrDescription;
  EXPECT_FALSE(fs::exists(folder_ / "empty.png"));
}

}  // namespace
}  // namespace quelmar::testing
