#include "control/automation/arg_reader.h"

namespace quelmar::automation {

using com::HRESULT;
using com::Variant;

const Variant* ArgReader::Next() {
  if (next_ >= params_.cArgs) return nullptr;
  // Arguments are stored last-first.
  return &params_.rgvarg[params_.cArgs - 1 - next_];
}

HRESULT ArgReader::Fail(HRESULT hr) {
  failed_ = true;
  if (argErr_) *argErr_ = params_.cArgs - 1 - next_;
  return hr;
}

HRESULT ArgReader::ReadVariant(Variant& out) {
  const Variant* v = Next();
  if (!v) return Fail(com::DISP_E_BADPARAMCOUNT);
  out = v->Dereferenced();
  ++next_;
  return com::S_OK;
}

#define QM_READ_CONVERTED(method, type, convert)        \
  HRESULT ArgReader::method(type& out) {                \
    const Variant* v = Next();                          \
    if (!v) return Fail(com::DISP_E_BADPARAMCOUNT);     \
    HRESULT hr = v->convert(&out);                      \
    if (hr < 0) return Fail(hr);                        \
    ++next_;                                            \
    return com::S_OK;                                   \
  }
QM_READ_CONVERTED(ReadString, std::string, ToString)
QM_READ_CONVERTED(ReadInt32, std::int32_t, ToInt32)
QM_READ_CONVERTED(ReadInt16, std::int16_t, ToInt16)
QM_READ_CONVERTED(ReadDouble, double, ToDouble)
#undef QM_READ_CONVERTED

HRESULT ArgReader::ReadBool(com::VARIANT_BOOL& out) {
  const Variant* v = Next();
  if (!v) return Fail(com::DISP_E_BADPARAMCOUNT);
  bool b = false;
  HRESULT hr = v->ToBool(&b);
  if (hr < 0) return Fail(hr);
  out = com::ToVariantBool(b);
  ++next_;
  return com::S_OK;
}

HRESULT ArgReader::ReadColor(com::OLE_COLOR& out) {
  // Colours arrive as signed 32-bit numbers from most hosts; keep the bits.
  std::int32_t v = 0;
  HRESULT hr = ReadInt32(v);
  if (hr >= 0) out = static_cast<com::OLE_COLOR>(v);
  return hr;
}

HRESULT ArgReader::ReadDispatch(com::IDispatch*& out) {
  const Variant* v = Next();
  if (!v) return Fail(com::DISP_E_BADPARAMCOUNT);
  Variant d = v->Dereferenced();
  if (d.vt() != com::VT_DISPATCH) return Fail(com::DISP_E_TYPEMISMATCH);
  out = d.dispatch();
  ++next_;
  return com::S_OK;
}

}  // namespace quelmar::automation
