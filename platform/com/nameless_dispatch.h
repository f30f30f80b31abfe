#pragma once
// NamelessDispatch: a base for dispatch objects that are only ever called by
// identifiers their caller already knows — event sinks, a container's
// ambient properties. They publish no names and no type information.
#include <cstdint>
#include <string>

#include "platform/com/ref_counted.h"

namespace quelmar::com {

template <class... Extra>
class NamelessDispatch : public RefCounted<IDispatch, Extra...> {
 public:
  HRESULT GetTypeInfoCount(std::uint32_t* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT GetIDsOfNames(const IID&, const std::string*, std::uint32_t, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }

 protected:
  using RefCounted<IDispatch, Extra...>::RefCounted;
};

}  // namespace quelmar::com
