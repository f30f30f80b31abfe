#include "control/render/style_object.h"

#include <algorithm>

namespace quelmar::render {
namespace {

using gdi::BkMode;
using gdi::PenStyle;

constexpr COLORREF kMeadowGreen = RGB(0x30, 0xFF, 0x00);
constexpr COLORREF kLightYellow = RGB(0xFF, 0xFF, 0xC0);
constexpr int kHaloStep = 5;
constexpr int kStateLineStep = 3;

COLORREF FillColourOf(const ObjectStyleContext& c, const ObjectQuery& o, COLORREF colour) {
  if (o.FeatureCode == kMeadowFeatureCode) return c.BlackWhite.On() ? kWhiteColour : kMeadowGreen;
  return colour;
}

ObjectStyle Filled(const ObjectStyleContext& c, const ObjectQuery& o, COLORREF colour) {
  ObjectStyle style;
  style.Fill = FillColourOf(c, o, colour);
  return style;
}

ObjectStyle Deferred(StrokeList halo = {}) {
  ObjectStyle style;
  style.Disposition = StyleDisposition::Defer;
  style.Strokes = halo;
  return style;
}

ObjectStyle OneStroke(PenStyle pen, int width, COLORREF colour, BkMode background = BkMode::Opaque) {
  ObjectStyle style;
  style.Strokes.Add(pen, width, colour, background);
  return style;
}

bool Queued(const ObjectStyleContext& c, const TLayerStyle& style, int layer) {
  const char kind = c.Switches.KindLetter;
  const int step = style.WidthStep();
  // Step 15 is the point-by-point rendering, not a width: casing it would
  // draw a 15-step inner line.
  if ((style.Outlined || kind == 'G') && step >= 3 && step != kPointByPointWidthStep) return true;
  return kind == 'P' && (layer == 11 || layer == 12);
}

ObjectStyle OrdinaryLine(const ObjectStyleContext& c, const ObjectQuery& o, const TLayerStyle& style) {
  ObjectStyle result;
  if (Queued(c, style, o.Layer)) {
    result.Disposition = StyleDisposition::Queue;
    result.Cased = CasedLineStyle{style.ColorWord, style.WidthCode, o.Layer};
    return result;
  }
  result.PointByPoint = style.WidthCode == kPointByPointWidthStep;
  result.Strokes.Add(PenStyle::Solid, PenWidthForStep(style.WidthStep()), StdColor(LineColourIndex(style, o.Layer)));
  return result;
}

ObjectStyle StateStyle(const ObjectStyleContext& c, const ObjectQuery& o) {
  if ((o.Layer == 0 || o.Layer == 2) && o.Closed) {
    if (!c.Shading.State) return {};
    return Filled(c, o, GreyFill(c.Colours.StateColour(o.AreaCode), c.BlackWhite));
  }
  if (c.Deferral && IsSelfSelectingKind(c.Switches.KindLetter)) return Deferred();
  if (!c.Switches.StateDoubleLine) return OneStroke(PenStyle::Solid, 1, kBlackColour);
  ObjectStyle style;
  style.Strokes.Add(PenStyle::Solid, PenWidthForStep(kStateLineStep), kWhiteColour);
  style.Strokes.Add(PenStyle::Dot, 1, kBlackColour, BkMode::Transparent);
  return style;
}

int CountyPaletteEntry(std::int32_t areaCode) { return ((areaCode % 1000) / 2) % 18 + 1; }

ObjectStyle CountyStyle(const ObjectStyleContext& c, const ObjectQuery& o, TLayerStyle style) {
  style.ColorWord = static_cast<std::uint16_t>((style.ColorWord & 0xFF00) | (c.BlackWhiteOutput ? kWhite : kSilver));
  if (o.Closed) {
    if (!c.Shading.County) return OrdinaryLine(c, o, style);
    // A negative county code gives an entry outside the palette, drawn white.
    return Filled(c, o, GreyFill(c.Colours.PaletteEntry(CountyPaletteEntry(o.AreaCode)), c.BlackWhite));
  }
  if (c.Deferral) {
    StrokeList halo;
    if (c.Switches.CountyHalo) halo.Add(PenStyle::Solid, PenWidthForStep(kHaloStep), StdColor(kYellow));
    return Deferred(halo);
  }
  return OneStroke(PenStyle::Dash, 1, StdColor(kGrey), BkMode::Transparent);
}

ObjectStyle McdBoundaryStyle(const ObjectStyleContext& c) {
  if (c.Deferral) {
    StrokeList halo;
    halo.Add(PenStyle::Solid, PenWidthForStep(kHaloStep), kLightYellow);
    return Deferred(halo);
  }
  return OneStroke(PenStyle::Dash, 1, StdColor(kRed), BkMode::Transparent);
}

COLORREF Brighter(COLORREF colour) {
  auto up = [](int channel) { return static_cast<std::uint8_t>(std::min(channel + 16, 255)); };
  return RGB(up(gdi::GetRValue(colour)), up(gdi::GetGValue(colour)), up(gdi::GetBValue(colour)));
}

ObjectStyle PlaceStyle(const ObjectStyleContext& c, const ObjectQuery& o, const TLayerStyle& style) {
  if (!o.Closed || !c.Shading.Place) return OrdinaryLine(c, o, style);
  const auto code = static_cast<std::uint32_t>(o.AreaCode % 100000);
  const COLORREF shade = c.Colours.PaletteEntry(c.Areas.PaletteEntryFor(code));
  return Filled(c, o, GreyFill(Brighter(shade), c.BlackWhite));
}

ObjectStyle McdInteriorStyle(const ObjectStyleContext& c, const ObjectQuery& o, const TLayerStyle& style) {
  if (!o.Closed || !c.Shading.Mcd) return OrdinaryLine(c, o, style);
  const COLORREF shade = c.Colours.PaletteEntry(c.Areas.PaletteEntryFor(static_cast<std::uint32_t>(o.AreaCode)));
  return Filled(c, o, GreyFill(shade, c.BlackWhite));
}

}  // namespace

int LineColourIndex(const TLayerStyle& style, int layer) {
  if (style.Outlined) return style.LineIndex();
  if (style.OutlineIndex() != 0 || (style.Cased && layer != 2)) return style.OutlineIndex();
  return style.LineIndex();
}

ObjectStyle SelectObjectStyle(const ObjectStyleContext& c, const ObjectQuery& o) {
  const TLayerStyle& style = c.Styles[o.Layer];
  if (style.FillColor != 0) return o.Closed ? Filled(c, o, style.FillColor) : OrdinaryLine(c, o, style);
  switch (o.Layer) {
    case 0:
    case 1:
    case 2:
    case 3:
      return StateStyle(c, o);
    case 5:
      return CountyStyle(c, o, style);
    case 6:
      return McdBoundaryStyle(c);
    case 7:
      return PlaceStyle(c, o, style);
    case 8:
      return McdInteriorStyle(c, o, style);
    case 18:
      return OneStroke(PenStyle::Dot, 1, kBlackColour);
    default:
      return OrdinaryLine(c, o, style);
  }
}

StrokePass CasedOuterPass(const CasedLineStyle& line, bool blackWhiteOutput) {
  const int index = blackWhiteOutput ? kBlack : (line.ColorWord >> 8);
  return StrokePass{gdi::Pen{PenStyle::Solid, PenWidthForStep(line.WidthCode & 15), StdColor(index)}};
}

StrokePass CasedInnerPass(const CasedLineStyle& line, bool streetStyle) {
  int index = line.ColorWord & 0xFF;
  if (streetStyle && index != 2) {
    switch (line.Layer) {
      case 9: index = kRed; break;
      case 10: index = kYellow; break;
      case 11:
      case 12: index = kSilver; break;
      default: index = kWhite; break;
    }
  }
  return StrokePass{gdi::Pen{PenStyle::Solid, PenWidthForStep((line.WidthCode & 15) - 2), StdColor(index)}};
}

}  // namespace quelmar::render
