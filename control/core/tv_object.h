#pragma once
// TTvObject: the map panel. It owns the view of the map, converts between
// longitude/latitude, map units and client pixels, runs zoom and pan, and
// drives every paint through two off-screen buffers. Its settings live in
// the control's settings store; for each paint it builds the load and paint
// requests from its view and those settings and hands them to the hooks.
// Two panels in one process never share a view or settings.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "control/core/coordinate_grid.h"
#include "control/core/dirty_rects.h"
#include "control/core/engine_hooks.h"
#include "control/core/panel_events.h"
#include "control/core/problem_reporter.h"
#include "control/core/settings_store.h"
#include "control/core/startup.h"
#include "control/core/trace_log.h"
#include "control/core/tx_enums.h"
#include "control/core/view_state.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/ui/headless_window.h"

namespace quelmar::core {

class TTvObject : public ui::WindowHandler {
 public:
  static constexpr int kInitialWidth = 250;
  static constexpr int kInitialHeight = 165;
  static constexpr gdi::COLORREF kDefaultColor = Appearance::kDefaultColor;

  // A panel with settings of its own (tests, tools).
  TTvObject();
  // A panel of a control whose settings live in `settings` (which outlives it).
  explicit TTvObject(SettingsStore& settings);
  ~TTvObject() override;
  TTvObject(const TTvObject&) = delete;
  TTvObject& operator=(const TTvObject&) = delete;

  PanelEvents events;
  EngineHooks& hooks() { return hooks_; }
  ViewState& view() { return view_; }
  const ViewState& view() const { return view_; }
  SettingsStore& settings() { return settings_; }
  const SettingsStore& settings() const { return settings_; }
  const PanelOptions& options() const { return settings_.Panel(); }
  const LayerOptions& layers() const { return settings_.Layers(); }
  void SetPanelOption(const std::function<void(PanelOptions&)>& edit) { settings_.Change(&ControlSettings::Panel, edit); }
  void SetLayerOption(const std::function<void(LayerOptions&)>& edit) { settings_.Change(&ControlSettings::Layers, edit); }
  ui::HeadlessWindow& window() { return *window_; }

  // --- life cycle and start-up ---
  bool Initialized() const { return initialized_; }
  // The end of the panel's life, while what it is attached to still exists:
  // with AutoConfig, after INIT, the configuration file is saved. Once only;
  // the context calls it before it destroys the panel.
  void Close() noexcept;
  // INIT: loads the base data and applies the start view, once per panel;
  // never in design mode.
  void Init();
  const StartupSettings& startup() const { return settings_.Startup(); }
  // The control's own configuration file: the configuration folder (set at
  // INIT) and the file name.
  std::string ConfigurationPath() const { return startup().configFolder + startup().configFileName; }
  void SetStartup(const std::function<void(StartupSettings&)>& edit) { settings_.Change(&ControlSettings::Startup, edit); }
  // A data path property: stored and the panel invalidated only when it changes.
  void SetPath(std::string StartupSettings::*path, const std::string& value);
  // "HTAP": the route search writes its trace.
  void StartRouteTrace();
  void RoadOption(std::int32_t n, std::int32_t v);
  const RoadOptions& roadOptions() const { return settings_.Roads(); }
  // The trace log, on while option 65535 is set.
  TraceLog& traceLog();
  // Problems found in the map data: each goes to the trace log and is counted.
  std::int32_t ProblemCount() const { return problems_.Count(); }
  void ResetProblems() { problems_.Reset(); }
  // Where searches and other readers of the map data tell their problems.
  ProblemReporter& Problems() { return problems_; }
  // ExecMem: the physical memory, after a warning dialog when it is below dmem.
  std::int32_t ExecMem(std::int32_t dmem);
  // Bytes of physical memory (the machine's; replaceable for tests).
  std::function<std::uint64_t()> physicalMemory = TotalPhysicalMemory;
  // The owner window of the control's dialogs (the panel's window once INIT has run).
  std::int32_t TvParent() const { return tvParent_; }
  void SetTvParent(std::int32_t handle) { tvParent_ = handle; }
  bool DesignMode() const { return designMode_; }
  void SetDesignMode(bool designMode);
  bool FirstPaintDone() const { return !firstPaint_; }

