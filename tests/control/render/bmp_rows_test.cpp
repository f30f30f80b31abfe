// BmpRowReader: padded rows read bottom first, and refusal of what it cannot read.
#include "control/render/bmp_rows.h"

#include <gtest/gtest.h>

#include "control/core/errors.h"
#include "underlay_test_support.h"

namespace quelmar::render {
namespace {

std::vector<std::uint8_t> ReadImage(UnderlayRowReader& rows, const BmpHeader& header) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(header.Width) * static_cast<std::size_t>(header.Height));
  for (std::int32_t y = 0; y < header.Height; ++y) {
    // Row 0 of the file is the bottom of the picture.
    rows.ReadRow(header.Height - 1 - y, std::span(pixels).subspan(static_cast<std::size_t>(y * header.Width),
                                                                   static_cast<std::size_t>(header.Width)));
  }
  return pixels;
}

TEST(BmpRows, ReadsEveryRowOfOddWidths) {
  for (int width : {2, 3, 4, 5, 7}) {
    const test::TestImage image = test::MakeImage(width, 3, [](int x, int y) { return 1 + x + 16 * y; });
    std::vector<std::uint8_t> bytes = test::MakeBmp(image);
    MemoryUnderlayBytes source(bytes);
    const BmpHeader header = ReadBmpHeader(source);
    BmpRowReader rows(source, header);
    EXPECT_EQ(ReadImage(rows, header), image.Pixels) << "width " << width;
  }
}

TEST(BmpRows, RefusesCompressedRowsAndRowsOutsideTheImage) {
  std::vector<std::uint8_t> bytes = test::MakeBmp(test::MakeImage(4, 4, [](int x, int) { return x; }));
  test::PutU32(bytes, 30, 1);  // run-length coded 8-bit rows
  {
    MemoryUnderlayBytes source(bytes);
    EXPECT_THROW(BmpRowReader(source, ReadBmpHeader(source)), DataError);
  }
  test::PutU32(bytes, 30, 0);
  MemoryUnderlayBytes source(bytes);
  const BmpHeader header = ReadBmpHeader(source);
  BmpRowReader rows(source, header);
  std::vector<std::uint8_t> row(4);
  EXPECT_THROW(rows.ReadRow(-1, row), DataError);
  EXPECT_THROW(rows.ReadRow(4, row), DataError);
  std::vector<std::uint8_t> wrongSize(3);
  EXPECT_THROW(rows.ReadRow(0, wrongSize), DataError);
}

TEST(BmpRows, MissingRowsAtTheEndAreDataErrors) {
  std::vector<std::uint8_t> bytes = test::MakeBmp(test::MakeImage(4, 4, [](int x, int) { return x; }));
  bytes.resize(bytes.size() - 6);  // the top row and half of the one below
  MemoryUnderlayBytes source(bytes);
  const BmpHeader header = ReadBmpHeader(source);
  BmpRowReader rows(source, header);
  std::vector<std::uint8_t> row(4);
  EXPECT_NO_THROW(rows.ReadRow(1, row));
  EXPECT_THROW(rows.ReadRow(2, row), DataError);
  EXPECT_THROW(rows.ReadRow(3, row), DataError);
}

// Every prefix of a file: the header and each row either read or throw a
// quelmar::Error; nothing else happens (the sanitizer builds check the reads).
TEST(BmpRows, TruncatedAtEveryByte) {
  const std::vector<std::uint8_t> whole = test::MakeBmp(test::MakeImage(5, 3, [](int x, int y) { return x ^ y; }));
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    const std::vector<std::uint8_t> bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    MemoryUnderlayBytes source(bytes);
    int rowsRead = 0;
    try {
      const BmpHeader header = ReadBmpHeader(source);
      BmpRowReader rows(source, header);
      std::vector<std::uint8_t> row(static_cast<std::size_t>(header.Width));
      for (std::int32_t r = 0; r < header.Height; ++r) {
        try {
          rows.ReadRow(r, row);
          ++rowsRead;
        } catch (const Error&) {
        }
      }
    } catch (const Error&) {
    }
    if (size == whole.size()) {
      EXPECT_EQ(rowsRead, 3);
    }
  }
}

}  // namespace
}  // namespace quelmar::render
