#pragma once
// The capitals of the 50 states (public facts), by the names the places list
// shows: "St. Paul" as the gazetteer writes it, "Nashville" for the
// consolidated government.
#include <string_view>
#include <vector>

namespace quelmar::builder {

struct StateCapital {
  std::string_view StateCode;
  std::string_view Name;
};

const std::vector<StateCapital>& StateCapitals();

}  // namespace quelmar::builder
