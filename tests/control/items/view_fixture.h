#pragma once
// A view of one pixel per map unit with its south-west corner at (left,
// bottom): map (left + x, bottom + height - y) is pixel (x, y).
#include <cstdint>

#include "control/core/view_state.h"

namespace quelmar::items::test {

inline void OnePixelPerUnit(core::ViewState& view, std::int32_t left, std::int32_t bottom, std::int32_t width,
                            std::int32_t height) {
  core::TViewWindow& v = view.View();
  v.Left = left;
  v.Bottom = bottom;
  v.Scale = v.ScaleY = 1;
  v.Width = width;
  v.Height = height;
  view.DeriveEdges();
}

}  // namespace quelmar::items::test
