#include "control/search/place_search.h"

#include <memory>

#include "control/core/control_context.h"
#include "control/core/scope_guards.h"
#include "control/search/exchange_lookup.h"
#include "control/search/place_lookup.h"
#include "control/search/zip_lookup.h"

namespace quelmar::search {

std::optional<std::string> PlaceSearch::Zip(const PlaceQuery& query, std::int32_t zip) {
  const SearchTableFile::Bytes bytes = tables_.Zip.Read(query.Folder);
  const std::optional<ZipHit> hit = FindZipCode(View(bytes), zip);
  if (!hit) return std::nullopt;
  return ZipResultLine(*hit);
}

void PlaceSearch::City(const PlaceQuery& query, const ShortString& text, const PlaceReports& reports) {
  const bool list = IsPlaceListQuery(text);
  if (!list && exactRunning_) return;
  const std::vector<ShortString> forms = PlaceQueryForms(text);
  if (list) {
    const auto report = [&](const std::string& line) {
      const auto& to = query.CentreMode ? reports.Place : reports.Street;
      if (to) to(line);
    };
    if (UserCityLines) {
      for (const std::string& line : UserCityLines(text, query.CentreMode)) report(line);
    }
    const SearchTableFile::Bytes bytes = tables_.Cities.Read(query.Folder);
    for (const ShortString& form : forms) {
      for (const Place& place : FindPlaceList(View(bytes), form)) {
        report(query.CentreMode ? PlaceLine(place, query.Decimals) : CityLine(place, query.Decimals));
      }
    }
    return;
  }
  const core::FlagScope running(exactRunning_);
  const SearchTableFile::Bytes bytes = tables_.Cities.Read(query.Folder);
  for (std::size_t i = 0; i < forms.size(); ++i) {
    const std::optional<Place> place = FindPlaceExact(View(bytes), forms[i]);
    if (!place || (i > 0 && !NameBeginsWithQuery(*place, forms[i]))) continue;
    if (reports.Place) reports.Place(PlaceLine(*place, query.Decimals));
  }
}

void PlaceSearch::Exchanges(const PlaceQuery& query, std::string_view text, const PlaceReports& reports) {
  const std::optional<PhonePrefix> prefix = ParsePhonePrefix(text);
  if (!prefix) return;
  const SearchTableFile::Bytes bytes = tables_.Exchanges.Read(query.Folder);
  for (const ExchangeHit& hit : FindExchanges(View(bytes), *prefix)) {
    if (reports.Place) reports.Place(ExchangeResultLine(hit));
  }
}

PlaceSearch& AttachPlaceSearch(core::ControlContext& context) {
  return context.Keep(std::make_shared<PlaceSearch>());
}

}  // namespace quelmar::search
