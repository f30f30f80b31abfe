#include "apps/quelmar/script_runner.h"

#include <istream>
#include <ostream>
#include <string>

#include "apps/quelmar/script_parser.h"

namespace quelmar::app {

std::string FormatValue(const com::Variant& v) { return v.Describe(); }

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
    const ScriptLine& line = *parsed.line;
    const CallResult r = line.isPut ? host.Put(line.member, line.args.front()) : host.Call(line.member, line.args);
    if (r.hr < 0) {
      out << "error " << HResultText(r.hr) << ": " << r.description << "\n";
      ++failures;
    } else if (!line.isPut && !r.value.IsEmpty()) {
      out << line.member << " -> " << FormatValue(r.value) << "\n";
    }
    out << std::flush;
  }
  return failures;
}

}  // namespace quelmar::app
