#include "platform/ui/headless_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <thread>

#include "platform/gdi/pixel_checks.h"
#include "platform/ui/window_test_handler.h"

namespace quelmar::ui {
namespace {

using gdi::Rect;
using gdi::testing::kBlack;
using gdi::testing::kWhite;
using testing::RecordingHandler;
using ::testing::ElementsAre;

// Paints the whole client black: only what the clip lets through changes.
void PaintBlack(gdi::Canvas& canvas, const Rect&) {
  const gdi::Size size = canvas.DeviceSize();
  canvas.FillRect(Rect{0, 0, size.cx, size.cy}, gdi::Brush::Solid(kBlack));
}

TEST(HeadlessWindowPaintTest, PaintsOnlyWhenVisibleAndInvalid) {
  RecordingHandler handler;
  HeadlessWindow window(handler, 20, 10);
  EXPECT_FALSE(window.IsVisible());
  window.Invalidate();
  window.Update();
  EXPECT_TRUE(handler.paints.empty()) << "hidden windows do not paint";

  window.Show(true);
  EXPECT_TRUE(window.HasInvalidRegion());
  window.Update();
  EXPECT_THAT(handler.paints, ElementsAre(Rect{0, 0, 20, 10}));
  EXPECT_FALSE(window.HasInvalidRegion());
  window.Update();
  EXPECT_EQ(handler.paints.size(), 1u) << "nothing invalid, nothing painted";

  window.Show(true);  // already visible: no new invalidation
  EXPECT_FALSE(window.HasInvalidRegion());
}

TEST(HeadlessWindowPaintTest, PaintIsClippedToTheInvalidRegion) {
  RecordingHandler handler;
  handler.onPaint = PaintBlack;
  HeadlessWindow window(handler, 12, 6);
  window.Show(true);
  window.Update();
  window.FrontBuffer().Fill(kWhite);

  const Rect left{1, 1, 3, 3};
  const Rect right{8, 2, 11, 4};
  window.Invalidate(&left);
  window.Invalidate(&right);
  EXPECT_EQ(window.InvalidBounds(), (Rect{1, 1, 11, 4}));
  window.Update();
  EXPECT_EQ(handler.paints.back(), (Rect{1, 1, 11, 4})) << "the handler gets the bounds";
  EXPECT_EQ(gdi::testing::Picture(window.FrontBuffer()), gdi::testing::Rows({
                                                             "............",
                                                             ".##.........",
                                                             ".##.....###.",
                                                             "........###.",
                                                             "............",
                                                             "............",
                                                         }));
}

TEST(HeadlessWindowPaintTest, InvalidRectsAreCutToTheClientAndEmptyOnesIgnored) {
  RecordingHandler handler;
  HeadlessWindow window(handler, 10, 10);
  const Rect outside{20, 20, 30, 30};
  const Rect empty{5, 5, 5, 9};
  window.Invalidate(&outside);
  window.Invalidate(&empty);
  EXPECT_FALSE(window.HasInvalidRegion());
  const Rect partly{-5, 8, 4, 50};
  window.Invalidate(&partly, true);
  EXPECT_EQ(window.InvalidBounds(), (Rect{0, 8, 4, 10}));
}

TEST(HeadlessWindowPaintTest, InvalidatingDuringPaintWaitsForTheNextUpdate) {
  RecordingHandler handler;
  HeadlessWindow window(handler, 10, 10);
  int depth = 0;
  handler.onPaint = [&](gdi::Canvas&, const Rect&) {
    ++depth;
    EXPECT_EQ(depth, 1) << "paint must not recurse";
    window.Invalidate();
    window.Update();
    EXPECT_EQ(PumpMessages(), 0) << "a window in its paint is not painted again";
    --depth;
  };
  window.Show(true);
  window.Update();
  EXPECT_EQ(handler.paints.size(), 1u);
  EXPECT_TRUE(window.HasInvalidRegion());
  window.Update();
  EXPECT_EQ(handler.paints.size(), 2u);
}

TEST(HeadlessWindowPaintTest, AWindowMayDestroyItselfWhilePainting) {
  RecordingHandler handler;
  auto window = std::make_unique<HeadlessWindow>(handler, 10, 10);
  const HWND handle = window->Handle();
  handler.onPaint = [&](gdi::Canvas& canvas, const Rect&) {
    window.reset();
    canvas.FillRect(Rect{0, 0, 10, 10}, gdi::Brush::Solid(kBlack));  // the canvas outlives its window safely
  };
  window->Show(true);
  window->Update();
  EXPECT_EQ(HeadlessWindow::FromHandle(handle), nullptr);
}

TEST(HeadlessWindowSizeTest, SetSizeResizesCallsOnSizeAndInvalidatesEverything) {
  RecordingHandler handler;
  HeadlessWindow window(handler, 10, 10);
  window.Show(true);
  window.Update();
  window.SetSize(30, 5);
  EXPECT_EQ(window.ClientSize(), (gdi::Size{30, 5}));
  EXPECT_EQ(window.FrontBuffer().Width(), 30);
  EXPECT_EQ(window.FrontBuffer().Height(), 5);
  EXPECT_EQ(window.InvalidBounds(), (Rect{0, 0, 30, 5}));
  window.SetSize(-4, 7);
  EXPECT_EQ(window.ClientSize(), (gdi::Size{0, 7}));
  EXPECT_FALSE(window.HasInvalidRegion()) << "an empty client has nothing to paint";
  EXPECT_THAT(handler.sizes, ElementsAre(std::pair{30, 5}, std::pair{0, 7}));
}

TEST(HeadlessWindowInputTest, DisabledWindowsDropInjectedInputButTheCursorMoves) {
  RecordingHandler handler;
  HeadlessWindow window(handler, 50, 50);
  EXPECT_TRUE(window.IsEnabled());
  window.SetEnabled(false);
  window.InjectMouse(MouseEvent{MouseEvent::Kind::Down, MouseButton::Left, 0, gdi::Point{5, 6}});
  EXPECT_TRUE(handler.mouse.empty());
  EXPECT_EQ(window.CursorPosition(), (gdi::Point{5, 6}));

  window.SetEnabled(true);
  window.InjectMouse(MouseEvent{MouseEvent::Kind::DoubleClick, MouseButton::Right, kShift | kCtrl, gdi::Point{7, 8}});
  ASSERT_EQ(handler.mouse.size(), 1u);
  EXPECT_EQ(handler.mouse[0].kind, MouseEvent::Kind::DoubleClick);
  EXPECT_EQ(handler.mouse[0].button, MouseButton::Right);
  EXPECT_EQ(handler.mouse[0].shift, kShift | kCtrl);
  EXPECT_EQ(handler.mouse[0].position, (gdi::Point{7, 8}));
}

TEST(HeadlessWindowInputTest, OneWindowHoldsTheCaptureAtATime) {
  RecordingHandler handler;
  HeadlessWindow first(handler, 5, 5);
  auto second = std::make_unique<HeadlessWindow>(handler, 5, 5);
  first.SetCapture(true);
  EXPECT_TRUE(first.HasCapture());
  second->SetCapture(true);
  EXPECT_FALSE(first.HasCapture());
  EXPECT_TRUE(second->HasCapture());
  first.SetCapture(false);  // not the holder: no effect
  EXPECT_TRUE(second->HasCapture());
  second.reset();
  first.SetCapture(true);
  first.SetCapture(false);
  EXPECT_FALSE(first.HasCapture());
}

TEST(HeadlessWindowInputTest, CursorIdIsKept) {
  RecordingHandler handler;
  HeadlessWindow window(handler, 5, 5);
  EXPECT_EQ(window.Cursor(), 0);
  window.SetCursor(-21);
  EXPECT_EQ(window.Cursor(), -21);
}

TEST(HeadlessWindowHandleTest, HandlesAreNeverReusedAndDieWithTheirWindow) {
  RecordingHandler handler;
  std::set<HWND> seen;
  HWND previous = 0;
  for (int i = 0; i < 50; ++i) {
    HeadlessWindow window(handler, 1, 1);
    const HWND handle = window.Handle();
    EXPECT_NE(handle, 0);
    EXPECT_TRUE(seen.insert(handle).second);
    EXPECT_GT(handle, previous);
    EXPECT_EQ(HeadlessWindow::FromHandle(handle), &window);
    previous = handle;
  }
  EXPECT_EQ(HeadlessWindow::FromHandle(previous), nullptr);
  EXPECT_EQ(HeadlessWindow::FromHandle(0), nullptr);
}

TEST(PumpMessagesTest, PaintsVisibleInvalidWindowsOldestFirst) {
  std::vector<int> order;
  RecordingHandler a, b, c;
  a.onPaint = [&](gdi::Canvas&, const Rect&) { order.push_back(1); };
  b.onPaint = [&](gdi::Canvas&, const Rect&) { order.push_back(2); };
  c.onPaint = [&](gdi::Canvas&, const Rect&) { order.push_back(3); };
  HeadlessWindow first(a, 4, 4), second(b, 4, 4), third(c, 4, 4);
  third.Show(true);
  first.Show(true);
  second.Invalidate();  // hidden: skipped
  EXPECT_EQ(PumpMessages(), 2);
  EXPECT_THAT(order, ElementsAre(1, 3));
  EXPECT_EQ(PumpMessages(), 0);
}

TEST(PumpMessagesTest, AWindowDestroyedDuringThePumpIsSkipped) {
  RecordingHandler a, b;
  auto later = std::make_unique<HeadlessWindow>(b, 4, 4);
  HeadlessWindow first(a, 4, 4);
  auto last = std::make_unique<HeadlessWindow>(b, 4, 4);
  // `first` is created between the two; its paint destroys the last one.
  a.onPaint = [&](gdi::Canvas&, const Rect&) { last.reset(); };
  later->Show(true);
  first.Show(true);
  last->Show(true);
  EXPECT_EQ(PumpMessages(), 2);
  EXPECT_EQ(b.paints.size(), 1u);
}

TEST(PumpMessagesTest, OnlyPaintsWindowsOfTheCallingThread) {
  RecordingHandler handler;
  HeadlessWindow window(handler, 4, 4);
  window.Show(true);
  int paintedElsewhere = -1;
  std::thread other([&] { paintedElsewhere = PumpMessages(); });
  other.join();
  EXPECT_EQ(paintedElsewhere, 0);
  EXPECT_EQ(PumpMessages(), 1);
}

TEST(ScreenInfoTest, DefaultsCanBeChangedAndBadValuesAreRefused) {
  const ScreenInfo defaults = GetScreenInfo();
  EXPECT_EQ(defaults.pixelsPerInch, 96);
  EXPECT_EQ(defaults.width, 1920);
  EXPECT_EQ(defaults.height, 1200);
  SetScreenInfo(ScreenInfo{120, 2560, 1440});
  EXPECT_EQ(GetScreenInfo().pixelsPerInch, 120);
  EXPECT_EQ(GetScreenInfo().width, 2560);
  EXPECT_THROW(SetScreenInfo(ScreenInfo{0, 100, 100}), std::invalid_argument);
  EXPECT_THROW(SetScreenInfo(ScreenInfo{96, -1, 100}), std::invalid_argument);
  EXPECT_EQ(GetScreenInfo().pixelsPerInch, 120);
  SetScreenInfo(defaults);
}

}  // namespace
}  // namespace quelmar::ui
