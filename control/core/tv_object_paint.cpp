// The paint cycle of the map panel: frame and bevels, then the map through
// two screen-sized off-screen buffers. The base buffer holds the rendered
// layers and is re-rendered only when the map is due (zoom, pan, resize,
// setting changes); every paint copies it to the overlay buffer, adds the
// items, the host's after-paint drawing and the route points, and shows the
// result.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>

#include "control/core/coordinate_grid.h"
#include "control/core/errors.h"
#include "control/core/scope_guards.h"
#include "control/core/tv_object.h"
#include "platform/gdi/bitmap_handles.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/dc_handles.h"

namespace quelmar::core {

namespace {

constexpr gdi::COLORREF kGridColor = 0x808080;
constexpr gdi::COLORREF kGridTextRotated = 0x008000;

// Input is ignored while the panel paints; the previous state comes back on every way out.
class DisabledDuringPaint {
 public:
  explicit DisabledDuringPaint(ui::HeadlessWindow& w) : window_(w), wasEnabled_(w.IsEnabled()) {
    window_.SetEnabled(false);
  }
  ~DisabledDuringPaint() { window_.SetEnabled(wasEnabled_); }
  DisabledDuringPaint(const DisabledDuringPaint&) = delete;
  DisabledDuringPaint& operator=(const DisabledDuringPaint&) = delete;

