#include "control/render/map_painter.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "control/data/archive_catalogue.h"
#include "control/data/feature_code.h"

namespace quelmar::render {
namespace {

constexpr std::int32_t kMaxDrawnSteps = 3300;
constexpr std::uint8_t kRouteLabelCode = 33;

bool MeetsBox(const data::MapBox& cull, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  return !(x2 < cull.Left || cull.Right < x1 || y2 < cull.Bottom || cull.Top < y1);
}

}  // namespace

std::vector<int> MapPainter::PaintOrder() const {
  std::vector<int> order;
  for (int i = 1; i <= table_.Count(); ++i) order.push_back(i);
  if (order.size() <= 1) return order;
  auto priority = [&](int i) {
    const data::LoadedDrawing& d = table_.At(i);
    return data::PaintPriority(d.Name, d.Kind, d.Flags == data::kDrawingLocked);
  };
  // The base map stays first; the rest in order of priority, load order kept
  // among equals.
  std::stable_sort(order.begin() + 1, order.end(), [&](int a, int b) { return priority(a) < priority(b); });
  return order;
}

bool MapPainter::Due(const data::LoadedDrawing& d, double scale, const data::ScaleRules& rules,
                     const data::LoadSwitches& switches) const {
  return data::DueAt(d.Name, d.Kind, d.Bounds, scale, rules, switches);
}

DrawingStyleInputs MapPainter::StyleInputs(char kind, const data::ScaleRules& rules) const {
  DrawingStyleInputs inputs;
  inputs.KindLetter = kind;
  inputs.EveryLayerVisible = kind == 'Z';  // national quads show every layer they hold
  // Whether a drawing of the layer archive is loaded, and the scale it loads from.
  auto detail = [&](data::Layer layer, DetailDrawings& into) {
    const data::LayerArchiveEntry& archive = data::LayerArchiveOf(layer);
    into.Threshold = data::BoundsOf(archive.BoundsName, archive.BoundsKind, rules).Lower;
    for (int i = 2; i <= table_.Count() && !into.Loaded; ++i) {
      const data::LoadedDrawing& d = table_.At(i);
      into.Loaded = d.Kind == archive.BoundsKind && (archive.Suffix.empty() || d.Name.substr(5, 2) == archive.Suffix);
    }
  };
  detail(data::Layer::State, inputs.States);
  detail(data::Layer::County, inputs.Counties);
  detail(data::Layer::Hydro, inputs.Hydro);
  detail(data::Layer::Network, inputs.HighwayNetwork);
  return inputs;
}

void MapPainter::PaintMap(gdi::Canvas& canvas, const core::ViewState& view, const data::ScaleRules& rules,
                          const data::LoadSwitches& switches, const PaintSetup& setup) {
  counters_ = {};
  const Projection projection(view);
  const double scale = view.View().Scale;
  const gdi::Size viewSize{view.View().Width, view.View().Height};
  styles_.BeginPaint(view, setup);
  BeginLabels(view, setup);
  for (const int index : PaintOrder()) {
    data::LoadedDrawing& d = table_.At(index);
    if (d.Hidden()) continue;
    if (!d.ExtentsUnknown() && !data::BoxesMeet(d.Extents, projection.Cull())) continue;
    if (!Due(d, scale, rules, switches)) continue;
    styles_.PrepareDrawing(StyleInputs(d.Kind, rules));
    BeginDrawingLabels(d);
    PaintObjects(canvas, d, projection, viewSize);
    ++counters_.Drawings;
  }
  styles_.DrawFinishingPasses(canvas, viewSize);
  if (labels_) {
    labels_->DrawLabelPasses(canvas);
    labels_->DrawLastPasses(canvas);
  }
  styles_.EndPaint();
}

void MapPainter::PaintDrawing(gdi::Canvas& canvas, const core::ViewState& view, int index,
                              const data::ScaleRules& rules, const data::LoadSwitches& switches) {
  if (index < 1 || index > table_.Count()) return;
  data::LoadedDrawing& d = table_.At(index);
  if (!Due(d, view.View().Scale, rules, switches)) return;
  const Projection projection(view);
  const gdi::Size viewSize{view.View().Width, view.View().Height};
  PaintSetup setup;
  setup.FullPaint = false;
  styles_.BeginPaint(view, setup);
  BeginLabels(view, setup);
  styles_.PrepareDrawing(StyleInputs(d.Kind, rules));
  BeginDrawingLabels(d);
  PaintObjects(canvas, d, projection, viewSize);
  styles_.DrawFinishingPasses(canvas, viewSize);
  if (labels_) labels_->DrawLabelPasses(canvas);
  styles_.EndPaint();
}

void MapPainter::PaintObjects(gdi::Canvas& canvas, data::LoadedDrawing& drawing, const Projection& projection,
                              gdi::Size viewSize) {
  const data::MapBox& cull = projection.Cull();
  currentName_ = {};
  for (std::int32_t n = 1; n <= drawing.Store.Count(); ++n) {
    data::DrawObject& object = *drawing.Store.ObjectAt(n);
    switch (object.Kind) {
      case data::ObjectKind::NameRef: {
        const data::NameString* name = drawing.Store.NameAt(object.As<data::NameRef>()->Object);
        currentName_ = name ? std::string_view(name->Packed) : std::string_view();
        break;
      }
      case data::ObjectKind::GroupMark:
        currentName_ = {};
        break;
      case data::ObjectKind::PlaceObject:
      case data::ObjectKind::LabelText:
        if (labels_) LabelObject(canvas, object, projection);
        break;
      case data::ObjectKind::Segment:
      case data::ObjectKind::SegmentNoAttributes:
      case data::ObjectKind::Segment16: {
        const data::Segment& s = *object.As<data::Segment>();
        if (!styles_.FeatureDrawn(object.Code)) break;
        const std::int64_t x2 = std::int64_t{s.Start.X} + s.Dx, y2 = std::int64_t{s.Start.Y} + s.Dy;
        if (!MeetsBox(cull, std::min<std::int64_t>(s.Start.X, x2), std::min<std::int64_t>(s.Start.Y, y2),
                      std::max<std::int64_t>(s.Start.X, x2), std::max<std::int64_t>(s.Start.Y, y2))) {
          ++counters_.Culled;
          break;
        }
        points_.assign({s.Start, {static_cast<std::int32_t>(x2), static_cast<std::int32_t>(y2)}});
        PaintLine(canvas, object, points_, s.Attr, projection, viewSize);
        if (NamesLine(object)) LabelLine(object, points_[0], points_[1], projection);
        break;
      }
      case data::ObjectKind::Polyline12:
      case data::ObjectKind::Polyline13:
      case data::ObjectKind::Polyline14:
      case data::ObjectKind::Polyline15: {
        data::Polyline& line = *object.As<data::Polyline>();
        if (line.Count > kMaxDrawnSteps || !styles_.FeatureDrawn(object.Code)) break;
        // Scaled polylines of kinds 12 and 15 stay in the store undrawn.
        if (line.Scaled && (object.Kind == data::ObjectKind::Polyline12 || object.Kind == data::ObjectKind::Polyline15)) {
          break;
        }
        // The box is start ± extent, measured once and kept in the object.
        if (line.Extent == TMapPoint{} && line.Count > 0) {
          data::PolylinePointsInto(object, points_);
          std::int64_t ex = 0, ey = 0;
          for (const TMapPoint& p : points_) {
            ex = std::max(ex, std::abs(std::int64_t{p.X} - line.Start.X));
            ey = std::max(ey, std::abs(std::int64_t{p.Y} - line.Start.Y));
          }
          line.Extent = {static_cast<std::int32_t>(std::min<std::int64_t>(ex, INT32_MAX)),
                         static_cast<std::int32_t>(std::min<std::int64_t>(ey, INT32_MAX))};
        }
        if (!MeetsBox(cull, std::int64_t{line.Start.X} - line.Extent.X, std::int64_t{line.Start.Y} - line.Extent.Y,
                      std::int64_t{line.Start.X} + line.Extent.X, std::int64_t{line.Start.Y} + line.Extent.Y)) {
          ++counters_.Culled;
          break;
        }
        data::PolylinePointsInto(object, points_);
        if (points_.empty()) break;
        PaintLine(canvas, object, points_, line.Attr, projection, viewSize);
        if (points_.size() >= 2 && object.Kind != data::ObjectKind::Polyline12 && NamesLine(object)) {
          // Kind 13 is named on its first segment, kinds 14 and 15 on their
          // longest step (the first of equals).
          std::size_t best = 0;
          if (object.Kind != data::ObjectKind::Polyline13) {
            std::int64_t longest = -1;
            for (std::size_t i = 0; i + 1 < points_.size(); ++i) {
              const std::int64_t length = std::abs(std::int64_t{points_[i + 1].X} - points_[i].X) +
                                          std::abs(std::int64_t{points_[i + 1].Y} - points_[i].Y);
              if (length > longest) longest = length, best = i;
            }
          }
          LabelLine(object, points_[best], points_[best + 1], projection);
        }
        break;
      }
      default:
        break;  // places, labels and the rest are the label passes' business
    }
  }
}

void MapPainter::BeginLabels(const core::ViewState& view, const PaintSetup& setup) {
  if (!labels_) return;
  LabelPaintSetup labelSetup;
  labelSetup.DeviceOutput = setup.DeviceOutput;
  labelSetup.BlackWhite = styles_.BlackWhiteOutput();
  labelSetup.Background = setup.Background;
  for (int i = 1; i <= table_.Count() && !labelSetup.LandmarksLoaded; ++i) {
    labelSetup.LandmarksLoaded = table_.At(i).Kind == 'U' && !table_.At(i).Hidden();
  }
  labels_->SetLandmarkClasses(&styles_.Landmarks());
  labels_->BeginPaint(view, labelSetup);
}

void MapPainter::BeginDrawingLabels(const data::LoadedDrawing& drawing) {
  if (!labels_) return;
  labels_->BeginDrawing(drawing.Kind, [this](int layer) { return styles_.LayerDrawn(layer); },
                        styles_.Switches().StreetStyle);
}

void MapPainter::LabelObject(gdi::Canvas& canvas, const data::DrawObject& object, const Projection& projection) {
  if (!styles_.FeatureDrawn(object.Code)) return;
  const data::MapBox& cull = projection.Cull();
  const auto inCull = [&](TMapPoint p) {
    return p.X >= cull.Left && p.X <= cull.Right && p.Y >= cull.Bottom && p.Y <= cull.Top;
  };
  if (const data::PlaceObject* place = object.As<data::PlaceObject>()) {
    if (!inCull(place->Point)) return;
    labels_->NamedPoint(canvas, object.Code, place->Name, projection.Project(place->Point), place->Population);
    return;
  }
  const data::LabelText* label = object.As<data::LabelText>();
  if (!label || label->Point.X == 0 || !inCull(label->Point)) return;
  if (object.Code == kRouteLabelCode && !styles_.LayerDrawn(label->RouteLayer)) return;
  labels_->TextLabel(canvas, object.Code, label->Text, projection.Project(label->Point));
}

bool MapPainter::NamesLine(const data::DrawObject& object) const {
  return labels_ && !currentName_.empty() && labels_->StreetNamesDue(data::FeatureLayer(object.Code));
}

void MapPainter::LabelLine(const data::DrawObject& object, TMapPoint a, TMapPoint b, const Projection& projection) {
  const int layer = data::FeatureLayer(object.Code);
  labels_->AlongSegment(currentName_, projection.Project(a), projection.Project(b), layer,
                        styles_.Styles()[layer].WidthStep());
}

void MapPainter::PaintLine(gdi::Canvas& canvas, const data::DrawObject& object, std::span<const TMapPoint> points,
                           const data::Attributes& attributes, const Projection& projection, gdi::Size viewSize) {
  ObjectQuery query;
  query.Layer = data::FeatureLayer(object.Code);
  query.FeatureCode = object.Code;
  query.AreaCode = attributes.Low;
  query.Closed = points.size() > 2 && points.front() == points.back();
  if (query.Closed) {
    runs_.resize(1);
    projection.ProjectRing(points, runs_[0]);
    if (runs_[0].size() < 3) return;
    runs_[0].push_back(runs_[0].front());  // the styles see a closed ring
    ++counters_.Objects;
    styles_.DrawObject(canvas, query, runs_[0], viewSize);
    return;
  }
  projection.ProjectLine(points, runs_);
  for (const auto& run : runs_) {
    ++counters_.Objects;
    styles_.DrawObject(canvas, query, run, viewSize);
  }
}

}  // namespace quelmar::render
