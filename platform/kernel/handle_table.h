#pragma once
// HandleTable: objects found by int32 handles, as the desktop hands out window
// and device-context handles. Thread-safe; handles count up from `first` and
// are never reused, so a stale handle finds nothing rather than a newer object.
#include <cstdint>
#include <limits>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace quelmar::kernel {

template <typename T>
class HandleTable {
 public:
  explicit HandleTable(std::int32_t first) : next_(first) {}

  // Throws std::overflow_error once every handle has been given out.
  std::int32_t Add(T* object) {
    std::lock_guard lock(mutex_);
    if (next_ == std::numeric_limits<std::int32_t>::max()) throw std::overflow_error("handles exhausted");
    const std::int32_t handle = next_++;
    objects_.emplace(handle, object);
    return handle;
  }

  void Remove(std::int32_t handle) {
    std::lock_guard lock(mutex_);
    objects_.erase(handle);
  }

  // The object of a live handle, nullptr otherwise.
  T* Find(std::int32_t handle) const {
    std::lock_guard lock(mutex_);
    const auto it = objects_.find(handle);
    return it == objects_.end() ? nullptr : it->second;
  }

  // Live handles whose object passes `keep`, oldest first.
  template <typename Predicate>
  std::vector<std::int32_t> Select(Predicate keep) const {
    std::lock_guard lock(mutex_);
    std::vector<std::int32_t> handles;
    for (const auto& [handle, object] : objects_) {
      if (keep(*object)) handles.push_back(handle);
    }
    return handles;
  }

 private:
  mutable std::mutex mutex_;
  std::map<std::int32_t, T*> objects_;
  std::int32_t next_;
};

}  // namespace quelmar::kernel
