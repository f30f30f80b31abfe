#pragma once
// A plain renderer: each layer in its standard colour, areas of the water
// and park layers filled. Used until the layer styles are attached.
#include "control/render/layer_renderer.h"

namespace quelmar::render {

class BasicLayerRenderer final : public LayerRenderer {
 public:
  void BeginPaint(gdi::Canvas&, double) override {}
  void BeginDrawing(char) override {}
  bool LayerShown(int layer) const override { return layer != 21; }
  void DrawObject(gdi::Canvas& canvas, const ProjectedObject& object) override;
  void FinishDrawings(gdi::Canvas&) override {}
  void EndPaint() override {}
};

}  // namespace quelmar::render
