#pragma once
// LabelEngine: the labels of one control. The painter hands it every label
// candidate while it paints the drawings; the engine decides what is wanted
// at the current scale, places it where it meets no label already placed,
// and draws everything accepted in the finishing passes, above the map:
//
//   labels.BeginPaint(view, setup);              // collections emptied, fonts made
//   for each drawing: labels.BeginDrawing(kind, layerVisible);
//     labels.NamedPoint(...) / labels.TextLabel(...) / labels.AlongSegment(...)
//   labels.DrawLabelPasses(canvas);              // street names, point labels, landmarks, shields
//   labels.DrawLastPasses(canvas);               // fixed names
//
// Nothing carries over from one paint to the next.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "control/core/view_state.h"
#include "control/render/label_landmarks.h"
#include "control/render/label_occupied_rects.h"
#include "control/render/label_point_labels.h"
#include "control/render/label_route_shields.h"
#include "control/render/label_settings.h"
#include "control/render/label_street_names.h"
#include "control/render/projection.h"
#include "control/render/style_landmark_classes.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

// How labels are made in one paint.
struct LabelPaintSetup {
  bool DeviceOutput = false;  // a printer or bitmap: smaller fonts, larger icons
  bool BlackWhite = false;
  bool ZoomedStreetStyle = false;
  bool LandmarksLoaded = false;  // the landmark drawings are loaded
  // The colour the map is drawn on, which is also the colour of the sea.
  gdi::COLORREF Background = gdi::RGB(0xFF, 0xFF, 0xFF);
};

// What one paint's labelling cost, for the benchmark and diagnostics.
struct LabelCounters {
  int Candidates = 0;
  int PointLabels = 0;
  int StreetLabels = 0;
  int ShieldGroups = 0;
  int LandmarkLabels = 0;
};

class LabelEngine {
 public:
  LabelEngine();
  ~LabelEngine();

  LabelSettings& Settings() { return settings_; }
  const LabelSettings& Settings() const { return settings_; }
  // The landmark classes the user shows (the styles own them).
  void SetLandmarkClasses(const LandmarkClasses* classes) { landmarkClasses_ = classes; }

  // --- a paint ---------------------------------------------------------------
  void BeginPaint(const core::ViewState& view, const LabelPaintSetup& setup);
  // The drawing whose objects follow: its kind letter, which layers it shows,
  // and whether the zoomed-in street style is on for it.
  void BeginDrawing(char kindLetter, std::function<bool(int)> layerVisible, bool streetStyle = false);

  // A place, county, landmark or other named point of feature code `code`
  // (name as stored) at pixel `p`.
  void NamedPoint(gdi::Canvas& canvas, std::uint8_t code, std::string_view storedName, gdi::Point p,
                  std::int32_t population);
  // A label text of feature code `code` at pixel `p`: route shields (code 33),
  // state names, landmark symbols and names, water and feature names.
  void TextLabel(gdi::Canvas& canvas, std::uint8_t code, std::string_view storedText, gdi::Point p);
  // A named line's chosen segment, in pixels, on `layer`.
  void AlongSegment(std::string_view storedName, gdi::Point p1, gdi::Point p2, int layer, int widthStep);

  // After the cased lines and the boundaries: the label boxes (when shown),
  // street names, point labels, landmark names and shields.
  void DrawLabelPasses(gdi::Canvas& canvas);
  // The last pass: the fixed names of countries, seas and capes.
  void DrawLastPasses(gdi::Canvas& canvas);

  const LabelScales& Scales() const { return scales_; }
  const LabelFonts& Fonts() const { return fonts_; }
  const OccupiedRects& Occupied() const { return occupied_; }
  const LabelCounters& Counters() const { return counters_; }
  // Street names are wanted on `layer` at this scale.
  bool StreetNamesDue(int layer) const;

 private:
  PointLabelPaint PointPaint() const;
  // A named point's text on a layer other than places and landmarks.
  void PlaceNamedText(int layer, std::uint8_t code, std::string text, gdi::Point p);
  // A landmark: its marker at once, or its name queued when zoomed in.
  void LandmarkText(gdi::Canvas& canvas, std::string_view storedText, gdi::Point p);

  LabelSettings settings_;
  const LandmarkClasses* landmarkClasses_ = nullptr;
  std::unique_ptr<LandmarkIconSheet> icons_;
  bool iconsTried_ = false;

  // per paint
  std::optional<Projection> projection_;
  gdi::Size viewSize_;
  double screenAspect_ = 1;
  double rotationDegrees_ = 0;
  bool rotated_ = false;
  LabelPaintSetup setup_;
  LabelScales scales_;
  LabelFonts fonts_;
  int streetLineHeight_ = 0;
  LabelCounters counters_;
  char kindLetter_ = 'P';
  std::function<bool(int)> layerVisible_;
  OccupiedRects occupied_;
  PointLabels points_;
  StreetLabels streets_;
  RouteShields shields_;
  LandmarkLabels landmarks_;
};

}  // namespace quelmar::render
