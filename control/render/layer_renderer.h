#pragma once
// What the map painter asks of the layer styles: which layers a drawing
// shows, and the drawing of each projected line or ring in its layer's
// style, including the lines the styles hold back for the finishing passes
// (cased lines, deferred boundaries).
#include <span>
#include <vector>

#include "control/data/draw_object.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

// One object as the painter hands it over: its layer and feature code, its
// attributes (state number, area code, address range) and its pixels.
struct ProjectedObject {
  int Layer = 0;
  std::uint8_t FeatureCode = 0;
  data::Attributes Attributes;
  bool Closed = false;  // first and last map point equal: a ring
  // A ring: one run. A line: its runs inside the pixel limits.
  std::span<const std::vector<gdi::Point>> Runs;
};

class LayerRenderer {
 public:
  virtual ~LayerRenderer() = default;
  // Start and end of a map paint; `scale` is the view's pixels per map unit.
  virtual void BeginPaint(gdi::Canvas& canvas, double scale) = 0;
  // Before the objects of a drawing of kind letter `kind` are painted.
  virtual void BeginDrawing(char kind) = 0;
  virtual bool LayerShown(int layer) const = 0;
  virtual void DrawObject(gdi::Canvas& canvas, const ProjectedObject& object) = 0;
  // After every drawing: the lines held back (cased lines, boundaries).
  virtual void FinishDrawings(gdi::Canvas& canvas) = 0;
  virtual void EndPaint() = 0;
};

}  // namespace quelmar::render
