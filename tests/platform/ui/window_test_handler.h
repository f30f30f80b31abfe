#pragma once
// A window handler for tests: records every call and runs optional hooks, so
// a test can make a handler invalidate, destroy windows or kill timers from
// inside a callback.
#include <functional>
#include <utility>
#include <vector>

#include "platform/ui/headless_window.h"

namespace quelmar::ui::testing {

class RecordingHandler : public WindowHandler {
 public:
  void OnPaint(gdi::Canvas& canvas, const gdi::Rect& invalid) override {
    paints.push_back(invalid);
    if (onPaint) onPaint(canvas, invalid);
  }
  void OnSize(int width, int height) override { sizes.emplace_back(width, height); }
  void OnMouse(const MouseEvent& event) override { mouse.push_back(event); }
  void OnTimer(int id) override {
    timers.push_back(id);
    timerTimes.push_back(VirtualClock::NowMs());
    if (onTimer) onTimer(id);
  }

  std::vector<gdi::Rect> paints;
  std::vector<std::pair<int, int>> sizes;
  std::vector<MouseEvent> mouse;
  std::vector<int> timers;
  std::vector<std::int64_t> timerTimes;
  std::function<void(gdi::Canvas&, const gdi::Rect&)> onPaint;
  std::function<void(int)> onTimer;
};

}  // namespace quelmar::ui::testing
