#pragma once
// Fixtures for the style tests: a scale rule where the scale of m miles is
// 1 / m, so a view's span in miles is simply 1 / scale, and a one-call style
// preparation at a given span and kind letter.
#include "control/render/style_preparation.h"

namespace quelmar::render::test {

inline double ScaleOfSpan(double miles) { return 1.0 / miles; }

inline SpanGauge GaugeAtSpan(double span, const DetailThresholds& thresholds = {}) {
  return SpanGauge(ScaleOfSpan(span), ScaleOfSpan, thresholds);
}

inline PaintStyleContext PaintAtSpan(double span) {
  return PaintStyleContext{GaugeAtSpan(span), 0, false, false, false, ShadingSwitches{}, RGB(0x99, 0xCC, 0x00),
                           RGB(0x96, 0xBA, 0xE0)};
}

struct Prepared {
  LayerStyleTable styles;
  ScaleVisibility visibility;
  PreparedSwitches switches;
};

inline Prepared Prepare(const PaintStyleContext& paint, const DrawingStyleInputs& drawing,
                        const UserLayerChoices& user = UserLayerChoices()) {
  Prepared p;
  PrepareLayerStyles(paint, drawing, user, p.styles, p.visibility, p.switches);
  return p;
}

inline Prepared Prepare(double span, char kind) {
  DrawingStyleInputs drawing;
  drawing.KindLetter = kind;
  return Prepare(PaintAtSpan(span), drawing);
}

}  // namespace quelmar::render::test
