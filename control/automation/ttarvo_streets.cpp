// The street search members of TTarvo: FindStr reports every hit of one
// search, GeoFind geocodes one address string; each hit goes out as the
// Street text (with its quality in MatchInfo) and the Find event.
#include <algorithm>

#include "control/automation/ttarvo.h"
#include "control/core/scope_guards.h"
#include "control/automation/ttarvo_guard.h"
#include "control/core/errors.h"
#include "control/search/geo_find.h"
#include "control/search/geo_find_services.h"
#include "control/dialogs/place_dialogs.h"
#include "control/search/coordinate_pair.h"
#include "control/search/result_line.h"
#include "control/search/street_name.h"
#include "control/search/zip_lookup.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::automation {

using guard::AnsiArg;
using guard::Degrees;
using guard::Out;
using guard::Utf8Result;

namespace {

// The centre of the panel's view, where searches look without a place.
search::SearchCentre ViewCentre(Ttvmap& panel) {
  const core::ViewState& view = panel.view();
  return {(view.LonLeft() + view.LonRight()) / 2, (view.LatBottom() + view.LatTop()) / 2};
}

}  // namespace

search::StreetSources TTarvo::StreetSourcesOf(Ttvmap& panel) {
  const core::ControlSettings& settings = context_->Settings().Get();
  search::StreetSources sources;
  sources.States0 = settings.Startup.Path_states0;
  sources.States1 = settings.Startup.Path_states1;
  sources.Extension = settings.Options.archiveExtension;
  sources.StreetVersion = settings.Options.streetDataVersion;
  sources.Loaded = &model_->Drawings();
  sources.Problems = &panel.Problems();
  sources.UserDecimals = panel.view().CoordDecimals();
  return sources;
}

void TTarvo::ReportStreet(Ttvmap& panel, const std::string& line, const search::MatchQuality& quality) {
  panel.SetStreet(line);
  matchInfo_ = search::MatchInfoText(quality);
  if (panel.events.OnFind) panel.events.OnFind();
}

HRESULT TTarvo::FindStr(const std::string& temp, const std::string& temp2, std::int32_t add, const Variant& xctr,
                        const Variant& yctr, const Variant& mradius, const std::string& ststr) {
  return Call("FindStr", [&](Ttvmap& p) {
    search::StreetQuery query;
    query.Street = search::ShortString(AnsiArg(temp));
    query.Cross = search::ShortString(AnsiArg(temp2));
    query.HouseKey = add;
    query.CentreLon = Degrees(xctr, "xctr");
    query.CentreLat = Degrees(yctr, "yctr");
    query.RadiusMiles = Degrees(mradius, "mradius");
    query.State = AnsiArg(ststr);
    guard::CheckSearchCircle(query.CentreLon, query.CentreLat, query.RadiusMiles);
    search::TypedAddress typed;
    typed.HouseKey = add;
    typed.Street = search::NormalizeStreetName(search::UpperCase(query.Street));
    streetSearch_->SearchStreets(query, StreetSourcesOf(p), [&](const search::StreetReport& hit) {
      ReportStreet(p, hit.Line, search::StreetLineQuality(typed, hit.Line));
    });
  });
}

HRESULT TTarvo::GeoFind(const std::string& Street, std::int32_t* retval) {
  return Call("GeoFind", [&](Ttvmap& p) {
    const search::PlaceQuery places = PlaceQueryOf(p);
    const search::StreetSources sources = StreetSourcesOf(p);
    search::GeoFindServices services = search::MakeGeoFindServices(*placeSearch_, places, *streetSearch_, sources);
    services.ReportPlaces = [&](const search::ShortString& query, const search::MatchQuality& quality) {
      search::PlaceQuery centred = places;
      centred.CentreMode = true;
      search::PlaceReports reports = PlaceReportsOf(p);
      const auto toHost = reports.Place;
      reports.Place = [&, toHost, quality](const std::string& line) {
        matchInfo_ = search::MatchInfoText(quality);
        toHost(line);
      };
      placeSearch_->City(centred, query, reports);
    };
    services.ViewCentre = ViewCentre(p);
    Out(retval) = search::GeoFind(search::ShortString(AnsiArg(Street)), services,
                                  [&](const search::GeoFindHit& hit) { ReportStreet(p, hit.Line, hit.Quality); });
  });
}

