#include "control/core/tv_object.h"

#include <cmath>

#include "control/core/errors.h"
#include "control/core/geodesy.h"
#include "control/core/scope_guards.h"
#include "control/core/startup.h"
#include "platform/gdi/bitmap_handles.h"

namespace quelmar::core {

namespace {

// Cursor ids of the panel's window (the stock hourglass of the desktop).
constexpr int kHourglassCursor = -11;

void RequireFinite(double v, const char* what) {
  if (!std::isfinite(v)) throw ArgumentError(std::string(what) + " must be a finite number");
}

}  // namespace

TTvObject::TTvObject()
    : ownSettings_(std::make_unique<SettingsStore>()), settings_(*ownSettings_), view_(ui::GetScreenInfo().pixelsPerInch) {
  settings_.Change(&ControlSettings::Startup, [](StartupSettings& s) { s = DefaultStartupSettings(); });
  Start();
}

TTvObject::TTvObject(SettingsStore& settings) : settings_(settings), view_(ui::GetScreenInfo().pixelsPerInch) { Start(); }

void TTvObject::Start() {
  window_ = std::make_unique<ui::HeadlessWindow>(*this, kInitialWidth, kInitialHeight);
  // The off-screen buffers are made once, screen-sized, so resizing never reallocates them.
  EnsureBuffers();
  settingsListener_ = settings_.Listen([this](SettingSection section) { OnSettingChanged(section); });
}

void TTvObject::Close() noexcept {
  if (closed_) return;
  closed_ = true;
  // A panel that never ran INIT never read the file: saving it would put
  // the defaults over the user's settings.
  if (initialized_ && startup().AutoConfig) hooks_.startup->SaveConfiguration(ConfigurationPath());
}

TTvObject::~TTvObject() {
  settings_.Unlisten(settingsListener_);
  gdi::ReleaseBitmap(baseBufferHandle_);
}

void TTvObject::OnSettingChanged(SettingSection section) {
  if (ChangesTheMap(section)) LayerSettingChanged();
  // A form designer changing a layer property or a data path after INIT
  // keeps the change in the file at once.
  const bool layerProperty = ChangesTheMap(section) || section == SettingSection::Startup;
  if (layerProperty && designMode_ && initialized_ && startup().AutoConfig) {
    hooks_.startup->SaveConfiguration(ConfigurationPath());
  }
}

TraceLog& TTvObject::traceLog() {
  trace_.SetOn(settings_.Options().traceLog != 0);
  if (trace_.Path().empty()) trace_.SetPath(TraceLog::DefaultPath(startup().workingFolder));
  return trace_;
}

void TTvObject::ProblemLog::Report(const DataProblem& problem) {
  counter_.Report(problem);
  panel_.traceLog().Write("Data problem: " + counter_.Last());
}

LoadRequest TTvObject::MakeLoadRequest() { return core::MakeLoadRequest(view_, settings_.Get(), &problems_); }

PaintRequest TTvObject::MakePaintRequest(OutputKind output) const {
  return core::MakePaintRequest(view_, settings_.Get(), output);
}

void TTvObject::StartRouteTrace() {
  SetStartup([](StartupSettings& s) { s.routeTrace = true; });
}

void TTvObject::RoadOption(std::int32_t n, std::int32_t v) {
  settings_.Change(&ControlSettings::Roads, [n, v](RoadOptions& o) { core::RoadOption(o, n, v); });
}

// ---------------------------------------------------------------- life cycle

void TTvObject::SetDesignMode(bool designMode) {
  if (designMode_ == designMode) return;
  designMode_ = designMode;
  Invalidate();
}

std::string TTvObject::ResultText() const { return designMode_ ? "Run Time" : result_; }
std::string TTvObject::RouteText() const { return designMode_ ? "Run Time" : route_; }
void TTvObject::SetRouteText(const std::string& ansi) { route_ = ansi; }

// ---------------------------------------------------------------- window-control properties

void TTvObject::SetColor(gdi::COLORREF color) {
  settings_.Change(&ControlSettings::Look, [color](Appearance& a) { a.Color = color & 0xFFFFFF; });
}

void TTvObject::SetFrame(const PanelFrame& frame) {
  // The map area changes size: the look's change draws the map again.
  settings_.Change(&ControlSettings::Look, [&frame](Appearance& a) { a.Frame = frame; });
}

std::int32_t TTvObject::FrameWidth() const {
  auto drawn = [](TxBevelCut cut) { return cut == bvxLowered || cut == bvxRaised; };
  const PanelFrame& f = Frame();
  return f.BorderWidth + (drawn(f.BevelOuter) ? f.BevelWidth : 0) + (drawn(f.BevelInner) ? f.BevelWidth : 0);
}

void TTvObject::SetFont(const gdi::Font& font) {
  // Labels use the font: the look's change draws the map again.
  settings_.Change(&ControlSettings::Look, [&font](Appearance& a) { a.Font = font; });
}

void TTvObject::SetMapunits(TxMapunit units) { view_.SetMapunits(units); }

void TTvObject::SetSynch(bool on) {
  SetPanelOption([on](PanelOptions& o) { o.Synch = on; });
  LayerSettingChanged();  // labels turn with the view
}

// With off-screen drawing a plain invalidation would only show the old
// buffer again, so a changed setting also marks the map for re-rendering.
void TTvObject::LayerSettingChanged() {
  dirty_ = true;
  Invalidate();
}

void TTvObject::Invalidate() { window_->Invalidate(nullptr, false); }

// ---------------------------------------------------------------- view properties

double TTvObject::ScaleProperty() const { return view_.Scale(); }

void TTvObject::SetScaleProperty(double scale) {
  if (view_.SetScale(scale)) LayerSettingChanged();
}

TxMagnitude TTvObject::Magnitude() { return view_.Magnitude(); }

void TTvObject::SetMagnitude(std::int32_t magnitude) {
  if (view_.SetMagnitude(magnitude, FirstPaintDone())) Redraw();
}

double TTvObject::Miles() const { return view_.Miles(); }
double TTvObject::Kms() const { return view_.Kms(); }

void TTvObject::SetMiles(double miles) {
  if (view_.SetMiles(miles, initialized_ || designMode_)) LayerSettingChanged();
}

void TTvObject::SetKms(double kms) {
  if (view_.SetKms(kms, initialized_ || designMode_)) LayerSettingChanged();
}

double TTvObject::ScreenAspect() const { return view_.ScreenAspect(); }

void TTvObject::SetScreenAspect(double aspect) {
  if (!view_.SetScreenAspect(aspect)) return;
  if (designMode_) {
    ZoomAll();
  } else {
    LayerSettingChanged();
  }
}

// The mouse position is kept in window pixels; the view's pixels start
// inside the frame.
double TTvObject::Xcord() const {
  if (designMode_) return 0.0;
  const gdi::Point p = window_->CursorPosition();
  return view_.CursorLonLat({p.x - FrameWidth(), p.y - FrameWidth()}).Lon;
}

double TTvObject::Ycord() const {
  if (designMode_) return 0.0;
  const gdi::Point p = window_->CursorPosition();
  return view_.CursorLonLat({p.x - FrameWidth(), p.y - FrameWidth()}).Lat;
}

// ---------------------------------------------------------------- zoom and pan

void TTvObject::ZoomIn() {
  view_.ZoomIn();
  Redraw();
}

void TTvObject::ZoomOut() {
  view_.ZoomOut();
  Redraw();
}

void TTvObject::ZoomAll() {
  view_.ZoomAll();
  Redraw();
}

void TTvObject::ZoomLast() {
  view_.ZoomLast();
  Redraw();
}

void TTvObject::ZoomWindow(double lon1, double lat1, double lon2, double lat2) {
  if (!view_.ZoomWindow(lon1, lat1, lon2, lat2)) {
    throw ArgumentError("ZoomWindow needs corners within the range of map coordinates");
  }
  Redraw();
}

void TTvObject::ZoomIWindow(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  view_.ZoomIWindow(x1, y1, x2, y2);
  Redraw();
}

void TTvObject::ZoomPan(std::int32_t flags) {
  view_.ZoomPan(flags);
  Redraw();
}

void TTvObject::ZoomOverlay() {
  std::optional<MapRect> box = hooks_.overlays->OverlayBounds();
  if (!box) return;  // no overlay drawings: nothing to zoom to
  view_.ZoomOverlay(box->x1, box->y1, box->x2, box->y2);
  Redraw();
}

void TTvObject::ZoomUnderlay() {
  std::optional<MapRect> box = hooks_.underlay->UnderlayBounds();
  if (!box) return;
  view_.ZoomUnderlay(box->x1, box->y1, box->x2, box->y2);
  Redraw();
}

void TTvObject::CenterView(std::int32_t x, std::int32_t y) {
  view_.CenterView(x, y, /*routePanelWidth=*/0);
  Redraw();
}

void TTvObject::GotoPoint(double lon, double lat) {
  if (!view_.GotoPoint(lon, lat, /*routePanelWidth=*/0)) {
    throw ArgumentError("GotoPoint needs a point within the range of map coordinates");
  }
  Redraw();
}

void TTvObject::Rotate(double degrees) {
  RequireFinite(degrees, "The rotation angle");
  view_.Rotate(degrees);
  Redraw();
}

void TTvObject::ResizeCtl(std::int32_t width, std::int32_t height) {
  const TViewWindow before = view_.View();
  view_.View().Width = width;
  view_.View().Height = height;
  const gdi::Size size = window_->ClientSize();
  if (size.cx != width || size.cy != height) window_->SetSize(width, height);
  // The same area now fills the new size.
  view_.ZoomToRect(before.Left, before.Bottom, before.Right, before.Top, 1.0);
  Redraw();
}

// ---------------------------------------------------------------- paint control

void TTvObject::Redraw() {
  // Re-entrant for this thread: a host may redraw from inside a paint event.
  std::lock_guard lock(viewLock_);
  const int previousCursor = window_->Cursor();
  window_->SetCursor(kHourglassCursor);
  dirty_ = true;
  Invalidate();
  window_->Update();  // the paint runs before Redraw returns
  window_->SetCursor(previousCursor);
  // A paint that ran has cleared the flag; when none could run (hidden window,
  // a paint already in progress) the map stays due for the next one.
}

void TTvObject::Refresh() {
  dirty_ = false;
  Invalidate();
  window_->Update();
}

void TTvObject::Redirty() {
  dirty_ = false;
  repaintOnly_ = true;
  Invalidate();
  window_->Update();
  repaintOnly_ = false;
}

void TTvObject::SetDirtyRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  dirtyRects_.Add(left, top, right, bottom);
}

