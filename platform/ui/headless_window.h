#pragma once
// HeadlessWindow: what a desktop window gives a control, without a display.
// It has a size, an invalid region, a synchronous paint into a readable front
// buffer, an enabled state, a cursor id, mouse capture and injected input.
// Windows are found by int32 handles that are never reused.
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::ui {

using HWND = std::int32_t;

enum class MouseButton { Left = 0, Right = 1, Middle = 2 };
// Shift-state bits as the host's mouse events report them.
constexpr std::uint32_t kShift = 1;
constexpr std::uint32_t kCtrl = 2;
constexpr std::uint32_t kAlt = 4;

struct MouseEvent {
  enum class Kind { Down, Up, Move, DoubleClick };
  Kind kind = Kind::Move;
  MouseButton button = MouseButton::Left;
  std::uint32_t shift = 0;
  gdi::Point position;  // client pixels
};

// The window procedure: the window calls these on its owner's thread.
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  // `canvas` draws on the front buffer, clipped to `invalid` (client pixels).
  virtual void OnPaint(gdi::Canvas& canvas, const gdi::Rect& invalid) = 0;
  virtual void OnSize(int /*width*/, int /*height*/) {}
  virtual void OnMouse(const MouseEvent& /*event*/) {}
  virtual void OnTimer(int /*id*/) {}
};

class HeadlessWindow {
 public:
  HeadlessWindow(WindowHandler& handler, int width, int height);
  ~HeadlessWindow();
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  HWND Handle() const;
  // The live window of a handle, nullptr once destroyed or never made.
  static HeadlessWindow* FromHandle(HWND handle);

  // --- geometry ---
  gdi::Size ClientSize() const;
  // Resizes the front buffer, calls OnSize, invalidates everything. Negative
  // sizes count as zero.
  void SetSize(int width, int height);

  // --- visibility and painting ---
  void Show(bool visible);  // becoming visible invalidates the whole client
  bool IsVisible() const;
  // nullptr: the whole client. `erase` is recorded for the paint but not acted on.
  void Invalidate(const gdi::Rect* rect = nullptr, bool erase = false);
  bool HasInvalidRegion() const;
  gdi::Rect InvalidBounds() const;
  // Paints now when visible and something is invalid (UpdateWindow).
  void Update();
  const gdi::Bitmap& FrontBuffer() const;
  gdi::Bitmap& FrontBuffer();

  // --- input ---
  void SetEnabled(bool enabled);
  bool IsEnabled() const;
  // Delivered to the handler only while the window is enabled; the cursor
  // position follows every injected event.
  void InjectMouse(const MouseEvent& event);
  // One window in the process holds the capture at a time; capturing takes it
  // from any other window.
  void SetCapture(bool captured);
  bool HasCapture() const;
  void SetCursor(int cursorId);
  int Cursor() const;
  gdi::Point CursorPosition() const;  // last injected mouse position

  // --- timers on the virtual clock (see VirtualClock) ---
  void SetTimer(int id, int intervalMs);
  void KillTimer(int id);

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// Screen facts that scale rules read: logical pixels per inch and the size of
// the screen (off-screen buffers are screen-sized).
struct ScreenInfo {
  int pixelsPerInch = 96;
  int width = 1920;
  int height = 1200;
};
ScreenInfo GetScreenInfo();
// Throws std::invalid_argument unless every field is positive.
void SetScreenInfo(const ScreenInfo& info);

// One turn of a message loop on the calling thread: paints every visible
// window created on this thread that has an invalid region, oldest first.
// Returns the number of windows painted.
int PumpMessages();

// Virtual time for timers, starting at 0. Advancing fires every due timer of
// every window in time order (a timer due several times fires that many
// times; timers due together fire in the order they were set). NowMs is the
// timer's due time while its handler runs. Intervals under 10 ms count as 10.
class VirtualClock {
 public:
  static std::int64_t NowMs();
  static void Advance(std::int64_t ms);
};

}  // namespace quelmar::ui
