// libFuzzer target: any bytes as one line of `quelmar run`: a call, a put, a
// comment or a malformed line, never a crash or a read past the line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "apps/quelmar/script_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const quelmar::app::ParseResult result = quelmar::app::ParseScriptLine(text);
  if (result.line) {
    for (const quelmar::com::Variant& arg : result.line->args) (void)arg.vt();
  }
  return 0;
}
