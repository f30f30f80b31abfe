#pragma once
// The texts a host reads inside the control's search events: with Find the
// hit's Street text and its MatchInfo, with FindPlace the result text. A
// script's output prints them under each event, so that it holds every hit
// and not only the last.
#include <string>
#include <vector>

#include "apps/quelmar/control_host.h"

namespace quelmar::app {

// The properties read inside event `name` ("Street" and "MatchInfo" for
// Find, "result" for FindPlace); none for other events.
std::vector<std::string> EventTextProperties(const std::string& name);

}  // namespace quelmar::app
