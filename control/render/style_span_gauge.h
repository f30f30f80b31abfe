#pragma once
// The scale tests of the style rules. The span of a view is the number of
// miles one screen inch covers at latitude 40° N (whatever the view's
// latitude); a span greater than m means the view's scale (pixels per map
// unit) is below the scale of m miles. Every mile value a rule uses is
// converted to a scale once, when the gauge is made at the start of a paint.
#include <array>
#include <functional>

#include "control/core/view_state.h"
#include "control/render/style_detail_thresholds.h"

namespace quelmar::render {

class SpanGauge {
 public:
  // The mile values of the rules: the detail thresholds, then fixed ones.
  enum Mark : int {
    T0, T1, T2, T3, T4, T5, T6, T7, T8, T9, T10, T11, T12, T13,
    Miles2, Miles5, Miles25, Miles50, Miles200, Miles250, Miles500,
    TwiceT13,    // the upper end of the first street-map style
    SixteenT12,  // interstates thin out and major cities go beyond it
    kMarkCount
  };

  // scaleForMiles: the scale at which one inch spans the given miles at 40° N.
  SpanGauge(double scale, const std::function<double(double)>& scaleForMiles, const DetailThresholds& thresholds);
  // The gauge of a view's current scale and pixels per inch.
  static SpanGauge ForView(const core::ViewState& view, const DetailThresholds& thresholds);

  double Scale() const { return scale_; }
  double ScaleOf(Mark mark) const { return scales_[mark]; }

  bool SpanBelow(Mark mark) const { return scale_ > scales_[mark]; }     // span < m
  bool SpanAbove(Mark mark) const { return scale_ < scales_[mark]; }     // span > m
  bool SpanAtMost(Mark mark) const { return scale_ >= scales_[mark]; }   // span <= m
  bool SpanAtLeast(Mark mark) const { return scale_ <= scales_[mark]; }  // span >= m

 private:
  double scale_;
  std::array<double, kMarkCount> scales_{};
};

}  // namespace quelmar::render
