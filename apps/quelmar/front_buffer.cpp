#include "apps/quelmar/front_buffer.h"

#include "platform/ui/headless_window.h"

namespace quelmar::app {

const gdi::Bitmap* FrontBufferOf(ControlHost& host, std::string* error) {
  host.PumpMessages();
  const CallResult handle = host.Call("Handle", {});
  if (handle.hr < 0) {
    *error = "Handle failed: " + HResultText(handle.hr) + ": " + handle.description;
    return nullptr;
  }
  std::int32_t hwnd = 0;
  const ui::HeadlessWindow* window =
      handle.value.ToInt32(&hwnd) >= 0 ? ui::HeadlessWindow::FromHandle(hwnd) : nullptr;
  if (!window) {
    *error = "the control's window is gone";
    return nullptr;
  }
  return &window->FrontBuffer();
}

}  // namespace quelmar::app
