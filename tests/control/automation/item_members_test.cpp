// The item and host-drawing members as a host calls them: items shown at a
// paint, a move repainting only its two rectangles with Redirty, hit tests,
// refused identifiers and handles, the drawing switch and label size
// reaching the picture, and DirectDraw into a host's bitmap.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "control_fixture.h"
#include "platform/gdi/bitmap_handles.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/dc_handles.h"
#include "platform/gdi/pdf_canvas.h"
#include "platform/ui/headless_window.h"
#include "control/items/item_painter.h"
#include "platform/gdi/text_measurer.h"
#include "tests/control/items/symbol_fixtures.h"
#include "tests/platform/kernel/test_files.h"

namespace quelmar::testing {
namespace {

using com::Variant;

// Colours the map itself does not use.
constexpr gdi::COLORREF kRed = gdi::RGB(201, 13, 77);
constexpr gdi::COLORREF kBlue = gdi::RGB(13, 77, 201);

// A square symbol of one colour; its bottom-left pixel is white, the transparent colour.
std::unique_ptr<gdi::Bitmap> Marker(gdi::COLORREF colour, int side = 9) {
  return items::test::Picture(side, side, [=](int x, int y) { return x == 0 && y == side - 1 ? 0xFFFFFF : colour; });
}

class ItemMembers : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    ASSERT_EQ(Call("ZoomWindow", {Variant(-90.0), Variant(43.0), Variant(-86.0), Variant(40.0)}).hr, com::S_OK);
    red_ = Marker(kRed);
    blue_ = Marker(kBlue);
    redHandle_ = gdi::RegisterBitmap(red_.get());
    blueHandle_ = gdi::RegisterBitmap(blue_.get());
  }
  void TearDown() override {
    gdi::ReleaseBitmap(redHandle_);
    gdi::ReleaseBitmap(blueHandle_);
    ControlTest::TearDown();
  }
  const gdi::Bitmap& Screen() {
    return ui::HeadlessWindow::FromHandle(Get("Handle").i4())->FrontBuffer();
  }
  // The screen pixel of a longitude and latitude.
  gdi::Point PixelOf(double lon, double lat) {
    const core::TPixelPoint p = Panel()->view().MapToPixel(static_cast<std::int32_t>(std::lround(lon * 15625)),
                                                            static_cast<std::int32_t>(std::lround(lat * 15625)));
    const int frame = Panel()->FrameWidth();
    return {p.X + frame, p.Y + frame};
  }
  void Place(std::int32_t id, double lon, double lat, gdi::HBITMAP symbol) {
    ASSERT_EQ(Call("SetItem", {Variant(id), Variant(lon), Variant(lat)}).hr, com::S_OK);
    ASSERT_EQ(Call("SetItemBitmap", {Variant(id), Variant(symbol)}).hr, com::S_OK);
  }
  int Count(const gdi::Bitmap& image, gdi::COLORREF colour, gdi::Point centre, int radius) {
    int n = 0;
    for (int y = centre.y - radius; y <= centre.y + radius; ++y) {
      for (int x = centre.x - radius; x <= centre.x + radius; ++x) n += image.Pixel(x, y) == colour;
    }
    return n;
  }

  std::unique_ptr<gdi::Bitmap> red_, blue_;
  gdi::HBITMAP redHandle_ = 0, blueHandle_ = 0;
};

TEST_F(ItemMembers, AMoveRepaintsOnlyTheOldAndTheNewRectangle) {
  Place(1, -89.0, 41.5, redHandle_);
  Place(2, -87.0, 41.5, blueHandle_);
  ASSERT_EQ(Call("Refresh").hr, com::S_OK);
  const gdi::Point from = PixelOf(-89.0, 41.5), other = PixelOf(-87.0, 41.5);
  EXPECT_EQ(Count(Screen(), kRed, from, 5), 80);  // 81 pixels less the transparent one
  EXPECT_EQ(Count(Screen(), kBlue, other, 5), 80);

  // Hidden without a dirty rectangle: the next Redirty does not reach it.
  ASSERT_EQ(Call("SetItemVis", {Variant(2), Variant(false)}).hr, com::S_OK);
  ASSERT_EQ(Call("SetItem", {Variant(1), Variant(-88.0), Variant(42.0)}).hr, com::S_OK);
  ASSERT_EQ(Call("Redirty").hr, com::S_OK);
  const gdi::Point to = PixelOf(-88.0, 42.0);
  EXPECT_EQ(Count(Screen(), kRed, from, 5), 0);
  EXPECT_EQ(Count(Screen(), kRed, to, 5), 80);
  EXPECT_EQ(Count(Screen(), kBlue, other, 5), 80);
  ASSERT_EQ(Call("Refresh").hr, com::S_OK);  // a whole repaint shows the hidden item gone
  EXPECT_EQ(Count(Screen(), kBlue, other, 5), 0);
}

