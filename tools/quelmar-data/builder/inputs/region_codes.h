#pragma once
// Province and state codes of Canada and Mexico for GeoNames' numeric
// first-level codes. Canada uses the engine's province codes (NF, YK; NU for
// Nunavut, which its table lacks), Mexico the ISO 3166-2 state codes.
#include <string_view>

namespace quelmar::builder {

// "" for a code that is not known.
std::string_view CanadianProvinceCode(std::string_view geoNamesAdmin1);
std::string_view MexicanStateCode(std::string_view geoNamesAdmin1);

}  // namespace quelmar::builder
