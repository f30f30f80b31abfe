#include "control/automation/tarvo_registration.h"

#include "control/automation/tarvo_ids.h"

namespace quelmar::automation {

com::ClassRegistration TarvoRegistration(const std::string& libraryPath) {
  com::ClassRegistration r;
  r.clsid = CLSID_Tarvo;
  r.progId = kProgId;
  r.libraryPath = libraryPath;
  r.description = "Mapping Control";
  r.toolboxBitmap = kToolboxBitmap;
  r.miscStatus = kMiscStatus;
  r.typeLib = LIBID_Quelmar50;
  r.version = kTypeLibraryVersion;
  r.control = true;
  return r;
}

}  // namespace quelmar::automation
