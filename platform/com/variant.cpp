#include "platform/com/variant.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/kernel/ascii.h"
#include "platform/kernel/number_text.h"

namespace quelmar::com {
namespace {

// "True"/"False" in any case, with blanks around, or a number.
HRESULT ParseNumber(std::string_view text, double* out) {
  const std::string_view word = kernel::TrimBlanks(text);
  if (kernel::EqualsIgnoreCase(word, "True")) {
    *out = VARIANT_TRUE;
    return S_OK;
  }
  if (kernel::EqualsIgnoreCase(word, "False")) {
    *out = VARIANT_FALSE;
    return S_OK;
  }
  switch (kernel::ParseDouble(text, out)) {
    case kernel::NumberParse::Ok:
      return S_OK;
    case kernel::NumberParse::Overflow:
      return DISP_E_OVERFLOW;
    case kernel::NumberParse::Invalid:
      break;
  }
  return DISP_E_TYPEMISMATCH;
}

// Banker's rounding done by hand so that it does not depend on the thread's
// floating-point rounding mode. Exact for every double: x - floor(x) is.
double RoundHalfToEven(double x) {
  if (!std::isfinite(x)) return x;
  const double down = std::floor(x);
  const double fraction = x - down;
  if (fraction > 0.5) return down + 1;
  if (fraction < 0.5) return down;
  return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

// The failure of a value that is no number, text or boolean.
HRESULT NoValue(const Variant& v) {
  return v.IsMissing() ? DISP_E_PARAMNOTFOUND : DISP_E_TYPEMISMATCH;
}

HRESULT ToInteger(const Variant& value, double lowest, double highest, double* out) {
  double d = 0;
  const HRESULT hr = value.ToDouble(&d);
  if (Failed(hr)) return hr;
  d = RoundHalfToEven(d);
  if (!(d >= lowest && d <= highest)) return DISP_E_OVERFLOW;  // NaN fails too
  *out = d;
  return S_OK;
}

}  // namespace

Variant::Variant(std::int16_t v) : vt_(VT_I2) { u_.i2_ = v; }
Variant::Variant(std::int32_t v) : vt_(VT_I4) { u_.i4_ = v; }
Variant::Variant(float v) : vt_(VT_R4) { u_.r4_ = v; }
Variant::Variant(double v) : vt_(VT_R8) { u_.r8_ = v; }
Variant::Variant(bool v) : vt_(VT_BOOL) { u_.bool_ = ToVariantBool(v); }
Variant::Variant(std::string utf8) : vt_(VT_BSTR), text_(std::move(utf8)) {}
Variant::Variant(const char* utf8) : vt_(VT_BSTR), text_(utf8 ? utf8 : "") {}

Variant::Variant(IDispatch* dispatch) : vt_(VT_DISPATCH) {
  u_.dispatch_ = dispatch;
  if (dispatch) dispatch->AddRef();
}

Variant::Variant(SafeArray array)
    : vt_(VT_ARRAY | (array.ElementType == VT_BSTR ? VT_BSTR : VT_VARIANT)),
      array_(std::make_shared<SafeArray>(std::move(array))) {
  array_->ElementType = vt_ & ~VT_ARRAY;
}

Variant::Variant(const Variant& other) { CopyFrom(other); }

Variant::Variant(Variant&& other) noexcept
    : vt_(other.vt_), u_(other.u_), text_(std::move(other.text_)), array_(std::move(other.array_)) {
  other.vt_ = VT_EMPTY;
  other.u_ = {};
  other.text_.clear();
}

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) {
    Variant copy(other);  // takes its reference before ours is dropped
    *this = std::move(copy);
  }
  return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    Clear();
    vt_ = other.vt_;
    u_ = other.u_;
    text_ = std::move(other.text_);
    array_ = std::move(other.array_);
    other.vt_ = VT_EMPTY;
    other.u_ = {};
    other.text_.clear();
  }
  return *this;
}

Variant::~Variant() { Clear(); }

void Variant::Clear() {
  IDispatch* dispatch = vt_ == VT_DISPATCH ? u_.dispatch_ : nullptr;
  vt_ = VT_EMPTY;
  u_ = {};
  text_.clear();
  array_.reset();
  // Last, so that whatever the release runs sees this variant already empty.
  if (dispatch) dispatch->Release();
}

