#include "platform/ui/headless_window.h"

#include <algorithm>

#include "platform/gdi/cairo_canvas.h"
#include "platform/ui/headless_window_impl.h"
#include "platform/ui/timer_queue.h"
#include "platform/ui/window_table.h"

namespace quelmar::ui {
namespace {

// An invalid region made of many small pieces is painted as its bounds: the
// paint costs about the same and the region stays cheap to keep.
constexpr std::size_t kMaxInvalidPieces = 32;

// Negative sizes become empty windows, as a desktop window clamps them.
int ClampSize(int value) { return std::max(value, 0); }

}  // namespace

HeadlessWindow::HeadlessWindow(WindowHandler& handler, int width, int height)
    : impl_(std::make_unique<Impl>(*this, handler, ClampSize(width), ClampSize(height))) {
  impl_->handle = window_table::Add(impl_.get());
}

HeadlessWindow::~HeadlessWindow() {
  *impl_->alive = false;
  timer_queue::KillAll(impl_->handle);
  window_table::Remove(impl_->handle);
}

HWND HeadlessWindow::Handle() const { return impl_->handle; }

HeadlessWindow* HeadlessWindow::FromHandle(HWND handle) {
  Impl* window = window_table::Find(handle);
  return window == nullptr ? nullptr : &window->self;
}

gdi::Size HeadlessWindow::ClientSize() const {
  return gdi::Size{impl_->frontBuffer->Width(), impl_->frontBuffer->Height()};
}

void HeadlessWindow::SetSize(int width, int height) {
  width = ClampSize(width);
  height = ClampSize(height);
  impl_->frontBuffer->Resize(width, height);
  impl_->invalid = gdi::Region();  // old pieces may lie outside the new client
  auto alive = impl_->alive;
  impl_->handler.OnSize(width, height);
  if (!*alive) return;
  Invalidate();
}

void HeadlessWindow::Show(bool visible) {
  const bool becomesVisible = visible && !impl_->visible;
  impl_->visible = visible;
  if (becomesVisible) Invalidate();
}

bool HeadlessWindow::IsVisible() const { return impl_->visible; }

void HeadlessWindow::Invalidate(const gdi::Rect* rect, bool erase) {
  const gdi::Rect client{0, 0, impl_->frontBuffer->Width(), impl_->frontBuffer->Height()};
  const gdi::Rect area = rect == nullptr ? client : gdi::IntersectRects(*rect, client);
  if (area.IsEmpty()) return;
  impl_->invalid = impl_->invalid.Union(area);
  if (impl_->invalid.Rects().size() > kMaxInvalidPieces) impl_->invalid = gdi::Region(impl_->invalid.Bounds());
  impl_->eraseRequested = impl_->eraseRequested || erase;
}

bool HeadlessWindow::HasInvalidRegion() const { return !impl_->invalid.IsEmpty(); }

gdi::Rect HeadlessWindow::InvalidBounds() const { return impl_->invalid.Bounds(); }

// The region is validated before the handler runs, as BeginPaint does: what
// the handler invalidates while painting waits for the next Update or pump
// instead of recursing.
void HeadlessWindow::Update() {
  Impl& window = *impl_;
  if (!window.visible || window.invalid.IsEmpty() || window.painting) return;
  const gdi::Region region = std::move(window.invalid);
  window.invalid = gdi::Region();
  window.eraseRequested = false;
  window.painting = true;
  auto alive = window.alive;
  const std::shared_ptr<gdi::Bitmap> buffer = window.frontBuffer;
  {
    gdi::CairoCanvas canvas(*buffer);
    canvas.SetSystemClip(region.Rects());
    window.handler.OnPaint(canvas, region.Bounds());
  }
  if (!*alive) return;  // the handler destroyed its window
  window.painting = false;
}

const gdi::Bitmap& HeadlessWindow::FrontBuffer() const { return *impl_->frontBuffer; }
gdi::Bitmap& HeadlessWindow::FrontBuffer() { return *impl_->frontBuffer; }

void HeadlessWindow::SetEnabled(bool enabled) { impl_->enabled = enabled; }
bool HeadlessWindow::IsEnabled() const { return impl_->enabled; }

// The cursor moves whether or not the window takes the event.
void HeadlessWindow::InjectMouse(const MouseEvent& event) {
  impl_->cursorPosition = event.position;
  if (!impl_->enabled) return;
  impl_->handler.OnMouse(event);
}

// One window in the process holds the capture at a time.
void HeadlessWindow::SetCapture(bool captured) {
  if (captured) {
    window_table::SetCaptureOwner(impl_->handle);
  } else {
    window_table::ReleaseCaptureIfOwner(impl_->handle);
  }
}

bool HeadlessWindow::HasCapture() const { return window_table::CaptureOwner() == impl_->handle; }

void HeadlessWindow::SetCursor(int cursorId) { impl_->cursor = cursorId; }
int HeadlessWindow::Cursor() const { return impl_->cursor; }
gdi::Point HeadlessWindow::CursorPosition() const { return impl_->cursorPosition; }

void HeadlessWindow::SetTimer(int id, int intervalMs) { timer_queue::Set(impl_->handle, id, intervalMs); }
void HeadlessWindow::KillTimer(int id) { timer_queue::Kill(impl_->handle, id); }

}  // namespace quelmar::ui