TEST_F(ItemMembers, TurningRepaintsTheItemTurned) {
  auto bar = items::test::Picture(21, 5, [](int x, int y) { return x == 0 && y == 4 ? 0xFFFFFF : kRed; });
  const gdi::HBITMAP handle = gdi::RegisterBitmap(bar.get());
  Place(1, -88.0, 41.5, handle);
  ASSERT_EQ(Call("Refresh").hr, com::S_OK);
  const gdi::Point at = PixelOf(-88.0, 41.5);
  EXPECT_EQ(Screen().Pixel(at.x + 8, at.y), kRed);
  ASSERT_EQ(Call("SetItemAngle", {Variant(1), Variant(90)}).hr, com::S_OK);
  ASSERT_EQ(Call("Redirty").hr, com::S_OK);
  EXPECT_NE(Screen().Pixel(at.x + 8, at.y), kRed);  // the bar now stands upright
  EXPECT_EQ(Screen().Pixel(at.x - 1, at.y + 8), kRed);
  gdi::ReleaseBitmap(handle);
}

TEST_F(ItemMembers, FinditemAnswersTheSmallestIdentifierUnderThePoint) {
  Place(9, -88.0, 41.5, redHandle_);
  Place(4, -88.0, 41.5, blueHandle_);
  ASSERT_EQ(Call("SetItemString", {Variant(4), Variant("Depot")}).hr, com::S_OK);
  ASSERT_EQ(Call("SetItem2Front", {Variant(9)}).hr, com::S_OK);
  EXPECT_EQ(Get("Finditem", {Variant(-88.0), Variant(41.5)}).i4(), 4);
  EXPECT_EQ(Get("result").bstr(), "4\t-1375000\t648438\tDepot");
  EXPECT_EQ(Get("Finditem", {Variant(-80.0), Variant(30.0)}).i4(), 0);
  EXPECT_EQ(Get("result").bstr(), "");
  ASSERT_EQ(Call("HideAllItems").hr, com::S_OK);
  EXPECT_EQ(Get("Finditem", {Variant(-88.0), Variant(41.5)}).i4(), 0);
  ASSERT_EQ(Call("ShowAllItems").hr, com::S_OK);
  ASSERT_EQ(Call("DeleteItem", {Variant(4)}).hr, com::S_OK);
  EXPECT_EQ(Get("Finditem", {Variant(-88.0), Variant(41.5)}).i4(), 9);
}

TEST_F(ItemMembers, IdentifiersAndHandlesThatNameNothingAreRefused) {
  struct Case {
    const char* member;
    std::vector<Variant> args;
  };
  const std::vector<Case> cases = {
      {"SetItem", {Variant(0), Variant(-88.0), Variant(41.0)}},
      {"SetItem", {Variant(70000), Variant(-88.0), Variant(41.0)}},
      {"SetItem", {Variant(-3), Variant(-88.0), Variant(41.0)}},
      {"SetItem", {Variant(5), Variant(1e12), Variant(41.0)}},
      {"DeleteItemRange", {Variant(1), Variant(65536)}},
      {"DeleteItem", {Variant(0)}},
      {"SetItemBitmap", {Variant(1), Variant(987654321)}},
      {"DrawObject", {Variant(0), Variant(-88.0), Variant(41.0), Variant(1), Variant(255)}},
      {"DrawNorth", {Variant(123456), Variant(10), Variant(10)}},
      {"DirectDraw", {Variant(0), Variant(0), Variant(0), Variant(10), Variant(10), Variant(true), Variant(false),
                      Variant(false)}},
  };
  ASSERT_EQ(Call("SetItem", {Variant(1), Variant(-88.0), Variant(41.0)}).hr, com::S_OK);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.member);
    EXPECT_EQ(Call(c.member, c.args).MemberResult(), com::E_INVALIDARG);
  }
  // Nothing was made or lost.
  EXPECT_EQ(Get("Finditem", {Variant(-88.0), Variant(41.0)}).i4(), 0);  // no symbol, no label: nothing to hit
  ASSERT_EQ(Call("SetItemString", {Variant(1), Variant("kept")}).hr, com::S_OK);
  EXPECT_EQ(Get("Finditem", {Variant(-88.0), Variant(41.0)}).i4(), 1);
  // A backward range deletes nothing; a range up to the last identifier ends.
  ASSERT_EQ(Call("DeleteItemRange", {Variant(5), Variant(3)}).hr, com::S_OK);
  EXPECT_EQ(Get("Finditem", {Variant(-88.0), Variant(41.0)}).i4(), 1);
  ASSERT_EQ(Call("DeleteItemRange", {Variant(1), Variant(65535)}).hr, com::S_OK);
  EXPECT_EQ(Get("Finditem", {Variant(-88.0), Variant(41.0)}).i4(), 0);
}

