// Where a printed map goes on its page and how the Printer dialog's margin
// spin buttons step.
#include "control/printing/print_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quelmar::printing {
namespace {

TEST(MapPrintRectangle, MarginsAndTheTitleAndFooterBands) {
  struct Case {
    double margin;
    bool maximized;
    gdi::Rect expected;
  };
  const gdi::Size letter600{5100, 6600};
  for (const Case& c : {
           // 1 inch margins at 600 dpi: 600 in from the left and right, the
           // title's 17/72 inch above, the footer's half inch below.
           Case{1, false, {600, 742, 5100 - 600, 6600 - 900}},
           // Maximized: no margins, the bands stay.
           Case{1, true, {0, 142, 5100, 6600 - 300}},
           // Margins beyond 4 inches are held at 4.
           Case{9, false, {2400, 2542, 5100 - 2400, 6600 - 2700}},
       }) {
    core::PrintSettings print;
    print.MarginLeft = print.MarginRight = print.MarginTop = print.MarginBottom = c.margin;
    print.Maximized = c.maximized;
    EXPECT_EQ(MapPrintRectangle(letter600, 600, print), c.expected) << c.margin << (c.maximized ? " maximized" : "");
  }
  core::PrintSettings wide;
  wide.MarginLeft = wide.MarginRight = 4;
  EXPECT_FALSE(PrintsMap(MapPrintRectangle({850, 1100}, 100, wide))) << "no room left: nothing is printed";
  EXPECT_TRUE(PrintsMap(MapPrintRectangle({850, 1100}, 100, core::PrintSettings{})));
}

TEST(SpinMargin, RoundsToQuartersThenStepsWithinZeroToFour) {
  struct Case {
    double value;
    bool up;
    double expected;
  };
  for (const Case& c : {Case{0.3, true, 0.5}, Case{0.3, false, 0.0}, Case{0.375, true, 0.75}, Case{4, true, 4},
                        Case{0, false, 0}, Case{3.9, true, 4}, Case{-2, true, 0},
                        Case{std::numeric_limits<double>::quiet_NaN(), true, 0.25}}) {
    EXPECT_DOUBLE_EQ(SpinMargin(c.value, c.up), c.expected) << c.value << (c.up ? " up" : " down");
  }
}

TEST(PagePicture, PortraitAndLandscapeWithTheMapInside) {
  core::PrintSettings print;  // half-inch margins
  const PagePicture portrait = MakePagePicture({200, 260}, false, 8.5, 11, print);
  EXPECT_EQ(portrait.Page.Height(), 220);
  EXPECT_EQ(portrait.Page.Width(), 220 * 17 / 22);
  EXPECT_GT(portrait.Map.left, portrait.Page.left + 8);
  EXPECT_LT(portrait.Map.bottom, portrait.Page.bottom - 8);
  const PagePicture landscape = MakePagePicture({260, 200}, true, 11, 8.5, print);
  EXPECT_EQ(landscape.Page.Width(), 220);
  EXPECT_EQ(landscape.Page.Height(), 220 * 17 / 22);
  print.Maximized = true;
  const PagePicture full = MakePagePicture({200, 260}, false, 8.5, 11, print);
  EXPECT_EQ(full.Map.left, full.Page.left + 8);
  EXPECT_EQ(full.Map.right, full.Page.right - 8);
}

}  // namespace
}  // namespace quelmar::printing
