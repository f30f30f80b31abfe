// Label texts and names of any bytes, offered to the label engine as every
// kind of candidate and drawn: the first bytes choose the feature code, the
// scale and the pixel, the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/render/label_engine.h"
#include "platform/gdi/recording_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar;
  if (size < 4) return 0;
  static const double kSpans[] = {0.1, 0.4, 2, 20, 60, 200, 600};
  core::ViewState view;
  view.View().Width = 640;
  view.View().Height = 480;
  view.ZoomWindow(-88, 42, -87, 41);
  view.SetViewScale(view.ScaleForMilesAt40(kSpans[data[1] % 7]));
  view.DeriveEdges();
  render::LabelEngine labels;
  render::LabelPaintSetup setup;
  setup.BlackWhite = (data[2] & 1) != 0;
  setup.LandmarksLoaded = (data[2] & 2) != 0;
  setup.DeviceOutput = (data[2] & 4) != 0;
  labels.BeginPaint(view, setup);
  labels.BeginDrawing((data[2] & 8) ? 'P' : 'M', [](int) { return true; });
  gdi::RecordingCanvas canvas({640, 480});
  const std::uint8_t code = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);
  const gdi::Point p{data[3] * 3 - 50, data[3] * 2 - 30};
  for (int i = 0; i < 3; ++i) {
    const gdi::Point at{p.x + 40 * i, p.y + 17 * i};
    labels.NamedPoint(canvas, code, text, at, static_cast<std::int32_t>(data[3]) * 1000 - 5000);
    labels.TextLabel(canvas, code, text, at);
    labels.AlongSegment(text, at, {at.x + 90, at.y - 30 * i}, code % 40, data[3] % 16);
  }
  labels.DrawLabelPasses(canvas);
  labels.DrawLastPasses(canvas);
  return 0;
}
