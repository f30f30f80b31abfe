#include "tools/quelmar-data/commands.h"

namespace quelmar::tools {

void AddDumpCommand(CLI::App&, int&) {}

}  // namespace quelmar::tools
