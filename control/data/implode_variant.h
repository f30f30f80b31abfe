#pragma once
// The four variants of the PKWARE implode method (ZIP method 6). A member's
// general-purpose flags choose one: bit 1 gives an 8 KB sliding dictionary
// instead of 4 KB, bit 2 a third code tree for literals (and matches of at
// least 3 bytes instead of 2; without it literals go as 8 raw bits).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quelmar::data {

struct ImplodeVariant {
  bool largeDictionary = true;  // 8 KB (flag bit 1), else 4 KB
  bool literalTree = true;      // 3 trees (flag bit 2), else 2

  static constexpr ImplodeVariant FromFlags(std::uint16_t flags) {
    return {(flags & 2) != 0, (flags & 4) != 0};
  }
  constexpr std::uint16_t Flags() const {
    return static_cast<std::uint16_t>((largeDictionary ? 2 : 0) | (literalTree ? 4 : 0));
  }
  // A distance less one is sent as this many raw low bits under a 6-bit code.
  constexpr int LowDistanceBits() const { return largeDictionary ? 7 : 6; }
  constexpr std::uint32_t DictionarySize() const { return 64u << LowDistanceBits(); }
  constexpr std::uint32_t MinMatch() const { return literalTree ? 3 : 2; }
  // Length code 63 is followed by 8 raw bits that add 0..255.
  constexpr std::uint32_t MaxMatch() const { return MinMatch() + 63 + 255; }

  friend constexpr bool operator==(ImplodeVariant, ImplodeVariant) = default;
};

inline constexpr ImplodeVariant kImplodeVariants[] = {
    {false, false}, {true, false}, {false, true}, {true, true}};

// "4k2", "8k2", "4k3" or "8k3": dictionary size and number of trees.
std::string ImplodeVariantName(ImplodeVariant variant);
std::optional<ImplodeVariant> ParseImplodeVariant(std::string_view name);

}  // namespace quelmar::data