void Variant::CopyFrom(const Variant& other) {
  vt_ = other.vt_;
  u_ = other.u_;
  text_ = other.text_;
  array_ = other.array_ ? std::make_shared<SafeArray>(*other.array_) : nullptr;
  if (vt_ == VT_DISPATCH && u_.dispatch_) u_.dispatch_->AddRef();
}

Variant Variant::Null() {
  Variant v;
  v.vt_ = VT_NULL;
  return v;
}

Variant Variant::Error(HRESULT code) {
  Variant v;
  v.vt_ = VT_ERROR;
  v.u_.scode_ = code;
  return v;
}

Variant Variant::Missing() { return Error(DISP_E_PARAMNOTFOUND); }

Variant Variant::Bool(VARIANT_BOOL b) {
  Variant v;
  v.vt_ = VT_BOOL;
  v.u_.bool_ = b;
  return v;
}

Variant Variant::MakeRef(VARTYPE type, void* p) {
  Variant v;
  v.vt_ = type | VT_BYREF;
  v.u_.ref_ = p;
  return v;
}

Variant Variant::ByRef(std::int16_t* p) { return MakeRef(VT_I2, p); }
Variant Variant::ByRef(std::int32_t* p) { return MakeRef(VT_I4, p); }
Variant Variant::ByRef(float* p) { return MakeRef(VT_R4, p); }
Variant Variant::ByRef(double* p) { return MakeRef(VT_R8, p); }
Variant Variant::ByRefBool(VARIANT_BOOL* p) { return MakeRef(VT_BOOL, p); }
Variant Variant::ByRef(std::string* p) { return MakeRef(VT_BSTR, p); }
Variant Variant::ByRef(Variant* p) { return MakeRef(VT_VARIANT, p); }
Variant Variant::ByRef(SafeArray* p) {
  return MakeRef(VT_ARRAY | (p && p->ElementType == VT_BSTR ? VT_BSTR : VT_VARIANT), p);
}

const SafeArray* Variant::array() const {
  const Variant* v = Target();
  if (!v || !(v->vt_ & VT_ARRAY)) return nullptr;
  return v->IsByRef() ? static_cast<const SafeArray*>(v->u_.ref_) : v->array_.get();
}

SafeArray SafeArray::OfStrings(const std::vector<std::string>& texts) {
  SafeArray a;
  a.ElementType = VT_BSTR;
  for (const std::string& t : texts) a.Elements.emplace_back(t);
  return a;
}

std::vector<std::string> SafeArray::Strings() const {
  std::vector<std::string> texts;
  for (const Variant& e : Elements) {
    std::string t;
    if (e.ToString(&t) < 0) t.clear();
    texts.push_back(std::move(t));
  }
  return texts;
}

bool Variant::IsMissing() const {
  const Variant* v = Target();
  return v && v->vt_ == VT_ERROR && v->u_.scode_ == DISP_E_PARAMNOTFOUND;
}

const Variant* Variant::Target() const {
  if (vt_ != (VT_VARIANT | VT_BYREF)) return this;
  const auto* target = static_cast<const Variant*>(u_.ref_);
  if (!target || target->vt_ == (VT_VARIANT | VT_BYREF)) return nullptr;
  return target;
}

const void* Variant::Storage(VARTYPE type) const {
  const Variant* v = Target();
  if (!v) return nullptr;
  if (v->vt_ == (type | VT_BYREF)) return v->u_.ref_;
  if (v->vt_ != type) return nullptr;
  switch (type) {
    case VT_I2: return &v->u_.i2_;
    case VT_I4: return &v->u_.i4_;
    case VT_R4: return &v->u_.r4_;
    case VT_R8: return &v->u_.r8_;
    case VT_BOOL: return &v->u_.bool_;
    case VT_BSTR: return &v->text_;
    case VT_DISPATCH: return &v->u_.dispatch_;
    case VT_ERROR: return &v->u_.scode_;
    default: return nullptr;
  }
}

namespace {
template <class T>
T ReadOr(const void* p, T fallback) {
  return p ? *static_cast<const T*>(p) : fallback;
}
}  // namespace

