// Conversions of every kind of value to every target type.
#include <clocale>
#include <cmath>
#include <iostream>
#include <limits>
#include <locale>
#include <optional>

#include <gtest/gtest.h>

#include "platform/com/variant.h"

namespace quelmar::com {
namespace {

template <class T>
struct Expected {
  HRESULT hr = S_OK;
  T value{};
};
template <class T>
Expected<T> Ok(T v) {
  return {S_OK, v};
}
constexpr HRESULT kMismatch = DISP_E_TYPEMISMATCH;
constexpr HRESULT kOverflow = DISP_E_OVERFLOW;
constexpr HRESULT kMissing = DISP_E_PARAMNOTFOUND;

struct Row {
  const char* name;
  Variant value;
  Expected<double> toDouble;
  Expected<std::int32_t> toInt32;
  Expected<std::int16_t> toInt16;
  Expected<bool> toBool;
  Expected<std::string> toString;
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

std::vector<Row> Rows() {
  using S = std::string;
  using I16 = std::int16_t;
  return {
      {"empty", Variant(), Ok(0.0), Ok(0), Ok<I16>(0), Ok(false), Ok(S(""))},
      {"null", Variant::Null(), {kMismatch}, {kMismatch}, {kMismatch}, {kMismatch}, {kMismatch}},
      {"i2", Variant(I16(-7)), Ok(-7.0), Ok(-7), Ok<I16>(-7), Ok(true), Ok(S("-7"))},
      {"i4 zero", Variant(0), Ok(0.0), Ok(0), Ok<I16>(0), Ok(false), Ok(S("0"))},
      {"i4 beyond i2", Variant(70000), Ok(70000.0), Ok(70000), {kOverflow}, Ok(true), Ok(S("70000"))},
      {"i4 i2 edge", Variant(-32768), Ok(-32768.0), Ok(-32768), Ok<I16>(-32768), Ok(true), Ok(S("-32768"))},
      {"r4 half", Variant(2.5f), Ok(2.5), Ok(2), Ok<I16>(2), Ok(true), Ok(S("2.5"))},
      {"r4 tenth", Variant(0.1f), Ok(double(0.1f)), Ok(0), Ok<I16>(0), Ok(true), Ok(S("0.1"))},
      {"r8 3.5 rounds up to even", Variant(3.5), Ok(3.5), Ok(4), Ok<I16>(4), Ok(true), Ok(S("3.5"))},
      {"r8 -2.5 rounds to even", Variant(-2.5), Ok(-2.5), Ok(-2), Ok<I16>(-2), Ok(true), Ok(S("-2.5"))},
      {"r8 below half", Variant(2.4999), Ok(2.4999), Ok(2), Ok<I16>(2), Ok(true), Ok(S("2.4999"))},
      {"r8 above half", Variant(-0.5001), Ok(-0.5001), Ok(-1), Ok<I16>(-1), Ok(true), Ok(S("-0.5001"))},
      {"r8 sum", Variant(0.1 + 0.2), Ok(0.1 + 0.2), Ok(0), Ok<I16>(0), Ok(true), Ok(S("0.3"))},
      {"r8 i4 max", Variant(2147483647.4), Ok(2147483647.4), Ok(2147483647), {kOverflow}, Ok(true),
       Ok(S("2147483647.4"))},
      {"r8 past i4 max", Variant(2147483647.5), Ok(2147483647.5), {kOverflow}, {kOverflow}, Ok(true),
       Ok(S("2147483647.5"))},
      {"r8 i4 min", Variant(-2147483648.5), Ok(-2147483648.5), Ok(-2147483647 - 1), {kOverflow},
       Ok(true), Ok(S("-2147483648.5"))},
      {"r8 past i2 max", Variant(32767.5), Ok(32767.5), Ok(32768), {kOverflow}, Ok(true), Ok(S("32767.5"))},
      {"r8 large", Variant(1e20), Ok(1e20), {kOverflow}, {kOverflow}, Ok(true), Ok(S("1E+20"))},
      {"r8 nan", Variant(kNaN), Ok(kNaN), {kOverflow}, {kOverflow}, Ok(true), Ok(S("nan"))},
      {"r8 inf", Variant(kInf), Ok(kInf), {kOverflow}, {kOverflow}, Ok(true), Ok(S("inf"))},
      {"r8 -inf", Variant(-kInf), Ok(-kInf), {kOverflow}, {kOverflow}, Ok(true), Ok(S("-inf"))},
      {"bool true", Variant(true), Ok(-1.0), Ok(-1), Ok<I16>(-1), Ok(true), Ok(S("True"))},
      {"bool false", Variant(false), Ok(0.0), Ok(0), Ok<I16>(0), Ok(false), Ok(S("False"))},
      {"bool odd value", Variant::Bool(1), Ok(1.0), Ok(1), Ok<I16>(1), Ok(true), Ok(S("True"))},
      {"text blanks", Variant(" 12 "), Ok(12.0), Ok(12), Ok<I16>(12), Ok(true), Ok(S(" 12 "))},
      {"text sign", Variant("+3.5"), Ok(3.5), Ok(4), Ok<I16>(4), Ok(true), Ok(S("+3.5"))},
      {"text half", Variant("\t-2.5"), Ok(-2.5), Ok(-2), Ok<I16>(-2), Ok(true), Ok(S("\t-2.5"))},
      {"text exponent", Variant("1e3"), Ok(1000.0), Ok(1000), Ok<I16>(1000), Ok(true), Ok(S("1e3"))},
      {"text zero", Variant("0"), Ok(0.0), Ok(0), Ok<I16>(0), Ok(false), Ok(S("0"))},
      {"text beyond i2", Variant("99999"), Ok(99999.0), Ok(99999), {kOverflow}, Ok(true), Ok(S("99999"))},
      {"text huge", Variant("1e400"), {kOverflow}, {kOverflow}, {kOverflow}, {kOverflow}, Ok(S("1e400"))},
      {"text True", Variant("True"), Ok(-1.0), Ok(-1), Ok<I16>(-1), Ok(true), Ok(S("True"))},
      {"text false any case", Variant(" fALSE "), Ok(0.0), Ok(0), Ok<I16>(0), Ok(false), Ok(S(" fALSE "))},
      {"text comma", Variant("1,5"), {kMismatch}, {kMismatch}, {kMismatch}, {kMismatch}, Ok(S("1,5"))},
      {"text word", Variant("abc"), {kMismatch}, {kMismatch}, {kMismatch}, {kMismatch}, Ok(S("abc"))},
      {"text empty", Variant(""), {kMismatch}, {kMismatch}, {kMismatch}, {kMismatch}, Ok(S(""))},
      {"text inf", Variant("inf"), {kMismatch}, {kMismatch}, {kMismatch}, {kMismatch}, Ok(S("inf"))},
      {"text Yes", Variant("Yes"), {kMismatch}, {kMismatch}, {kMismatch}, {kMismatch}, Ok(S("Yes"))},
      {"missing", Variant::Missing(), {kMissing}, {kMissing}, {kMissing}, {kMissing}, {kMissing}},
      {"error", Variant::Error(E_FAIL), {kMismatch}, {kMismatch}, {kMismatch}, {kMismatch}, {kMismatch}},
  };
}

bool SameDouble(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

// Runs every conversion of `v` and compares it with the row; *out stays
// untouched on failure.
void CheckRow(const Row& row, const Variant& v) {
  double d = 99;
  EXPECT_EQ(v.ToDouble(&d), row.toDouble.hr) << "ToDouble";
  EXPECT_TRUE(SameDouble(d, Succeeded(row.toDouble.hr) ? row.toDouble.value : 99)) << "ToDouble " << d;

  std::int32_t i4 = 99;
  EXPECT_EQ(v.ToInt32(&i4), row.toInt32.hr) << "ToInt32";
  EXPECT_EQ(i4, Succeeded(row.toInt32.hr) ? row.toInt32.value : 99) << "ToInt32";

  std::int16_t i2 = 99;
  EXPECT_EQ(v.ToInt16(&i2), row.toInt16.hr) << "ToInt16";
  EXPECT_EQ(i2, Succeeded(row.toInt16.hr) ? row.toInt16.value : 99) << "ToInt16";

  bool b = !row.toBool.value;  // the opposite of the expected result
  EXPECT_EQ(v.ToBool(&b), row.toBool.hr) << "ToBool";
  EXPECT_EQ(b, Succeeded(row.toBool.hr) ? row.toBool.value : !row.toBool.value) << "ToBool";

  std::string s = "untouched";
  EXPECT_EQ(v.ToString(&s), row.toString.hr) << "ToString";
  EXPECT_EQ(s, Succeeded(row.toString.hr) ? row.toString.value : "untouched") << "ToString";
}

TEST(ComVariantConversionTest, EveryKindToEveryTarget) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    CheckRow(row, row.value);
  }
}

// A reference to a variant converts as the value it points at.
TEST(ComVariantConversionTest, ThroughVariantReferences) {
  for (Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    CheckRow(row, Variant::ByRef(&row.value));
  }
}

TEST(ComVariantConversionTest, ThroughTypedReferences) {
  std::int16_t i2 = -7;
  std::int32_t i4 = 70000;
  float r4 = 2.5f;
  double r8 = -2.5;
  VARIANT_BOOL b = VARIANT_TRUE;
  std::string text = " 12 ";
  const Row rows[] = {
      {"i2", Variant::ByRef(&i2), Ok(-7.0), Ok(-7), Ok<std::int16_t>(-7), Ok(true), Ok(std::string("-7"))},
      {"i4", Variant::ByRef(&i4), Ok(70000.0), Ok(70000), {kOverflow}, Ok(true), Ok(std::string("70000"))},
      {"r4", Variant::ByRef(&r4), Ok(2.5), Ok(2), Ok<std::int16_t>(2), Ok(true), Ok(std::string("2.5"))},
      {"r8", Variant::ByRef(&r8), Ok(-2.5), Ok(-2), Ok<std::int16_t>(-2), Ok(true), Ok(std::string("-2.5"))},
      {"bool", Variant::ByRefBool(&b), Ok(-1.0), Ok(-1), Ok<std::int16_t>(-1), Ok(true), Ok(std::string("True"))},
      {"text", Variant::ByRef(&text), Ok(12.0), Ok(12), Ok<std::int16_t>(12), Ok(true), Ok(std::string(" 12 "))},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CheckRow(row, row.value);
  }
}

TEST(ComVariantConversionTest, BrokenReferencesConvertToNothing) {
  Variant inner = Variant(5);
  Variant middle = Variant::ByRef(&inner);
  const Variant nested = Variant::ByRef(&middle);  // a reference to a reference: not allowed
  const Variant nowhere = Variant::ByRef(static_cast<std::int32_t*>(nullptr));
  for (const Variant* v : {&nested, &nowhere}) {
    std::int32_t i = 99;
    EXPECT_EQ(v->ToInt32(&i), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(i, 99);
    EXPECT_EQ(v->Describe(), "Error 0x80004003");
  }
}

// A process locale with a decimal comma must change neither reading nor
// writing of numbers.
struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

// Switches the C library's LC_NUMERIC to a comma locale when one is installed.
class ScopedCommaCLocale {
 public:
  ScopedCommaCLocale() {
    old_ = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8"}) {
      if (std::setlocale(LC_NUMERIC, name)) {
        active_ = true;
        break;
      }
    }
  }
  ~ScopedCommaCLocale() { std::setlocale(LC_NUMERIC, old_.c_str()); }
  bool active() const { return active_; }

 private:
  std::string old_;
  bool active_ = false;
};

TEST(ComVariantConversionTest, NumbersIgnoreTheProcessLocale) {
  const std::locale oldGlobal = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  ScopedCommaCLocale cLocale;  // only when the system has one
  if (!cLocale.active()) std::cout << "(no comma locale installed: checking the C++ locale only)\n";

  double d = 0;
  EXPECT_EQ(Variant("2.5").ToDouble(&d), S_OK);
  EXPECT_EQ(d, 2.5);
  EXPECT_EQ(Variant("2,5").ToDouble(&d), DISP_E_TYPEMISMATCH);
  std::string s;
  EXPECT_EQ(Variant(1234.5).ToString(&s), S_OK);
  EXPECT_EQ(s, "1234.5");
  EXPECT_EQ(Variant(1234.5).Describe(), "1234.5");
  std::locale::global(oldGlobal);
}

}  // namespace
}  // namespace quelmar::com
