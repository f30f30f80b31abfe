#include "control/render/map_model.h"

#include "control/data/name_unpack.h"
#include "control/render/projection.h"
#include "control/search/street_name.h"

namespace quelmar::render {

data::LoadSwitches LoadSwitchesOf(const core::LayerOptions& o) {
  return {o.Load_Highway, o.Load_Hydro, o.Load_State, o.Load_City, o.Load_Air, o.Load_County, o.Load_Landmark};
}

MapModel::MapModel() : baseData_(table_, routeNames_), painter_(table_, styles_) {
  routeNames_.Expand = [](std::string_view stored) { return data::UnpackPairs(stored.substr(0, 40)); };
  routeNames_.Normalize = [](std::string_view text) { return search::NormalizeStreetName(text).Str(); };
  rules_.ForMiles = [this](double miles) { return core::ScaleForMilesAt40(pixelsPerInch_, miles); };
  painter_.SetLabels(&labels_);
}

void MapModel::UseRequest(const core::ViewState& view, const core::LayerOptions& layers) {
  pixelsPerInch_ = view.PixelsPerInch();
  rules_.DetailMiles = layers.StreetDetailMiles;
}

void MapModel::OpenBaseData(const core::BaseDataRequest& request) {
  baseData_.OpenBaseData(*request.Startup, request.Problems);
}

void MapModel::Load(const core::LoadRequest& request) {
  if (table_.Count() == 0) return;  // no base map: INIT has not run
  UseRequest(*request.View, request.Layers);
  const Projection projection(*request.View);
  data::LoadPassInput input;
  input.LoadRect = projection.Cull();
  input.Scale = request.View->View().Scale;
  input.Folders = request.Folders;
  input.StreetExtension = request.StreetExtension;
  input.ExpectedStreetVersion = request.StreetVersion;
  input.Switches = LoadSwitchesOf(request.Layers);
  input.RouteNames = routeNames_;
  input.Problems = request.Problems;
  loadPass_.Run(table_, input, rules_);
}

void MapModel::FillBackground(gdi::Canvas& canvas, const gdi::Rect& rect, const core::PaintRequest& request) {
  background_.Fill(canvas, rect, request);
  // An image once drawn hides the place outlines and parks for good.
  if (underlay_->Drawn) styles_.NoteUnderlayDrawn();
}

void MapModel::Paint(gdi::Canvas& canvas, const core::PaintRequest& request) {
  UseRequest(*request.View, request.Layers);
  rules_.StreetThreshold = rules_.Miles(rules_.DetailMiles);
  PaintSetup setup;
  setup.UnderlayShown = request.Underlay.Underlay() && underlay_->Drawn;
  setup.DeviceOutput = request.Output == core::OutputKind::Device || request.Output == core::OutputKind::Printer;
  setup.Monochrome = request.Monochrome;
  setup.PrintWithoutShading = request.WithoutShading;
  setup.Background = request.Background;
  setup.Shading = request.Layers.Shading;
  labels_.Settings() = request.Labels;
  painter_.PaintMap(canvas, *request.View, rules_, LoadSwitchesOf(request.Layers), setup);
}

}  // namespace quelmar::render
