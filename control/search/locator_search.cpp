#include "control/search/locator_search.h"

#include <algorithm>
#include <cmath>

#include "control/core/coordinate_format.h"
#include "control/core/map_units.h"
#include "control/search/city_name.h"
#include "control/search/coordinate_pair.h"
#include "control/search/house_number.h"
#include "control/search/locator_address.h"
#include "control/search/result_line.h"
#include "control/search/title_case.h"

namespace quelmar::search {
namespace {

constexpr double kCityRadiusMiles = 16;
constexpr int kMaxTypedState = 20;

std::string Field(const std::string& row, int n) { return ResultField(ShortString(row), n).Str(); }

std::string Join(const std::vector<std::string>& fields) {
  std::string row;
  for (std::size_t i = 0; i < fields.size(); ++i) row += (i ? "\t" : "") + fields[i];
  return row;
}

std::string CollectedRow(const std::string& resultLine) {
  return Join({Field(resultLine, 1), Field(resultLine, 2), Field(resultLine, 3), Field(resultLine, 4),
               Field(resultLine, 5), "", Field(resultLine, 6) + "," + Field(resultLine, 7)});
}

// A leading "S ", "N ", "E " or "W " written out.
std::string WithDirectionWord(std::string name) {
  static const std::pair<const char*, const char*> kWords[] = {
      {"S ", "South "}, {"N ", "North "}, {"E ", "East "}, {"W ", "West "}};
  for (const auto& [letter, word] : kWords) {
    if (name.starts_with(letter)) return word + name.substr(2);
  }
  return name;
}

std::vector<SearchCentre> AddressCentres(const LocatorAddress& address, const ShortString& city,
                                         const LocatorServices& services) {
  std::vector<SearchCentre> centres = {services.ViewCentre};
  if (!address.Zip.Empty()) {
    centres.clear();
    const ShortString line = services.ZipLine ? services.ZipLine(std::atoi(address.Zip.Str().c_str())) : ShortString();
    const std::string lon = ResultField(line, 5).Str(), lat = ResultField(line, 6).Str();
    if (!lon.empty() && !lat.empty()) centres.push_back({std::atof(lon.c_str()), std::atof(lat.c_str())});
    return centres;
  }
  if (IsDigit(address.State.Last()) || city.Empty() || !services.PlaceLines) return centres;
  AddPlaceCentres(centres, city, address.State, services.PlaceLines);
  return centres;
}

std::string CoordinateText(double degrees) {
  return (degrees < 0 ? "-" : " ") + core::FormatFixed(std::abs(degrees), 4);
}

}  // namespace

std::vector<std::string> LocatorAddressRows(const ShortString& typed, const ShortString& cross,
                                            const LocatorServices& services) {
  const LocatorAddress address = SplitLocatorAddress(typed);
  const HouseNumberAndStreet numbered = ExtractHouseNumber(address.Street);
  const ShortString street = UpperCase(numbered.Street);
  const ShortString city = CityDirectionalPrefix(address.City);
  const std::vector<SearchCentre> centres = AddressCentres(address, city, services);
  const double radius = !address.City.Empty() || address.State.Empty() ? kCityRadiusMiles : 0;

  struct Row {
    std::string Text;
    bool Marked = false;
  };
  std::vector<Row> rows;
  bool cityContains = false, streetContains = false;
  const ShortString typedCity = city.Copy(1, city.Pos(",") > 0 ? city.Pos(",") - 1 : city.Length());
  if (services.Streets && !street.Empty()) {
    for (const SearchCentre& centre : centres) {
      StreetQuery query;
      query.Street = street;
      query.Cross = cross.Empty() ? ShortString("?") : UpperCase(cross);
      query.State = IsDigit(address.State.Last()) ? "" : address.State.Str();
      query.RadiusMiles = radius;
      query.CentreLon = centre.Lon;
      query.CentreLat = centre.Lat;
      query.HouseKey = numbered.Key;
      services.Streets(query, [&](const StreetReport& found) {
        Row row{UpperCase(ShortString(CollectedRow(found.Line))).Str()};
        cityContains = cityContains || CityContains(typedCity, ShortString(Field(row.Text, 2)));
        streetContains = streetContains || ShortString(Field(row.Text, 1)).Contains(street.View());
        rows.push_back(std::move(row));
      });
    }
  }
  std::vector<Row> kept;
  for (Row& row : rows) {
    if (cityContains && !CityContains(typedCity, ShortString(Field(row.Text, 2)))) continue;
    if (streetContains && !ShortString(Field(row.Text, 1)).Contains(street.View())) continue;
    if (ParseAddressRange(ShortString(Field(row.Text, 3))).Contains(numbered.Key)) {
      row.Marked = true;
      row.Text = ReplaceResultField(ShortString(row.Text), 3, HouseNumberText(numbered.Key)).Str();
    }
    kept.push_back(std::move(row));
  }
  std::stable_sort(kept.begin(), kept.end(), [](const Row& a, const Row& b) { return a.Text < b.Text; });
  std::vector<std::string> result;
  const bool anyMarked = std::any_of(kept.begin(), kept.end(), [](const Row& r) { return r.Marked; });
  std::string previous;
  bool first = true;
  for (const Row& row : kept) {
    const std::string key = Join({Field(row.Text, 1), Field(row.Text, 2), Field(row.Text, 3), Field(row.Text, 4)});
    if (!first && key == previous) continue;
    first = false;
    previous = key;
    if (!anyMarked || row.Marked) result.push_back(row.Text);
  }
  return result;
}

std::vector<std::string> LocatorPlaceRows(const ShortString& typed, const LocatorServices& services) {
  std::vector<std::string> rows;
  if (!services.PlaceLines || Trim(typed).Empty()) return rows;
  const int comma = typed.Pos(",");
  const ShortString query = comma > 0 ? typed.Copy(1, comma - 1) + "*," + typed.From(comma + 1).Copy(1, kMaxTypedState)
                                      : typed + "*,*";
  for (const ShortString& line : services.PlaceLines(TitleCaseName(query))) {
    std::string name = ResultField(line, 1).Str();
    name = WithDirectionWord(name.substr(0, name.find(':')));
    rows.push_back(Join({"", name, "", ResultField(line, 2).Str(), "", "",
                         ResultField(line, 3).Str() + "," + ResultField(line, 4).Str()}));
  }
  return rows;
}

std::vector<std::string> LocatorZipRows(const ShortString& pattern, const LocatorServices& services) {
  std::vector<std::string> rows;
  if (!services.ZipPatternLines) return rows;
  for (const std::string& line : services.ZipPatternLines(Trim(pattern))) {
    rows.push_back(Join({"", Field(line, 2), "", Field(line, 3), Field(line, 4), Field(line, 1),
                         Field(line, 5) + "," + Field(line, 6)}));
  }
  return rows;
}

std::vector<std::string> LocatorPhoneRows(const std::string& typed, const LocatorServices& services) {
  std::vector<std::string> rows;
  std::string digits;
  for (char c : typed) {
    if (c >= '0' && c <= '9') digits += c;
  }
  if (digits.size() < 3 || !services.ExchangeLines) return rows;
  for (const std::string& line : services.ExchangeLines(digits.substr(0, 6))) {
    const std::string prefix = Field(line, 1);
    rows.push_back(Join({"", Field(line, 2), "", Field(line, 3), Field(line, 4),
                         "(" + prefix.substr(0, 3) + ") " + prefix.substr(std::min<std::size_t>(3, prefix.size())),
                         Field(line, 5) + "," + Field(line, 6)}));
  }
  return rows;
}

std::optional<std::string> LocatorLonLatRow(const ShortString& typed, bool latitudeFirst) {
  const std::optional<CoordinatePair> pair = ParseCoordinatePair(typed);
  if (!pair) return std::nullopt;
  const double lon = core::UnitsToDegrees(latitudeFirst ? pair->Second : pair->First);
  const double lat = core::UnitsToDegrees(latitudeFirst ? pair->First : pair->Second);
  if (!(std::abs(lon) <= 180) || !(std::abs(lat) <= 90)) return std::nullopt;
  const std::string text = CoordinateText(lon) + "," + CoordinateText(lat);
  return "\t" + text + "\t\t\t\t\t" + text;
}

std::string LocatorRowText(const std::string& row) {
  std::string text;
  const std::string number = Field(row, 3);
  if (!number.empty() && number != "N/A") text += number + " ";
  const std::string street = Field(row, 1), place = Field(row, 2), sixth = Field(row, 6);
  if (!street.empty()) {
    text += street + ", ";
  } else if (!sixth.empty()) {
    text += sixth + " - ";
  }
  text += place;
  return TitleCaseName(ShortString(text)).Str() + ", " + Field(row, 4) + " " + Field(row, 5);
}

std::string LocatorResult(const std::string& row, bool zipTab) {
  const int order[] = {3, 1, 2, 4, zipTab ? 6 : 5, zipTab ? 5 : 6, 7};
  std::vector<std::string> fields;
  for (int n : order) fields.push_back(Field(row, n));
  return Join(fields);
}

}  // namespace quelmar::search
