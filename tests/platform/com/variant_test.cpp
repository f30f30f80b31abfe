#include "platform/com/variant.h"

#include <cmath>
#include <limits>
#include <utility>

#include <gtest/gtest.h>

#include "fake_dispatch.h"

namespace quelmar::com {
namespace {

using testing::FakeDispatch;

TEST(ComVariantTest, ConstructorsSetTypeAndValue) {
  EXPECT_EQ(Variant().vt(), VT_EMPTY);
  EXPECT_TRUE(Variant().IsEmpty());
  EXPECT_EQ(Variant::Null().vt(), VT_NULL);
  EXPECT_EQ(Variant(std::int16_t{-3}).i2(), -3);
  EXPECT_EQ(Variant(std::int16_t{-3}).vt(), VT_I2);
  EXPECT_EQ(Variant(7).vt(), VT_I4);
  EXPECT_EQ(Variant(1.5f).r4(), 1.5f);
  EXPECT_EQ(Variant(1.5).r8(), 1.5);
  EXPECT_EQ(Variant(true).boolVal(), VARIANT_TRUE);  // -1, not 1
  EXPECT_EQ(Variant(false).boolVal(), VARIANT_FALSE);
  EXPECT_EQ(Variant("text").vt(), VT_BSTR);
  EXPECT_EQ(Variant(std::string("text")).bstr(), "text");
  EXPECT_EQ(Variant(static_cast<const char*>(nullptr)).bstr(), "");
  EXPECT_EQ(Variant::Error(E_FAIL).scode(), E_FAIL);
  EXPECT_TRUE(Variant::Missing().IsMissing());
  EXPECT_FALSE(Variant::Error(E_FAIL).IsMissing());
  EXPECT_FALSE(Variant(0).IsMissing());
}

TEST(ComVariantTest, ReadsOfAnotherTypeGiveZeroValues) {
  const Variant text("12");
  EXPECT_EQ(text.i4(), 0);
  EXPECT_EQ(text.r8(), 0);
  EXPECT_EQ(text.dispatch(), nullptr);
  EXPECT_EQ(Variant(12).bstr(), "");
  EXPECT_EQ(Variant(12).i2(), 0);  // no widening or narrowing in direct reads
}

TEST(ComVariantTest, ReferencesReadTheCallersStorageLive) {
  std::int32_t number = 1;
  std::string text = "a";
  Variant target = Variant(5.5);
  const Variant numberRef = Variant::ByRef(&number);
  const Variant textRef = Variant::ByRef(&text);
  const Variant variantRef = Variant::ByRef(&target);
  EXPECT_TRUE(numberRef.IsByRef());
  EXPECT_EQ(numberRef.vt(), VT_I4 | VT_BYREF);
  EXPECT_EQ(variantRef.vt(), VT_VARIANT | VT_BYREF);

  number = 42;
  text = "changed";
  target = Variant::Missing();
  EXPECT_EQ(numberRef.i4(), 42);
  EXPECT_EQ(textRef.bstr(), "changed");
  EXPECT_TRUE(variantRef.IsMissing());
  EXPECT_EQ(numberRef.Dereferenced().vt(), VT_I4);
  EXPECT_EQ(numberRef.Dereferenced().i4(), 42);

  // A variant reference to a typed reference: both levels are followed.
  target = Variant::ByRef(&number);
  EXPECT_EQ(variantRef.i4(), 42);
  EXPECT_EQ(variantRef.Dereferenced().vt(), VT_I4);
}

// Each row writes one value through one kind of reference.
TEST(ComVariantTest, AssignThroughRefConvertsToTheReferencedType) {
  std::int16_t i2 = 0;
  std::int32_t i4 = 0;
  float r4 = 0;
  double r8 = 0;
  VARIANT_BOOL b = VARIANT_FALSE;
  std::string s;
  Variant v;
  struct Case {
    const char* name;
    Variant ref;
    Variant value;
    HRESULT hr;
    std::string after;  // the referenced storage described after the call
  };
  auto describe = [&](const Variant& ref) { return ref.Dereferenced().Describe(); };
  const Case cases[] = {
      {"i2 from text", Variant::ByRef(&i2), Variant("12"), S_OK, "12"},
      {"i2 rounds half to even", Variant::ByRef(&i2), Variant(2.5), S_OK, "2"},
      {"i2 overflow keeps old value", Variant::ByRef(&i2), Variant(40000), DISP_E_OVERFLOW, "2"},
      {"i4 from bool", Variant::ByRef(&i4), Variant(true), S_OK, "-1"},
      {"i4 from missing", Variant::ByRef(&i4), Variant::Missing(), DISP_E_PARAMNOTFOUND, "-1"},
      {"r4 from text", Variant::ByRef(&r4), Variant("0.5"), S_OK, "0.5"},
      {"r4 overflow", Variant::ByRef(&r4), Variant(1e300), DISP_E_OVERFLOW, "0.5"},
      {"r8 from i4", Variant::ByRef(&r8), Variant(7), S_OK, "7"},
      {"r8 from word", Variant::ByRef(&r8), Variant("x"), DISP_E_TYPEMISMATCH, "7"},
      {"bool from text", Variant::ByRefBool(&b), Variant("true"), S_OK, "True"},
      {"bool from number", Variant::ByRefBool(&b), Variant(0.0), S_OK, "False"},
      {"text from double", Variant::ByRef(&s), Variant(2.5), S_OK, "\"2.5\""},
      {"text from null", Variant::ByRef(&s), Variant::Null(), DISP_E_TYPEMISMATCH, "\"2.5\""},
      {"variant takes any value", Variant::ByRef(&v), Variant("abc"), S_OK, "\"abc\""},
      {"variant takes a dereferenced copy", Variant::ByRef(&v), Variant::ByRef(&i4), S_OK, "-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.ref.AssignThroughRef(c.value), c.hr);
    EXPECT_EQ(describe(c.ref), c.after);
  }
  EXPECT_EQ(v.vt(), VT_I4);  // not a reference to i4
  EXPECT_EQ(b, VARIANT_FALSE);
}

TEST(ComVariantTest, AssignThroughRefNeedsAReference) {
  EXPECT_EQ(Variant(1).AssignThroughRef(Variant(2)), E_INVALIDARG);
  EXPECT_EQ(Variant::ByRef(static_cast<double*>(nullptr)).AssignThroughRef(Variant(2)), E_POINTER);
  // The value may be the referenced variant itself.
  Variant v("self");
  EXPECT_EQ(Variant::ByRef(&v).AssignThroughRef(Variant::ByRef(&v)), S_OK);
  EXPECT_EQ(v.bstr(), "self");
}

TEST(ComVariantTest, DescribeForHostsThatPrintResults) {
  FakeDispatch object;
  std::int32_t number = 5;
  const std::pair<Variant, const char*> cases[] = {
      {Variant(), "Empty"},
      {Variant::Null(), "Null"},
      {Variant(std::int16_t{-2}), "-2"},
      {Variant(123456), "123456"},
      {Variant(0.1f), "0.1"},
      {Variant(0.1), "0.1"},
      {Variant(0.1 + 0.2), "0.30000000000000004"},
      {Variant(1e20), "1e+20"},
      {Variant(-2.0), "-2"},
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant("Chicago, IL"), "\"Chicago, IL\""},
      {Variant(""), "\"\""},
      {Variant::Missing(), "Missing"},
      {Variant::Error(E_FAIL), "Error 0x80004005"},
      {Variant(&object), "<dispatch>"},
      {Variant(static_cast<IDispatch*>(nullptr)), "Nothing"},
      {Variant::ByRef(&number), "5"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(value.Describe(), text);
}

TEST(ComVariantTest, DispatchReferencesAreCountedThroughCopiesAndMoves) {
  FakeDispatch object;  // starts with the test's own reference
  {
    Variant a(&object);
    EXPECT_EQ(object.references, 2);
    EXPECT_EQ(a.dispatch(), &object);

    Variant b = a;  // copy
    EXPECT_EQ(object.references, 3);
    Variant c = std::move(b);  // move: no new reference
    EXPECT_EQ(object.references, 3);
    EXPECT_TRUE(b.IsEmpty());

    const Variant& same = c;
    c = same;  // self-assignment
    EXPECT_EQ(object.references, 3);
    c = Variant(3);  // overwriting releases
    EXPECT_EQ(object.references, 2);

    Variant d;
    d = a;  // copy assignment
    EXPECT_EQ(object.references, 3);
    d = std::move(a);  // move assignment over an equal object
    EXPECT_EQ(object.references, 2);

    const Variant copy = Variant::ByRef(&d).Dereferenced();
    EXPECT_EQ(object.references, 3);

    std::int32_t i = 0;
    EXPECT_EQ(d.ToInt32(&i), DISP_E_TYPEMISMATCH);  // no default property lookups
    EXPECT_EQ(object.references, 3);
  }
  EXPECT_EQ(object.references, 1);
  EXPECT_EQ(Variant(static_cast<IDispatch*>(nullptr)).vt(), VT_DISPATCH);
}

}  // namespace
}  // namespace quelmar::com

namespace quelmar::com {
namespace {

// Arrays: value copies are deep, a by-reference array is re-dimensioned by
// the callee as hosts' out-parameters are, and arrays convert to nothing else.
TEST(VariantArray, CopiesReferencesAndRedimensioning) {
  Variant texts(SafeArray::OfStrings({"a", "b"}));
  EXPECT_EQ(texts.vt(), VT_ARRAY | VT_BSTR);
  ASSERT_NE(texts.array(), nullptr);
  EXPECT_EQ(texts.array()->UpperBound(), 1);
  EXPECT_EQ(texts.Describe(), "<array 0 to 1>");
  Variant copy = texts;
  const_cast<SafeArray*>(copy.array())->Elements[0] = Variant("changed");
  EXPECT_EQ(texts.array()->Strings(), (std::vector<std::string>{"a", "b"})) << "copies do not share elements";

  // The caller's array of texts, handed by reference: the callee's numbers
  // arrive as texts, with the callee's bounds.
  SafeArray callers = SafeArray::OfStrings({"old"});
  const Variant ref = Variant::ByRef(&callers);
  EXPECT_EQ(ref.vt(), VT_ARRAY | VT_BSTR | VT_BYREF);
  SafeArray callees;
  callees.LowerBound = 0;
  callees.Elements = {Variant(1), Variant(2.5), Variant("three")};
  ASSERT_EQ(ref.AssignThroughRef(Variant(callees)), S_OK);
  EXPECT_EQ(callers.ElementType, VT_BSTR);
  EXPECT_EQ(callers.Strings(), (std::vector<std::string>{"1", "2.5", "three"}));
  EXPECT_EQ(ref.Dereferenced().array()->Elements.size(), 3u);
  EXPECT_EQ(ref.AssignThroughRef(Variant(5)), DISP_E_TYPEMISMATCH) << "a number is no array";

  double d = 0;
  std::string s;
  EXPECT_EQ(texts.ToDouble(&d), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(texts.ToString(&s), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Variant(3).array(), nullptr);
  Variant moved = std::move(copy);
  EXPECT_NE(moved.array(), nullptr);
}

}  // namespace
}  // namespace quelmar::com