  // --- text fields ---
  const std::string& Street() const { return street_; }
  std::string ResultText() const;  // "Run Time" in design mode
  std::string RouteText() const;   // "Run Time" in design mode
  void SetRouteText(const std::string& ansi);
  void SetResultText(const std::string& ansi) { result_ = ansi; }
  void SetStreet(const std::string& ansi) { street_ = ansi; }

  // --- window-control properties ---
  gdi::COLORREF Color() const { return settings_.Look().Color; }
  void SetColor(gdi::COLORREF color);
  const PanelFrame& Frame() const { return settings_.Look().Frame; }
  void SetFrame(const PanelFrame& frame);
  std::int32_t FrameWidth() const;  // border width plus the bevels that are drawn
  const gdi::Font& Font() const { return settings_.Look().Font; }
  void SetFont(const gdi::Font& font);

  // --- switches with side effects ---
  void SetMapunits(TxMapunit units);
  void SetLLmode(TxLLMode mode) { SetPanelOption([mode](PanelOptions& o) { o.LLmode = mode; }); }
  void SetCoords(TxCoord order) { SetPanelOption([order](PanelOptions& o) { o.Coords = order; }); }
  void SetSynch(bool on);
  void SetAutoPaint(bool on) { SetPanelOption([on](PanelOptions& o) { o.AutoPaint = on; }); }
  void SetBackDraw(bool on) { SetPanelOption([on](PanelOptions& o) { o.BackDraw = on; }); }
  // The map must be drawn again: a change of the layers, the look, the labels
  // or the underlay in the settings store calls this, and so does anything
  // else that changes what the map shows (the layer styles).
  void LayerSettingChanged();

  // --- view properties ---
  double ScaleProperty() const;
  void SetScaleProperty(double scale);
  TxMagnitude Magnitude();
  void SetMagnitude(std::int32_t magnitude);
  double Miles() const;
  double Kms() const;
  void SetMiles(double miles);
  void SetKms(double kms);
  double ScreenAspect() const;
  void SetScreenAspect(double aspect);
  double Xcord() const;
  double Ycord() const;

