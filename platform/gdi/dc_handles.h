#pragma once
// Device-context handles: hosts and controls pass canvases across the
// automation boundary as 32-bit numbers. The table is process-wide and
// thread-safe; a handle is never given out twice, so a stale handle finds
// nothing instead of someone else's canvas. Zero is never a handle.
#include <cstdint>

#include "platform/gdi/canvas.h"

namespace quelmar::gdi {

using HDC = std::int32_t;

// Registers a canvas (not owned) and returns its new handle; 0 for nullptr.
// Throws std::overflow_error once every handle has been used.
HDC RegisterDc(Canvas* canvas);
// The canvas of a handle; nullptr when the handle is unknown or released.
Canvas* DcFromHandle(HDC handle);
// Forgets a handle; unknown handles are ignored.
void ReleaseDc(HDC handle);

// Registers a canvas for the lifetime of the object.
class ScopedDc {
 public:
  explicit ScopedDc(Canvas& canvas) : handle_(RegisterDc(&canvas)) {}
  ~ScopedDc() { ReleaseDc(handle_); }
  ScopedDc(const ScopedDc&) = delete;
  ScopedDc& operator=(const ScopedDc&) = delete;

  HDC Handle() const { return handle_; }

 private:
  HDC handle_;
};

}  // namespace quelmar::gdi
