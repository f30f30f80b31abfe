#include "platform/ui/headless_window.h"
#include "platform/ui/timer_queue.h"
#include "platform/ui/window_table.h"

namespace quelmar::ui {

std::int64_t VirtualClock::NowMs() { return timer_queue::Now(); }

// Fires timers one at a time, earliest first, with the clock set to each
// timer's due time while its handler runs. Nothing is locked during a
// handler, so it may set or kill timers, or destroy windows; each step looks
// the queue and the window up afresh.
void VirtualClock::Advance(std::int64_t ms) {
  const std::int64_t target = timer_queue::Now() + std::max<std::int64_t>(ms, 0);
  while (const auto fired = timer_queue::TakeNextDue(target)) {
    timer_queue::SetNow(fired->due);
    if (HeadlessWindow::Impl* window = window_table::Find(fired->window)) window->handler.OnTimer(fired->id);
  }
  timer_queue::SetNow(target);
}

}  // namespace quelmar::ui
