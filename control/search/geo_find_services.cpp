#include "control/search/geo_find_services.h"

namespace quelmar::search {

GeoFindServices MakeGeoFindServices(PlaceSearch& places, const PlaceQuery& placeQuery, StreetSearch& streets,
                                    const StreetSources& sources) {
  GeoFindServices services;
  services.ZipLine = [&places, &placeQuery](std::int32_t zip) {
    return ShortString(places.Zip(placeQuery, zip).value_or(""));
  };
  services.PlaceLine = [&places, &placeQuery](const ShortString& query) {
    ShortString first;
    PlaceReports reports;
    reports.Place = [&first](const std::string& line) {
      if (first.Empty()) first = line;
    };
    places.City(placeQuery, query, reports);
    return first;
  };
  services.PlaceLines = [&places, &placeQuery](const ShortString& query) {
    std::vector<ShortString> lines;
    PlaceQuery centred = placeQuery;
    centred.CentreMode = true;
    PlaceReports reports;
    reports.Place = [&lines](const std::string& line) { lines.emplace_back(line); };
    places.City(centred, query, reports);
    return lines;
  };
  services.Streets = [&streets, &sources](const StreetQuery& query,
                                          const std::function<void(const StreetReport&)>& report) {
    streets.SearchStreets(query, sources, report);
  };
  return services;
}

}  // namespace quelmar::search
