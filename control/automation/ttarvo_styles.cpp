// The members of the layer styles (the four shading switches, the logical
// palette) and the underlay image files. A shading switch redraws the map
// only when it changes.
#include "control/automation/ttarvo.h"
#include "control/automation/ttarvo_guard.h"

namespace quelmar::automation {

using guard::Out;

#define QM_SHADE(Name, Switch)                                                                   \
  HRESULT TTarvo::get_##Name(com::VARIANT_BOOL* value) {                                        \
    return Call(#Name, [&](Ttvmap& p) { Out(value) = com::ToVariantBool(p.layers().Shading.Switch); }); \
  }                                                                                             \
  HRESULT TTarvo::put_##Name(com::VARIANT_BOOL value) {                                         \
    return Call(#Name, [&](Ttvmap& p) {                                                         \
      if (p.layers().Shading.Switch == (value != 0)) return;                                    \
      p.SetLayerOption([&](LayerOptions& l) { l.Shading.Switch = value != 0; });                \
    });                                                                                         \
  }

QM_SHADE(Shade_State, State)
QM_SHADE(Shade_Cnty, County)
QM_SHADE(Shade_Plc, Place)
QM_SHADE(Shade_Mcd, Mcd)
#undef QM_SHADE

HRESULT TTarvo::get_TvPalette(std::int32_t* value) {
  return Call("TvPalette", [&](Ttvmap&) { Out(value) = model_->Styles().TvPalette(); });
}

HRESULT TTarvo::get_UnderlayFile(std::string* value) {
  return Call("UnderlayFile", [&](Ttvmap& p) { Out(value) = p.settings().Underlay().UnderlayFile(); });
}
HRESULT TTarvo::put_UnderlayFile(const std::string& value) {
  return Call("UnderlayFile", [&](Ttvmap& p) {
    p.settings().Change(&core::ControlSettings::Underlay, [&](core::UnderlaySettings& u) { u.SetUnderlayFile(value); });
  });
}

}  // namespace quelmar::automation
