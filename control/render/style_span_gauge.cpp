#include "control/render/style_span_gauge.h"

#include <cmath>
#include <limits>

namespace quelmar::render {

SpanGauge::SpanGauge(double scale, const std::function<double(double)>& scaleForMiles,
                     const DetailThresholds& thresholds)
    : scale_(scale) {
  auto convert = [&](double miles) {
    // No span is below 0 miles: a zero threshold is an infinite scale, not
    // the 0 that the scale formula gives for it.
    if (!(miles > 0)) return std::numeric_limits<double>::infinity();
    return scaleForMiles(miles);
  };
  for (int i = 0; i < kDetailThresholdCount; ++i) scales_[T0 + i] = convert(thresholds.Miles(i));
  scales_[Miles2] = convert(2);
  scales_[Miles5] = convert(5);
  scales_[Miles25] = convert(25);
  scales_[Miles50] = convert(50);
  scales_[Miles200] = convert(200);
  scales_[Miles250] = convert(250);
  scales_[Miles500] = convert(500);
  scales_[TwiceT13] = convert(2 * thresholds.Miles(13));
  scales_[SixteenT12] = convert(16 * thresholds.Miles(12));
}

SpanGauge SpanGauge::ForView(const core::ViewState& view, const DetailThresholds& thresholds) {
  return SpanGauge(view.View().Scale, [&view](double miles) { return view.ScaleForMilesAt40(miles); }, thresholds);
}

}  // namespace quelmar::render
