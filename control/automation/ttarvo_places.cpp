// The place, ZIP code and exchange members of TTarvo: the lookups report
// through the panel's result and Street texts and its FindPlace and Find
// events, and the dialogs move the map around the view they were opened on.
#include <cmath>

#include "control/automation/ttarvo.h"
#include "control/automation/ttarvo_guard.h"
#include "control/core/errors.h"
#include "control/dialogs/place_dialogs.h"
#include "control/search/closest_place.h"

namespace quelmar::automation {

using guard::AnsiArg;
using guard::Out;
using guard::Utf8Result;

search::PlaceQuery TTarvo::PlaceQueryOf(Ttvmap& panel) {
  search::PlaceQuery query;
  query.Folder = context_->Settings().Startup().Path_data3;
  query.Decimals = panel.view().CoordDecimals();
  return query;
}

search::PlaceReports TTarvo::PlaceReportsOf(Ttvmap& panel) {
  search::PlaceReports reports;
  reports.Place = [&panel](const std::string& line) {
    panel.SetResultText(line);
    if (panel.events.OnFindPlace) panel.events.OnFindPlace();
  };
  reports.Street = [&panel](const std::string& line) {
    panel.SetStreet(line);
    if (panel.events.OnFind) panel.events.OnFind();
  };
  return reports;
}

HRESULT TTarvo::FindZip(std::int32_t zip) {
  return Call("FindZip", [&](Ttvmap& p) {
    if (zip == 0) return;
    p.SetResultText(placeSearch_->Zip(PlaceQueryOf(p), zip).value_or(""));
  });
}

HRESULT TTarvo::FindCity(const std::string& temp) {
  return Call("FindCity", [&](Ttvmap& p) { placeSearch_->City(PlaceQueryOf(p), AnsiArg(temp), PlaceReportsOf(p)); });
}

HRESULT TTarvo::FindACEX(const std::string& temp) {
  return Call("FindACEX", [&](Ttvmap& p) { placeSearch_->Exchanges(PlaceQueryOf(p), AnsiArg(temp), PlaceReportsOf(p)); });
}

HRESULT TTarvo::FindClosestPlace(double x, double y, double r, std::int32_t pop, std::int32_t t, std::string* retval) {
  return Call("FindClosestPlace", [&](Ttvmap& p) {
    if (!(std::abs(x) <= 180)) throw ArgumentError("Argument x is not a longitude (-180 to 180 degrees)");
    if (!(std::abs(y) <= 90)) throw ArgumentError("Argument y is not a latitude (-90 to 90 degrees)");
    if (!(r >= 0 && r <= 25000)) throw ArgumentError("Argument r is not a radius of 0 to 25000 miles");
    search::ClosestPlaceRequest request;
    request.Lon = x;
    request.Lat = y;
    request.RadiusMiles = r;
    request.Population = pop;
    request.Test = t > 0 ? 1 : t < 0 ? -1 : 0;
    request.Decimals = p.view().CoordDecimals();
    request.CityFolder = context_->Settings().Startup().Path_data1;
    const std::vector<data::PlaceObject> userPlaces =
        placeSearch_->UserPlaces ? placeSearch_->UserPlaces() : std::vector<data::PlaceObject>{};
    request.UserPlaces = userPlaces;
    Out(retval) = Utf8Result(search::FindClosestPlace(request));
  });
}

template <typename Dialog>
HRESULT TTarvo::RunPlaceDialog(const char* member) {
  return Call(member, [&](Ttvmap& p) {
    dialogs::PlaceDialogServices services;
    services.Tables = &placeSearch_->Tables();
    services.Folder = context_->Settings().Startup().Path_data3;
    // The scale is set at the point (miles per inch depend on the latitude),
    // and the view, which scales about its south-west corner, centred again.
    services.Goto = [&p](double lon, double lat, double miles) {
      p.GotoPoint(lon, lat);
      p.SetMiles(miles);
      p.GotoPoint(lon, lat);
    };
    Dialog dialog(std::move(services));
    dialogs::RunPlaceDialog(p, dialog.Dialog());
  });
}

HRESULT TTarvo::ExecPlace() { return RunPlaceDialog<dialogs::PlaceDialog>("ExecPlace"); }
HRESULT TTarvo::ExecZipcode() { return RunPlaceDialog<dialogs::ZipDialog>("ExecZipcode"); }
HRESULT TTarvo::ExecPhone() { return RunPlaceDialog<dialogs::PhoneDialog>("ExecPhone"); }
HRESULT TTarvo::ExecLonLat() { return RunPlaceDialog<dialogs::LonLatDialog>("ExecLonLat"); }

}  // namespace quelmar::automation
