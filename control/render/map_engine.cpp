#include "control/render/map_engine.h"

#include <algorithm>

#include "control/data/name_unpack.h"
#include "control/render/background_filler.h"
#include "control/render/dialog_commands.h"
#include "control/render/underlay_service.h"
#include "control/search/street_name.h"

namespace quelmar::render {
namespace {

// The hooks own the engine together; each service forwards to it.
struct EngineBaseData final : core::BaseDataService {
  std::shared_ptr<MapEngine> engine;
  void OpenBaseData(const core::StartupSettings& settings) override { engine->OpenBaseData(settings); }
};
struct EngineStartup final : core::StartupService {
  std::shared_ptr<MapEngine> engine;
  void CreatePalette() override { engine->Styles().RebuildPalette(); }
};
struct EngineLoader final : core::ViewLoader {
  std::shared_ptr<MapEngine> engine;
  void LoadView(const core::TViewWindow&) override { engine->LoadView(); }
};
// The background with the underlay images, under the panel's switches; an
// image once drawn hides the place outlines and parks for good.
struct EngineBackground final : core::BackgroundFiller {
  std::shared_ptr<MapEngine> engine;
  std::unique_ptr<UnderlayBackgroundFiller> filler;
  void FillBackground(gdi::Canvas& canvas, const gdi::Rect& rect, gdi::COLORREF color) override {
    engine->SyncUnderlaySettings();
    filler->FillBackground(canvas, rect, color);
    if (engine->Underlay().State.Drawn) engine->Styles().NoteUnderlayDrawn();
  }
};
struct EngineDrawer final : core::MapDrawer {
  std::shared_ptr<MapEngine> engine;
  void DrawMap(gdi::Canvas& canvas, int mode, const gdi::Rect&) override { engine->DrawMap(canvas, mode); }
};

}  // namespace

MapEngine::MapEngine(core::TTvObject& panel)
    : panel_(panel),
      baseData_(table_, routeNames_),
      painter_(table_, styles_) {
  routeNames_.Expand = [](std::string_view stored) { return data::UnpackPairs(stored.substr(0, 40)); };
  routeNames_.Normalize = [](std::string_view text) { return search::NormalizeStreetName(text).Str(); };
  rules_.ForMiles = [this](double miles) { return panel_.view().ScaleForMilesAt40(miles); };
  painter_.SetLabels(&labels_);
}

void MapEngine::SyncLabelSettings() {
  const core::OptionValues& o = panel_.optionValues();
  LabelSettings& s = labels_.Settings();
  s.StreetLabelMiles = o.streetLabelMiles;
  s.SecondLabelMiles = o.secondLabelMiles;
  s.ShowStreetNames = o.showStreetNames != 0;
  s.SelectiveLabeling = o.selectiveLabeling != 0;
  s.ShowSuffixes = o.hideSuffixes == 0;
  s.SizeFactor = std::clamp(o.labelSizeFactor, 1, 10);
  s.LabelBoxes = o.labelBoxes != 0;
}

void MapEngine::SyncUnderlaySettings() {
  const core::PanelOptions& o = panel_.options();
  UnderlaySettings& s = underlay_->Settings;
  if (s.Underlay() != o.Underlay) s.SetUnderlay(o.Underlay);
  if (s.UnderlayStyle() != o.UnderlayStyle) s.SetUnderlayStyle(o.UnderlayStyle);
  if (s.UnderlayShadow() != o.UnderlayShadow) s.SetUnderlayShadow(o.UnderlayShadow);
}

void MapEngine::OpenBaseData(const core::StartupSettings& settings) { baseData_.OpenBaseData(settings); }

data::LoadSwitches MapEngine::Switches() const {
  const core::PanelOptions& o = panel_.options();
  return {o.Load_Highway, o.Load_Hydro, o.Load_State, o.Load_City, o.Load_Air, o.Load_County, o.Load_Landmark};
}

data::LoadPassInput MapEngine::PassInput() const {
  const core::StartupSettings& s = panel_.startup();
  const Projection projection(panel_.view());
  data::LoadPassInput input;
  input.LoadRect = projection.Cull();
  input.Scale = panel_.view().View().Scale;
  input.Folders = {s.Path_states0, s.Path_states1, s.Path_data1, s.Path_data2};
  input.Switches = Switches();
  input.RouteNames = routeNames_;
  return input;
}

void MapEngine::LoadView() {
  if (table_.Count() == 0) return;  // no base map: INIT has not run
  loadPass_.Run(table_, PassInput(), rules_);
}

void MapEngine::DrawMap(gdi::Canvas& canvas, int mode) {
  rules_.StreetThreshold = rules_.Miles(rules_.DetailMiles);
  PaintSetup setup;
  setup.UnderlayShown = panel_.options().Underlay && underlay_->State.Drawn;
  setup.DeviceOutput = mode == 1;
  setup.Background = panel_.Color();
  SyncLabelSettings();
  painter_.PaintMap(canvas, panel_.view(), rules_, Switches(), setup);
}

MapEngine& AttachMapEngine(core::TTvObject& panel) {
  auto engine = std::make_shared<MapEngine>(panel);
  core::EngineHooks& hooks = panel.hooks();
  auto base = std::make_unique<EngineBaseData>();
  base->engine = engine;
  auto startup = std::make_unique<EngineStartup>();
  startup->engine = engine;
  auto loader = std::make_unique<EngineLoader>();
  loader->engine = engine;
  auto drawer = std::make_unique<EngineDrawer>();
  drawer->engine = engine;
  hooks.baseData = std::move(base);
  auto background = std::make_unique<EngineBackground>();
  background->engine = engine;
  background->filler = std::make_unique<UnderlayBackgroundFiller>(panel.view(), engine->SharedUnderlay(),
                                                                  [&panel] { return panel.options().Grid; });
  hooks.background = std::move(background);
  hooks.underlay = std::make_unique<UnderlayExtentService>(engine->SharedUnderlay());
  hooks.startup = std::move(startup);
  panel.runDialog = [&panel, raw = engine.get()](const std::string& command) {
    return RunStyleDialog(command, panel, raw->Styles(), raw->Labels());
  };
  panel.colourOption = [raw = engine.get()](std::int32_t n, std::int32_t v) { return raw->Styles().ColourOption(n, v); };
  hooks.loader = std::move(loader);
  hooks.mapDrawer = std::move(drawer);
  return *engine;
}

}  // namespace quelmar::render
