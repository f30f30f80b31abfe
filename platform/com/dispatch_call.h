#pragma once
// Late-bound calls by member name, as a script host makes them: the name is
// resolved with GetIDsOfNames and the arguments, given in call order, are
// passed to Invoke last-first; a property put names its value.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/unknown.h"
#include "platform/com/variant.h"

namespace quelmar::com {

struct DispatchCall {
  HRESULT hr = S_OK;       // Invoke's own result (DISP_E_EXCEPTION when the member failed)
  Variant value;           // the member's result
  EXCEPINFO excep;         // filled when hr is DISP_E_EXCEPTION
  std::uint32_t argErr = 0;  // position (last-first) of an argument that did not convert

  // The member's own result code: the exception's code when it raised one.
  HRESULT MemberResult() const { return hr == DISP_E_EXCEPTION ? excep.scode : hr; }
};

// flags: DISPATCH_METHOD | DISPATCH_PROPERTYGET for calls and reads,
// DISPATCH_PROPERTYPUT for writes (with the value as the one argument).
DispatchCall InvokeByName(IDispatch* object, const std::string& member, std::uint16_t flags,
                          const std::vector<Variant>& args);

}  // namespace quelmar::com
