#pragma once
// Bitmap handles: a control hands out its off-screen bitmaps as 32-bit
// numbers that do not depend on a window or device context, as the desktop
// does with its bitmap handles. Process-wide and thread-safe; a handle is
// never given out twice, and zero is never a handle. Handles count from a
// range of their own, so a device-context handle is never a bitmap handle.
#include <cstdint>

#include "platform/gdi/bitmap.h"

namespace quelmar::gdi {

using HBITMAP = std::int32_t;

// Registers a bitmap (not owned) and returns its new handle; 0 for nullptr.
HBITMAP RegisterBitmap(Bitmap* bitmap);
// The bitmap of a handle; nullptr when the handle is unknown or released.
Bitmap* BitmapFromHandle(HBITMAP handle);
// Forgets a handle; unknown handles are ignored.
void ReleaseBitmap(HBITMAP handle);

}  // namespace quelmar::gdi
