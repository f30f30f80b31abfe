#pragma once
// The process-wide table of live windows by handle, and which window holds
// the mouse capture. Thread-safe; handles are never reused. Internal to the
// window layer: callers must not hold on to a looked-up window across calls
// into handlers, which may destroy it.
#include <thread>
#include <vector>

#include "platform/ui/headless_window_impl.h"

namespace quelmar::ui::window_table {

HWND Add(HeadlessWindow::Impl* window);
void Remove(HWND handle);
HeadlessWindow::Impl* Find(HWND handle);
// Live windows created on `thread`, oldest first.
std::vector<HWND> WindowsOfThread(std::thread::id thread);

HWND CaptureOwner();
void SetCaptureOwner(HWND handle);  // 0 releases
void ReleaseCaptureIfOwner(HWND handle);

}  // namespace quelmar::ui::window_table
