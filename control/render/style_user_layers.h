#pragma once
// The user's layer choices: which map layers to show at all (the layer
// dialog's "Layers" tab and the configuration's "LAYER=" lines), kept in the
// control's layer table, and whether vehicular trails are shown.
#include <cstdint>

#include "control/data/layer_table.h"

namespace quelmar::render {

// Feature codes 86..89 are the vehicular trails (CFCC A50..A53); they draw
// on the "Roads:" layer, so the trails choice works on their codes.
inline constexpr std::uint8_t kFirstTrailCode = 86;
inline constexpr std::uint8_t kLastTrailCode = 89;

class UserLayerChoices {
 public:
  // Layers 1..33 follow the layer table; layers 34..40 have no setting and
  // are always shown; anything else reads as not shown.
  bool Visible(int layer) const;
  // False (nothing changed) for layers outside 1..33.
  bool SetVisible(int layer, bool visible);

  bool TrailsVisible() const { return trailsVisible_; }
  void SetTrailsVisible(bool visible) { trailsVisible_ = visible; }
  // False only for a trail's feature code while trails are hidden.
  bool FeatureVisible(std::uint8_t code) const {
    return trailsVisible_ || code < kFirstTrailCode || code > kLastTrailCode;
  }

  data::LayerTable& Layers() { return layers_; }
  const data::LayerTable& Layers() const { return layers_; }

 private:
  data::LayerTable layers_;
  bool trailsVisible_ = true;
};

}  // namespace quelmar::render
