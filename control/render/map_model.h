#pragma once
// MapModel: the map of one control without a panel. It holds the loaded
// drawings with their load pass, the layer styles, the labels and the
// underlay state, and does exactly what each request asks:
//
//   model.OpenBaseData(baseRequest);          // INIT: the base map
//   model.Load(loadRequest);                  // the drawings a view needs
//   model.FillBackground(canvas, rect, paintRequest);
//   model.Paint(canvas, paintRequest);        // the map, styled and labelled
//
// The panel builds the requests from its view and the settings store; a
// printer, an image export or a map server builds its own. Nothing here
// reads a panel, a window or the settings store.
#include <memory>

#include "control/core/map_requests.h"
#include "control/data/base_data.h"
#include "control/data/drawing_kind.h"
#include "control/data/load_pass.h"
#include "control/data/loaded_drawings.h"
#include "control/render/background_filler.h"
#include "control/render/label_engine.h"
#include "control/render/map_painter.h"
#include "control/render/style_engine.h"
#include "control/render/underlay_state.h"

namespace quelmar::render {

class MapModel {
 public:
  MapModel();
  MapModel(const MapModel&) = delete;
  MapModel& operator=(const MapModel&) = delete;

  // INIT: drops everything and reads the base map.
  void OpenBaseData(const core::BaseDataRequest& request);
  // The load pass for the request's view; nothing before the base map is read.
  void Load(const core::LoadRequest& request);
  // The background colour or texture and the underlay images.
  void FillBackground(gdi::Canvas& canvas, const gdi::Rect& rect, const core::PaintRequest& request);
  // The paint pass of the loaded drawings into `canvas`.
  void Paint(gdi::Canvas& canvas, const core::PaintRequest& request);

  data::DrawingTable& Drawings() { return table_; }
  const data::DrawingTable& Drawings() const { return table_; }
  const data::ScaleRules& Rules() const { return rules_; }
  const data::BuiltInBaseData& BaseData() const { return baseData_; }
  const MapPainter& Painter() const { return painter_; }
  StyleEngine& Styles() { return styles_; }
  const LabelEngine& Labels() const { return labels_; }
  // Paints without labels (off) or with them (on, the default); the render
  // benchmark measures what labelling costs this way.
  void EnableLabels(bool on) { painter_.SetLabels(on ? &labels_ : nullptr); }
  // The underlay images' state, shared with the underlay extent service.
  const std::shared_ptr<UnderlayState>& Underlay() const { return underlay_; }
  double LastLoadSeconds() const { return loadPass_.LastSeconds(); }

 private:
  // The scale rules follow the request's view and street detail span.
  void UseRequest(const core::ViewState& view, const core::LayerOptions& layers);

  data::DrawingTable table_;
  data::RouteNameRules routeNames_;
  data::ScaleRules rules_;
  std::int32_t pixelsPerInch_ = 96;  // of the last request's view
  data::BuiltInBaseData baseData_;
  data::LoadPass loadPass_;
  StyleEngine styles_;
  LabelEngine labels_;
  std::shared_ptr<UnderlayState> underlay_ = std::make_shared<UnderlayState>();
  UnderlayBackgroundFiller background_{underlay_};
  MapPainter painter_;
};

// The load switches of a request's layer options.
data::LoadSwitches LoadSwitchesOf(const core::LayerOptions& layers);

}  // namespace quelmar::render
