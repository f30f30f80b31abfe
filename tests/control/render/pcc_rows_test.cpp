// PccRowReader and DecodePccRow: run-length coded rows found through the row
// table, and the bounds every row and run is held to.
#include "control/render/pcc_rows.h"

#include <gtest/gtest.h>

#include <functional>

#include "control/core/errors.h"
#include "underlay_test_support.h"

namespace quelmar::render {
namespace {

constexpr std::size_t kTable = 54 + 1024;  // the fixtures' pixel area: the row table

struct RowCase {
  const char* name;
  std::vector<std::uint8_t> codes;
  std::size_t width;
  std::size_t filled;
  std::vector<std::uint8_t> pixels;  // the first `filled` pixels
};

class PccRowDecoding : public ::testing::TestWithParam<RowCase> {};

TEST_P(PccRowDecoding, FillsThePixels) {
  const RowCase& c = GetParam();
  std::vector<std::uint8_t> out(c.width, 0xEE);
  EXPECT_EQ(DecodePccRow(c.codes, out), c.filled);
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(c.filled)), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PccRowDecoding,
    ::testing::Values(RowCase{"Literals", {1, 2, 191}, 3, 3, {1, 2, 191}},
                      RowCase{"Run", {195, 7, 9}, 4, 4, {7, 7, 7, 9}},
                      RowCase{"RunOfHighValue", {193, 250, 255, 200}, 64, 64,
                              [] {
                                std::vector<std::uint8_t> v{250};
                                v.insert(v.end(), 63, 200);
                                return v;
                              }()},
                      RowCase{"RunCutAtRowEnd", {1, 255, 5}, 4, 4, {1, 5, 5, 5}},
                      RowCase{"CodesAfterAFullRowIgnored", {1, 2, 3, 4}, 2, 2, {1, 2}},
                      RowCase{"EmptyRunSkipped", {192, 9, 4}, 1, 1, {4}},
                      RowCase{"RunWithoutValue", {1, 200}, 3, 1, {1}},
                      RowCase{"EndsEarly", {194, 3}, 5, 2, {3, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

test::TestImage Sample() {
  return test::MakeImage(70, 5, [](int x, int y) { return y == 2 ? 200 : (x / 9) * 30 + y; });
}

TEST(PccRows, ReadsTheSameRowsAsThePlainBitmap) {
  const test::TestImage image = Sample();
  std::vector<std::uint8_t> bytes = test::MakePcc(image);
  MemoryUnderlayBytes source(bytes);
  const BmpHeader header = ReadBmpHeader(source);
  PccRowReader rows(source, header);
  std::vector<std::uint8_t> row(70);
  for (std::int32_t r = 0; r < 5; ++r) {
    rows.ReadRow(r, row);
    const auto begin = image.Pixels.begin() + (4 - r) * 70;
    EXPECT_EQ(row, std::vector<std::uint8_t>(begin, begin + 70)) << "row " << r;
  }
}

struct DamagedTable {
  const char* name;
  std::int32_t row;  // the row that must fail
  std::function<void(std::vector<std::uint8_t>&)> damage;
};

class PccRowRefusal : public ::testing::TestWithParam<DamagedTable> {};

TEST_P(PccRowRefusal, RowIsADataError) {
  std::vector<std::uint8_t> bytes = test::MakePcc(Sample());
  GetParam().damage(bytes);
  MemoryUnderlayBytes source(bytes);
  PccRowReader rows(source, ReadBmpHeader(source));
  std::vector<std::uint8_t> row(70);
  EXPECT_THROW(rows.ReadRow(GetParam().row, row), DataError);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PccRowRefusal,
    ::testing::Values(
        // Row 1 runs from entry 0 to entry 1: make it run backwards.
        DamagedTable{"OffsetsOutOfOrder", 1,
                     [](auto& b) { test::PutU32(b, kTable + 4, test::GetU32(b, kTable) - 1); }},
        DamagedTable{"EndPastTheFile", 4,
                     [](auto& b) { test::PutU32(b, kTable + 16, static_cast<std::uint32_t>(b.size() + 1)); }},
        DamagedTable{"StartInsideTheTable", 1, [](auto& b) { test::PutU32(b, kTable, kTable + 4); }},
        DamagedTable{"BottomRowEndsInsideTheTable", 0, [](auto& b) { test::PutU32(b, kTable, kTable); }},
        DamagedTable{"RowTooShort", 2,
                     [](auto& b) { test::PutU32(b, kTable + 8, test::GetU32(b, kTable + 4) + 1); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PccRows, RowTablePastTheEndIsRefusedAtOpen) {
  std::vector<std::uint8_t> bytes = test::MakePcc(Sample());
  bytes.resize(kTable + 4 * 6);  // the table needs H + 2 = 7 entries
  MemoryUnderlayBytes source(bytes);
  const BmpHeader header = ReadBmpHeader(source);
  EXPECT_THROW(PccRowReader(source, header), DataError);
}

TEST(PccRows, TruncatedAtEveryByte) {
  const std::vector<std::uint8_t> whole = test::MakePcc(Sample());
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    const std::vector<std::uint8_t> bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    MemoryUnderlayBytes source(bytes);
    int rowsRead = 0;
    try {
      const BmpHeader header = ReadBmpHeader(source);
      PccRowReader rows(source, header);
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
      EXPECT_EQ(rowsRead, 5);
    }
  }
}

}  // namespace
}  // namespace quelmar::render
