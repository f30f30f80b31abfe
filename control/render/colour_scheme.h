#pragma once
// Named colour schemes: each a full copy of the state colours 1..71 and the
// shade palette 1..24. Scheme 0 is the built-in "Default Colors" and is never
// stored; the user's schemes are 1..Count() and at most kMaxColourSchemes.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/render/shading_colours.h"

namespace quelmar::render {

inline constexpr int kMaxColourSchemes = 16;
inline constexpr std::size_t kSchemeNameMax = 20;
inline constexpr std::string_view kDefaultSchemeName = "Default Colors";
inline constexpr std::string_view kNewSchemeName = "UserColors";

struct ColourScheme {
  std::string Name;  // at most kSchemeNameMax characters
  std::array<std::uint32_t, kShadedStateCodes> States{};   // codes 1..71
  std::array<COLORREF, kPaletteEntries> Palette{};         // entries 1..24

  // The current colours under `name` (cut to kSchemeNameMax characters).
  static ColourScheme FromColours(std::string_view name, const ShadeColours& colours);
  // Copies the state colours 1..71 and the palette 1..24 into `colours`.
  void ApplyTo(ShadeColours& colours) const;

  friend bool operator==(const ColourScheme&, const ColourScheme&) = default;
};

class ColourSchemeStore {
 public:
  int Count() const { return static_cast<int>(schemes_.size()); }
  // Scheme k: 0 the built-in defaults, 1..Count() the user's.
  std::optional<ColourScheme> Scheme(int k) const;
  std::string Name(int k) const;  // "" for no scheme

  // The scheme named `name` (letter case aside, as a list box finds it),
  // 0 for "Default Colors"; nullopt when there is none.
  std::optional<int> Find(std::string_view name) const;

  // Copies scheme k's colours into `colours`; false when there is no scheme k.
  bool Apply(int k, ShadeColours& colours) const;
  // Copies the current colours into user scheme k (1..Count()); false otherwise.
  bool SaveInto(int k, const ShadeColours& colours);
  // Adds a scheme of the current colours; its number, or nullopt when the
  // store already holds kMaxColourSchemes.
  std::optional<int> Add(std::string_view name, const ShadeColours& colours);
  // Removes user scheme k; later schemes move down. False for 0 or no scheme.
  bool Remove(int k);

  // All user schemes in order (for the scheme file).
  const std::vector<ColourScheme>& Schemes() const { return schemes_; }
  // Replaces the user schemes; only the first kMaxColourSchemes are kept.
  void Assign(std::vector<ColourScheme> schemes);

 private:
  std::vector<ColourScheme> schemes_;
};

// The built-in "Default Colors" scheme.
ColourScheme DefaultColourScheme();

}  // namespace quelmar::render