  // --- zoom and pan; each ends with Redraw ---
  void ZoomIn();
  void ZoomOut();
  void ZoomAll();
  void ZoomLast();
  void ZoomWindow(double lon1, double lat1, double lon2, double lat2);
  void ZoomIWindow(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  void ZoomPan(std::int32_t flags);
  void ZoomOverlay();
  void ZoomUnderlay();
  void CenterView(std::int32_t x, std::int32_t y);
  void GotoPoint(double lon, double lat);
  void Rotate(double degrees);
  void ResizeCtl(std::int32_t width, std::int32_t height);

  // --- paint control ---
  void Redraw();
  void Refresh();
  void Redirty();
  void SetDirtyRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  bool IsDrawing() const { return isDrawing_; }
  bool Dirty() const { return dirty_; }
  // True while the window is inside one of the panel's callbacks (paint, size, input).
  bool InWindowCallback() const { return windowCallbacks_ > 0; }

  // --- measurements ---
  std::int32_t Distance(double lon1, double lat1, double lon2, double lat2);
  double LastCentralAngle() const { return lastCentralAngle_; }

  // Screen-sized off-screen buffers (nullptr when they could not be made).
  const gdi::Bitmap* BaseBuffer() const { return baseBuffer_.get(); }
  // The base buffer's bitmap handle, which hosts may draw from (0 without one).
  std::int32_t BaseBufferHandle() const { return baseBufferHandle_; }

  // The map area: the client area inside the frame, with its top-left at (0, 0).
  gdi::Rect MapArea() const;
  // Draws the current view into `picture` through the passes of a screen
  // paint (load, background, OnPaintBefore, layers, overlays, OnpaintAfter,
  // items, the route, the grid), at the picture's size; the map area's size gives the
  // screen's pixels. The view keeps its place. Error while the panel draws.
  void RenderPicture(gdi::Bitmap& picture);

  // The requests of this panel's next load and paint, from its view and settings.
  LoadRequest MakeLoadRequest();
  PaintRequest MakePaintRequest(OutputKind output) const;

 private:
  // WindowHandler
  void OnPaint(gdi::Canvas& canvas, const gdi::Rect& invalid) override;
  void OnSize(int width, int height) override;
  void OnMouse(const ui::MouseEvent& event) override;

  void FrameStep(gdi::Canvas& canvas, gdi::Rect rect);
  void DrawDesignPlaceholder(gdi::Canvas& canvas, gdi::Rect rect);
  void DrawBevels(gdi::Canvas& canvas, gdi::Rect& rect);
  void RenderView(gdi::Canvas& screen, const gdi::Rect& rect);
  // Sizes the view to `rect` and derives its edges; the first one applies the start view.
  void PrepareView(const gdi::Rect& rect);
  void RenderLayers(gdi::Canvas& target, std::int32_t dc, const gdi::Rect& rect);
  // Background, OnPaintBefore, the map's layers and the overlays, by `request`.
  void DrawLayers(gdi::Canvas& target, std::int32_t dc, const gdi::Rect& rect, const PaintRequest& request);
  void ComposeAndShow(gdi::Canvas& screen, gdi::CairoCanvas& memory, std::int32_t dc, const gdi::Rect& rect);
  void DrawGrid(gdi::Canvas& canvas);
  gdi::Point GridLabelPoint(const TGridLine& line) const;
  void ApplyStartView();
  // Whether the view's position or scale changed since the start view was applied.
  bool ViewMovedSinceStart() const;
  bool EnsureBuffers();
  void Invalidate();

  // Writes each problem to the trace log and counts it.
  class ProblemLog final : public ProblemReporter {
   public:
    explicit ProblemLog(TTvObject& panel) : panel_(panel) {}
    void Report(const DataProblem& problem) override;
    std::int32_t Count() const { return counter_.Count(); }
    void Reset() { counter_.Reset(); }

   private:
    TTvObject& panel_;
    CountingProblemReporter counter_;
  };

  void Start();
  void OnSettingChanged(SettingSection section);

  std::unique_ptr<SettingsStore> ownSettings_;  // only for a panel with settings of its own
  SettingsStore& settings_;
  int settingsListener_ = 0;
  ViewState view_;
  EngineHooks hooks_;
  TraceLog trace_;
  ProblemLog problems_{*this};
  DirtyRects dirtyRects_;
  std::unique_ptr<ui::HeadlessWindow> window_;
  std::unique_ptr<gdi::Bitmap> baseBuffer_;
  std::unique_ptr<gdi::Bitmap> overlayBuffer_;
  std::int32_t baseBufferHandle_ = 0;
  std::recursive_mutex viewLock_;  // re-entrant: a host may redraw from inside a paint event

  std::string street_, route_, result_;
  double lastCentralAngle_ = 0.0;
  std::int32_t tvParent_ = 0;
  bool initialized_ = false;
  bool closed_ = false;
  bool initRunning_ = false;
  bool firstPaint_ = true;
  TViewWindow startView_;  // the view as the start view left it
  bool designMode_ = false;
  bool dirty_ = false;
  bool repaintOnly_ = false;
  bool isDrawing_ = false;
  bool bubbleShown_ = false;
  int windowCallbacks_ = 0;  // window callbacks of this panel in progress
};

// Ttvmap: the class the control instantiates; it adds the start-up properties.
class Ttvmap : public TTvObject {
 public:
  using TTvObject::TTvObject;
};

}  // namespace quelmar::core