std::int16_t Variant::i2() const { return ReadOr<std::int16_t>(Storage(VT_I2), 0); }
std::int32_t Variant::i4() const { return ReadOr<std::int32_t>(Storage(VT_I4), 0); }
float Variant::r4() const { return ReadOr<float>(Storage(VT_R4), 0); }
double Variant::r8() const { return ReadOr<double>(Storage(VT_R8), 0); }
VARIANT_BOOL Variant::boolVal() const { return ReadOr<VARIANT_BOOL>(Storage(VT_BOOL), VARIANT_FALSE); }
IDispatch* Variant::dispatch() const { return ReadOr<IDispatch*>(Storage(VT_DISPATCH), nullptr); }
HRESULT Variant::scode() const { return ReadOr<HRESULT>(Storage(VT_ERROR), S_OK); }

const std::string& Variant::bstr() const {
  static const std::string kEmpty;
  const void* p = Storage(VT_BSTR);
  return p ? *static_cast<const std::string*>(p) : kEmpty;
}

Variant Variant::Dereferenced() const {
  const Variant* v = Target();
  if (!v) return Error(E_POINTER);
  if (!v->IsByRef()) return *v;
  const void* p = v->u_.ref_;
  if (!p) return Error(E_POINTER);
  if (v->vt_ & VT_ARRAY) return Variant(*static_cast<const SafeArray*>(p));
  switch (v->vt_ & ~VT_BYREF) {
    case VT_I2: return Variant(*static_cast<const std::int16_t*>(p));
    case VT_I4: return Variant(*static_cast<const std::int32_t*>(p));
    case VT_R4: return Variant(*static_cast<const float*>(p));
    case VT_R8: return Variant(*static_cast<const double*>(p));
    case VT_BOOL: return Bool(*static_cast<const VARIANT_BOOL*>(p));
    case VT_BSTR: return Variant(*static_cast<const std::string*>(p));
    default: return Error(DISP_E_BADVARTYPE);
  }
}

HRESULT Variant::ToDouble(double* out) const {
  const Variant v = Dereferenced();
  double d = 0;
  switch (v.vt_) {
    case VT_EMPTY: d = 0; break;
    case VT_I2: d = v.u_.i2_; break;
    case VT_I4: d = v.u_.i4_; break;
    case VT_R4: d = v.u_.r4_; break;
    case VT_R8: d = v.u_.r8_; break;
    case VT_BOOL: d = v.u_.bool_; break;
    case VT_BSTR: {
      const HRESULT hr = ParseNumber(v.text_, &d);
      if (Failed(hr)) return hr;
      break;
    }
    default: return NoValue(v);
  }
  *out = d;
  return S_OK;
}

HRESULT Variant::ToInt32(std::int32_t* out) const {
  double d = 0;
  using Limits = std::numeric_limits<std::int32_t>;
  const HRESULT hr = ToInteger(*this, Limits::min(), Limits::max(), &d);
  if (Succeeded(hr)) *out = static_cast<std::int32_t>(d);
  return hr;
}

HRESULT Variant::ToInt16(std::int16_t* out) const {
  double d = 0;
  using Limits = std::numeric_limits<std::int16_t>;
  const HRESULT hr = ToInteger(*this, Limits::min(), Limits::max(), &d);
  if (Succeeded(hr)) *out = static_cast<std::int16_t>(d);
  return hr;
}

HRESULT Variant::ToBool(bool* out) const {
  double d = 0;
  const HRESULT hr = ToDouble(&d);
  if (Succeeded(hr)) *out = d != 0;
  return hr;
}

HRESULT Variant::ToString(std::string* utf8) const {
  const Variant v = Dereferenced();
  switch (v.vt_) {
    case VT_EMPTY: utf8->clear(); break;
    case VT_I2: *utf8 = std::to_string(v.u_.i2_); break;
    case VT_I4: *utf8 = std::to_string(v.u_.i4_); break;
    case VT_R4: *utf8 = kernel::FormatSignificant(v.u_.r4_, 7); break;
    case VT_R8: *utf8 = kernel::FormatSignificant(v.u_.r8_, 15); break;
    case VT_BOOL: *utf8 = v.u_.bool_ ? "True" : "False"; break;
    case VT_BSTR: *utf8 = v.text_; break;
    default: return NoValue(v);
  }
  return S_OK;
}

