#pragma once
// The map of one control: its loaded drawings, the load pass that follows
// the view, and the paint pass that draws them. Attached to the panel's
// engine hooks, so the panel's paint cycle loads and draws through it.
#include <memory>

#include "control/core/tv_object.h"
#include "control/data/base_data.h"
#include "control/data/drawing_kind.h"
#include "control/data/load_pass.h"
#include "control/data/loaded_drawings.h"
#include "control/render/map_painter.h"
#include "control/render/style_engine.h"
#include "control/render/underlay_context.h"

namespace quelmar::render {

class MapEngine {
 public:
  // The panel is borrowed: the engine lives in the panel's hooks.
  explicit MapEngine(core::TTvObject& panel);

  // INIT: drops everything and reads the base map.
  void OpenBaseData(const core::StartupSettings& settings);
  // The load pass for the panel's current view.
  void LoadView();
  // The paint pass into `canvas`.
  void DrawMap(gdi::Canvas& canvas, int mode);

  data::DrawingTable& Drawings() { return table_; }
  const data::ScaleRules& Rules() const { return rules_; }
  const data::BuiltInBaseData& BaseData() const { return baseData_; }
  const MapPainter& Painter() const { return painter_; }
  StyleEngine& Styles() { return styles_; }
  LabelEngine& Labels() { return labels_; }
  // Paints without labels (off) or with them (on, the default); the render
  // benchmark measures what labelling costs this way.
  void EnableLabels(bool on) { painter_.SetLabels(on ? &labels_ : nullptr); }
  // Brings the label settings in line with the panel's options.
  void SyncLabelSettings();
  // The underlay images' settings and state, shared with the background filler.
  UnderlayContext& Underlay() { return *underlay_; }
  const std::shared_ptr<UnderlayContext>& SharedUnderlay() const { return underlay_; }
  // Brings the underlay settings in line with the panel's switches.
  void SyncUnderlaySettings();
  double LastLoadSeconds() const { return loadPass_.LastSeconds(); }

 private:
  data::LoadSwitches Switches() const;
  data::LoadPassInput PassInput() const;

  core::TTvObject& panel_;
  data::DrawingTable table_;
  data::RouteNameRules routeNames_;
  data::ScaleRules rules_;
  data::BuiltInBaseData baseData_;
  data::LoadPass loadPass_;
  StyleEngine styles_;
  LabelEngine labels_;
  std::shared_ptr<UnderlayContext> underlay_ = std::make_shared<UnderlayContext>();
  MapPainter painter_;
};

// Creates a map engine for `panel` and attaches it to the panel's hooks
// (base data, start-up palette, view loader, background and underlay, map
// drawer). Returns the
// engine, which the hooks own.
MapEngine& AttachMapEngine(core::TTvObject& panel);

}  // namespace quelmar::render
