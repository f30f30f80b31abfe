#include "control/render/map_model_attach.h"

#include <memory>

#include "control/core/option_table.h"
#include "control/render/underlay_service.h"

namespace quelmar::render {
namespace {

// The hooks share the model with the context; each forwards its request.
struct ModelBaseData final : core::BaseDataService {
  std::shared_ptr<MapModel> model;
  void OpenBaseData(const core::BaseDataRequest& request) override { model->OpenBaseData(request); }
};
struct ModelStartup final : core::StartupService {
  std::shared_ptr<MapModel> model;
  void CreatePalette() override { model->Styles().RebuildPalette(); }
};
struct ModelLoader final : core::ViewLoader {
  std::shared_ptr<MapModel> model;
  void LoadView(const core::LoadRequest& request) override { model->Load(request); }
};
struct ModelBackground final : core::BackgroundFiller {
  std::shared_ptr<MapModel> model;
  void FillBackground(gdi::Canvas& canvas, const gdi::Rect& rect, const core::PaintRequest& request) override {
    model->FillBackground(canvas, rect, request);
  }
};
struct ModelDrawer final : core::MapDrawer {
  std::shared_ptr<MapModel> model;
  void DrawMap(gdi::Canvas& canvas, const core::PaintRequest& request) override { model->Paint(canvas, request); }
};

template <typename Hook>
std::unique_ptr<Hook> HookOn(const std::shared_ptr<MapModel>& model) {
  auto hook = std::make_unique<Hook>();
  hook->model = model;
  return hook;
}

}  // namespace

MapModel& AttachMapModel(core::ControlContext& context) {
  auto model = std::make_shared<MapModel>();
  core::Ttvmap& panel = context.Panel();
  core::EngineHooks& hooks = panel.hooks();
  hooks.baseData = HookOn<ModelBaseData>(model);
  hooks.startup = HookOn<ModelStartup>(model);
  hooks.loader = HookOn<ModelLoader>(model);
  hooks.background = HookOn<ModelBackground>(model);
  hooks.mapDrawer = HookOn<ModelDrawer>(model);
  hooks.underlay = std::make_unique<UnderlayExtentService>(model->Underlay());

  // The colour table: a write (or the reset of slot -1) changes the map.
  for (const core::OptionRange& r : core::kColourSlotRanges) {
    context.Registry().Options.Register(
        r.first, r.last, core::kColourSlotsSubsystem,
        [&panel, raw = model.get()](core::OptionAccess access, std::int32_t number, std::int32_t value) {
          const std::int32_t n = access == core::OptionAccess::Read ? 0 : number;
          const std::int32_t v = access == core::OptionAccess::Read ? number : value;
          const std::optional<std::int32_t> result = raw->Styles().ColourOption(n, v);
          if (result && (n != 0 || v == -1)) panel.LayerSettingChanged();  // colours changed (or were reset)
          return result.value_or(0);
        });
  }
  return context.Keep(std::move(model));
}

}  // namespace quelmar::render
