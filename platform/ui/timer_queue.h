#pragma once
// Timers of all windows on the virtual clock. Thread-safe. Internal to the
// window layer; VirtualClock::Advance drains it.
#include <cstdint>
#include <optional>

#include "platform/ui/headless_window.h"

namespace quelmar::ui::timer_queue {

// Starts or restarts a timer: first due one interval from now.
void Set(HWND window, int id, int intervalMs);
void Kill(HWND window, int id);
void KillAll(HWND window);

struct DueTimer {
  HWND window = 0;
  int id = 0;
  std::int64_t due = 0;
};
// The earliest timer due at or before `limit` (ties in the order they were
// scheduled), already rescheduled for its next period; nullopt when none is due.
std::optional<DueTimer> TakeNextDue(std::int64_t limit);

std::int64_t Now();
void SetNow(std::int64_t ms);

}  // namespace quelmar::ui::timer_queue
