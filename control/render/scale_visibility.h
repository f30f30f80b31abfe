#pragma once
// The scale visibility flags: one per map layer 0..40, recomputed before each
// drawing is painted. Objects on a layer whose flag is off are not drawn.
#include <array>

namespace quelmar::render {

inline constexpr int kLastVisibilityLayer = 40;

class ScaleVisibility {
 public:
  ScaleVisibility() { ShowAll(); }

  // Layers outside 0..40 have no flag: they read as not drawn and setting
  // them changes nothing.
  bool Visible(int layer) const { return InRange(layer) && flags_[layer]; }
  void Set(int layer, bool visible) {
    if (InRange(layer)) flags_[layer] = visible;
  }
  void Show(int layer) { Set(layer, true); }
  void Hide(int layer) { Set(layer, false); }
  void ShowAll() { flags_.fill(true); }

  friend bool operator==(const ScaleVisibility&, const ScaleVisibility&) = default;

 private:
  static constexpr bool InRange(int layer) { return layer >= 0 && layer <= kLastVisibilityLayer; }
  std::array<bool, kLastVisibilityLayer + 1> flags_{};
};

}  // namespace quelmar::render
