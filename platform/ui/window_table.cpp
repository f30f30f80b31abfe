#include "platform/ui/window_table.h"

#include <limits>
#include <map>
#include <mutex>
#include <stdexcept>

namespace quelmar::ui::window_table {
namespace {

// Window handles live in their own range, apart from device-context handles.
constexpr HWND kFirstHandle = 0x10000;

struct Table {
  std::mutex mutex;
  std::map<HWND, HeadlessWindow::Impl*> windows;  // handles grow, so this is creation order
  HWND next = kFirstHandle;
  HWND capture = 0;
};

Table& Instance() {
  static Table table;
  return table;
}

}  // namespace

HWND Add(HeadlessWindow::Impl* window) {
  Table& t = Instance();
  std::lock_guard lock(t.mutex);
  if (t.next == std::numeric_limits<HWND>::max()) throw std::overflow_error("window handles exhausted");
  const HWND handle = t.next++;
  t.windows.emplace(handle, window);
  return handle;
}

void Remove(HWND handle) {
  Table& t = Instance();
  std::lock_guard lock(t.mutex);
  t.windows.erase(handle);
  if (t.capture == handle) t.capture = 0;
}

HeadlessWindow::Impl* Find(HWND handle) {
  Table& t = Instance();
  std::lock_guard lock(t.mutex);
  const auto it = t.windows.find(handle);
  return it == t.windows.end() ? nullptr : it->second;
}

std::vector<HWND> WindowsOfThread(std::thread::id thread) {
  Table& t = Instance();
  std::lock_guard lock(t.mutex);
  std::vector<HWND> handles;
  for (const auto& [handle, window] : t.windows) {
    if (window->owner == thread) handles.push_back(handle);
  }
  return handles;
}

HWND CaptureOwner() {
  Table& t = Instance();
  std::lock_guard lock(t.mutex);
  return t.capture;
}

void SetCaptureOwner(HWND handle) {
  Table& t = Instance();
  std::lock_guard lock(t.mutex);
  t.capture = handle;
}

void ReleaseCaptureIfOwner(HWND handle) {
  Table& t = Instance();
  std::lock_guard lock(t.mutex);
  if (t.capture == handle) t.capture = 0;
}

}  // namespace quelmar::ui::window_table
