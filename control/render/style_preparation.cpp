#include "control/render/style_preparation.h"

#include "control/render/colour_grey.h"

namespace quelmar::render {
namespace {

using G = SpanGauge;

// Shorthands over the tables, so each step reads as its rule.
struct Tables {
  LayerStyleTable& styles;
  ScaleVisibility& visibility;

  TLayerStyle& operator[](int layer) { return styles.At(layer); }
  void Width(int layer, std::uint16_t code) { styles.At(layer).WidthCode = code; }
  void Colour(int layer, std::uint16_t word) { styles.At(layer).ColorWord = word; }
  void Hide(int layer) { visibility.Hide(layer); }
  void Show(int layer) { visibility.Show(layer); }
  void Set(int layer, bool visible) { visibility.Set(layer, visible); }
};

bool Reached(const DetailDrawings& group, double scale) { return group.Loaded && scale >= group.Threshold; }

void ResetWidthsAndMarkers(Tables& t) {
  t.visibility.ShowAll();
  t.styles.ResetMarkerStyles();
  for (int layer = 0; layer < data::kLayerCount; ++layer) t.Width(layer, 0);
  t.Width(30, 0);
  t.Width(28, 2);
}

void SetHighwayColours(Tables& t, bool blackWhiteOutput) {
  t.Colour(9, 12);        // red line, black outline
  t.Colour(10, 0x040E);   // yellow line, maroon outline
  t.Colour(28, blackWhiteOutput ? 0 : t[9].ColorWord);
  t.Width(9, 20);         // cased, step 4
  t.Width(31, 20);
  t.Colour(31, t[9].ColorWord);
  t.Width(11, 1);
  t.Width(12, 1);
}

void SetHighwaysBySpan(Tables& t, const SpanGauge& g) {
  if (g.SpanBelow(G::Miles5)) {
    t.Width(10, 20);
    t.Width(11, 2);
    t.Width(12, 2);
  } else if (g.SpanAtMost(G::Miles25)) {
    t.Width(10, 19);  // cased, step 3
    t.Width(11, 1);
    t.Width(12, 1);
  } else {
    t.Width(10, 1);
  }
  t.Colour(32, t[10].ColorWord);
  t.Width(32, t[10].WidthCode);
  t[34] = t[11];
  t[35] = t[12];
}

void SetLinesAndWater(Tables& t) {
  t.Width(17, 15);  // railroads: the point-by-point rendering
  for (int layer : {18, 23, 24, 25}) t.Width(layer, 0);
  t.Colour(36, t[23].ColorWord);
  t.Show(36);
}

void HideByThresholds(Tables& t, const SpanGauge& g) {
  if (g.SpanAbove(G::T6)) {
    t.Hide(11);
    t.Hide(12);
  }
  if (g.SpanAbove(G::T8)) t.Hide(23);
  if (g.SpanAbove(G::T9)) t.Hide(24);
  if (g.SpanAbove(G::T10)) t.Hide(17);
  if (g.SpanAbove(G::T11)) t.Hide(18);
  if (g.SpanAbove(G::T7)) {
    for (int layer : {13, 14, 15, 19}) t.Hide(layer);
  }
  if (g.SpanAbove(G::SixteenT12)) {
    t.Width(28, 1);
    t.Hide(4);
  } else {
    t.Width(28, 3);
  }
  t.Set(33, g.SpanBelow(G::Miles200));
  if (g.SpanAtMost(G::T0)) {
    t.Hide(28);
  } else {
    t.Hide(6);
  }
  t.Hide(30);
}

struct StreetStyleEntry {
  int layer;
  std::uint16_t widthCode;
  std::uint16_t colorWord;
};

// The zoomed-in street-map styles: from T13 up to twice T13, and below T13.
constexpr StreetStyleEntry kStreetStyleNear[] = {
    {9, 30, 0x4F},  {10, 30, 0x1E}, {11, 30, 0x2F},  {12, 30, 0x2F},
    {13, 20, 0x1F}, {14, 20, 0x1F}, {244, 30, 0x13}, {245, 30, 0x23},
};
constexpr StreetStyleEntry kStreetStyleClosest[] = {
    {9, 30, 0x1C},  {10, 30, 0x1E}, {11, 30, 0x4F},  {12, 30, 0x4F},
    {13, 28, 0x4F}, {14, 28, 0x4F}, {244, 28, 0x13}, {245, 30, 0x12},
};

bool SetStreetStyle(Tables& t, const SpanGauge& g) {
  auto apply = [&t](const auto& entries) {
    for (const StreetStyleEntry& e : entries) {
      t.Width(e.layer, e.widthCode);
      t.Colour(e.layer, e.colorWord);
    }
  };
  if (g.SpanBelow(G::T13)) {
    apply(kStreetStyleClosest);
    return true;
  }
  if (g.SpanBelow(G::TwiceT13)) {
    apply(kStreetStyleNear);
    return true;
  }
  return false;
}

void HideHighwaysAndIslands(Tables& t, const SpanGauge& g) {
  if (g.SpanAbove(G::T4)) {
    t.Hide(9);
    t.Hide(10);
  }
  if (g.SpanAbove(G::T1)) t.Hide(6);
  t.Width(26, 0);
  t.Set(26, t.visibility.Visible(23));
}

void SelectBaseMapLayers(Tables& t, const SpanGauge& g, const DrawingStyleInputs& d, PreparedSwitches& s) {
  const double scale = g.Scale();
  s.StateDoubleLine = g.SpanBelow(G::Miles50);
  for (int layer : {1, 2, 3, 23}) t.Show(layer);
  if (Reached(d.States, scale)) {
    t.Hide(1);
    t.Hide(2);
  }
  if (!d.Counties.Loaded) {
    t.Set(2, g.SpanAtLeast(G::Miles25));
  } else if (Reached(d.Counties, scale)) {
    t.Hide(2);
  }
  if (Reached(d.Hydro, scale)) {
    t.Hide(23);
    t.Hide(25);
  }
  const bool nationalRange = g.SpanAtLeast(G::Miles25) && g.SpanBelow(G::Miles500);
  for (int layer : {9, 10, 11, 12, 28}) t.Set(layer, nationalRange);
  if (Reached(d.HighwayNetwork, scale)) {
    for (int layer : {28, 33, 9, 10, 11, 12}) t.Hide(layer);
  }
}

void DeriveFlags(Tables& t, bool streetStyle, char kind) {
  for (int layer = 1; layer <= kLastVisibilityLayer; ++layer) {
    TLayerStyle& style = t[layer];
    style.Cased = (style.WidthCode & kCasedWidthBit) != 0 && !streetStyle;
    style.Outlined = style.WidthCode >= 3 && layer != 2;
  }
  if (kind == 'P') {
    t[11].Outlined = true;
    t[12].Outlined = true;
  }
}

struct LayerFill {
  int layer;
  COLORREF colour;
  COLORREF monochrome;
};

void SetFills(Tables& t, const PaintStyleContext& paint) {
  for (int layer = 0; layer < kLayerStyleCount; ++layer) t[layer].FillColor = 0;
  const COLORREF light = RGB(0xFE, 0xFE, 0xFE);
  const COLORREF mid = RGB(0x7F, 0x7F, 0x7F);
  const LayerFill fills[] = {
      {19, paint.Land, RGB(0xF7, 0xF7, 0xF7)},
      {20, RGB(0x7F, 0x7F, 0x00), light},
      {22, RGB(0x7F, 0x00, 0x7F), light},
      {23, paint.Water, mid},
      {25, paint.Water, mid},
      {36, paint.Water, mid},
      {24, RGB(0x7F, 0x3F, 0x7F), mid},
      {26, RGB(0x00, 0x7F, 0x7F), light},
      {27, RGB(0x7F, 0x7F, 0x00), light},
      {29, RGB(0xFF, 0xFF, 0x80), light},
  };
  for (const LayerFill& f : fills) {
    TLayerStyle& style = t[f.layer];
    style.FillColor = paint.BlackWhiteMode ? f.monochrome : f.colour;
    if (paint.BlackWhiteMode) {
      const auto low = MonochromeLineIndex(style.LineIndex());
      style.ColorWord = static_cast<std::uint16_t>((style.ColorWord & 0xFF00) | low);
    }
  }
}

void SetNetworkLayers(Tables& t, const SpanGauge& g, const PaintStyleContext& paint, const DetailDrawings& network) {
  for (int layer = 9; layer <= 12; ++layer) t.Hide(layer);
  if (g.Scale() >= network.Threshold) {
    t.Show(9);
    t.Show(10);
    if (paint.ViewTop > kNorthernRoadsEdge) {
      t.Show(11);
      t.Show(12);
    }
  }
  if (g.Scale() > 2 * network.Threshold) {
    t.Show(11);
    t.Show(12);
  }
  t.Hide(13);
  t.Hide(14);
}

}  // namespace

void PrepareLayerStyles(const PaintStyleContext& paint, const DrawingStyleInputs& drawing,
                        const UserLayerChoices& user, LayerStyleTable& styles, ScaleVisibility& visibility,
                        PreparedSwitches& switches) {
  Tables t{styles, visibility};
  const SpanGauge& g = paint.Gauge;
  const char kind = drawing.KindLetter;
  switches.KindLetter = kind;

  ResetWidthsAndMarkers(t);
  SetHighwayColours(t, paint.BlackWhiteOutput);
  SetHighwaysBySpan(t, g);
  SetLinesAndWater(t);
  HideByThresholds(t, g);
  switches.StreetStyle = SetStreetStyle(t, g);
  HideHighwaysAndIslands(t, g);
  if (IsSelfSelectingKind(kind)) t.visibility.ShowAll();
  switches.CountyHalo = g.SpanAtMost(G::Miles25);
  if (kind == 'P') SelectBaseMapLayers(t, g, drawing, switches);
  DeriveFlags(t, switches.StreetStyle, kind);
  SetFills(t, paint);

  t.Set(7, g.SpanAtMost(G::Miles5));
  if (paint.UnderlayDrawn) {
    t.Hide(7);
    t.Hide(19);
  }
  if (kind == 'P') {
    // The base map draws its major highways in the interstate style. The
    // derived flags stay those of the step above, as they always have.
    t[9] = t[28];
    t.Width(10, 1);
    t.Colour(10, paint.BlackWhiteMode ? 0 : 4);
  }
  if (kind == 'G' && drawing.HighwayNetwork.Loaded) SetNetworkLayers(t, g, paint, drawing.HighwayNetwork);
  t.Set(16, g.SpanBelow(G::Miles250));
  t.Set(8, g.SpanAtMost(G::Miles2) && paint.Shading.Place);
  t.Set(6, g.SpanAtMost(G::Miles2) && paint.Shading.Mcd);

  t.Hide(0);  // "Country" is never drawn as a layer
  for (int layer = 1; layer <= kLastVisibilityLayer; ++layer) {
    if (!user.Visible(layer)) t.Hide(layer);
  }
  if (drawing.EveryLayerVisible) {
    for (int layer = 1; layer <= kLastVisibilityLayer; ++layer) t.Show(layer);
  }
}

}  // namespace quelmar::render
