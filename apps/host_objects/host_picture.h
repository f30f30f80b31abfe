#pragma once
// HostPicture: a host's picture box for the map server, as an automation
// object: a drawing surface with a device context (hDC) the server draws
// into, a lasting picture (Picture = Image keeps what was drawn), a scale
// (ScaleMode 3 is pixels; ScaleLeft, ScaleTop, ScaleWidth, ScaleHeight map
// any units onto the pixels), pen settings (DrawWidth, DrawMode, DrawStyle)
// and the Line and Cls methods.
#include <string>

#include "platform/com/table_dispatch.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/dc_handles.h"

namespace quelmar::app {

class HostPicture final : public com::TableDispatch {
 public:
  // Throws std::invalid_argument for a side outside 1..16384.
  HostPicture(int width, int height);

  // The lasting picture (what Picture was last set to; white before).
  const gdi::Bitmap& Picture() const { return picture_; }
  // What is drawn now (the device context's surface).
  const gdi::Bitmap& Surface() const { return surface_; }
  bool SavePng(const std::string& path) const { return picture_.SavePng(path); }

 private:
  gdi::Point ToPixel(double x, double y) const;

  gdi::Bitmap surface_;
  gdi::Bitmap picture_;
  gdi::CairoCanvas canvas_;
  gdi::ScopedDc dc_;
  std::int32_t scaleMode_ = 1;
  double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
  std::int32_t drawWidth_ = 1, drawMode_ = 13, drawStyle_ = 0;
};

}  // namespace quelmar::app