TEST_F(ItemMembers, SymbolFilesShowAndABadFileKeepsTheSymbolBefore) {
  TempDir folder;
  const std::vector<std::uint8_t> bytes = items::test::Bmp24(*Marker(kBlue));
  std::ofstream(folder / "blue.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  std::ofstream(folder / "bad.bmp") << "BM";
  ASSERT_EQ(Call("SetItem", {Variant(3), Variant(-88.0), Variant(41.5)}).hr, com::S_OK);
  ASSERT_EQ(Call("SetItemLocalBitmap", {Variant(3), Variant((folder / "blue.bmp").string())}).hr, com::S_OK);
  const InvokeResult bad = Call("SetItemLocalBitmap", {Variant(3), Variant((folder / "bad.bmp").string())});
  EXPECT_LT(bad.MemberResult(), 0);
  ASSERT_EQ(Call("Refresh").hr, com::S_OK);
  EXPECT_EQ(Count(Screen(), kBlue, PixelOf(-88.0, 41.5), 5), 80);
}

TEST_F(ItemMembers, TheDrawingSwitchAndTheLabelSizeReachThePicture) {
  ASSERT_EQ(Call("SetItem", {Variant(1), Variant(-88.0), Variant(41.5)}).hr, com::S_OK);
  ASSERT_EQ(Call("SetItemString", {Variant(1), Variant("WWWWWW")}).hr, com::S_OK);
  const gdi::Point at = PixelOf(-88.0, 41.5);
  // The label box of a label size: its black top outline and the white row below it.
  auto boxShown = [&](std::int32_t size) {
    EXPECT_EQ(Call("Refresh").hr, com::S_OK);
    const gdi::Size text = gdi::TextMeasurer::Measure(items::ItemLabelFont(size), "WWWWWW").AsSize();
    const int left = at.x - (text.cx / 2 + 2), right = at.x + (text.cx / 2 + 2), top = at.y - (text.cy / 2 + 2);
    for (int x = left; x < right; ++x) {
      if (Screen().Pixel(x, top + 1) != 0) return false;
      if (x > left && x < right - 1 && Screen().Pixel(x, top + 2) != 0xFFFFFF) return false;
    }
    return true;
  };
  EXPECT_TRUE(boxShown(14));
  ASSERT_EQ(Put("ItemFontSize", Variant(28)).hr, com::S_OK);
  EXPECT_FALSE(boxShown(14));
  EXPECT_TRUE(boxShown(28));
  ASSERT_EQ(Call("SetOption", {Variant(134), Variant(0)}).hr, com::S_OK);
  EXPECT_FALSE(boxShown(28));
  EXPECT_EQ(Put("ItemFontSize", Variant(0)).MemberResult(), com::E_INVALIDARG);
  EXPECT_EQ(Get("ItemFontSize").i4(), 28);
}

TEST_F(ItemMembers, HostDrawingGoesIntoTheGivenDeviceContext) {
  gdi::Bitmap target(Panel()->view().View().Width + 50, Panel()->view().View().Height + 50);
  target.Fill(0x00FFFF);
  gdi::CairoCanvas canvas(target);
  gdi::ScopedDc dc(canvas);
  const gdi::Point p = PixelOf(-88.0, 41.5);
  const int frame = Panel()->FrameWidth();
  ASSERT_EQ(Call("DrawObject", {Variant(dc.Handle()), Variant(-88.0), Variant(41.5), Variant(2), Variant(255)}).hr,
            com::S_OK);
  EXPECT_EQ(target.Pixel(p.x - frame, p.y - frame), gdi::RGB(255, 0, 0));
  EXPECT_EQ(target.Pixel(p.x - frame - 7, p.y - frame), 0xFFFFFFu);
  ASSERT_EQ(Call("DrawLine", {Variant(dc.Handle()), Variant(-100.0), Variant(41.0), Variant(-80.0), Variant(41.0),
                              Variant(1), Variant(0), Variant(13)})
                .hr,
            com::S_OK);
  const gdi::Point line = PixelOf(-88.0, 41.0);
  EXPECT_EQ(target.Pixel(line.x - frame, line.y - frame), 0u);
  EXPECT_EQ(target.Pixel(Panel()->view().View().Width + 20, line.y - frame), 0x00FFFFu);  // clipped at the view
  EXPECT_EQ(Call("DrawLine", {Variant(dc.Handle()), Variant(-100.0), Variant(41.0), Variant(-80.0), Variant(41.0),
                              Variant(1), Variant(0), Variant(99)})
                .MemberResult(),
            com::E_INVALIDARG);
}

// Pixels of `screen`'s map area that equal `direct` shifted by (dx, dy), as a share of the compared ones.
double Agreement(const gdi::Bitmap& screen, int frame, int w, int h, const gdi::Bitmap& direct, int dx, int dy) {
  long same = 0, all = 0;
  for (int y = 2; y < h - 2; ++y) {
    for (int x = 2; x < w - 2; ++x) {
      ++all;
      same += screen.Pixel(x + frame, y + frame) == direct.Pixel(x + dx, y + dy);
    }
  }
  return static_cast<double>(same) / static_cast<double>(all);
}

TEST_F(ItemMembers, DirectDrawTwiceAsWideShowsMoreMapEastAndWestAtTheSameScale) {
  // Items in the view and beyond its east and west edges.
  const double lonLeft = Get("LonLeft").r8(), lonRight = Get("LonRight").r8();
  const double span = lonRight - lonLeft;
  Place(1, lonLeft + span * 0.25, 41.5, redHandle_);
  Place(2, lonLeft + span * 0.75, 41.5, redHandle_);
  Place(3, lonLeft - span * 0.25, 41.5, blueHandle_);
  Place(4, lonRight + span * 0.25, 41.5, blueHandle_);
  // Labels are placed and sized for each picture on its own; the rest of the map is compared.
  ASSERT_EQ(Call("SetOption", {Variant(130), Variant(0)}).hr, com::S_OK);
  ASSERT_EQ(Call("Redraw").hr, com::S_OK);
  const gdi::Bitmap& screen = Screen();
  const int frame = Panel()->FrameWidth();
  const gdi::Size client = Panel()->window().ClientSize();
  const int w = client.cx - 2 * frame, h = client.cy - 2 * frame;
  const core::TViewWindow before = Panel()->view().View();

  gdi::Bitmap direct(2 * w, h);
  gdi::CairoCanvas canvas(direct);
  gdi::ScopedDc dc(canvas);
  ASSERT_EQ(Call("DirectDraw", {Variant(dc.Handle()), Variant(0), Variant(0), Variant(2 * w), Variant(h), Variant(true),
                                Variant(true), Variant(false)})
                .hr,
            com::S_OK);
  EXPECT_EQ(Panel()->view().View(), before);

  // The control's picture is the middle of the direct one, pixel for pixel.
  double best = 0;
  int bestDx = 0;
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = w / 2 - 3; dx <= w / 2 + 3; ++dx) {
      const double a = Agreement(screen, frame, w, h, direct, dx, dy);
      if (a > best) {
        best = a;
        bestDx = dx;
      }
    }
  }
  // The lines of a picture for a device are drawn a little thinner and the
  // route shields placed for its own size; the rest agrees, and the items
  // lie as far apart as on the screen.
  EXPECT_GT(best, 0.9);
  EXPECT_NEAR(bestDx, w / 2, 2);
  const gdi::Point first = PixelOf(lonLeft + span * 0.25, 41.5), second = PixelOf(lonLeft + span * 0.75, 41.5);
  EXPECT_EQ(Count(direct, kRed, {first.x - frame + bestDx, first.y - frame}, 6), 80);
  EXPECT_EQ(Count(direct, kRed, {second.x - frame + bestDx, second.y - frame}, 6), 80);
  // West and east of the control's view the items beyond its edges show.
  const gdi::Point west = PixelOf(lonLeft - span * 0.25, 41.5), east = PixelOf(lonRight + span * 0.25, 41.5);
  EXPECT_EQ(Count(direct, kBlue, {west.x - frame + bestDx, west.y - frame}, 6), 80);
  EXPECT_EQ(Count(direct, kBlue, {east.x - frame + bestDx, east.y - frame}, 6), 80);
}

