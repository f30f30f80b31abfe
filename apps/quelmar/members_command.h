#pragma once
// `quelmar members`: lists the control's members from its type information,
// or writes the whole type library as an IDL-like declaration (--idl).
#include <iosfwd>

#include "platform/com/unknown.h"

namespace quelmar::app {

// Prints from the control's type library; returns the process exit status.
int PrintMembers(com::IDispatch* control, bool idl, std::ostream& out, std::ostream& err);

}  // namespace quelmar::app
