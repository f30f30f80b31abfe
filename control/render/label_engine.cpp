#include "control/render/label_engine.h"

#include <cmath>
#include <string>

#include "control/core/map_units.h"
#include "control/data/feature_code.h"
#include "control/data/name_unpack.h"
#include "control/render/colour_standard.h"
#include "control/render/label_fixed_names.h"
#include "control/render/label_point_rules.h"
#include "control/search/title_case.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::render {
namespace {

constexpr std::uint8_t kRouteLabelCode = 33;
constexpr std::uint8_t kNamedPointCode = 231;
constexpr int kPlaceLayer = 16;
constexpr int kLandmarkLayer = 15;
constexpr int kParkLayer = 19;
constexpr int kFeatureNameLayer = 234;
constexpr int kBoundaryNameLayer = 37;
constexpr int kCountyLayer = 5;

bool NamedPointLayer(int layer, std::uint8_t code) {
  return layer == 4 || layer == 5 || layer == 6 || layer == 7 || layer == kBoundaryNameLayer || code == kNamedPointCode;
}

}  // namespace

LabelEngine::LabelEngine() = default;
LabelEngine::~LabelEngine() = default;

void LabelEngine::BeginPaint(const core::ViewState& view, const LabelPaintSetup& setup) {
  setup_ = setup;
  projection_.emplace(view);
  viewSize_ = {view.View().Width, view.View().Height};
  screenAspect_ = view.ScreenAspect() > 0 ? view.ScreenAspect() : 1;
  rotated_ = view.RotationActive();
  rotationDegrees_ = view.RotationAngle() * core::kDegreesPerRadian;

  const double scale = view.View().Scale;
  const auto spanBelow = [&](double miles) { return scale > view.ScaleForMilesAt40(miles); };
  scales_ = {};
  scales_.Span = scale > 0 ? view.ScaleForMilesAt40(1) / scale : 1e9;
  scales_.Below500 = spanBelow(500);
  scales_.Below100 = spanBelow(100);
  scales_.Below50 = spanBelow(50);
  scales_.AtMost250 = scale >= view.ScaleForMilesAt40(250);
  scales_.StreetNames = spanBelow(settings_.SecondLabelMiles);
  scales_.MajorStreetNames = spanBelow(settings_.StreetLabelMiles);
  scales_.LandmarkIcons = scale > 1.5 * view.ScaleForMilesAt40(settings_.SecondLabelMiles);
  scales_.Above2MilesBy16 = scale > view.ScaleForMilesAt40(2) / 16;
  scales_.Above2MilesBy8 = scale >= view.ScaleForMilesAt40(2) / 8;

  fonts_ = MakeLabelFonts(settings_, setup.DeviceOutput ? 0.75 : 1.0, setup.DeviceOutput);
  streetLineHeight_ = StreetNameLineHeight(settings_, fonts_);
  counters_ = {};
  occupied_.Clear();
  points_.Clear();
  streets_.Clear();
  shields_.Clear();
  landmarks_.Clear();
  kindLetter_ = 'P';
  layerVisible_ = nullptr;
}

void LabelEngine::BeginDrawing(char kindLetter, std::function<bool(int)> layerVisible, bool streetStyle) {
  kindLetter_ = kindLetter;
  setup_.ZoomedStreetStyle = setup_.ZoomedStreetStyle || streetStyle;
  layerVisible_ = std::move(layerVisible);
}

bool LabelEngine::StreetNamesDue(int layer) const {
  if (!settings_.ShowStreetNames) return false;
  return scales_.StreetNames || (layer >= 8 && layer <= 11 && scales_.MajorStreetNames);
}

PointLabelPaint LabelEngine::PointPaint() const {
  PointLabelPaint paint;
  paint.Scales = scales_;
  paint.CityDensity = settings_.CityDensity;
  paint.ScreenAspect = screenAspect_;
  paint.BlackWhite = setup_.BlackWhite;
  paint.Halo = settings_.Shadow;
  paint.TextSize = settings_.TextSize;
  return paint;
}

void LabelEngine::PlaceNamedText(int layer, std::uint8_t code, std::string text, gdi::Point p) {
  if (layer == 0 || layer == 2) {
    if (const auto state = StateLabelText(text, scales_)) points_.Place(*state, p, fonts_, PointPaint(), occupied_);
    return;
  }
  if (!NamedPointLayer(layer, code) || text.empty()) return;
  if (layer == kBoundaryNameLayer) text = "#" + text.substr(0, text.find('>'));
  if (layer == kCountyLayer && kindLetter_ != 'P' && !scales_.Above2MilesBy16) return;
  if (text.front() == '7' && !scales_.Above2MilesBy8) return;
  points_.Place(text, p, fonts_, PointPaint(), occupied_);
}

void LabelEngine::NamedPoint(gdi::Canvas& canvas, std::uint8_t code, std::string_view storedName, gdi::Point p,
                             std::int32_t population) {
  if (!settings_.ShowStreetNames) return;
  ++counters_.Candidates;
  const int layer = data::FeatureLayer(code);
  std::string name = data::UnpackName(storedName);
  if (layer == kPlaceLayer) {
    if (const auto text = PlaceLabelText(population, name, scales_.Span)) {
      points_.Place(*text, p, fonts_, PointPaint(), occupied_);
    }
    return;
  }
  if (layer == kLandmarkLayer) {
    canvas.FillRect({p.x - 1, p.y - 1, p.x + 2, p.y + 2}, gdi::Brush::Solid(kBlackColour));
    if (kindLetter_ != 'P') points_.Place(name, p, fonts_, PointPaint(), occupied_);
    return;
  }
  PlaceNamedText(layer, code, std::move(name), p);
}

