#pragma once
// TTvObject: the map panel. It owns the view of the map, converts between
// longitude/latitude, map units and client pixels, runs zoom and pan, and
// drives every paint through two off-screen buffers. All of its state is its
// own: two panels in one process never share a view.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "control/core/coordinate_grid.h"
#include "control/core/dirty_rects.h"
#include "control/core/engine_hooks.h"
#include "control/core/trace_log.h"
#include "control/core/option_table.h"
#include "control/core/road_options.h"
#include "control/core/startup.h"
#include "control/core/startup_settings.h"
#include "control/core/panel_events.h"
#include "control/core/tx_enums.h"
#include "control/core/view_state.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/ui/headless_window.h"

namespace quelmar::core {

// The panel's switches, with the constructor's defaults.
struct PanelOptions {
  bool PopupRoute = true;
  TxTbMode ToolbarMode = TbHide;
  TxMapMode MapMode = MdZoom;
  bool Synch = false;
  std::int32_t StrMode = 0;
  bool Load_Air = true, Load_City = true, Load_County = true, Load_Highway = true, Load_Hydro = true,
       Load_Landmark = true, Load_State = true;
  bool Overlay = true;
  bool Mainlay = true;
  bool Underlay = false;
  bool AutoPaint = true;
  bool BackDraw = true;
  bool EdgePan = false;
  bool Grid = false;
  TxCoord Coords = CdLonlat;
  TxLLMode LLmode = TmHMS;
  bool AutoQuery = true;
  TxUndMode UnderlayStyle = UndUser;
  std::int16_t UnderlayShadow = 0;
};

// The panel's frame: bevels and border around the map area.
struct PanelFrame {
  TxBevelCut BevelOuter = bvxRaised;
  TxBevelCut BevelInner = bvxNone;
  std::int32_t BevelWidth = 1;
  std::int32_t BorderWidth = 0;
};

class TTvObject : public ui::WindowHandler {
 public:
  static constexpr int kInitialWidth = 250;
  static constexpr int kInitialHeight = 165;
  static constexpr gdi::COLORREF kDefaultColor = 0xAFFFFF;

  TTvObject();
  ~TTvObject() override;
  TTvObject(const TTvObject&) = delete;
  TTvObject& operator=(const TTvObject&) = delete;

  PanelEvents events;
  EngineHooks& hooks() { return hooks_; }
  ViewState& view() { return view_; }
  const ViewState& view() const { return view_; }
  PanelOptions& options() { return options_; }
  const PanelOptions& options() const { return options_; }
  ui::HeadlessWindow& window() { return *window_; }

  // --- life cycle and start-up ---
  bool Initialized() const { return initialized_; }
  // INIT: loads the base data and applies the start view, once per panel;
  // never in design mode.
  void Init();
  StartupSettings& startup() { return startup_; }
  const StartupSettings& startup() const { return startup_; }
  // A data path property: stored and the panel invalidated only when it changes.
  void SetPath(std::string StartupSettings::*path, const std::string& value);
  // The command interpreter of ExecMethod. Returns the name of the dialog a
  // command would open when that dialog is not available yet, else "".
  std::string ExecCommand(const std::string& command);
  // SetOption; nullopt for options whose subsystem is not built yet.
  std::optional<std::int32_t> SetOption(std::int32_t n, std::int32_t v);
  // Dialog commands of ExecMethod that an attached subsystem runs; false for
  // a command it does not know.
  std::function<bool(const std::string& command)> runDialog;
  // The colour slots of SetOption, answered by the layer styles when they are
  // attached (nullopt for other slots).
  std::function<std::optional<std::int32_t>(std::int32_t n, std::int32_t v)> colourOption;
  void RoadOption(std::int32_t n, std::int32_t v) { core::RoadOption(roadOptions_, n, v); }
  const RoadOptions& roadOptions() const { return roadOptions_; }
  const OptionValues& optionValues() const { return optionValues_; }
  OptionValues& optionValues() { return optionValues_; }
  // The trace log, on while option 65535 is set.
  TraceLog& traceLog() {
    trace_.SetOn(optionValues_.traceLog != 0);
    if (trace_.Path().empty()) trace_.SetPath(TraceLog::DefaultPath(startup_.workingFolder));
    return trace_;
  }
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

  // --- window-control properties ---
  gdi::COLORREF Color() const { return color_; }
  void SetColor(gdi::COLORREF color);
  const PanelFrame& Frame() const { return frame_; }
  void SetFrame(const PanelFrame& frame);
  std::int32_t FrameWidth() const;  // border width plus the bevels that are drawn
  const gdi::Font& Font() const { return font_; }
  void SetFont(const gdi::Font& font);

  // --- switches with side effects ---
  void SetMapunits(TxMapunit units);
  void SetLLmode(TxLLMode mode) { options_.LLmode = mode; }
  void SetCoords(TxCoord order) { options_.Coords = order; }
  void SetSynch(bool on);
  void SetAutoPaint(bool on) { options_.AutoPaint = on; }
  void SetBackDraw(bool on) { options_.BackDraw = on; }
  // Layer-related switches (Grid, Mainlay, Overlay, Underlay, Load_*, underlay style):
  // the map must be drawn again.
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

 private:
  // WindowHandler
  void OnPaint(gdi::Canvas& canvas, const gdi::Rect& invalid) override;
  void OnSize(int width, int height) override;
  void OnMouse(const ui::MouseEvent& event) override;

  void FrameStep(gdi::Canvas& canvas, gdi::Rect rect);
  void DrawDesignPlaceholder(gdi::Canvas& canvas, gdi::Rect rect);
  void DrawBevels(gdi::Canvas& canvas, gdi::Rect& rect);
  void RenderView(gdi::Canvas& screen, const gdi::Rect& rect);
  void RenderLayers(gdi::Canvas& target, std::int32_t dc, const gdi::Rect& rect);
  void ComposeAndShow(gdi::Canvas& screen, gdi::CairoCanvas& memory, std::int32_t dc, const gdi::Rect& rect);
  void DrawGrid(gdi::Canvas& canvas);
  gdi::Point GridLabelPoint(const TGridLine& line) const;
  void ApplyStartView();
  bool EnsureBuffers();
  void Invalidate();

  ViewState view_;
  StartupSettings startup_;
  OptionValues optionValues_;
  RoadOptions roadOptions_;
  PanelOptions options_;
  PanelFrame frame_;
  EngineHooks hooks_;
  TraceLog trace_;
  DirtyRects dirtyRects_;
  std::unique_ptr<ui::HeadlessWindow> window_;
  std::unique_ptr<gdi::Bitmap> baseBuffer_;
  std::unique_ptr<gdi::Bitmap> overlayBuffer_;
  std::recursive_mutex viewLock_;  // re-entrant: a host may redraw from inside a paint event

  gdi::COLORREF color_ = kDefaultColor;
  gdi::Font font_;
  std::string street_, route_, result_;
  double lastCentralAngle_ = 0.0;
  std::int32_t tvParent_ = 0;
  bool initialized_ = false;
  bool initRunning_ = false;
  bool firstPaint_ = true;
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
