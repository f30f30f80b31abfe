#include "apps/quelmar/event_texts.h"

namespace quelmar::app {

std::vector<std::string> EventTextProperties(const std::string& name) {
  if (name == "Find") return {"Street", "MatchInfo"};
  if (name == "FindPlace" || name == "FindRte") return {"result"};
  return {};
}

}  // namespace quelmar::app
