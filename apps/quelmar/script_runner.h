#pragma once
// Runs a `quelmar run` script against a hosted control and prints what
// happens: results, events and errors, one line each.
#include <iosfwd>

#include "apps/quelmar/control_host.h"

namespace quelmar::app {

// Returns the number of lines that failed (parse errors and failed calls).
int RunScript(ControlHost& host, std::istream& in, std::ostream& out);

// How a value prints: numbers (15 significant digits), "strings", True/False.
std::string FormatValue(const com::Variant& v);

}  // namespace quelmar::app
