// The entry points of libquelmar50.so, the only symbols the library exports.
#include <new>

#include "control/automation/tarvo_factory.h"
#include "control/automation/tarvo_ids.h"
#include "control/automation/tarvo_registration.h"
#include "platform/com/class_registry.h"
#include "platform/com/error_info.h"
#include "platform/com/server_exports.h"

using namespace quelmar;

namespace {

// The library's own count of live controls and server locks.
com::ServerLifetime& Lifetime() {
  static com::ServerLifetime lifetime;
  return lifetime;
}

std::string LibraryPath() { return com::ThisLibraryPath(reinterpret_cast<const void*>(&DllRegisterServer)); }

}  // namespace

QUELMAR_SERVER_EXPORT com::HRESULT DllGetClassObject(const com::GUID& clsid, const com::GUID& iid, void** out) {
  if (!out) return com::E_POINTER;
  *out = nullptr;
  if (clsid != automation::CLSID_Tarvo) return com::CLASS_E_CLASSNOTAVAILABLE;
  automation::TarvoClassFactory* factory = new (std::nothrow) automation::TarvoClassFactory(Lifetime());
  if (!factory) return com::E_OUTOFMEMORY;
  const com::HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

QUELMAR_SERVER_EXPORT com::HRESULT DllCanUnloadNow() { return Lifetime().CanUnloadNow(); }

QUELMAR_SERVER_EXPORT com::HRESULT DllRegisterServer() {
  const std::string path = LibraryPath();
  if (path.empty()) {
    return com::ReportError(com::E_FAIL, automation::kProgId, "The library cannot find its own file");
  }
  return com::ClassRegistry().Register(automation::TarvoRegistration(path));
}

QUELMAR_SERVER_EXPORT com::HRESULT DllUnregisterServer() {
  return com::ClassRegistry().Unregister(automation::CLSID_Tarvo);
}
