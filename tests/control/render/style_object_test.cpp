#include "control/render/style_object.h"

#include <gtest/gtest.h>

#include "style_test_support.h"

namespace quelmar::render {
namespace {

using gdi::BkMode;
using gdi::Pen;
using gdi::PenStyle;

// Selects styles after a preparation at a span and kind letter.
struct Selector {
  Selector(double span, char kind) : prepared(test::Prepare(span, kind)) {}

  ObjectStyle operator()(int layer, bool closed = false, std::int32_t area = 0, std::uint8_t code = 0) {
    const ObjectStyleContext context{prepared.styles, prepared.switches, colours, shading, blackWhite,
                                     blackWhiteOutput, deferral, areas};
    return SelectObjectStyle(context, ObjectQuery{layer, code, area, closed});
  }

  test::Prepared prepared;
  ShadeColours colours;
  ShadingSwitches shading;
  BlackWhiteSettings blackWhite;
  bool blackWhiteOutput = false;
  bool deferral = false;
  AreaColourMap areas;
};

StrokePass Stroke(PenStyle style, int width, COLORREF colour, BkMode background = BkMode::Opaque) {
  return StrokePass{Pen{style, width, colour}, background};
}

std::vector<StrokePass> Strokes(const ObjectStyle& style) {
  return {style.Strokes.Passes().begin(), style.Strokes.Passes().end()};
}

TEST(ObjectStyle, CasedRoadsAtStreetScales) {
  // Below 0.1 mile per inch a highway is a 16-pixel black line with a
  // 14-pixel red one inside; a road a 14-pixel black with a 12-pixel white.
  // At 0.15 mile a road is 4 pixels black with 2 white; county and state
  // roads are silver inside at both scales.
  struct Case {
    double span;
    int layer;
    int outerWidth;
    int innerWidth;
    COLORREF inner;
  };
  const Case cases[] = {
      {0.05, 9, 16, 14, StdColor(kRed)},    {0.05, 13, 14, 12, StdColor(kWhite)},
      {0.15, 13, 4, 2, StdColor(kWhite)},   {0.05, 11, 16, 14, StdColor(kSilver)},
      {0.15, 12, 16, 14, StdColor(kSilver)}, {0.15, 10, 16, 14, StdColor(kYellow)},
      // Away from the street scales the inner line keeps its own colour.
      {1, 9, 4, 2, StdColor(kRed)},          {1, 28, 3, 1, StdColor(kRed)},
  };
  for (const Case& c : cases) {
    Selector select(c.span, 'Y');
    const ObjectStyle style = select(c.layer);
    ASSERT_EQ(style.Disposition, StyleDisposition::Queue) << c.span << " / " << c.layer;
    EXPECT_TRUE(style.Strokes.Empty());
    const bool streetStyle = select.prepared.switches.StreetStyle;
    EXPECT_EQ(CasedOuterPass(style.Cased, false), Stroke(PenStyle::Solid, c.outerWidth, kBlackColour))
        << c.span << " / " << c.layer;
    EXPECT_EQ(CasedInnerPass(style.Cased, streetStyle), Stroke(PenStyle::Solid, c.innerWidth, c.inner))
        << c.span << " / " << c.layer;
  }
}

TEST(ObjectStyle, OrdinaryLinesAndTheirColours) {
  struct Case {
    const char* what;
    double span;
    char kind;
    int layer;
    std::vector<StrokePass> strokes;
    bool pointByPoint = false;
  };
  const Case cases[] = {
      // Width 1, not outlined: the non-zero outline index (maroon) is the colour.
      {"US highway far out", 30, 'Y', 10, {Stroke(PenStyle::Solid, 1, StdColor(kMaroon))}},
      {"street", 1, 'Y', 14, {Stroke(PenStyle::Solid, 1, StdColor(kMaroon))}},
      {"county road, width 2", 1, 'Y', 11, {Stroke(PenStyle::Solid, 2, StdColor(kMaroon))}},
      {"railroad: point by point, one pixel", 1, 'Y', 17, {Stroke(PenStyle::Solid, 1, kBlackColour)}, true},
      {"power line", 1, 'Y', 18, {Stroke(PenStyle::Dot, 1, kBlackColour)}},
      {"open water line", 1, 'Y', 23, {Stroke(PenStyle::Solid, 1, StdColor(kNavy))}},
      {"base-map US highway", 100, 'P', 10, {Stroke(PenStyle::Solid, 1, StdColor(kMaroon))}},
  };
  for (const Case& c : cases) {
    Selector select(c.span, c.kind);
    const ObjectStyle style = select(c.layer);
    EXPECT_EQ(style.Disposition, StyleDisposition::Draw) << c.what;
    EXPECT_FALSE(style.Fill) << c.what;
    EXPECT_EQ(Strokes(style), c.strokes) << c.what;
    EXPECT_EQ(style.PointByPoint, c.pointByPoint) << c.what;
  }
  // The base map queues its secondary roads whatever their width.
  EXPECT_EQ(Selector(100, 'P')(11).Disposition, StyleDisposition::Queue);
}

TEST(ObjectStyle, StateRingsAndBoundaries) {
  Selector select(100, 'P');
  // Code 17 is a palette reference to entry 18; codes outside 1..71 are white.
  EXPECT_EQ(select(2, true, 17).Fill, select.colours.PaletteEntry(18));
  EXPECT_EQ(select(2, true, 3).Fill, select.colours.Water()) << "entry 0 is the water colour";
  EXPECT_EQ(select(2, true, 72).Fill, kWhiteColour);
  EXPECT_EQ(select(2, true, -5).Fill, kWhiteColour);
  select.colours.SetStateEntry(5, PaletteReference(25));
  EXPECT_EQ(select(2, true, 5).Fill, kWhiteColour) << "a reference past the palette";

  select.shading.State = false;
  const ObjectStyle nothing = select(2, true, 17);
  EXPECT_FALSE(nothing.Fill);
  EXPECT_TRUE(nothing.Strokes.Empty());

  // Boundaries: the double line below 50 miles on the base map, else a black line.
  const std::vector<StrokePass> doubleLine = {Stroke(PenStyle::Solid, 3, kWhiteColour),
                                              Stroke(PenStyle::Dot, 1, kBlackColour, BkMode::Transparent)};
  EXPECT_EQ(Strokes(Selector(30, 'P')(1)), doubleLine);
  EXPECT_EQ(Strokes(Selector(30, 'P')(2, false)), doubleLine);
  EXPECT_EQ(Strokes(select(3)), std::vector{Stroke(PenStyle::Solid, 1, kBlackColour)});

  // During a full paint, overview drawings keep their boundaries for the end.
  Selector overview(30, 'M');
  overview.deferral = true;
  EXPECT_EQ(overview(1).Disposition, StyleDisposition::Defer);
  EXPECT_TRUE(overview(1).Strokes.Empty());
  EXPECT_EQ(overview(0, false).Disposition, StyleDisposition::Defer);
  Selector street(1, 'Y');
  street.deferral = true;
  EXPECT_EQ(street(1).Disposition, StyleDisposition::Draw) << "street drawings draw them at once";
}

TEST(ObjectStyle, CountyShadesAndBoundaries) {
  Selector select(10, 'M');
  // Counties 1001 and 1003 take entries 1 and 2; 1036 is entry 1 again.
  EXPECT_EQ(select(5, true, 1001).Fill, select.colours.PaletteEntry(1));
  EXPECT_EQ(select(5, true, 1003).Fill, select.colours.PaletteEntry(2));
  EXPECT_EQ(select(5, true, 1036).Fill, select.colours.PaletteEntry(1));
  EXPECT_EQ(select(5, true, -1005).Fill, kWhiteColour) << "a negative code is no palette entry";

  select.shading.County = false;
  EXPECT_EQ(Strokes(select(5, true, 1001)), std::vector{Stroke(PenStyle::Solid, 1, StdColor(kSilver))});
  select.blackWhiteOutput = true;
  EXPECT_EQ(Strokes(select(5, true, 1001)), std::vector{Stroke(PenStyle::Solid, 1, kWhiteColour)});

  const StrokePass yellowHalo = Stroke(PenStyle::Solid, 5, StdColor(kYellow));
  Selector near(25, 'M');
  near.deferral = true;
  EXPECT_EQ(near(5).Disposition, StyleDisposition::Defer);
  EXPECT_EQ(Strokes(near(5)), std::vector{yellowHalo});
  Selector far(26, 'M');
  far.deferral = true;
  EXPECT_EQ(far(5).Disposition, StyleDisposition::Defer);
  EXPECT_TRUE(far(5).Strokes.Empty()) << "no halo beyond 25 miles";
  EXPECT_EQ(Strokes(Selector(25, 'M')(5)),
            std::vector{Stroke(PenStyle::Dash, 1, StdColor(kGrey), BkMode::Transparent)});
}

TEST(ObjectStyle, McdBoundaries) {
  Selector select(1, 'Y');
  select.deferral = true;
  EXPECT_EQ(select(6).Disposition, StyleDisposition::Defer);
  EXPECT_EQ(Strokes(select(6)), std::vector{Stroke(PenStyle::Solid, 5, RGB(0xFF, 0xFF, 0xC0))});
  select.deferral = false;
  EXPECT_EQ(Strokes(select(6)), std::vector{Stroke(PenStyle::Dash, 1, StdColor(kRed), BkMode::Transparent)});
}

TEST(ObjectStyle, PlaceAndMcdShades) {
  Selector select(1, 'Y');
  // Places and MCDs take colour numbers 1, 2, ... in the order they appear.
  const COLORREF firstMcd = *select(8, true, 501).Fill;
  const COLORREF secondMcd = *select(8, true, 777).Fill;
  EXPECT_EQ(firstMcd, select.colours.PaletteEntry(1));
  EXPECT_EQ(secondMcd, select.colours.PaletteEntry(2));
  // A place is 16 brighter per channel than the same entry for an MCD, capped at 255.
  const COLORREF place = *select(7, true, 1700501).Fill;  // code mod 100000 = 501: colour number 1
  EXPECT_EQ(gdi::GetRValue(place), std::min(gdi::GetRValue(firstMcd) + 16, 255));
  EXPECT_EQ(gdi::GetGValue(place), std::min(gdi::GetGValue(firstMcd) + 16, 255));
  EXPECT_EQ(gdi::GetBValue(place), std::min(gdi::GetBValue(firstMcd) + 16, 255));

  select.colours.SetPaletteEntry(1, RGB(0xF8, 0x10, 0xFF));
  EXPECT_EQ(select(7, true, 501).Fill, RGB(0xFF, 0x20, 0xFF));

  // Through the grey conversion in black-and-white mode.
  select.blackWhite.SetOn(true);
  EXPECT_EQ(select(8, true, 501).Fill, GreyFill(RGB(0xF8, 0x10, 0xFF), select.blackWhite));

  // Shading off: outlines as ordinary lines.
  select.shading.Place = false;
  EXPECT_FALSE(select(7, true, 501).Fill);
  EXPECT_EQ(select(7, true, 501).Strokes.Size(), 1u);
}

TEST(ObjectStyle, FilledLayers) {
  Selector select(1, 'Y');
  EXPECT_EQ(select(23, true).Fill, select.prepared.styles[23].FillColor);
  EXPECT_TRUE(select(23, true).Strokes.Empty()) << "filled without an outline";
  EXPECT_FALSE(select(23, false).Fill) << "open polylines are lines";
  // Feature code 151 (CFCC D51) is filled bright green whatever its layer's fill; white in black-and-white mode.
  EXPECT_EQ(select(19, true, 0, kMeadowFeatureCode).Fill, RGB(0x30, 0xFF, 0x00));
  select.blackWhite.SetOn(true);
  EXPECT_EQ(select(19, true, 0, kMeadowFeatureCode).Fill, kWhiteColour);
}

TEST(ObjectStyle, LineColourChoice) {
  struct Case {
    std::uint16_t colorWord;
    std::uint16_t widthCode;
    bool cased;
    bool outlined;
    int layer;
    int expected;
  };
  const Case cases[] = {
      {0x040E, 20, true, true, 10, 0x0E},    // outlined: the line colour
      {0x040E, 1, false, false, 10, 0x04},  // outline index set: the outline
      {0x000C, 20, true, false, 9, 0x00},   // cased: the outline, even when 0
      {0x000F, 20, true, false, 2, 0x0F},   // but not on layer 2
      {0x0004, 0, false, false, 13, 0x04},
  };
  for (const Case& c : cases) {
    TLayerStyle style;
    style.ColorWord = c.colorWord;
    style.WidthCode = c.widthCode;
    style.Cased = c.cased;
    style.Outlined = c.outlined;
    EXPECT_EQ(LineColourIndex(style, c.layer), c.expected) << std::hex << c.colorWord;
  }
}

}  // namespace
}  // namespace quelmar::render
