#pragma once
// Reads the positional arguments of a late-bound call in declaration order
// (DISPPARAMS holds them last-first) and converts each to the parameter's type.
// The first failure records the argument's position for the caller.
#include <cstdint>
#include <string>
#include <type_traits>

#include "platform/com/unknown.h"
#include "platform/com/variant.h"

namespace quelmar::automation {

class ArgReader {
 public:
  ArgReader(const com::DISPPARAMS& params, std::uint32_t* argErr) : params_(params), argErr_(argErr) {}

  com::HRESULT ReadVariant(com::Variant& out);
  com::HRESULT ReadString(std::string& utf8);
  com::HRESULT ReadInt32(std::int32_t& out);
  com::HRESULT ReadInt16(std::int16_t& out);
  com::HRESULT ReadDouble(double& out);
  com::HRESULT ReadBool(com::VARIANT_BOOL& out);
  com::HRESULT ReadColor(com::OLE_COLOR& out);
  com::HRESULT ReadDispatch(com::IDispatch*& out);
  template <typename E>
  com::HRESULT ReadEnum(E& out) {
    static_assert(std::is_enum_v<E>);
    std::int32_t v = 0;
    com::HRESULT hr = ReadInt32(v);
    if (hr >= 0) out = static_cast<E>(v);
    return hr;
  }

  // True once a conversion failed: the member was never called.
  bool ConversionFailed() const { return failed_; }

 private:
  const com::Variant* Next();
  com::HRESULT Fail(com::HRESULT hr);

  const com::DISPPARAMS& params_;
  std::uint32_t* argErr_;
  std::uint32_t next_ = 0;
  bool failed_ = false;
};

}  // namespace quelmar::automation
