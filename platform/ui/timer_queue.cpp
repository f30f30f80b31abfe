#include "platform/ui/timer_queue.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

namespace quelmar::ui::timer_queue {
namespace {

// As on the desktop, shorter intervals are raised to ten milliseconds; this
// also keeps a zero interval from firing forever at one instant.
constexpr int kMinimumIntervalMs = 10;

struct Timer {
  int intervalMs = 0;
  std::int64_t due = 0;
  std::uint64_t sequence = 0;  // breaks ties between timers due together
};

struct Queue {
  std::mutex mutex;
  std::map<std::pair<HWND, int>, Timer> timers;
  std::uint64_t nextSequence = 0;
  std::int64_t now = 0;
};

Queue& Instance() {
  static Queue queue;
  return queue;
}

}  // namespace

void Set(HWND window, int id, int intervalMs) {
  Queue& q = Instance();
  std::lock_guard lock(q.mutex);
  const int interval = std::max(intervalMs, kMinimumIntervalMs);
  q.timers[{window, id}] = Timer{interval, q.now + interval, q.nextSequence++};
}

void Kill(HWND window, int id) {
  Queue& q = Instance();
  std::lock_guard lock(q.mutex);
  q.timers.erase({window, id});
}

void KillAll(HWND window) {
  Queue& q = Instance();
  std::lock_guard lock(q.mutex);
  std::erase_if(q.timers, [window](const auto& entry) { return entry.first.first == window; });
}

std::optional<DueTimer> TakeNextDue(std::int64_t limit) {
  Queue& q = Instance();
  std::lock_guard lock(q.mutex);
  auto next = q.timers.end();
  for (auto it = q.timers.begin(); it != q.timers.end(); ++it) {
    const Timer& t = it->second;
    if (t.due > limit) continue;
    if (next == q.timers.end() || t.due < next->second.due ||
        (t.due == next->second.due && t.sequence < next->second.sequence)) {
      next = it;
    }
  }
  if (next == q.timers.end()) return std::nullopt;
  const DueTimer fired{next->first.first, next->first.second, next->second.due};
  next->second.due += next->second.intervalMs;
  next->second.sequence = q.nextSequence++;
  return fired;
}

std::int64_t Now() {
  Queue& q = Instance();
  std::lock_guard lock(q.mutex);
  return q.now;
}

void SetNow(std::int64_t ms) {
  Queue& q = Instance();
  std::lock_guard lock(q.mutex);
  q.now = std::max(q.now, ms);  // time never runs backwards
}

}  // namespace quelmar::ui::timer_queue
