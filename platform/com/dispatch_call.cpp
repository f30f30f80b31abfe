#include "platform/com/dispatch_call.h"

namespace quelmar::com {

DispatchCall InvokeByName(IDispatch* object, const std::string& member, std::uint16_t flags,
                          const std::vector<Variant>& args) {
  DispatchCall call;
  if (!object) {
    call.hr = E_POINTER;
    return call;
  }
  DISPID dispid = DISPID_UNKNOWN;
  call.hr = object->GetIDsOfNames(IID_NULL, &member, 1, 0, &dispid);
  if (call.hr < 0) return call;
  std::vector<Variant> reversed(args.rbegin(), args.rend());
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params;
  params.rgvarg = reversed.data();
  params.cArgs = static_cast<std::uint32_t>(reversed.size());
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  call.hr = object->Invoke(dispid, IID_NULL, 0, flags, &params, &call.value, &call.excep, &call.argErr);
  return call;
}

}  // namespace quelmar::com
