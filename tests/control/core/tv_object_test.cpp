// The map panel's paint cycle, frame, resizing and mouse events, driven
// through its window as a desktop would drive it.
#include "control/core/tv_object.h"

#include <gtest/gtest.h>

#include "platform/gdi/dc_handles.h"
#include "platform/gdi/recording_canvas.h"

namespace quelmar::core {
namespace {

constexpr gdi::COLORREF kRed = 0x0000FF;

class Panel : public ::testing::Test {
 protected:
  void SetUp() override {
    panel_.window().SetSize(200, 100);
    panel_.events.OnStatus = [this](std::int32_t s) { log_.push_back("Status(" + std::to_string(s) + ")"); };
    panel_.events.OnPaintBefore = [this](std::int32_t) { log_.push_back("PaintBefore"); };
    panel_.events.OnpaintAfter = [this](std::int32_t dc) {
      log_.push_back("PaintAfter");
      if (afterPaint_) afterPaint_(*gdi::DcFromHandle(dc));
    };
    panel_.window().Show(true);
    panel_.window().Update();
    log_.clear();
  }
  gdi::COLORREF Screen(int x, int y) { return panel_.window().FrontBuffer().Pixel(x, y); }

  Ttvmap panel_;
  std::vector<std::string> log_;
  std::function<void(gdi::Canvas&)> afterPaint_;
};

TEST_F(Panel, TheFirstPaintShowsTheWholeCountryInTheBackgroundColour) {
  const TViewWindow& v = panel_.view().View();
  // The map area is the client less the one-pixel raised bevel; the view counts one more.
  EXPECT_EQ(v.Width, 199);
  EXPECT_EQ(v.Height, 99);
  EXPECT_NEAR(v.Left * kDegreesPerUnit, -130, 30);
  EXPECT_EQ(Screen(100, 50), TTvObject::kDefaultColor);
  EXPECT_EQ(Screen(0, 0), gdi::kColorBtnHighlight);    // raised bevel: light top-left
  EXPECT_EQ(Screen(199, 99), gdi::kColorBtnShadow);    // dark bottom-right
  EXPECT_TRUE(panel_.Initialized());
}

TEST_F(Panel, RedrawRendersRefreshAndRedirtyReuseTheBuffer) {
  panel_.Redraw();
  EXPECT_EQ(log_, (std::vector<std::string>{"Status(1)", "PaintBefore", "PaintAfter"}));
  log_.clear();
  panel_.Refresh();
  EXPECT_EQ(log_, (std::vector<std::string>{"PaintAfter"}));
  log_.clear();
  panel_.Redirty();
  EXPECT_EQ(log_, (std::vector<std::string>{"PaintAfter"}));
}

TEST_F(Panel, AfterPaintDrawingBecomesPartOfThePicture) {
  afterPaint_ = [](gdi::Canvas& dc) { dc.FillRect({0, 0, 10, 10}, gdi::Brush::Solid(kRed)); };
  panel_.Refresh();
  EXPECT_EQ(Screen(1 + 5, 1 + 5), kRed);  // the map area starts inside the bevel
  EXPECT_EQ(Screen(1 + 15, 1 + 5), TTvObject::kDefaultColor);
}

TEST_F(Panel, RedirtyChangesOnlyTheDeclaredRectangles) {
  afterPaint_ = [](gdi::Canvas& dc) { dc.FillRect({0, 0, 400, 400}, gdi::Brush::Solid(kRed)); };
  panel_.SetDirtyRect(20, 20, 30, 30);
  panel_.Redirty();
  EXPECT_EQ(Screen(1 + 25, 1 + 25), kRed);
  EXPECT_EQ(Screen(1 + 18, 1 + 18), kRed);  // widened by 2 on every side
  EXPECT_EQ(Screen(1 + 60, 1 + 60), TTvObject::kDefaultColor);
  // The list was used up: the next Redirty shows nothing new.
  afterPaint_ = [](gdi::Canvas& dc) { dc.FillRect({0, 0, 400, 400}, gdi::Brush::Solid(0x00FF00)); };
  panel_.Redirty();
  EXPECT_EQ(Screen(1 + 25, 1 + 25), kRed);
}

TEST_F(Panel, WithoutAutoPaintTheWindowKeepsItsContent) {
  panel_.SetAutoPaint(false);
  panel_.SetColor(0x123456);
  panel_.Redraw();
  EXPECT_EQ(Screen(100, 50), TTvObject::kDefaultColor);
  EXPECT_TRUE(log_.empty());
  // The map stays due: switching painting back on shows the new colour.
  panel_.SetAutoPaint(true);
  panel_.Redraw();
  EXPECT_EQ(Screen(100, 50), 0x123456u);
}

TEST_F(Panel, WithoutOffScreenBuffersEveryPaintRendersAndNothingIsDrawnAfter) {
  panel_.SetBackDraw(false);
  panel_.Refresh();
  EXPECT_EQ(log_, (std::vector<std::string>{"PaintBefore"}));
}

TEST_F(Panel, APaintOfTheScreenDoesNotMoveTheView) {
  panel_.ZoomWindow(-88, 42, -87, 41);
  const TViewWindow after = panel_.view().View();
  panel_.Refresh();
  panel_.window().Invalidate();
  panel_.window().Update();
  EXPECT_EQ(panel_.view().View(), after);
}

TEST_F(Panel, ResizingKeepsTheNorthEdgeAndResizeCtlKeepsTheArea) {
  panel_.ZoomWindow(-90, 40, -85, 45);
  const TViewWindow before = panel_.view().View();
  int resized = 0;
  panel_.events.OnResize = [&] { ++resized; };
  panel_.window().SetSize(200, 160);
  EXPECT_EQ(resized, 1);
  EXPECT_NEAR(panel_.view().View().Top, before.Top, 2 / before.ScaleY);
  EXPECT_EQ(panel_.view().View().Left, before.Left);

  panel_.ZoomWindow(-90, 40, -85, 45);
  const TViewWindow shown = panel_.view().View();
  panel_.ResizeCtl(400, 320);
  EXPECT_EQ(panel_.window().ClientSize(), (gdi::Size{400, 320}));
  const TViewWindow& now = panel_.view().View();
  EXPECT_GT(now.Scale, shown.Scale * 1.9);  // the same area, twice the pixels
  EXPECT_NEAR((now.Left + now.Right) / 2.0, (shown.Left + shown.Right) / 2.0, 4 / now.Scale);
}

TEST_F(Panel, TheGridIsDrawnInGreyWithLabels) {
  panel_.ZoomWindow(-90, 40, -85, 45);
  panel_.SetLayerOption([](LayerOptions& l) { l.Grid = true; });
  gdi::RecordingCanvas canvas(gdi::Size{200, 100});
  static_cast<ui::WindowHandler&>(panel_).OnPaint(canvas, gdi::Rect{0, 0, 200, 100});
  int greyLines = 0;
  int labels = 0;
  for (const gdi::DrawRecord& r : canvas.Records()) {
    if (r.kind == gdi::DrawKind::LineTo && r.state.pen.color == 0x808080) ++greyLines;
    if (r.kind == gdi::DrawKind::TextOut) ++labels;
  }
  EXPECT_GE(greyLines, 4);
  EXPECT_EQ(labels, greyLines);
}

TEST_F(Panel, MouseEventsUseMapAreaPixelsAndIgnoreTheFrame) {
  std::vector<std::string> mouse;
  auto record = [&](const char* kind) {
    return [&mouse, kind](int b, std::uint32_t s, int x, int y) {
      mouse.push_back(std::string(kind) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                      std::to_string(x) + "," + std::to_string(y));
    };
  };
  panel_.events.OnMouseDown = record("down");
  panel_.events.OnMouseUp = record("up");
  int clicks = 0;
  panel_.events.OnClick = [&] { ++clicks; };
  using K = ui::MouseEvent::Kind;
  panel_.window().InjectMouse({K::Down, ui::MouseButton::Left, ui::kShift, {0, 0}});  // on the bevel
  panel_.window().InjectMouse({K::Down, ui::MouseButton::Right, ui::kCtrl, {11, 21}});
  panel_.window().InjectMouse({K::Up, ui::MouseButton::Right, ui::kCtrl, {11, 21}});
  EXPECT_EQ(mouse, (std::vector<std::string>{"down 1 2 10,20", "up 1 2 10,20"}));
  EXPECT_EQ(clicks, 1);
}

TEST_F(Panel, TheDesignPlaceholderNamesTheControlAndItsSize) {
  panel_.SetDesignMode(true);
  gdi::RecordingCanvas canvas(gdi::Size{200, 100});
  static_cast<ui::WindowHandler&>(panel_).OnPaint(canvas, gdi::Rect{0, 0, 200, 100});
  bool caption = false;
  for (const gdi::DrawRecord& r : canvas.Records()) {
    if (r.kind == gdi::DrawKind::TextOut && r.text == " * QUELMAR50.OCX [ 200 x 100 ]") caption = true;
  }
  EXPECT_TRUE(caption);
  EXPECT_TRUE(log_.empty());  // no map paint in a designer
}

}  // namespace
}  // namespace quelmar::core
