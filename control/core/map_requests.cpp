#include "control/core/map_requests.h"

namespace quelmar::core {

LabelSettings PaintLabels(const ControlSettings& settings) {
  LabelSettings labels = settings.Labels;
  labels.LabelFace = settings.Look.Font.face.substr(0, kMaxLabelFaceLength);
  return labels;
}

PaintRequest MakePaintRequest(const ViewState& view, const ControlSettings& settings, OutputKind output) {
  PaintRequest request;
  request.View = &view;
  request.Output = output;
  request.Layers = settings.Layers;
  request.Background = settings.Look.Color;
  request.Labels = PaintLabels(settings);
  request.Underlay = settings.Underlay;
  return request;
}

LoadRequest MakeLoadRequest(const ViewState& view, const ControlSettings& settings, ProblemReporter* problems) {
  const StartupSettings& s = settings.Startup;
  LoadRequest request;
  request.View = &view;
  request.Folders = {s.Path_states0, s.Path_states1, s.Path_data1, s.Path_data2};
  request.StreetExtension = settings.Options.archiveExtension;
  request.StreetVersion = settings.Options.streetDataVersion;
  request.Layers = settings.Layers;
  request.Problems = problems;
  return request;
}

}  // namespace quelmar::core
