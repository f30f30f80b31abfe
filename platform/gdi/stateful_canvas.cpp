#include "platform/gdi/stateful_canvas.h"

namespace quelmar::gdi {

int StatefulCanvas::SaveState() {
  saved_.push_back(state_);
  return static_cast<int>(saved_.size());
}

// A positive depth names a SaveState result and drops every state saved after
// it; a negative one counts back from the last save (-1 is the last). Depths
// that name no saved state are ignored.
void StatefulCanvas::RestoreState(int depth) {
  const int count = static_cast<int>(saved_.size());
  const int target = depth < 0 ? count + depth + 1 : depth;
  if (target < 1 || target > count) return;
  state_ = saved_[target - 1];
  saved_.resize(target - 1);
}

void StatefulCanvas::IntersectClipRect(const Rect& rect) {
  const Rect device = state_.ToDevice(rect);
  state_.clip = state_.clip ? state_.clip->Intersect(device) : Region(device);
}

// The clip lives in device coordinates, so moving the window origin later
// does not move it.
void StatefulCanvas::SetClipRects(std::span<const Rect> rects) {
  std::vector<Rect> device;
  device.reserve(rects.size());
  for (const Rect& r : rects) device.push_back(state_.ToDevice(r));
  state_.clip = Region::FromRects(device);
}

}  // namespace quelmar::gdi
