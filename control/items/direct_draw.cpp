#include "control/items/direct_draw.h"

#include <cmath>
#include <memory>
#include <string>

#include "control/core/errors.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/cairo_canvas.h"

namespace quelmar::items {
namespace {

std::int64_t Round(double v) { return static_cast<std::int64_t>(std::llround(v)); }

// The passes of one direct paint into `canvas`, whose logical (0, 0) is the
// top-left of the view's Width × Height.
void Paint(core::Ttvmap& panel, gdi::Canvas& canvas, gdi::HDC dc, const DirectDrawRequest& direct) {
  core::ViewState& view = panel.view();
  const core::TViewWindow& v = view.View();
  const gdi::Rect area{0, 0, v.Width, v.Height};
  const int saved = canvas.SaveState();
  canvas.IntersectClipRect(area);
  if (panel.events.OndirectBefore) panel.events.OndirectBefore(dc);
  panel.hooks().loader->LoadView(panel.MakeLoadRequest());
  core::PaintRequest request = panel.MakePaintRequest(direct.Output);
  request.Monochrome = direct.Mono;
  if (direct.Mono) request.Background = gdi::RGB(255, 255, 255);  // a black-and-white map is drawn on white
  request.WithoutShading = !direct.Shading;
  // Very large pictures go without the background and underlay.
  if (v.Width < 1400 && v.Height < 1400) panel.hooks().background->FillBackground(canvas, area, request);
  panel.hooks().mapDrawer->DrawMap(canvas, request);
  if (request.Layers.Overlay) panel.hooks().overlays->DrawOverlays(canvas);
  if (panel.events.OnDirect) panel.events.OnDirect(dc);
  panel.hooks().items->DrawItems(canvas, core::ItemPaintRequest{&view, direct.Output, {}});
  canvas.RestoreState(saved);
}

// Nearest-pixel scaling of the whole source onto a destination bitmap.
void Stretch(const gdi::Bitmap& from, gdi::Bitmap& to) {
  const int sw = from.Width(), sh = from.Height(), dw = to.Width(), dh = to.Height();
  for (int y = 0; y < dh; ++y) {
    const int sy = static_cast<int>(static_cast<std::int64_t>(y) * sh / dh);
    for (int x = 0; x < dw; ++x) to.SetPixel(x, y, from.Pixel(static_cast<int>(static_cast<std::int64_t>(x) * sw / dw), sy));
  }
}

}  // namespace

gdi::Size DirectPictureSize(core::Ttvmap& panel, std::int32_t w, std::int32_t h, bool keepAspect) {
  if (w < 1 || h < 1) throw ArgumentError("a picture needs a width and height of at least 1 pixel");
  // The map area of the control, the size the view is kept for.
  const gdi::Size client = panel.window().ClientSize();
  const std::int32_t frame = panel.FrameWidth();
  const double controlW = std::max(1, client.cx - 2 * frame), controlH = std::max(1, client.cy - 2 * frame);
  std::int64_t width = w, height = h;
  if (keepAspect) {
    const double d = static_cast<double>(w) / h;
    if (d < controlW / controlH) {
      width = static_cast<std::int64_t>(controlW);
      height = Round(controlW / d);
    } else {
      height = static_cast<std::int64_t>(controlH);
      width = Round(d * controlH);
    }
  }
  if (width < 1 || height < 1 || width > kMaxDirectSide || height > kMaxDirectSide) {
    throw ArgumentError("DirectDraw's rectangle of " + std::to_string(w) + " x " + std::to_string(h) +
                        " would need a view of " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
  }
  return gdi::Size{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

void DirectDraw(core::Ttvmap& panel, gdi::Canvas& canvas, gdi::HDC dc, const DirectDrawRequest& request) {
  const std::int32_t w = request.Target.Width(), h = request.Target.Height();
  if (w < 1 || h < 1 || w > kMaxDirectSide || h > kMaxDirectSide) {
    throw ArgumentError("DirectDraw needs a width and height of 1 to " + std::to_string(kMaxDirectSide) +
                        " pixels, not " + std::to_string(w) + " x " + std::to_string(h));
  }
  if (!panel.Initialized()) panel.Init();

  core::ViewState& view = panel.view();
  const core::SavedView restore(view);
  const core::TViewWindow& saved = restore.Saved();

  const gdi::Size pictureSize = DirectPictureSize(panel, w, h, request.KeepAspect);
  const std::int64_t width = pictureSize.cx, height = pictureSize.cy;

  core::TViewWindow& v = view.View();
  const std::int64_t cx = saved.Left + (static_cast<std::int64_t>(saved.Right) - saved.Left) / 2;
  const std::int64_t cy = saved.Bottom + (static_cast<std::int64_t>(saved.Top) - saved.Bottom) / 2;
  const std::int64_t spanX = Round(static_cast<double>(width) / saved.Scale);
  const std::int64_t spanY = Round(static_cast<double>(height) / saved.ScaleY);
  auto clamp = [](std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
  };
  v.Width = v.PaintWidth = static_cast<std::int32_t>(width);
  v.Height = v.PaintHeight = static_cast<std::int32_t>(height);
  v.Left = clamp(cx - Round(static_cast<double>(width) / saved.Scale / 2));
  v.Bottom = clamp(cy - Round(static_cast<double>(height) / saved.ScaleY / 2));
  v.Right = clamp(static_cast<std::int64_t>(v.Left) + spanX);
  v.Top = clamp(static_cast<std::int64_t>(v.Bottom) + spanY);
  view.PrepareRotation();

  const int state = canvas.SaveState();
  struct RestoreCanvas {
    gdi::Canvas& canvas;
    int state;
    ~RestoreCanvas() { canvas.RestoreState(state); }
  } restoreCanvas{canvas, state};
  if (request.Fill) canvas.FillRect(request.Target, gdi::Brush::Solid(0xFFFFFF));
  canvas.IntersectClipRect(request.Target);
  const gdi::Point origin = canvas.WindowOrigin();
  if (width == w && height == h) {
    // One view pixel is one pixel of the device context.
    canvas.SetWindowOrigin({origin.x - request.Target.left, origin.y - request.Target.top});
    Paint(panel, canvas, dc, request);
    return;
  }
  // The view's picture is drawn at its own size and scaled onto the rectangle.
  gdi::Bitmap picture(static_cast<int>(width), static_cast<int>(height));
  gdi::CairoCanvas pictureCanvas(picture);
  {
    gdi::ScopedDc pictureDc(pictureCanvas);
    Paint(panel, pictureCanvas, pictureDc.Handle(), request);
  }
  gdi::Bitmap scaled(w, h);
  Stretch(picture, scaled);
  gdi::CairoCanvas scaledCanvas(scaled);
  canvas.BitBlt(request.Target, scaledCanvas, {0, 0}, gdi::Rop3::SrcCopy);
}

}  // namespace quelmar::items