TEST_F(ItemMembers, DirectDrawRefusesSizesItCannotDraw) {
  gdi::Bitmap target(50, 50);
  gdi::CairoCanvas canvas(target);
  gdi::ScopedDc dc(canvas);
  const core::TViewWindow before = Panel()->view().View();
  struct Case {
    std::int32_t w, h;
    bool keepAspect;
  };
  for (const Case c : {Case{0, 10, false}, Case{10, -1, false}, Case{100000, 10, false}, Case{1, 30000, true},
                       Case{INT32_MAX, 1, false}}) {
    SCOPED_TRACE(::testing::Message() << c.w << " x " << c.h);
    EXPECT_EQ(Call("DirectDraw", {Variant(dc.Handle()), Variant(5), Variant(5), Variant(c.w), Variant(c.h),
                                  Variant(true), Variant(c.keepAspect), Variant(false)})
                  .MemberResult(),
              com::E_INVALIDARG);
  }
  EXPECT_EQ(Panel()->view().View(), before);
  // Without keeping the aspect a small rectangle is drawn into, at the same scale.
  ASSERT_EQ(Call("DirectDraw", {Variant(dc.Handle()), Variant(5), Variant(5), Variant(20), Variant(20), Variant(true),
                                Variant(false), Variant(false)})
                .hr,
            com::S_OK);
  EXPECT_EQ(Panel()->view().View(), before);
}

