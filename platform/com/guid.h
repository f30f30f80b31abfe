#pragma once
// Globally unique identifiers in the registry text form
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quelmar::com {

struct GUID {
  std::uint32_t Data1 = 0;
  std::uint16_t Data2 = 0;
  std::uint16_t Data3 = 0;
  std::array<std::uint8_t, 8> Data4{};

  friend bool operator==(const GUID&, const GUID&) = default;
  friend auto operator<=>(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;

// Upper-case text with braces, as the registry stores it.
std::string GuidToString(const GUID& g);
// Accepts the text with or without braces, any letter case; nullopt otherwise.
std::optional<GUID> GuidFromString(std::string_view text);

constexpr GUID MakeGuid(std::uint32_t d1, std::uint16_t d2, std::uint16_t d3,
                        std::array<std::uint8_t, 8> d4) {
  return GUID{d1, d2, d3, d4};
}

}  // namespace quelmar::com