void LabelEngine::LandmarkText(gdi::Canvas& canvas, std::string_view storedText, gdi::Point p) {
  const int landmarkClass = static_cast<signed char>(storedText.front());
  const std::string name = data::UnpackLabelWords(storedText.substr(1));
  if (!scales_.LandmarkIcons || name.empty()) {
    LandmarkLabels::DrawMarker(canvas, landmarkClass, p, fonts_, setup_.BlackWhite);
    return;
  }
  landmarks_.Queue(search::TitleCaseName(name).Str(), landmarkClass, p);
}

void LabelEngine::TextLabel(gdi::Canvas& canvas, std::uint8_t code, std::string_view storedText, gdi::Point p) {
  if (storedText.empty()) return;
  ++counters_.Candidates;
  const int layer = data::FeatureLayer(code);
  if (code == kRouteLabelCode) {
    if (!settings_.ShowRouteShields || !settings_.ShieldSwitch) return;
    ShieldPaint paint;
    paint.ViewWidth = viewSize_.cx;
    paint.ViewHeight = viewSize_.cy;
    paint.AtMost250 = scales_.AtMost250;
    paint.BlackWhite = setup_.BlackWhite;
    paint.DrawingKindP = kindLetter_ == 'P';
    paint.LayerVisible = layerVisible_ ? layerVisible_ : [](int) { return true; };
    shields_.Offer(storedText, p, paint, occupied_);
    return;
  }
  const int landmarkClass = static_cast<signed char>(storedText.front());
  const bool classVisible = !landmarkClasses_ || landmarkClasses_->Visible(landmarkClass);
  if (layer == kParkLayer || (layer == kLandmarkLayer && classVisible && landmarkClass != 1)) {
    LandmarkText(canvas, storedText, p);
    return;
  }
  if (layer == 0 || layer == 2 || NamedPointLayer(layer, code)) {
    PlaceNamedText(layer, code, data::UnpackLabelWords(storedText), p);
    return;
  }
  // Water and other feature names.
  const bool wanted = setup_.LandmarksLoaded || layer == kLandmarkLayer || layer == kFeatureNameLayer;
  if (wanted && (scales_.StreetNames || layer == kFeatureNameLayer)) {
    landmarks_.Queue(data::UnpackLabelWords(storedText), 0, p);
  }
}

void LabelEngine::AlongSegment(std::string_view storedName, gdi::Point p1, gdi::Point p2, int layer, int widthStep) {
  if (storedName.empty() || !StreetNamesDue(layer)) return;
  ++counters_.Candidates;
  streets_.Offer(storedName, p1, p2, layer, widthStep, streetLineHeight_, viewSize_.cx, viewSize_.cy);
}

void LabelEngine::DrawLabelPasses(gdi::Canvas& canvas) {
  if (settings_.LabelBoxes) {
    canvas.SetPen(gdi::Pen{gdi::PenStyle::Solid, 1, kBlackColour});
    canvas.SetBrush(gdi::Brush::Null());
    for (const gdi::Rect& r : occupied_.Rects()) canvas.Rectangle(r);
  }
  counters_.StreetLabels = static_cast<int>(streets_.Labels().size());
  counters_.PointLabels = static_cast<int>(points_.Labels().size());
  counters_.LandmarkLabels = static_cast<int>(landmarks_.Labels().size());
  counters_.ShieldGroups = static_cast<int>(shields_.Groups().size());

  StreetLabelPaint streetPaint;
  streetPaint.ViewWidth = viewSize_.cx;
  streetPaint.ViewHeight = viewSize_.cy;
  streetPaint.BlackWhite = setup_.BlackWhite;
  streetPaint.ZoomedStreetStyle = setup_.ZoomedStreetStyle;
  streetPaint.Rotated = rotated_;
  streetPaint.RotationDegrees = rotationDegrees_;
  streets_.Draw(canvas, settings_, fonts_, streetPaint, &occupied_);
  points_.Draw(canvas, fonts_, PointPaint());
  if (!iconsTried_ && !landmarks_.Labels().empty()) {
    iconsTried_ = true;
    try {
      icons_ = std::make_unique<LandmarkIconSheet>();
    } catch (const std::exception&) {
      icons_.reset();  // names are still written without their icons
    }
  }
  // Black-and-white output has no coloured icons: a black dot stands for each.
  landmarks_.Draw(canvas, setup_.BlackWhite ? nullptr : icons_.get(), setup_.DeviceOutput ? 3 : 1, fonts_,
                  settings_.Shadow, occupied_);
  shields_.Draw(canvas, fonts_, setup_.BlackWhite);
}

void LabelEngine::DrawLastPasses(gdi::Canvas& canvas) {
  if (!projection_) return;
  DrawFixedNames(canvas, *projection_, scales_, settings_, fonts_, setup_.BlackWhite, setup_.Background, occupied_);
}

}  // namespace quelmar::render
