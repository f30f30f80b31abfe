#include "tools/quelmar-data/commands.h"

namespace quelmar::tools {

void AddArchiveCommands(CLI::App&, int&) {}

}  // namespace quelmar::tools
