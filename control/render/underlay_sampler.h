#pragma once
// Nearest-neighbour sampling of an underlay image into the clipped screen
// rectangle of its placement. Output rows step through the image rows; an
// image row is read (and for ".PCC" decompressed) only when the stepping
// reaches a new one, then stretched or shrunk to the output width the same way.
#include <cstdint>
#include <span>
#include <vector>

#include "control/render/underlay_placement.h"
#include "control/render/underlay_row_reader.h"

namespace quelmar::render {

class UnderlaySampler {
 public:
  // `rows` and `placement` must outlive the sampler.
  UnderlaySampler(UnderlayRowReader& rows, const UnderlayPlacement& placement);

  struct SampledRow {
    // placement.Width() + 1 samples: one per output pixel, then the sample one
    // pixel past the right edge (cut to the image), which the relief
    // smoothing reads.
    std::span<const std::uint8_t> Samples;
    bool NewImageRow = false;  // false when the row repeats the previous call's image row
  };

  // Output row `outputRow` (0 = the top of the clipped rectangle). Rows are
  // asked for top to bottom. Throws what the row reader throws.
  SampledRow Row(std::int32_t outputRow);

 private:
  UnderlayRowReader& rows_;
  const UnderlayPlacement& placement_;
  std::vector<std::int32_t> columns_;  // image column of each sample
  std::vector<std::uint8_t> imageRow_;
  std::vector<std::uint8_t> samples_;
  std::int64_t currentImageRow_ = -1;
};

}  // namespace quelmar::render
