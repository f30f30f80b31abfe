#include "control/search/street_lines.h"

#include "control/data/draw_object.h"
#include "control/data/name_unpack.h"

namespace quelmar::search {
namespace {

constexpr std::uint8_t kCountyLabel = 5;
constexpr std::uint8_t kDivisionLabel = 6;
constexpr std::uint8_t kPlaceLabel = 7;
constexpr std::uint8_t kFirstLineLayer = 8;

const data::Attributes* AttributesOf(const data::DrawObject& object) {
  if (const auto* s = object.As<data::Segment>()) return &s->Attr;
  if (const auto* p = object.As<data::Polyline>()) return &p->Attr;
  return nullptr;
}

// The points of a line object into `points` (a place object is its one
// point); false for objects that are no line.
bool LinePoints(const data::DrawObject& object, std::vector<core::TMapPoint>& points) {
  if (data::LinePointsInto(object, points)) return !points.empty();
  if (const auto* place = object.As<data::PlaceObject>()) {
    points.push_back(place->Point);
    return true;
  }
  return false;
}

}  // namespace

std::string_view PlaceNameOfLabel(std::string_view label) {
  for (std::string_view word : {" Town", " City", " Township"}) {
    const std::size_t at = label.find(word);
    if (at != std::string_view::npos) return label.substr(0, at);
  }
  return label;
}

void WalkStreetLines(const data::Drawing& drawing, const std::function<WalkNext(const StreetLine&)>& visit,
                     StreetNameForm form) {
  std::string place, lastDivision, street;
  bool haveStreet = false;
  const data::IndexList* zips = nullptr;
  std::vector<core::TMapPoint> points;
  for (std::int32_t n = 1; n <= drawing.Count(); ++n) {
    const data::DrawObject& object = *drawing.ObjectAt(n);
    switch (object.Kind) {
      case data::ObjectKind::GroupMark:
      case data::ObjectKind::BlockObject:
        haveStreet = false;
        continue;
      case data::ObjectKind::NameString:
        continue;
      case data::ObjectKind::IndexList:
        zips = object.As<data::IndexList>();
        continue;
      case data::ObjectKind::NameRef: {
        const data::NameString* name = drawing.NameAt(object.As<data::NameRef>()->Object);
        if (!name) {
          street.clear();
        } else {
          street = form == StreetNameForm::Written ? data::UnpackName(name->Packed)
                                                   : data::UnpackNameAbbreviated(name->Packed);
        }
        haveStreet = true;
        continue;
      }
      case data::ObjectKind::LabelText: {
        const auto& label = *object.As<data::LabelText>();
        if (label.Point.X != 0) continue;
        if (object.Code == kDivisionLabel || object.Code == kPlaceLabel) {
          std::string text = data::UnpackLabelWords(label.Text);
          if (object.Code == kDivisionLabel) lastDivision = text;
          if (object.Code == kPlaceLabel && text == "?") text = lastDivision;
          place = std::string(PlaceNameOfLabel(text));
        }
        (void)kCountyLabel;  // county names name nothing a hit reports
        continue;
      }
      default:
        break;
    }
    if (!haveStreet || object.Code < kFirstLineLayer || !LinePoints(object, points)) continue;
    StreetLine line;
    line.Object = n;
    line.Name = street;
    line.Place = place;
    if (const data::Attributes* attributes = AttributesOf(object)) {
      const data::AddressRange range = data::RangeOf(*attributes);
      line.From = range.Low;
      line.To = range.High;
      // An index outside the list names no ZIP code.
      if (attributes->Index != 0 && zips && attributes->Index <= zips->Values.size()) {
        line.Zip = zips->Values[attributes->Index - 1];
      }
    }
    line.Points = points;
    const WalkNext next = visit(line);
    if (next == WalkNext::Stop) return;
    if (next == WalkNext::SkipName) haveStreet = false;
  }
}

}  // namespace quelmar::search
