#include "tools/quelmar-data/builder/inputs/region_codes.h"

#include <array>
#include <utility>

namespace quelmar::builder {
namespace {

template <std::size_t N>
std::string_view Lookup(const std::array<std::pair<std::string_view, std::string_view>, N>& table,
                        std::string_view key) {
  for (const auto& [admin1, code] : table) {
    if (admin1 == key) return code;
  }
  return "";
}

constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kCanada = {{
    {"01", "AB"},
    {"02", "BC"},
    {"03", "MB"},
    {"04", "NB"},
    {"05", "NF"},
    {"07", "NS"},
    {"08", "ON"},
    {"09", "PE"},
    {"10", "QC"},
    {"11", "SK"},
    {"12", "YK"},
    {"13", "NT"},
    {"14", "NU"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 32> kMexico = {{
    {"01", "AGU"}, {"02", "BCN"}, {"03", "BCS"}, {"04", "CAM"}, {"05", "CHP"}, {"06", "CHH"}, {"07", "COA"},
    {"08", "COL"}, {"09", "CMX"}, {"10", "DUR"}, {"11", "GUA"}, {"12", "GRO"}, {"13", "HID"}, {"14", "JAL"},
    {"15", "MEX"}, {"16", "MIC"}, {"17", "MOR"}, {"18", "NAY"}, {"19", "NLE"}, {"20", "OAX"}, {"21", "PUE"},
    {"22", "QUE"}, {"23", "ROO"}, {"24", "SLP"}, {"25", "SIN"}, {"26", "SON"}, {"27", "TAB"}, {"28", "TAM"},
    {"29", "TLA"}, {"30", "VER"}, {"31", "YUC"}, {"32", "ZAC"},
}};

}  // namespace

std::string_view CanadianProvinceCode(std::string_view geoNamesAdmin1) { return Lookup(kCanada, geoNamesAdmin1); }
std::string_view MexicanStateCode(std::string_view geoNamesAdmin1) { return Lookup(kMexico, geoNamesAdmin1); }

}  // namespace quelmar::builder
