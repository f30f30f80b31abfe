#include "control/render/colour_scheme.h"

#include "platform/kernel/ascii.h"

namespace quelmar::render {

ColourScheme ColourScheme::FromColours(std::string_view name, const ShadeColours& colours) {
  ColourScheme scheme;
  scheme.Name = std::string(name.substr(0, kSchemeNameMax));
  for (int code = 1; code <= kShadedStateCodes; ++code) scheme.States[code - 1] = colours.StateEntry(code);
  for (int entry = 1; entry <= kPaletteEntries; ++entry) scheme.Palette[entry - 1] = colours.PaletteEntry(entry);
  return scheme;
}

void ColourScheme::ApplyTo(ShadeColours& colours) const {
  for (int code = 1; code <= kShadedStateCodes; ++code) colours.SetStateEntry(code, States[code - 1]);
  for (int entry = 1; entry <= kPaletteEntries; ++entry) colours.SetPaletteEntry(entry, Palette[entry - 1]);
}

ColourScheme DefaultColourScheme() {
  ColourScheme scheme;
  scheme.Name = std::string(kDefaultSchemeName);
  for (int code = 1; code <= kShadedStateCodes; ++code) scheme.States[code - 1] = DefaultStateEntry(code);
  for (int entry = 1; entry <= kPaletteEntries; ++entry) scheme.Palette[entry - 1] = DefaultPaletteEntry(entry);
  return scheme;
}

std::optional<ColourScheme> ColourSchemeStore::Scheme(int k) const {
  if (k == 0) return DefaultColourScheme();
  if (k < 1 || k > Count()) return std::nullopt;
  return schemes_[k - 1];
}

std::string ColourSchemeStore::Name(int k) const {
  if (k == 0) return std::string(kDefaultSchemeName);
  return k >= 1 && k <= Count() ? schemes_[k - 1].Name : std::string();
}

std::optional<int> ColourSchemeStore::Find(std::string_view name) const {
  if (kernel::EqualsIgnoreCase(name, kDefaultSchemeName)) return 0;
  for (int k = 1; k <= Count(); ++k) {
    if (kernel::EqualsIgnoreCase(name, schemes_[k - 1].Name)) return k;
  }
  return std::nullopt;
}

bool ColourSchemeStore::Apply(int k, ShadeColours& colours) const {
  const std::optional<ColourScheme> scheme = Scheme(k);
  if (!scheme) return false;
  scheme->ApplyTo(colours);
  return true;
}

bool ColourSchemeStore::SaveInto(int k, const ShadeColours& colours) {
  if (k < 1 || k > Count()) return false;
  schemes_[k - 1] = ColourScheme::FromColours(schemes_[k - 1].Name, colours);
  return true;
}

std::optional<int> ColourSchemeStore::Add(std::string_view name, const ShadeColours& colours) {
  // The scheme file holds at most 16 records; a 17th would not survive a save.
  if (Count() >= kMaxColourSchemes) return std::nullopt;
  schemes_.push_back(ColourScheme::FromColours(name, colours));
  return Count();
}

bool ColourSchemeStore::Remove(int k) {
  if (k < 1 || k > Count()) return false;
  schemes_.erase(schemes_.begin() + (k - 1));
  return true;
}

void ColourSchemeStore::Assign(std::vector<ColourScheme> schemes) {
  if (schemes.size() > static_cast<std::size_t>(kMaxColourSchemes)) schemes.resize(kMaxColourSchemes);
  for (ColourScheme& s : schemes) {
    if (s.Name.size() > kSchemeNameMax) s.Name.resize(kSchemeNameMax);
  }
  schemes_ = std::move(schemes);
}

}  // namespace quelmar::render
