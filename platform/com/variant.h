#pragma once
// Variant: the tagged value of late-bound calls. Covers EMPTY, NULL, I2, I4,
// R4, R8, BOOL (-1/0), BSTR (UTF-8 text), DISPATCH, ERROR (a missing optional
// argument), one-dimensional arrays of BSTR or VARIANT (SafeArray), and
// by-reference forms of each, which point at the caller's storage.
// Conversions follow the Windows rules (numbers from text in the C locale,
// doubles to integers rounded half to even, overflow is DISP_E_OVERFLOW).
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/com/hresult.h"
#include "platform/com/unknown.h"

namespace quelmar::com {

using VARTYPE = std::uint16_t;
constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_NULL = 1;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_R4 = 4;
constexpr VARTYPE VT_R8 = 5;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_DISPATCH = 9;
constexpr VARTYPE VT_ERROR = 10;
constexpr VARTYPE VT_BOOL = 11;
constexpr VARTYPE VT_VARIANT = 12;
constexpr VARTYPE VT_ARRAY = 0x2000;
constexpr VARTYPE VT_BYREF = 0x4000;

using VARIANT_BOOL = std::int16_t;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;
constexpr VARIANT_BOOL ToVariantBool(bool b) { return b ? VARIANT_TRUE : VARIANT_FALSE; }

using OLE_COLOR = std::uint32_t;

struct SafeArray;

class Variant {
 public:
  Variant() = default;  // VT_EMPTY
  Variant(std::int16_t v);
  Variant(std::int32_t v);
  Variant(float v);
  Variant(double v);
  Variant(bool v);                    // VT_BOOL, -1 or 0
  Variant(std::string utf8);          // VT_BSTR
  Variant(const char* utf8);          // VT_BSTR
  Variant(IDispatch* dispatch);       // VT_DISPATCH, adds a reference
  Variant(SafeArray array);           // VT_ARRAY | its element type; copies are deep
  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(const Variant& other);
  Variant& operator=(Variant&& other) noexcept;
  ~Variant();

  static Variant Null();
  static Variant Error(HRESULT code);
  // An omitted optional argument: VT_ERROR with DISP_E_PARAMNOTFOUND.
  static Variant Missing();
  static Variant Bool(VARIANT_BOOL v);

  // By-reference values point at storage the caller keeps alive.
  static Variant ByRef(std::int16_t* p);
  static Variant ByRef(std::int32_t* p);
  static Variant ByRef(float* p);
  static Variant ByRef(double* p);
  static Variant ByRefBool(VARIANT_BOOL* p);
  static Variant ByRef(std::string* p);
  static Variant ByRef(Variant* p);
  // A by-reference array: the callee may re-dimension it (see AssignThroughRef).
  static Variant ByRef(SafeArray* p);

  VARTYPE vt() const { return vt_; }
  bool IsByRef() const { return (vt_ & VT_BYREF) != 0; }
  bool IsEmpty() const { return vt_ == VT_EMPTY; }
  bool IsMissing() const;

  // Direct reads of the stored value (by-reference forms are followed).
  // Each requires the matching type; use the conversions otherwise. A read of
  // another type gives 0, false, empty text or nullptr.
  std::int16_t i2() const;
  std::int32_t i4() const;
  float r4() const;
  double r8() const;
  VARIANT_BOOL boolVal() const;
  const std::string& bstr() const;
  IDispatch* dispatch() const;
  HRESULT scode() const;
  // The array held or referenced; nullptr for any other type.
  const SafeArray* array() const;

  // The value with every by-reference level followed (a copy). A reference
  // through a null pointer, or a VT_VARIANT reference to another VT_VARIANT
  // reference, gives Error(E_POINTER).
  Variant Dereferenced() const;

  // Conversions. Each returns S_OK, DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW
  // (DISP_E_PARAMNOTFOUND for a missing argument) and leaves *out unchanged on
  // failure. EMPTY reads as 0, false or ""; NULL, DISPATCH and ERROR convert to
  // nothing. Text is read as a number in the C locale, blanks around it and a
  // sign allowed, or as "True"/"False" in any letter case (-1 and 0).
  // Doubles become integers rounded half to even.
  HRESULT ToDouble(double* out) const;
  HRESULT ToInt32(std::int32_t* out) const;
  HRESULT ToInt16(std::int16_t* out) const;
  HRESULT ToBool(bool* out) const;
  // Numbers in the C locale as hosts print them: doubles with at most 15
  // significant digits, singles 7, "1E+20" beyond; booleans "True"/"False".
  HRESULT ToString(std::string* utf8) const;

  // Writes through a by-reference variant into the caller's storage, converting
  // to the referenced type (a VT_VARIANT reference takes a copy of the value).
  // E_INVALIDARG when this variant is not by reference, E_POINTER when it
  // points nowhere, otherwise the conversion's result.
  HRESULT AssignThroughRef(const Variant& value) const;

  // Text for hosts that print results: numbers as the shortest round-trip
  // text, strings quoted (an inner quote doubled), booleans True/False, EMPTY as "Empty", NULL as
  // "Null", a missing argument as "Missing", other errors as "Error 0x...",
  // an object as "<dispatch>" and a null object as "Nothing".
  std::string Describe() const;

 private:
  VARTYPE vt_ = VT_EMPTY;
  union {
    std::int16_t i2_;
    std::int32_t i4_;
    float r4_;
    double r8_;
    VARIANT_BOOL bool_;
    HRESULT scode_;
    IDispatch* dispatch_;
    void* ref_;
  } u_{};
  std::string text_;  // VT_BSTR storage
  std::shared_ptr<SafeArray> array_;  // VT_ARRAY storage, never shared between variants

  static Variant MakeRef(VARTYPE type, void* p);
  void Clear();
  void CopyFrom(const Variant& other);
  // The variant a VT_VARIANT reference points at, `this` otherwise; nullptr
  // when the reference is broken.
  const Variant* Target() const;
  // Where a value of `type` is kept, following references; nullptr when the
  // value is of another type.
  const void* Storage(VARTYPE type) const;
};

// A one-dimensional SAFEARRAY as hosts pass it: elements of one type
// (VT_BSTR or VT_VARIANT) indexed from a lower bound on.
struct SafeArray {
  VARTYPE ElementType = VT_VARIANT;
  std::int32_t LowerBound = 0;
  std::vector<Variant> Elements;

  std::int32_t UpperBound() const { return LowerBound + static_cast<std::int32_t>(Elements.size()) - 1; }
  // An array of texts from index 0.
  static SafeArray OfStrings(const std::vector<std::string>& texts);
  // The elements as texts (each converted; one that does not convert is "").
  std::vector<std::string> Strings() const;
};

}  // namespace quelmar::com
