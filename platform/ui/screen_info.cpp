#include <mutex>
#include <stdexcept>

#include "platform/ui/headless_window.h"

namespace quelmar::ui {
namespace {

std::mutex& ScreenMutex() {
  static std::mutex mutex;
  return mutex;
}
ScreenInfo& Screen() {
  static ScreenInfo screen;
  return screen;
}

}  // namespace

ScreenInfo GetScreenInfo() {
  std::lock_guard lock(ScreenMutex());
  return Screen();
}

// Every scale rule divides by the pixels per inch, so only positive values
// are taken.
void SetScreenInfo(const ScreenInfo& info) {
  if (info.pixelsPerInch <= 0 || info.width <= 0 || info.height <= 0) {
    throw std::invalid_argument("screen resolution and size must be positive");
  }
  std::lock_guard lock(ScreenMutex());
  Screen() = info;
}

}  // namespace quelmar::ui
