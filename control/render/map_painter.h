#pragma once
// The paint pass: paints the loaded drawings for the current view in their
// order, culls what lies outside the view, projects what is left and draws
// it in its layer's style; the finishing passes follow.
#include <cstdint>
#include <string>
#include <vector>

#include "control/core/view_state.h"
#include "control/data/drawing_kind.h"
#include "control/data/loaded_drawings.h"
#include "control/render/label_engine.h"
#include "control/render/style_engine.h"
#include "control/render/projection.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

struct PaintCounters {
  std::int64_t Objects = 0;    // drawn
  std::int64_t Culled = 0;     // skipped by their box
  std::int32_t Drawings = 0;   // painted
};

class MapPainter {
 public:
  MapPainter(data::DrawingTable& table, StyleEngine& styles) : table_(table), styles_(styles) {}

  // Paints every due drawing for `view`. `rules` and `switches` decide which
  // drawings are due.
  void PaintMap(gdi::Canvas& canvas, const core::ViewState& view, const data::ScaleRules& rules,
                const data::LoadSwitches& switches, const PaintSetup& setup = {});

  // Paints drawing `index` alone (right after a one-off load): nothing when
  // it is not due.
  void PaintDrawing(gdi::Canvas& canvas, const core::ViewState& view, int index, const data::ScaleRules& rules,
                    const data::LoadSwitches& switches);

  const PaintCounters& Counters() const { return counters_; }

  // The labels collected and drawn with each paint; none when null.
  void SetLabels(LabelEngine* labels) { labels_ = labels; }

  // The drawings in paint order: the base map first, then by priority.
  std::vector<int> PaintOrder() const;

 private:
  bool Due(const data::LoadedDrawing& d, double scale, const data::ScaleRules& rules,
           const data::LoadSwitches& switches) const;
  // What the style preparation of a drawing of `kind` needs to know of the
  // other loaded drawings.
  DrawingStyleInputs StyleInputs(char kind, const data::ScaleRules& rules) const;
  void PaintObjects(gdi::Canvas& canvas, data::LoadedDrawing& drawing, const Projection& projection,
                    gdi::Size viewSize);
  void PaintLine(gdi::Canvas& canvas, const data::DrawObject& object, std::span<const TMapPoint> points,
                 const data::Attributes& attributes, const Projection& projection, gdi::Size viewSize);
  void BeginLabels(const core::ViewState& view, const PaintSetup& setup);
  void BeginDrawingLabels(const data::LoadedDrawing& drawing);
  // Hands a labelled object (a named point or a label text) to the labels.
  void LabelObject(gdi::Canvas& canvas, const data::DrawObject& object, const Projection& projection);
  // Whether the line is named and street names are wanted on its layer now,
  // so that no segment is chosen for a name that would be dropped.
  bool NamesLine(const data::DrawObject& object) const;
  // The street name of a named line, on the segment from `a` to `b`.
  void LabelLine(const data::DrawObject& object, TMapPoint a, TMapPoint b, const Projection& projection);

  data::DrawingTable& table_;
  StyleEngine& styles_;
  LabelEngine* labels_ = nullptr;
  PaintCounters counters_;
  std::string_view currentName_;  // the stored name of the lines that follow
  std::vector<TMapPoint> points_;                  // one polyline's map points
  std::vector<std::vector<gdi::Point>> runs_;      // its pixels
};

}  // namespace quelmar::render
