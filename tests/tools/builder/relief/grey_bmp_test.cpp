// EncodeGreyBmp, read back by the control's own underlay reader.
#include "tools/quelmar-data/builder/relief/grey_bmp.h"

#include <gtest/gtest.h>

#include "control/core/errors.h"
#include "control/render/bmp_header.h"
#include "control/render/bmp_rows.h"

namespace quelmar::builder {
namespace {

TEST(GreyBmp, ControlReadsEveryPixelBack) {
  for (int width : {2, 3, 5, 8}) {
    GreyImage image;
    image.Width = width;
    image.Height = 3;
    for (int i = 0; i < width * 3; ++i) image.Pixels.push_back(static_cast<std::uint8_t>(i * 11 + 1));
    const std::string bytes = EncodeGreyBmp(image);
    render::MemoryUnderlayBytes source(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    const render::BmpHeader header = render::ReadBmpHeader(source);
    EXPECT_EQ(header.Width, width);
    EXPECT_EQ(header.Height, 3);
    EXPECT_EQ(header.Colours, 256);
    EXPECT_EQ(header.ColourTable[200], gdi::RGB(200, 200, 200));
    render::BmpRowReader rows(source, header);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
    for (int y = 0; y < 3; ++y) {
      rows.ReadRow(2 - y, row);  // the file's first row is the image's bottom row
      for (int x = 0; x < width; ++x) EXPECT_EQ(row[static_cast<std::size_t>(x)], image.At(x, y)) << x << "," << y;
    }
  }
}

TEST(GreyBmp, TooSmallIsADataError) {
  GreyImage image;
  image.Width = 1;
  image.Height = 5;
  image.Pixels.assign(5, 0);
  EXPECT_THROW(EncodeGreyBmp(image), DataError);
}

}  // namespace
}  // namespace quelmar::builder
