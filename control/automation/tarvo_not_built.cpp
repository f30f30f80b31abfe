#include "control/automation/tarvo_not_built.h"

#include <string>

#include "control/automation/tarvo_ids.h"
#include "platform/com/error_info.h"

namespace quelmar::automation {

com::HRESULT NotBuilt(const char* member, const char* area) {
  return com::ReportError(com::E_NOTIMPL, kProgId,
                          std::string(member) + " is not available yet: the " + area + " subsystem is not built");
}

}  // namespace quelmar::automation
