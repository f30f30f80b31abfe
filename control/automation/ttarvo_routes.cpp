// The route members of TTarvo: FindRoute calculates a route between two
// points, ExecRoute opens the Routing dialog, ExecRoadOption the Road
// Options dialog. The rows and manoeuvres go out as FindRte and FindDir.
#include "control/automation/ttarvo.h"
#include "control/automation/ttarvo_guard.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::automation {

using guard::Degrees;

std::optional<std::string> TTarvo::LocateForRoute(const std::string& caption) {
  Ttvmap& p = context_->Panel();
  const search::PlaceQuery places = PlaceQueryOf(p);
  const search::StreetSources sources = StreetSourcesOf(p);
  if (!locator_) locator_ = std::make_unique<dialogs::LocatorDialog>();
  locator_->Open(caption, dialogs::LocatorTab::Address, LocatorServicesOf(p, places, sources),
                 p.options().Coords == CdLatLon);
  ui::RunModal(locator_->Dialog());
  if (locator_->Dialog().Pressed() != dialogs::kLocatorOk || locator_->Result().empty()) return std::nullopt;
  return locator_->Result();
}

HRESULT TTarvo::FindRoute(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2,
                          std::int32_t flag) {
  return Call("FindRoute", [&](Ttvmap&) {
    routes_->FindRoute(Degrees(x1, "x1"), Degrees(y1, "y1"), Degrees(x2, "x2"), Degrees(y2, "y2"), flag);
  });
}

HRESULT TTarvo::ExecRoute(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2) {
  return Call("ExecRoute", [&](Ttvmap&) {
    routes_->ExecRoute(Degrees(x1, "x1"), Degrees(y1, "y1"), Degrees(x2, "x2"), Degrees(y2, "y2"));
  });
}

// The member has no result of its own: the dialog's result (1 OK, 2 Cancel,
// 3 OK with changed report settings) is the result text.
HRESULT TTarvo::ExecRoadOption() {
  return Call("ExecRoadOption", [&](Ttvmap& p) { p.SetResultText(std::to_string(routes_->ExecRoadOption())); });
}

}  // namespace quelmar::automation
