#include "platform/ui/window_table.h"

#include <mutex>

#include "platform/kernel/handle_table.h"

namespace quelmar::ui::window_table {
namespace {

struct Table {
  // Window handles live in their own range, apart from device-context handles.
  kernel::HandleTable<HeadlessWindow::Impl> windows{0x10000};
  std::mutex captureMutex;
  HWND capture = 0;
};

Table& Instance() {
  static Table table;
  return table;
}

}  // namespace

HWND Add(HeadlessWindow::Impl* window) { return Instance().windows.Add(window); }

void Remove(HWND handle) {
  Table& t = Instance();
  t.windows.Remove(handle);
  ReleaseCaptureIfOwner(handle);
}

HeadlessWindow::Impl* Find(HWND handle) { return Instance().windows.Find(handle); }

std::vector<HWND> WindowsOfThread(std::thread::id thread) {
  return Instance().windows.Select([thread](const HeadlessWindow::Impl& w) { return w.owner == thread; });
}

HWND CaptureOwner() {
  Table& t = Instance();
  std::lock_guard lock(t.captureMutex);
  return t.capture;
}

void SetCaptureOwner(HWND handle) {
  Table& t = Instance();
  std::lock_guard lock(t.captureMutex);
  t.capture = handle;
}

void ReleaseCaptureIfOwner(HWND handle) {
  Table& t = Instance();
  std::lock_guard lock(t.captureMutex);
  if (t.capture == handle) t.capture = 0;
}

}  // namespace quelmar::ui::window_table
