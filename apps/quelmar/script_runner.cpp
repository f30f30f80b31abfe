#include "apps/quelmar/script_runner.h"

#include <istream>
#include <ostream>
#include <string>

#include "apps/quelmar/script_parser.h"

namespace quelmar::app {

// Numbers print as a desktop host prints them (15 significant digits), so a
// longitude reads -88.166976 rather than its binary neighbour's full digits.
std::string FormatValue(const com::Variant& v) {
  const com::Variant value = v.Dereferenced();
  if (value.vt() == com::VT_R8 || value.vt() == com::VT_R4) {
    std::string text;
    if (value.ToString(&text) >= 0) return text;
  }
  return value.Describe();
}

int RunScript(ControlHost& host, std::istream& in, std::ostream& out) {
  int failures = 0;
  std::string text;
  int lineNumber = 0;
  while (std::getline(in, text)) {
    ++lineNumber;
    ParseResult parsed = ParseScriptLine(text);
    if (!parsed.error.empty()) {
      out << "error: line " << lineNumber << ": " << parsed.error << "\n" << std::flush;
      ++failures;
      continue;
    }
    if (!parsed.line) continue;
    if (!RunScriptLine(host, *parsed.line, out)) ++failures;
  }
  return failures;
}

bool RunScriptLine(ControlHost& host, const ScriptLine& line, std::ostream& out) {
  const CallResult r = line.isPut ? host.Put(line.member, line.args.front()) : host.Call(line.member, line.args);
  if (r.hr < 0) {
    out << "error " << HResultText(r.hr) << ": " << r.description << "\n" << std::flush;
    return false;
  }
  if (!line.isPut && !r.value.IsEmpty()) out << line.member << " -> " << FormatValue(r.value) << "\n";
  out << std::flush;
  return true;
}

}  // namespace quelmar::app
