#pragma once
// The inside of a HeadlessWindow, shared by the window, the handle table, the
// message pump and the virtual clock. Internal to the window layer.
#include <memory>
#include <thread>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/region.h"
#include "platform/ui/headless_window.h"

namespace quelmar::ui {

struct HeadlessWindow::Impl {
  Impl(HeadlessWindow& self, WindowHandler& handler, int width, int height)
      : self(self), handler(handler), frontBuffer(std::make_shared<gdi::Bitmap>(width, height)) {}

  HeadlessWindow& self;
  WindowHandler& handler;
  HWND handle = 0;
  std::thread::id owner = std::this_thread::get_id();
  // Shared so a paint in progress keeps drawing into a live bitmap even when
  // its handler destroys the window.
  std::shared_ptr<gdi::Bitmap> frontBuffer;
  bool visible = false;
  gdi::Region invalid;          // client pixels
  bool eraseRequested = false;  // kept for the next paint; nothing erases here
  bool enabled = true;
  bool painting = false;
  int cursor = 0;
  gdi::Point cursorPosition;
  // Cleared by the destructor; callbacks that may destroy their own window
  // hold a copy and check it before touching the window again.
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

}  // namespace quelmar::ui