std::int32_t TTvObject::Distance(double lon1, double lat1, double lon2, double lat2) {
  const std::optional<TDistance> d = core::Distance(lon1, lat1, lon2, lat2);
  if (!d) throw ArgumentError("Distance needs longitudes and latitudes within the range of map coordinates");
  lastCentralAngle_ = d->Angle;
  return d->Thousandths;
}

// ---------------------------------------------------------------- window callbacks

void TTvObject::OnSize(int /*width*/, int height) {
  DepthScope inCallback(windowCallbacks_);
  if (designMode_) {
    ZoomAll();
  } else {
    if (baseBuffer_) baseBuffer_->Fill(gdi::kColorBtnFace);
    if (!firstPaint_) {
      view_.KeepTopOnResize(height);  // the north edge stays where it is
      dirty_ = true;
    }
    Redraw();
  }
  if (events.OnResize) events.OnResize();
}

// Mouse events reach the host in map-area pixels; presses and moves over the
// frame raise nothing.
void TTvObject::OnMouse(const ui::MouseEvent& event) {
  DepthScope inCallback(windowCallbacks_);
  const int frame = FrameWidth();
  const gdi::Size size = window_->ClientSize();
  const int x = event.position.x - frame;
  const int y = event.position.y - frame;
  const bool inside = x >= 0 && y >= 0 && x < size.cx - 2 * frame && y < size.cy - 2 * frame;
  const int button = static_cast<int>(event.button);
  switch (event.kind) {
    case ui::MouseEvent::Kind::Down:
      if (!inside) return;
      window_->SetCapture(true);
      if (events.OnMouseDown) events.OnMouseDown(button, event.shift, x, y);
      break;
    case ui::MouseEvent::Kind::Move:
      if (inside && events.OnMouseMove) events.OnMouseMove(button, event.shift, x, y);
      break;
    case ui::MouseEvent::Kind::Up: {
      const bool pressed = window_->HasCapture();
      window_->SetCapture(false);
      if (events.OnMouseUp) events.OnMouseUp(button, event.shift, x, y);
      if (pressed && inside && events.OnClick) events.OnClick();
      break;
    }
    case ui::MouseEvent::Kind::DoubleClick:
      if (inside && events.OnDblClick) events.OnDblClick();
      break;
  }
}

}  // namespace quelmar::core
