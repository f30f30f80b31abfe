#pragma once
// The 72 landmark classes: a short name, a visible flag (the layer dialog's
// "Landmarks" tab and the configuration's "LAND=" lines) and, for classes
// 1..70, a colour class that picks the class's standard colour.
#include <array>
#include <optional>
#include <string_view>

namespace quelmar::render {

inline constexpr int kLandmarkClassCount = 72;

class LandmarkClasses {
 public:
  LandmarkClasses() { SetAllVisible(true); }

  static bool IsClass(int k) { return k >= 1 && k <= kLandmarkClassCount; }
  // "" for no class.
  static std::string_view Name(int k);
  // Classes whose names begin with "*" are not listed in the layer dialog.
  static bool Listed(int k) { return IsClass(k) && !Name(k).starts_with('*'); }
  // The standard colour index of class k; nullopt for classes 71, 72 and no class.
  static std::optional<int> ColourIndex(int k);

  bool Visible(int k) const { return IsClass(k) && visible_[k]; }
  // False (nothing changed) for no class.
  bool SetVisible(int k, bool visible);
  void SetAllVisible(bool visible);

 private:
  std::array<bool, kLandmarkClassCount + 1> visible_{};
};

}  // namespace quelmar::render
