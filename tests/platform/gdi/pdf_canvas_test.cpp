// The PDF printer canvas: a document of the pages drawn, and a failure to
// write its bytes reported at the end rather than a document cut short.
#include "platform/gdi/pdf_canvas.h"

#include <gtest/gtest.h>

#include <string>

namespace quelmar::gdi {
namespace {

void DrawSomething(PdfCanvas& pdf) {
  pdf.SetBrush(Brush::Hatch(HatchStyle::Cross, RGB(0, 0, 255)));
  const Point triangle[] = {{10, 10}, {200, 40}, {60, 180}};
  pdf.Polygon(triangle);
  pdf.SetRop2(Rop2::XorPen);
  pdf.MoveTo({0, 0});
  pdf.LineTo({100, 100});  // paper has no exclusive-or: nothing drawn
  pdf.SetRop2(Rop2::CopyPen);
  pdf.TextOut({20, 200}, "Route 66");
}

TEST(PdfCanvas, MakesADocumentOfItsPages) {
  std::string bytes;
  PdfCanvas pdf([&](std::span<const unsigned char> b) {
    bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    return true;
  }, {850, 1100}, 100);
  EXPECT_EQ(pdf.DeviceSize(), (Size{850, 1100}));
  DrawSomething(pdf);
  pdf.ShowPage();
  DrawSomething(pdf);
  EXPECT_EQ(pdf.PageCount(), 2);
  ASSERT_TRUE(pdf.Finish());
  EXPECT_TRUE(bytes.starts_with("%PDF-"));
  EXPECT_NE(bytes.find("/Count 2"), std::string::npos) << "two pages";
  EXPECT_NE(bytes.find("/MediaBox [ 0 0 612 792 ]"), std::string::npos) << "letter paper in points";
}

TEST(PdfCanvas, AWriteThatFailsIsReportedAtTheEnd) {
  int calls = 0;
  PdfCanvas pdf([&](std::span<const unsigned char>) { return ++calls < 2; }, {850, 1100}, 100);
  DrawSomething(pdf);
  EXPECT_FALSE(pdf.Finish());
  EXPECT_FALSE(pdf.Finish()) << "and stays reported";
}

}  // namespace
}  // namespace quelmar::gdi
