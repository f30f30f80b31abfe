#include <thread>

#include "platform/ui/headless_window.h"
#include "platform/ui/headless_window_impl.h"
#include "platform/ui/window_table.h"

namespace quelmar::ui {

// Windows are looked up afresh before each paint, so a paint handler may
// destroy windows (its own or later ones) without harm. A window already in
// its paint handler (a pump run from inside a paint) is left alone.
int PumpMessages() {
  int painted = 0;
  for (const HWND handle : window_table::WindowsOfThread(std::this_thread::get_id())) {
    HeadlessWindow::Impl* window = window_table::Find(handle);
    if (window == nullptr || !window->visible || window->invalid.IsEmpty() || window->painting) continue;
    window->self.Update();
    ++painted;
  }
  return painted;
}

}  // namespace quelmar::ui
