#include "control/core/trace_log.h"

#include <cstdio>
#include <cstdlib>

namespace quelmar::core {

std::string TraceLog::DefaultPath(const std::string& workingFolder) {
  if (const char* env = std::getenv("QUELMAR_TRACE_LOG"); env && *env) return env;
  return workingFolder + kFileName;
}

bool TraceLog::Write(std::string_view line) const {
  if (!on_ || path_.empty()) return true;
  std::FILE* file = std::fopen(path_.c_str(), "ab");
  if (!file) return false;
  const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size() && std::fputs("\r\n", file) >= 0;
  return std::fclose(file) == 0 && written;
}

}  // namespace quelmar::core