HRESULT Variant::AssignThroughRef(const Variant& value) const {
  if (!IsByRef()) return E_INVALIDARG;
  void* p = u_.ref_;
  if (!p) return E_POINTER;
  if (vt_ & VT_ARRAY) {
    // The callee's array replaces the caller's, bounds and all; the caller's
    // element type stays, the elements converted to it.
    const SafeArray* from = value.array();
    if (!from) return DISP_E_TYPEMISMATCH;
    auto* to = static_cast<SafeArray*>(p);
    SafeArray result;
    result.ElementType = to->ElementType;
    result.LowerBound = from->LowerBound;
    for (const Variant& e : from->Elements) {
      if (result.ElementType != VT_BSTR) {
        result.Elements.push_back(e.Dereferenced());
        continue;
      }
      std::string text;
      if (const HRESULT hr = e.ToString(&text); hr < 0) return hr;
      result.Elements.emplace_back(std::move(text));
    }
    *to = std::move(result);
    return S_OK;
  }
  HRESULT hr = S_OK;
  switch (vt_ & ~VT_BYREF) {
    case VT_I2: {
      std::int16_t x = 0;
      hr = value.ToInt16(&x);
      if (Succeeded(hr)) *static_cast<std::int16_t*>(p) = x;
      return hr;
    }
    case VT_I4: {
      std::int32_t x = 0;
      hr = value.ToInt32(&x);
      if (Succeeded(hr)) *static_cast<std::int32_t*>(p) = x;
      return hr;
    }
    case VT_R4: {
      double x = 0;
      hr = value.ToDouble(&x);
      if (Succeeded(hr) && std::isfinite(x) && std::fabs(x) > FLT_MAX) hr = DISP_E_OVERFLOW;
      if (Succeeded(hr)) *static_cast<float*>(p) = static_cast<float>(x);
      return hr;
    }
    case VT_R8: {
      double x = 0;
      hr = value.ToDouble(&x);
      if (Succeeded(hr)) *static_cast<double*>(p) = x;
      return hr;
    }
    case VT_BOOL: {
      bool x = false;
      hr = value.ToBool(&x);
      if (Succeeded(hr)) *static_cast<VARIANT_BOOL*>(p) = ToVariantBool(x);
      return hr;
    }
    case VT_BSTR: {
      std::string x;
      hr = value.ToString(&x);
      if (Succeeded(hr)) *static_cast<std::string*>(p) = std::move(x);
      return hr;
    }
    case VT_VARIANT:
      // Dereferenced() copies first, so the value may live in the target.
      *static_cast<Variant*>(p) = value.Dereferenced();
      return S_OK;
    default:
      return DISP_E_BADVARTYPE;
  }
}

std::string Variant::Describe() const {
  const Variant v = Dereferenced();
  switch (v.vt_) {
    case VT_EMPTY: return "Empty";
    case VT_NULL: return "Null";
    case VT_I2: return std::to_string(v.u_.i2_);
    case VT_I4: return std::to_string(v.u_.i4_);
    case VT_R4: return kernel::FormatShortest(v.u_.r4_);
    case VT_R8: return kernel::FormatShortest(v.u_.r8_);
    case VT_BOOL: return v.u_.bool_ ? "True" : "False";
    case VT_BSTR: {
      // Quoted as a script writes it: an inner quote is doubled.
      std::string quoted = "\"";
      for (char c : v.text_) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
      return quoted + '"';
    }
    case VT_DISPATCH: return v.u_.dispatch_ ? "<dispatch>" : "Nothing";
    case VT_ERROR: return v.IsMissing() ? "Missing" : "Error " + FormatHResult(v.u_.scode_);
    default:
      if (const SafeArray* a = v.array()) {
        return "<array " + std::to_string(a->LowerBound) + " to " + std::to_string(a->UpperBound()) + ">";
      }
      return "<type " + std::to_string(v.vt_) + ">";
  }
}

}  // namespace quelmar::com
