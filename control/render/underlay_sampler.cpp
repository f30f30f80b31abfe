#include "control/render/underlay_sampler.h"

#include <algorithm>

namespace quelmar::render {

UnderlaySampler::UnderlaySampler(UnderlayRowReader& rows, const UnderlayPlacement& placement)
    : rows_(rows), placement_(placement),
      imageRow_(static_cast<std::size_t>(placement.X.ImagePixels)),
      samples_(static_cast<std::size_t>(placement.Width()) + 1) {
  // Column stepping with an integer error term: the exact fraction
  // (W - 1) / (px2 - px1) from the clipped left edge on.
  const UnderlayAxis& x = placement.X;
  const std::int64_t start = placement.OffsetX() * (x.ImagePixels - 1);
  std::int64_t column = start / x.ScreenSpan;
  std::int64_t error = start % x.ScreenSpan;
  const std::int64_t step = (x.ImagePixels - 1) / x.ScreenSpan;
  const std::int64_t stepError = (x.ImagePixels - 1) % x.ScreenSpan;
  columns_.reserve(samples_.size());
  for (std::size_t i = 0; i < samples_.size(); ++i) {
    columns_.push_back(static_cast<std::int32_t>(std::min(column, x.ImagePixels - 1)));
    column += step;
    error += stepError;
    if (error >= x.ScreenSpan) {
      error -= x.ScreenSpan;
      ++column;
    }
  }
}

UnderlaySampler::SampledRow UnderlaySampler::Row(std::int32_t outputRow) {
  const std::int64_t imageRow = placement_.Y.ImageIndex(placement_.OffsetY() + outputRow);
  if (imageRow == currentImageRow_) return {samples_, false};
  // Image rows count from the top here; the file stores the bottom row first.
  rows_.ReadRow(static_cast<std::int32_t>(placement_.Y.ImagePixels - 1 - imageRow), imageRow_);
  for (std::size_t i = 0; i < samples_.size(); ++i) samples_[i] = imageRow_[static_cast<std::size_t>(columns_[i])];
  currentImageRow_ = imageRow;
  return {samples_, true};
}

}  // namespace quelmar::render
