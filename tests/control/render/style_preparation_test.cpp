#include "control/render/style_preparation.h"

#include <gtest/gtest.h>

#include <set>

#include "style_test_support.h"

namespace quelmar::render {
namespace {

using test::PaintAtSpan;
using test::Prepare;
using test::Prepared;

// Which layers 0..40 are hidden, as a set, for readable failures.
std::set<int> Hidden(const ScaleVisibility& visibility) {
  std::set<int> hidden;
  for (int layer = 0; layer <= kLastVisibilityLayer; ++layer) {
    if (!visibility.Visible(layer)) hidden.insert(layer);
  }
  return hidden;
}

TEST(StylePreparation, HiddenLayersBySpanAndKind) {
  struct Case {
    double span;
    char kind;
    std::set<int> hidden;
  };
  const Case cases[] = {
      // Street drawings close in: interstates give way to streets; nothing else goes.
      {1, 'Y', {0, 28, 30}},
      // Beyond the default thresholds of 4 and 2 miles the local layers go;
      // beyond 5 miles the place outlines.
      {6, 'Y', {0, 6, 7, 8, 11, 12, 13, 14, 15, 17, 18, 19, 23, 24, 26, 30}},
      // Beyond 8 miles the highways, beyond 160 (16 x 10) the major cities,
      // from 200 the route labels, from 250 the place names.
      {300, 'Y', {0, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 23, 24, 26, 30, 33}},
      // Overview and network drawings carry their own selection: only the
      // last rules (place outlines, names, MCDs, the country) still apply.
      {300, 'M', {0, 6, 7, 8, 16}},
      {6, 'G', {0, 6, 7, 8}},
      // The base map keeps states, water and the national road layers in 25..500 miles.
      {100, 'P', {0, 6, 7, 8, 13, 14, 15, 17, 18, 19, 24, 26, 30}},
      {10, 'P', {0, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19, 24, 26, 28, 30}},
      {600, 'P', {0, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 24, 26, 28, 30, 33}},
  };
  for (const Case& c : cases) {
    const Prepared p = Prepare(c.span, c.kind);
    EXPECT_EQ(Hidden(p.visibility), c.hidden) << "span " << c.span << " kind " << c.kind;
  }
}

TEST(StylePreparation, WidthsAndColourWordsBySpan) {
  struct Case {
    double span;
    int layer;
    std::uint16_t widthCode;
    std::uint16_t colorWord;
  };
  const Case cases[] = {
      {1, 9, 20, 12},        {1, 10, 20, 0x040E},  {1, 11, 2, 4},         {1, 28, 3, 12},
      {5, 10, 19, 0x040E},   {25, 10, 19, 0x040E}, {25, 12, 1, 4},        {26, 10, 1, 0x040E},
      {1, 31, 20, 12},       {1, 17, 15, 0},       {1, 23, 0, 1},         {1, 36, 0, 1},
      {161, 28, 1, 12},      {160, 28, 3, 12},     {1, 30, 0, 0},         {1, 26, 0, 14},
      // The zoomed-in street-map styles: 0.1 to 0.2 miles, then below 0.1.
      {0.15, 9, 30, 0x4F},   {0.15, 13, 20, 0x1F}, {0.15, 11, 30, 0x2F},  {0.15, 245, 30, 0x23},
      {0.05, 9, 30, 0x1C},   {0.05, 13, 28, 0x4F}, {0.05, 11, 30, 0x4F},  {0.05, 244, 28, 0x13},
      {0.2, 9, 20, 12},      {0.1, 9, 30, 0x4F},
  };
  for (const Case& c : cases) {
    const Prepared p = Prepare(c.span, 'Y');
    EXPECT_EQ(p.styles[c.layer].WidthCode, c.widthCode) << "span " << c.span << " layer " << c.layer;
    EXPECT_EQ(p.styles[c.layer].ColorWord, c.colorWord) << "span " << c.span << " layer " << c.layer;
  }
  // Layer 32 follows layer 10; layers 34 and 35 are whole copies of 11 and 12.
  const Prepared p = Prepare(10, 'Y');
  EXPECT_EQ(p.styles[32].WidthCode, p.styles[10].WidthCode);
  EXPECT_EQ(p.styles[32].ColorWord, p.styles[10].ColorWord);
  EXPECT_EQ(p.styles[34], p.styles[11]);
  EXPECT_EQ(p.styles[35], p.styles[12]);
}

TEST(StylePreparation, StreetStyleCasingAndOutlines) {
  const Prepared far = Prepare(1, 'Y');
  EXPECT_FALSE(far.switches.StreetStyle);
  EXPECT_TRUE(far.styles[9].Cased);
  EXPECT_TRUE(far.styles[9].Outlined);
  EXPECT_FALSE(far.styles[11].Outlined) << "width code 2";
  EXPECT_TRUE(far.styles[28].Outlined) << "width code 3";

  const Prepared near = Prepare(0.15, 'Y');
  EXPECT_TRUE(near.switches.StreetStyle);
  EXPECT_FALSE(near.styles[9].Cased) << "the street style draws its own casing";
  EXPECT_TRUE(near.styles[9].Outlined);
  EXPECT_TRUE(Prepare(0.05, 'Y').switches.StreetStyle);

  // Base-map drawings outline the secondary roads whatever their width.
  const Prepared base = Prepare(100, 'P');
  EXPECT_TRUE(base.styles[11].Outlined);
  EXPECT_TRUE(base.styles[12].Outlined);
}

TEST(StylePreparation, BaseMapHighwaysAndBlackWhite) {
  const Prepared base = Prepare(100, 'P');
  EXPECT_EQ(base.styles[9], base.styles[28]) << "major highways drawn like interstates";
  EXPECT_EQ(base.styles[10].WidthCode, 1);
  EXPECT_EQ(base.styles[10].ColorWord, 4);

  PaintStyleContext mono = PaintAtSpan(100);
  mono.BlackWhiteMode = true;
  DrawingStyleInputs baseMap;
  baseMap.KindLetter = 'P';
  EXPECT_EQ(Prepare(mono, baseMap).styles[10].ColorWord, 0);
  EXPECT_EQ(Prepare(mono, baseMap).styles[28].ColorWord, 12) << "only device output blackens interstates";
  mono.BlackWhiteOutput = true;
  EXPECT_EQ(Prepare(mono, baseMap).styles[28].ColorWord, 0);
}

TEST(StylePreparation, FillsInColourAndBlackWhiteMode) {
  struct Case {
    int layer;
    COLORREF colour;
    COLORREF mono;
    std::uint8_t monoLineIndex;  // the line colour index in black-and-white mode
  };
  const PaintStyleContext paint = PaintAtSpan(1);
  const Case cases[] = {
      {19, paint.Land, RGB(0xF7, 0xF7, 0xF7), 0},       {20, RGB(0x7F, 0x7F, 0x00), RGB(0xFE, 0xFE, 0xFE), 0},
      {22, RGB(0x7F, 0x00, 0x7F), RGB(0xFE, 0xFE, 0xFE), 0}, {23, paint.Water, RGB(0x7F, 0x7F, 0x7F), 0},
      {24, RGB(0x7F, 0x3F, 0x7F), RGB(0x7F, 0x7F, 0x7F), 15}, {25, paint.Water, RGB(0x7F, 0x7F, 0x7F), 15},
      {26, RGB(0x00, 0x7F, 0x7F), RGB(0xFE, 0xFE, 0xFE), 15}, {27, RGB(0x7F, 0x7F, 0x00), RGB(0xFE, 0xFE, 0xFE), 0},
      {29, RGB(0xFF, 0xFF, 0x80), RGB(0xFE, 0xFE, 0xFE), 15}, {36, paint.Water, RGB(0x7F, 0x7F, 0x7F), 0},
      {2, 0, 0, 15},  // not a filled layer: keeps its colour word
  };
  DrawingStyleInputs drawing;
  drawing.KindLetter = 'Y';
  PaintStyleContext mono = paint;
  mono.BlackWhiteMode = true;
  const Prepared colour = Prepare(paint, drawing);
  const Prepared grey = Prepare(mono, drawing);
  for (const Case& c : cases) {
    EXPECT_EQ(colour.styles[c.layer].FillColor, c.colour) << c.layer;
    EXPECT_EQ(grey.styles[c.layer].FillColor, c.mono) << c.layer;
    EXPECT_EQ(grey.styles[c.layer].LineIndex(), c.monoLineIndex) << c.layer;
  }
  for (int layer : {0, 1, 5, 9, 21, 30, 37, 244}) EXPECT_EQ(colour.styles[layer].FillColor, 0u) << layer;
}

TEST(StylePreparation, LoadedDetailDrawingsOnTheBaseMap) {
  const double scaleAt30 = test::ScaleOfSpan(30);
  struct Case {
    const char* what;
    DrawingStyleInputs drawing;
    std::set<int> hiddenOfInterest;  // among 1, 2, 9, 10, 11, 12, 23, 25, 28, 33
  };
  DrawingStyleInputs states;
  states.States = {true, scaleAt30};
  DrawingStyleInputs statesAndCounties = states;
  statesAndCounties.Counties = {true, scaleAt30};
  DrawingStyleInputs countiesFar;
  countiesFar.Counties = {true, test::ScaleOfSpan(20)};
  DrawingStyleInputs hydro;
  hydro.Hydro = {true, scaleAt30};
  DrawingStyleInputs network;
  network.HighwayNetwork = {true, scaleAt30};
  const Case cases[] = {
      {"nothing loaded", {}, {}},
      // Counties are not loaded, so the base map's state interiors show from 25 miles.
      {"states reached", states, {1}},
      {"states and counties reached", statesAndCounties, {1, 2}},
      {"counties loaded, not reached", countiesFar, {}},
      {"hydrography reached", hydro, {23, 25}},
      {"network reached", network, {9, 10, 11, 12, 28, 33}},
  };
  for (Case c : cases) {
    c.drawing.KindLetter = 'P';
    const Prepared p = Prepare(PaintAtSpan(30), c.drawing);
    std::set<int> hidden;
    for (int layer : {1, 2, 9, 10, 11, 12, 23, 25, 28, 33}) {
      if (!p.visibility.Visible(layer)) hidden.insert(layer);
    }
    EXPECT_EQ(hidden, c.hiddenOfInterest) << c.what;
  }
  EXPECT_TRUE(Prepare(49, 'P').switches.StateDoubleLine);
  EXPECT_FALSE(Prepare(50, 'P').switches.StateDoubleLine);
}

TEST(StylePreparation, NetworkDrawingsShowRoadsByThreshold) {
  struct Case {
    double span;
    std::int32_t top;
    std::set<int> shown;  // among 9..14
  };
  const Case cases[] = {
      {30, 0, {}},                        // threshold (25 miles) not reached
      {20, 0, {9, 10}},                   // reached
      {20, kNorthernRoadsEdge + 1, {9, 10, 11, 12}},
      {20, kNorthernRoadsEdge, {9, 10}},
      {10, 0, {9, 10, 11, 12}},           // beyond twice the threshold scale
  };
  for (const Case& c : cases) {
    PaintStyleContext paint = PaintAtSpan(c.span);
    paint.ViewTop = c.top;
    DrawingStyleInputs drawing;
    drawing.KindLetter = 'G';
    drawing.HighwayNetwork = {true, test::ScaleOfSpan(25)};
    const Prepared p = Prepare(paint, drawing);
    std::set<int> shown;
    for (int layer = 9; layer <= 14; ++layer) {
      if (p.visibility.Visible(layer)) shown.insert(layer);
    }
    EXPECT_EQ(shown, c.shown) << "span " << c.span << " top " << c.top;
  }
}

TEST(StylePreparation, UserChoicesShadingUnderlayAndOverride) {
  UserLayerChoices user;
  user.SetVisible(14, false);
  user.SetVisible(33, false);
  DrawingStyleInputs street;
  street.KindLetter = 'Y';
  Prepared p = Prepare(PaintAtSpan(1), street, user);
  EXPECT_FALSE(p.visibility.Visible(14));
  EXPECT_FALSE(p.visibility.Visible(33));
  EXPECT_TRUE(p.visibility.Visible(13));

  // Place and MCD shading switch the MCD layers off.
  PaintStyleContext unshaded = PaintAtSpan(1);
  unshaded.Shading = ShadingSwitches::AllOff();
  p = Prepare(unshaded, street);
  EXPECT_FALSE(p.visibility.Visible(8));
  EXPECT_FALSE(p.visibility.Visible(6));

  PaintStyleContext underlay = PaintAtSpan(1);
  underlay.UnderlayDrawn = true;
  p = Prepare(underlay, street);
  EXPECT_FALSE(p.visibility.Visible(7));
  EXPECT_FALSE(p.visibility.Visible(19));

  street.EveryLayerVisible = true;
  p = Prepare(PaintAtSpan(300), street, user);
  for (int layer = 1; layer <= kLastVisibilityLayer; ++layer) EXPECT_TRUE(p.visibility.Visible(layer)) << layer;
  EXPECT_FALSE(p.visibility.Visible(0));
}

TEST(StylePreparation, MarkerStylesAreResetEveryTime) {
  Prepared p = Prepare(1, 'Y');
  p.styles.At(250).ColorWord = 0;
  p.styles.At(244).WidthCode = 0;
  DrawingStyleInputs drawing;
  drawing.KindLetter = 'Y';
  PrepareLayerStyles(PaintAtSpan(1), drawing, UserLayerChoices(), p.styles, p.visibility, p.switches);
  EXPECT_EQ(p.styles[250].ColorWord, 0x0701);
  EXPECT_EQ(p.styles[244].WidthCode, 1);
  EXPECT_EQ(p.styles[255].ColorWord, 0x0B01);
}

TEST(StylePreparation, ChangedThresholdsMoveTheRules) {
  // The Map Blocks dialog's "Maximize": T0..T11 become 100 miles.
  DetailThresholds thresholds;
  for (int i = 0; i <= 11; ++i) thresholds.SetMiles(i, 100);
  PaintStyleContext paint = PaintAtSpan(50);
  paint.Gauge = test::GaugeAtSpan(50, thresholds);
  DrawingStyleInputs drawing;
  drawing.KindLetter = 'Y';
  const Prepared p = Prepare(paint, drawing);
  for (int layer : {9, 10, 11, 12, 13, 14, 17, 18, 23, 24}) EXPECT_TRUE(p.visibility.Visible(layer)) << layer;
  EXPECT_FALSE(p.visibility.Visible(28)) << "span 50 is within T0";

  // A zero threshold means no span is below it, not every span.
  thresholds.SetMiles(13, 0);
  paint.Gauge = test::GaugeAtSpan(0.01, thresholds);
  EXPECT_FALSE(Prepare(paint, drawing).switches.StreetStyle);
}

}  // namespace
}  // namespace quelmar::render
