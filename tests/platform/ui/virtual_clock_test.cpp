#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "platform/ui/headless_window.h"
#include "platform/ui/window_test_handler.h"

namespace quelmar::ui {
namespace {

using testing::RecordingHandler;
using ::testing::ElementsAre;

// Timers of two windows, as (time since start, window, id).
using Firing = std::tuple<std::int64_t, char, int>;

TEST(VirtualClockTest, TimersOfAllWindowsFireInTimeOrderWithTheClockAtTheirDueTime) {
  const std::int64_t start = VirtualClock::NowMs();
  std::vector<Firing> firings;
  RecordingHandler a, b;
  a.onTimer = [&](int id) { firings.emplace_back(VirtualClock::NowMs() - start, 'a', id); };
  b.onTimer = [&](int id) { firings.emplace_back(VirtualClock::NowMs() - start, 'b', id); };
  HeadlessWindow first(a, 1, 1), second(b, 1, 1);
  first.SetTimer(1, 30);
  second.SetTimer(2, 20);
  VirtualClock::Advance(100);
  // At 60 both are due: the one rescheduled first (at 30) fires first.
  EXPECT_THAT(firings, ElementsAre(Firing{20, 'b', 2}, Firing{30, 'a', 1}, Firing{40, 'b', 2}, Firing{60, 'a', 1},
                                   Firing{60, 'b', 2}, Firing{80, 'b', 2}, Firing{90, 'a', 1},
                                   Firing{100, 'b', 2}));
  EXPECT_EQ(VirtualClock::NowMs(), start + 100);
}

TEST(VirtualClockTest, ATimerFiresOnceItsTimeHasPassedAndEachTimeItIsDue) {
  RecordingHandler handler;
  HeadlessWindow window(handler, 1, 1);
  window.SetTimer(5, 25);
  VirtualClock::Advance(10);
  VirtualClock::Advance(10);
  EXPECT_TRUE(handler.timers.empty());
  VirtualClock::Advance(10);
  EXPECT_THAT(handler.timers, ElementsAre(5));
  VirtualClock::Advance(75);
  EXPECT_THAT(handler.timers, ElementsAre(5, 5, 5, 5));
  VirtualClock::Advance(0);
  VirtualClock::Advance(-50);
  EXPECT_EQ(handler.timers.size(), 4u);
}

TEST(VirtualClockTest, SettingATimerAgainRestartsItAndShortIntervalsBecomeTenMilliseconds) {
  RecordingHandler handler;
  HeadlessWindow window(handler, 1, 1);
  window.SetTimer(1, 50);
  VirtualClock::Advance(40);
  window.SetTimer(1, 50);  // due 50 from now, not 10
  VirtualClock::Advance(40);
  EXPECT_TRUE(handler.timers.empty());
  window.KillTimer(1);
  window.SetTimer(2, 0);
  VirtualClock::Advance(100);
  EXPECT_EQ(handler.timers.size(), 10u);
}

TEST(VirtualClockTest, CallbacksMayKillTimersAndDestroyWindows) {
  RecordingHandler a, b;
  auto doomed = std::make_unique<HeadlessWindow>(b, 1, 1);
  HeadlessWindow killer(a, 1, 1);
  killer.SetTimer(1, 10);
  killer.SetTimer(2, 10);  // due with timer 1, killed by it before firing
  doomed->SetTimer(7, 10);
  a.onTimer = [&](int id) {
    if (id != 1) return;
    killer.KillTimer(2);
    killer.KillTimer(1);  // its own timer: no more firings
    doomed.reset();       // its pending timer must not fire
  };
  VirtualClock::Advance(50);
  EXPECT_THAT(a.timers, ElementsAre(1));
  EXPECT_TRUE(b.timers.empty());
}

TEST(VirtualClockTest, DestroyedWindowsTakeTheirTimersWithThem) {
  RecordingHandler handler;
  {
    HeadlessWindow window(handler, 1, 1);
    window.SetTimer(3, 10);
  }
  HeadlessWindow survivor(handler, 1, 1);
  survivor.SetTimer(4, 10);
  VirtualClock::Advance(10);
  EXPECT_THAT(handler.timers, ElementsAre(4));
}

}  // namespace
}  // namespace quelmar::ui
