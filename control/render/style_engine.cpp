#include "control/render/style_engine.h"

#include <stdexcept>

#include "control/data/feature_code.h"
#include "control/render/colour_scheme_file.h"
#include "control/render/style_ring_fill.h"
#include "control/render/style_strokes.h"

namespace quelmar::render {

StyleEngine::StyleEngine()
    : styles_(user_.Layers()), savedStyles_(styles_) {}

void StyleEngine::BeginPaint(const core::ViewState& view, const PaintSetup& setup) {
  savedStyles_ = styles_;
  savedVisibility_ = visibility_;
  fullPaint_ = setup.FullPaint;
  blackWhiteOutput_ = (blackWhite_.On() || setup.Monochrome) && setup.DeviceOutput;
  paintBlackWhite_ = blackWhite_;
  if (setup.Monochrome && setup.DeviceOutput) paintBlackWhite_.SetOn(true);
  const bool suspended = setup.UnderlayShown || setup.PrintWithoutShading;
  activeShading_ = suspended ? ShadingSwitches::AllOff() : setup.Shading;
  paint_.emplace(PaintStyleContext{SpanGauge::ForView(view, thresholds_), view.View().Top, paintBlackWhite_.On(),
                                   blackWhiteOutput_, underlayDrawn_, activeShading_, colours_.Land(),
                                   colours_.Water()});
  areas_.BeginPaint();
  casedLines_.Clear();
  deferred_.Clear();
}

void StyleEngine::PrepareDrawing(const DrawingStyleInputs& drawing) {
  if (!paint_) throw std::logic_error("layer styles prepared outside a paint");
  PrepareLayerStyles(*paint_, drawing, user_, styles_, visibility_, switches_);
}

bool StyleEngine::FeatureDrawn(std::uint8_t featureCode) const {
  return LayerDrawn(data::FeatureLayer(featureCode)) && user_.FeatureVisible(featureCode);
}

ObjectStyleContext StyleEngine::SelectionContext(bool deferral) {
  return ObjectStyleContext{styles_, switches_, colours_, activeShading_, paintBlackWhite_, blackWhiteOutput_,
                            deferral, areas_};
}

ObjectStyle StyleEngine::StyleObject(const ObjectQuery& object, std::span<const gdi::Point> points) {
  ObjectStyle style = SelectObjectStyle(SelectionContext(fullPaint_ && Painting()), object);
  if (style.Disposition == StyleDisposition::Defer && !deferred_.Add(object, points)) {
    // The list is full: the boundary is drawn now, above its halo.
    ObjectStyle now = SelectObjectStyle(SelectionContext(false), object);
    StrokeList strokes = style.Strokes;
    for (const StrokePass& pass : now.Strokes.Passes()) strokes.Add(pass);
    now.Strokes = strokes;
    return now;
  }
  if (style.Disposition == StyleDisposition::Queue && !casedLines_.Add(style.Cased, points)) {
    style.Disposition = StyleDisposition::Draw;
    style.Strokes = CasedLineStrokes(style.Cased, blackWhiteOutput_, switches_.StreetStyle);
  }
  return style;
}

void StyleEngine::DrawObject(gdi::Canvas& canvas, const ObjectQuery& object, std::span<const gdi::Point> points,
                             gdi::Size view) {
  const ObjectStyle style = StyleObject(object, points);
  if (style.Fill) FillRing(canvas, points, *style.Fill, view);
  DrawStrokes(canvas, points, style.Strokes);
}

void StyleEngine::DrawCasedLines(gdi::Canvas& canvas) {
  casedLines_.Draw(canvas, blackWhiteOutput_, switches_.StreetStyle);
}

void StyleEngine::DrawDeferredBoundaries(gdi::Canvas& canvas, gdi::Size view) {
  for (const DeferredBoundary& boundary : deferred_.Take()) {
    const ObjectStyle style = SelectObjectStyle(SelectionContext(false), boundary.Object);
    if (style.Fill) FillRing(canvas, boundary.Points, *style.Fill, view);
    DrawStrokes(canvas, boundary.Points, style.Strokes);
  }
}

void StyleEngine::DrawFinishingPasses(gdi::Canvas& canvas, gdi::Size view) {
  DrawCasedLines(canvas);
  DrawDeferredBoundaries(canvas, view);
}

void StyleEngine::EndPaint() {
  styles_ = savedStyles_;
  visibility_ = savedVisibility_;
  areas_.EndPaint();
  casedLines_.Clear();
  deferred_.Clear();
  paint_.reset();
  blackWhiteOutput_ = false;
}

std::optional<std::int32_t> StyleEngine::ColourOption(std::int32_t n, std::int32_t v) {
  return ColourSlotOption(colours_, slotMemory_, palette_, n, v);
}

bool StyleEngine::LoadColourSchemes(const std::filesystem::path& folder) { return LoadColourSchemeFile(folder, schemes_); }

bool StyleEngine::SaveColourSchemes(const std::filesystem::path& folder) const {
  return SaveColourSchemeFile(folder, schemes_);
}

}  // namespace quelmar::render
