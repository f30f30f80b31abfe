#pragma once
// Runs a `quelmar run` script against a hosted control and prints what
// happens: results, events and errors, one line each.
#include <iosfwd>

#include "apps/quelmar/control_host.h"
#include "apps/quelmar/script_parser.h"

namespace quelmar::app {

// Makes one parsed call and prints it as a script does: "Member -> value"
// for a result, "error 0x...: description" for a failure. False when it failed.
bool RunScriptLine(ControlHost& host, const ScriptLine& line, std::ostream& out);

// Returns the number of lines that failed (parse errors and failed calls).
int RunScript(ControlHost& host, std::istream& in, std::ostream& out);

// How a value prints: numbers (15 significant digits), "strings", True/False.
std::string FormatValue(const com::Variant& v);

}  // namespace quelmar::app