// The mono switch draws the picture in black, white and greys only.
TEST_F(ItemMembers, DirectDrawInMonoHasNoColours) {
  gdi::Bitmap target(200, 150);
  gdi::CairoCanvas canvas(target);
  gdi::ScopedDc dc(canvas);
  auto colouredPixels = [&](bool mono) {
    EXPECT_EQ(Call("DirectDraw", {Variant(dc.Handle()), Variant(0), Variant(0), Variant(200), Variant(150),
                                  Variant(true), Variant(false), Variant(mono)})
                  .hr,
              com::S_OK);
    int coloured = 0;
    for (int y = 0; y < 150; ++y) {
      for (int x = 0; x < 200; ++x) {
        const gdi::COLORREF c = target.Pixel(x, y);
        if (gdi::GetRValue(c) != gdi::GetGValue(c) || gdi::GetGValue(c) != gdi::GetBValue(c)) {
          if (mono && coloured < 5) ADD_FAILURE() << std::hex << c << " at " << std::dec << x << "," << y;
          ++coloured;
        }
      }
    }
    return coloured;
  };
  EXPECT_GT(colouredPixels(false), 1000);
  EXPECT_EQ(colouredPixels(true), 0);
}

// A host's PDF surface is a device context like any other: the map goes in
// as vector drawing and the document comes out whole.
TEST_F(ItemMembers, DirectDrawIntoAPdfSurface) {
  std::string bytes;
  auto pdf = std::make_unique<gdi::PdfCanvas>(
      [&](std::span<const unsigned char> b) {
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
        return true;
      },
      gdi::Size{850, 1100}, 100);
  {
    gdi::ScopedDc dc(*pdf);
    ASSERT_EQ(Call("DirectDraw", {Variant(dc.Handle()), Variant(50), Variant(50), Variant(750), Variant(500),
                                  Variant(true), Variant(true), Variant(false)})
                  .hr,
              com::S_OK);
  }
  ASSERT_TRUE(pdf->Finish());
  EXPECT_TRUE(bytes.starts_with("%PDF-"));
  EXPECT_GT(bytes.size(), 2000u) << "the map is in the document";
}

}  // namespace
}  // namespace quelmar::testing