search::LocatorServices TTarvo::LocatorServicesOf(Ttvmap& p, const search::PlaceQuery& places,
                                                 const search::StreetSources& sources) {
  const search::GeoFindServices geo = search::MakeGeoFindServices(*placeSearch_, places, *streetSearch_, sources);
  search::LocatorServices services;
  services.ZipLine = geo.ZipLine;
  services.PlaceLines = geo.PlaceLines;
  services.Streets = geo.Streets;
  services.ZipPatternLines = [this, places](const search::ShortString& pattern) {
    std::vector<std::string> lines;
    const auto bytes = placeSearch_->Tables().Zip.Read(places.Folder);
    for (const search::ZipHit& hit : search::FindZipPattern(search::View(bytes), pattern)) {
      lines.push_back(search::ZipResultLine(hit));
    }
    return lines;
  };
  services.ExchangeLines = [this, places](const std::string& prefix) {
    std::vector<std::string> lines;
    search::PlaceReports reports;
    reports.Place = [&lines](const std::string& line) { lines.push_back(line); };
    placeSearch_->Exchanges(places, prefix, reports);
    return lines;
  };
  services.ViewCentre = ViewCentre(p);
  return services;
}

HRESULT TTarvo::ExecSearch(const std::string& title, std::int32_t t) {
  return Call("ExecSearch", [&](Ttvmap& p) {
    const search::PlaceQuery places = PlaceQueryOf(p);
    const search::StreetSources sources = StreetSourcesOf(p);
    if (!locator_) locator_ = std::make_unique<dialogs::LocatorDialog>();
    const int tab = std::clamp(t & 7, 0, 4);
    locator_->Open(AnsiArg(title), static_cast<dialogs::LocatorTab>(tab), LocatorServicesOf(p, places, sources),
                   p.options().Coords == CdLatLon);
    locator_->SetMarkPoint(context_->Settings().Search().MarkPoint);
    {
      core::FlagScope open(locatorOpen_);  // Finditem answers 0 meanwhile
      ui::RunModal(locator_->Dialog());
    }
    const bool markPoint = locator_->MarkPoint();
    context_->Settings().Change(&core::ControlSettings::Search, [&](core::SearchSettings& s) { s.MarkPoint = markPoint; });
    if (locator_->Dialog().Pressed() != dialogs::kLocatorOk || locator_->Result().empty()) return;
    p.SetResultText(locator_->Result());
    if (t & 8) return;
    // Field 7 of the result is the point, longitude first.
    const std::optional<search::CoordinatePair> point =
        search::ParseCoordinatePair(search::ResultField(search::ShortString(locator_->Result()), 7));
    if (!point) return;
    const double lon = core::UnitsToDegrees(point->First), lat = core::UnitsToDegrees(point->Second);
    // The scale is set at the point (miles per inch depend on the latitude),
    // and the view, which scales about its south-west corner, centred again.
    if (markPoint) {
      items_->SetBubble(core::TMapPoint{point->First, point->Second},
                        dialogs::MarkPointLabel(locator_->Tab(), locator_->Result()));
    }
    p.GotoPoint(lon, lat);
    p.SetMiles(locator_->ZoomMiles());
    p.GotoPoint(lon, lat);
    p.Redraw();
  });
}

HRESULT TTarvo::ExecStreet() {
  return Call("ExecStreet", [&](Ttvmap& p) {
    const search::PlaceQuery places = PlaceQueryOf(p);
    const search::StreetSources sources = StreetSourcesOf(p);
    dialogs::FindStreetServices services;
    services.ZipLine = [&](std::int32_t zip) { return search::ShortString(placeSearch_->Zip(places, zip).value_or("")); };
    services.Search = [&](const search::StreetAreaQuery& query) { return streetSearch_->SearchArea(query, sources); };
    // The hit is marked with the result bubble, labelled with its name.
    services.Goto = [&p, this](double lon, double lat, double miles, const std::string& name) {
      p.GotoPoint(lon, lat);
      p.SetMiles(miles);
      p.GotoPoint(lon, lat);
      bool overflow = false;
      const core::TMapPoint at{core::DegreesToUnits(lon, overflow), core::DegreesToUnits(lat, overflow)};
      if (!overflow) items_->SetBubble(at, name);
    };
    services.Centre = ViewCentre(p);
    dialogs::FindStreetDialog dialog(std::move(services), findStreet_);
    dialogs::RunPlaceDialog(p, dialog.Dialog());
  });
}

HRESULT TTarvo::get_MatchInfo(std::string* value) {
  return Call("MatchInfo", [&](Ttvmap&) { Out(value) = Utf8Result(matchInfo_); });
}

}  // namespace quelmar::automation
