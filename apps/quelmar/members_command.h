#pragma once
// `quelmar members`: lists the control's members from its type information,
// or writes the whole type library as an IDL-like declaration (--idl).
#include <iosfwd>
#include <string>

#include "platform/com/type_info.h"
#include "platform/com/unknown.h"

namespace quelmar::app {

// Prints from the control's type library; returns the process exit status.
int PrintMembers(com::IDispatch* control, bool idl, std::ostream& out, std::ostream& err);

// A member as the list shows it: "Name(type name, ...)", then " -> type"
// when it gives a result.
std::string MemberSignature(const com::FUNCDESC& d);

// A reserved slot holds a place in the interface table and has no dispatch
// identifier, so no host can call it by name.
bool IsReservedSlot(const com::FUNCDESC& d);

}  // namespace quelmar::app
