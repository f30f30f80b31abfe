#pragma once
// The control's picture as a host reads it: the control's Handle property
// names its window, and the window's front buffer is what the screen shows.
// `quelmar render` writes it as PNG; the host library hands it to Python.
#include <string>

#include "apps/quelmar/control_host.h"
#include "platform/gdi/bitmap.h"

namespace quelmar::app {

// Pumps the message loop first, so that what the control invalidated is
// painted. Nullptr with `error` set when the control has no window.
const gdi::Bitmap* FrontBufferOf(ControlHost& host, std::string* error);

}  // namespace quelmar::app
