#pragma once
// The four entry points of an in-process server library, which hosts find
// with dlsym after loading the library (see Activator). A server library
// defines them with QUELMAR_SERVER_EXPORT so that they stay visible when the
// rest of the library is built with hidden symbols:
//
//   QUELMAR_SERVER_EXPORT HRESULT DllCanUnloadNow() { return g_server.CanUnloadNow(); }
#include <string>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

#define QUELMAR_SERVER_EXPORT extern "C" __attribute__((visibility("default")))

// Gives the class object (normally an IClassFactory) of `clsid`, asked for
// as `iid`. CLASS_E_CLASSNOTAVAILABLE for a class the library does not serve.
QUELMAR_SERVER_EXPORT quelmar::com::HRESULT DllGetClassObject(const quelmar::com::GUID& clsid,
                                                              const quelmar::com::GUID& iid,
                                                              void** out);
// S_OK when no object of the library is alive and no server lock is held,
// so the library may be unloaded; S_FALSE otherwise.
QUELMAR_SERVER_EXPORT quelmar::com::HRESULT DllCanUnloadNow();
// Writes (removes) the library's classes in the class registry.
QUELMAR_SERVER_EXPORT quelmar::com::HRESULT DllRegisterServer();
QUELMAR_SERVER_EXPORT quelmar::com::HRESULT DllUnregisterServer();

namespace quelmar::com {

using DllGetClassObjectFunction = HRESULT (*)(const GUID& clsid, const GUID& iid, void** out);
using DllCanUnloadNowFunction = HRESULT (*)();
using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();

// The absolute path of the library (or program) that contains the address,
// for self-registration: ThisLibraryPath(reinterpret_cast<const void*>(&DllRegisterServer)).
// Empty when the address belongs to no loaded file.
std::string ThisLibraryPath(const void* anyAddressInsideIt);

}  // namespace quelmar::com
