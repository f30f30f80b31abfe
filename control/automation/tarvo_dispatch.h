#pragma once
// Late binding for ITarvo: names to dispatch identifiers and Invoke, both
// driven by the generated type information so that a call by name reaches
// exactly the interface slot a call by position would.
#include <cstdint>
#include <string>

#include "control/automation/itarvo.h"

namespace quelmar::automation {

com::HRESULT TarvoGetIDsOfNames(const std::string* names, std::uint32_t count, com::DISPID* dispids);

// A member that fails returns DISP_E_EXCEPTION with `excepinfo` filled from the
// thread's error information (scode = the member's HRESULT) when `excepinfo`
// is given, else the member's HRESULT itself. Argument conversion failures
// return the conversion error with `argErr` at the argument's position.
com::HRESULT TarvoInvoke(ITarvo* self, com::DISPID dispid, std::uint16_t flags, com::DISPPARAMS* params,
                         com::Variant* result, com::EXCEPINFO* excepinfo, std::uint32_t* argErr);

}  // namespace quelmar::automation
