#pragma once
// A dispatch object for tests: counts references without ever deleting itself
// (it lives on the test's stack) and records each Invoke.
#include <functional>
#include <vector>

#include "platform/com/variant.h"

namespace quelmar::com::testing {

class FakeDispatch final : public IDispatch {
 public:
  struct Call {
    DISPID dispid = 0;
    IID riid;
    std::uint16_t flags = 0;
    std::vector<Variant> args;  // as received: last argument first
    std::uint32_t namedArgs = 0;
  };

  // Interfaces it answers besides IUnknown and IDispatch.
  std::vector<IID> extraInterfaces;
  bool answersDispatch = true;
  HRESULT invokeResult = S_OK;
  std::function<void()> duringInvoke;

  long references = 1;
  std::vector<Call> calls;

  HRESULT QueryInterface(const IID& iid, void** object) override {
    bool known = iid == IID_IUnknown || (answersDispatch && iid == IID_IDispatch);
    for (const IID& extra : extraInterfaces) known = known || iid == extra;
    if (!known) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return static_cast<ULONG>(++references); }
  ULONG Release() override { return static_cast<ULONG>(--references); }

  HRESULT GetTypeInfoCount(std::uint32_t* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT GetIDsOfNames(const IID&, const std::string*, std::uint32_t, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT Invoke(DISPID dispid, const IID& riid, LCID, std::uint16_t flags, DISPPARAMS* params,
                 Variant*, EXCEPINFO*, std::uint32_t*) override {
    Call call{dispid, riid, flags, {}, params->cNamedArgs};
    call.args.assign(params->rgvarg, params->rgvarg + params->cArgs);
    calls.push_back(std::move(call));
    if (duringInvoke) duringInvoke();
    return invokeResult;
  }
};

}  // namespace quelmar::com::testing
