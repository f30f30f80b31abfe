#pragma once
// The class registry entry of the control, as a self-registering server writes it.
#include <string>

#include "platform/com/class_registry.h"

namespace quelmar::automation {

com::ClassRegistration TarvoRegistration(const std::string& libraryPath);

}  // namespace quelmar::automation