 private:
  ui::HeadlessWindow& window_;
  bool wasEnabled_;
};

gdi::Rect Shrunk(gdi::Rect r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

// The band of width `by` inside `r`, as four strips.
void FillBand(gdi::Canvas& canvas, const gdi::Rect& r, int by, gdi::COLORREF color) {
  const gdi::Brush brush = gdi::Brush::Solid(color);
  canvas.FillRect({r.left, r.top, r.right, r.top + by}, brush);
  canvas.FillRect({r.left, r.bottom - by, r.right, r.bottom}, brush);
  canvas.FillRect({r.left, r.top + by, r.left + by, r.bottom - by}, brush);
  canvas.FillRect({r.right - by, r.top + by, r.right, r.bottom - by}, brush);
}

}  // namespace

void TTvObject::OnPaint(gdi::Canvas& canvas, const gdi::Rect& /*invalid*/) {
  DepthScope inCallback(windowCallbacks_);
  if (!options().AutoPaint) return;
  const gdi::Size size = window_->ClientSize();
  DisabledDuringPaint disabled(*window_);
  FrameStep(canvas, gdi::Rect{0, 0, size.cx, size.cy});
}

void TTvObject::FrameStep(gdi::Canvas& canvas, gdi::Rect rect) {
  if (designMode_) {
    DrawDesignPlaceholder(canvas, rect);
    return;
  }
  const int saved = canvas.SaveState();
  DrawBevels(canvas, rect);
  // The map area becomes the origin of the paint.
  canvas.SetWindowOrigin({canvas.WindowOrigin().x - rect.left, canvas.WindowOrigin().y - rect.top});
  const gdi::Rect local{0, 0, std::max(0, rect.Width()), std::max(0, rect.Height())};
  canvas.IntersectClipRect(local);
  RenderView(canvas, local);
  canvas.RestoreState(saved);
}

// Outer bevel, border band, inner bevel; `rect` shrinks past each.
void TTvObject::DrawBevels(gdi::Canvas& canvas, gdi::Rect& rect) {
  const PanelFrame& frame = Frame();
  auto bevel = [&](TxBevelCut cut) {
    if (cut != bvxLowered && cut != bvxRaised) return;
    const bool raised = cut == bvxRaised;
    gdi::DrawFrame3D(canvas, rect, raised ? gdi::kColorBtnHighlight : gdi::kColorBtnShadow,
                     raised ? gdi::kColorBtnShadow : gdi::kColorBtnHighlight, frame.BevelWidth);
    rect = Shrunk(rect, frame.BevelWidth);
  };
  bevel(frame.BevelOuter);
  if (frame.BorderWidth != 1 && frame.BorderWidth > 0) {
    FillBand(canvas, rect, frame.BorderWidth, gdi::kColorBtnFace);
  }
  rect = Shrunk(rect, frame.BorderWidth);
  bevel(frame.BevelInner);
}

// In a designer the panel shows its name and size over a checker pattern.
void TTvObject::DrawDesignPlaceholder(gdi::Canvas& canvas, gdi::Rect rect) {
  const gdi::Size client = window_->ClientSize();
  gdi::Rect inner = rect;
  const PanelFrame& frame = Frame();
  auto drawn = [](TxBevelCut cut) { return cut == bvxLowered || cut == bvxRaised; };
  if (drawn(frame.BevelOuter)) inner = Shrunk(inner, frame.BevelWidth);
  inner = Shrunk(inner, frame.BorderWidth);
  if (drawn(frame.BevelInner)) inner = Shrunk(inner, frame.BevelWidth);

  const std::string caption =
      " *" + std::string(" QUELMAR50.OCX") + " [ " + std::to_string(client.cx) + " x " + std::to_string(client.cy) + " ]";
  const int saved = canvas.SaveState();
  canvas.IntersectClipRect(inner);
  gdi::Font font;  // the desktop's variable-pitch font
  font.face = "Arial";
  font.height = -11;
  canvas.SetFont(font);
  const gdi::Size text = canvas.MeasureText(caption);
  const int band = text.cy + 4;
  canvas.FillRect({inner.left, inner.top, inner.right, inner.top + band}, gdi::Brush::Solid(gdi::kColorBtnFace));
  canvas.SetBkMode(gdi::BkMode::Opaque);
  canvas.SetBkColor(gdi::kColorBtnFace);
  canvas.SetTextColor(0x000000);
  canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
  canvas.TextOut({inner.left + 2, inner.top + 2}, caption);
  gdi::Brush checker;
  checker.style = gdi::BrushStyle::Pattern;
  checker.color = gdi::kColorBtnFace;
  checker.patternBack = gdi::kColorBtnShadow;
  checker.pattern = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  canvas.FillRect({inner.left, inner.top + band, inner.right, inner.bottom}, checker);
  canvas.RestoreState(saved);
  DrawBevels(canvas, rect);
}

bool TTvObject::EnsureBuffers() {
  // Screen-sized, or larger when the window is larger than the screen.
  const ui::ScreenInfo screen = ui::GetScreenInfo();
  const gdi::Size client = window_ ? window_->ClientSize() : gdi::Size{kInitialWidth, kInitialHeight};
  const int w = std::max(screen.width, client.cx);
  const int h = std::max(screen.height, client.cy);
  try {
    if (!baseBuffer_) {
      baseBuffer_ = std::make_unique<gdi::Bitmap>(w, h);
      baseBufferHandle_ = gdi::RegisterBitmap(baseBuffer_.get());
    }
    if (!overlayBuffer_) overlayBuffer_ = std::make_unique<gdi::Bitmap>(w, h);
    if (baseBuffer_->Width() != w || baseBuffer_->Height() != h) baseBuffer_->Resize(w, h);
    if (overlayBuffer_->Width() != w || overlayBuffer_->Height() != h) overlayBuffer_->Resize(w, h);
    return true;
  } catch (const std::exception&) {
    gdi::ReleaseBitmap(baseBufferHandle_);
    baseBufferHandle_ = 0;
    baseBuffer_.reset();
    overlayBuffer_.reset();
    return false;
  }
}

void TTvObject::ApplyStartView() {
  if (std::optional<MapRect> start = hooks_.startup->StartWindow()) {
    view_.ZoomToRect(start->x1, start->y1, start->x2, start->y2, 1.0);
  } else {
    view_.ZoomAll();
  }
  startView_ = view_.View();
}

bool TTvObject::ViewMovedSinceStart() const {
  const TViewWindow& v = view_.View();
  return v.Left != startView_.Left || v.Bottom != startView_.Bottom || v.Scale != startView_.Scale;
}

void TTvObject::PrepareView(const gdi::Rect& rect) {
  TViewWindow& v = view_.View();
  v.Width = v.PaintWidth = rect.right - rect.left + 1;
  v.Height = v.PaintHeight = rect.bottom - rect.top + 1;
  view_.PrepareRotation();
  if (firstPaint_) {
    // The start view again, now that the window has its size; a view the
    // host asked for since INIT stays.
    if (!ViewMovedSinceStart()) ApplyStartView();
    dirty_ = true;
    firstPaint_ = false;
  }
  view_.DeriveEdges();
}

void TTvObject::RenderView(gdi::Canvas& screen, const gdi::Rect& rect) {
  if (isDrawing_) return;  // a paint never re-enters
  FlagScope drawing(isDrawing_);
  if (!initialized_) Init();
  PrepareView(rect);
  const TViewWindow viewOfPaint = view_.View();

  if (options().BackDraw && !EnsureBuffers()) SetBackDraw(false);  // for good
  if (options().BackDraw) {
    gdi::CairoCanvas memory(*baseBuffer_);
    gdi::ScopedDc memoryDc(memory);
    if (dirty_) RenderLayers(memory, memoryDc.Handle(), rect);
    ComposeAndShow(screen, memory, memoryDc.Handle(), rect);
  } else {
    gdi::ScopedDc screenDc(screen);
    RenderLayers(screen, screenDc.Handle(), rect);
  }

  if (layers().Grid) DrawGrid(screen);
  bubbleShown_ = false;
  if (view_.View() == viewOfPaint) {
    dirty_ = false;
  } else {
    // A host handler moved the view during the paint: keep its view and paint
    // again, rather than restoring the view this paint began with.
    dirty_ = true;
    Invalidate();
  }
}

void TTvObject::RenderLayers(gdi::Canvas& target, std::int32_t dc, const gdi::Rect& rect) {
  if (dirty_) {
    if (events.OnStatus) events.OnStatus(1);
    hooks_.loader->LoadView(MakeLoadRequest());
  }
  // One request for the whole paint: a host handler that changes a setting
  // during OnPaintBefore has it drawn by the next paint.
  DrawLayers(target, dc, rect, MakePaintRequest(OutputKind::Screen));
}

void TTvObject::DrawLayers(gdi::Canvas& target, std::int32_t dc, const gdi::Rect& rect, const PaintRequest& request) {
  hooks_.background->FillBackground(target, rect, request);
  if (events.OnPaintBefore) events.OnPaintBefore(dc);
  hooks_.mapDrawer->DrawMap(target, request);
  if (request.Layers.Overlay) hooks_.overlays->DrawOverlays(target);
}

void TTvObject::ComposeAndShow(gdi::Canvas& screen, gdi::CairoCanvas& memory, std::int32_t dc, const gdi::Rect& rect) {
  const int saved = screen.SaveState();
  gdi::CairoCanvas overlay(*overlayBuffer_);
  std::vector<TPixelRect> only;
  if (repaintOnly_) {
    // Only the host's declared rectangles change on the screen, so only they
    // are composed again in the overlay buffer.
    only = dirtyRects_.TakeClipRects();
    std::vector<gdi::Rect> clip;
    for (const TPixelRect& r : only) clip.push_back({r.Left, r.Top, r.Right, r.Bottom});
    screen.SetClipRects(clip);
    screen.IntersectClipRect(rect);
    overlay.SetClipRects(clip);
  }
  overlay.BitBlt(rect, memory, {rect.left, rect.top}, gdi::Rop3::SrcCopy);
  memory.SelectBitmap(*overlayBuffer_);
  const int memorySaved = memory.SaveState();
  if (repaintOnly_) {
    std::vector<gdi::Rect> clip;
    for (const TPixelRect& r : only) clip.push_back({r.Left, r.Top, r.Right, r.Bottom});
    memory.SetClipRects(clip);
  }
  hooks_.items->DrawItems(memory, ItemPaintRequest{&view_, OutputKind::Screen, only});
  if (events.OnpaintAfter) events.OnpaintAfter(dc);
  hooks_.route->DrawRoute(memory, view_);
  memory.RestoreState(memorySaved);
  screen.BitBlt(rect, memory, {rect.left, rect.top}, gdi::Rop3::SrcCopy);
  screen.RestoreState(saved);
}

gdi::Rect TTvObject::MapArea() const {
  const gdi::Size client = window_ ? window_->ClientSize() : gdi::Size{kInitialWidth, kInitialHeight};
  const std::int32_t frame = FrameWidth();
  return gdi::Rect{0, 0, std::max(0, client.cx - 2 * frame), std::max(0, client.cy - 2 * frame)};
}

void TTvObject::RenderPicture(gdi::Bitmap& picture) {
  if (isDrawing_) throw Error("the map cannot be drawn into a picture while it is being drawn");
  FlagScope drawing(isDrawing_);
  if (!initialized_) Init();
  const gdi::Rect area{0, 0, picture.Width(), picture.Height()};
  // The screen's view, sized to the picture, comes back afterwards, so the
  // panel's next paint finds it as it was; before the first paint the start
  // view this applies is the screen's view too.
  std::optional<SavedView> restore;
  if (!firstPaint_) restore.emplace(view_);
  PrepareView(area);

  gdi::CairoCanvas canvas(picture);
  gdi::ScopedDc dc(canvas);
  canvas.IntersectClipRect(area);
  hooks_.loader->LoadView(MakeLoadRequest());
  DrawLayers(canvas, dc.Handle(), area, MakePaintRequest(OutputKind::Bitmap));
  if (events.OnpaintAfter) events.OnpaintAfter(dc.Handle());
  hooks_.items->DrawItems(canvas, ItemPaintRequest{&view_, OutputKind::Bitmap, {}});
  hooks_.route->DrawRoute(canvas, view_);
  if (layers().Grid) DrawGrid(canvas);  // on top, as the screen has it
}

// Grid lines with their labels at the edge of the map area: meridian labels
// run up the top edge, parallel labels along the left edge.
void TTvObject::DrawGrid(gdi::Canvas& canvas) {
  const std::vector<TGridLine> lines = ComputeCoordinateGrid(view_, options().LLmode);
  const int saved = canvas.SaveState();
  canvas.SetPen(gdi::Pen{gdi::PenStyle::Solid, 1, kGridColor});
  canvas.SetBkMode(gdi::BkMode::Transparent);
  canvas.SetTextColor(view_.RotationActive() ? kGridTextRotated : 0x000000);
  // Label fonts turn with the view: the angle in tenths of a degree, within one turn.
  const double degrees = std::fmod(view_.RotationAngle() * kDegreesPerRadian, 360.0);
  const int rotation = static_cast<int>(std::lround(degrees * 10.0));
  gdi::Font font = Font();
  for (const TGridLine& line : lines) {
    canvas.MoveTo({line.From.X, line.From.Y});
    canvas.LineTo({line.To.X, line.To.Y});
    font.escapement = (line.Meridian ? 900 : 0) + rotation;
    canvas.SetFont(font);
    canvas.SetTextAlign(line.Meridian ? gdi::TA_RIGHT | gdi::TA_BOTTOM : gdi::TA_LEFT | gdi::TA_BOTTOM);
    canvas.TextOut(GridLabelPoint(line), line.Label);
  }
  canvas.RestoreState(saved);
}

// Where a grid line crosses the top edge (meridians) or the left edge
// (parallels) of the map area, a few pixels inside.
gdi::Point TTvObject::GridLabelPoint(const TGridLine& line) const {
  const double x1 = line.From.X, y1 = line.From.Y, x2 = line.To.X, y2 = line.To.Y;
  constexpr int kInset = 2;
  if (line.Meridian) {
    const double t = y2 != y1 ? (kInset - y1) / (y2 - y1) : 0.0;
    return {static_cast<int>(std::lround(x1 + t * (x2 - x1))) - kInset, kInset};
  }
  const double t = x2 != x1 ? (kInset - x1) / (x2 - x1) : 0.0;
  return {kInset, static_cast<int>(std::lround(y1 + t * (y2 - y1))) - kInset};
}

}  // namespace quelmar::core
