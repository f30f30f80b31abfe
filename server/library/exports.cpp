// The entry points of libtarvoserver.so, the only symbols the library exports.
#include <new>

#include "platform/com/class_registry.h"
#include "platform/com/error_info.h"
#include "platform/com/ref_counted.h"
#include "platform/com/server_exports.h"
#include "server/library/cls_map_serv.h"
#include "server/library/server_ids.h"

using namespace quelmar;

namespace {

com::ServerLifetime& Lifetime() {
  static com::ServerLifetime lifetime;
  return lifetime;
}

std::string LibraryPath() { return com::ThisLibraryPath(reinterpret_cast<const void*>(&DllRegisterServer)); }

// The class object: makes clsMapServ objects. Not counted as a live object,
// so a host may keep it without keeping the library loaded.
class MapServFactory final : public com::RefCounted<com::IClassFactory> {
 public:
  com::HRESULT QueryInterface(const com::IID& iid, void** object) override {
    if (!object) return com::E_POINTER;
    if (iid == com::IID_IUnknown || iid == com::IID_IClassFactory) {
      *object = static_cast<com::IClassFactory*>(this);
      AddRef();
      return com::S_OK;
    }
    *object = nullptr;
    return com::E_NOINTERFACE;
  }
  com::HRESULT CreateInstance(com::IUnknown* outer, const com::IID& iid, void** object) override {
    if (!object) return com::E_POINTER;
    *object = nullptr;
    if (outer) return com::CLASS_E_NOAGGREGATION;
    server::ClsMapServ* created = nullptr;
    try {
      created = new server::ClsMapServ(&Lifetime(), server::DefaultSetup(LibraryPath()));
    } catch (const std::bad_alloc&) {
      return com::E_OUTOFMEMORY;
    } catch (...) {
      return com::E_FAIL;
    }
    const com::HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
  }
  com::HRESULT LockServer(bool lock) override {
    if (lock) {
      Lifetime().Lock();
    } else {
      Lifetime().Unlock();
    }
    return com::S_OK;
  }
};

}  // namespace

QUELMAR_SERVER_EXPORT com::HRESULT DllGetClassObject(const com::GUID& clsid, const com::GUID& iid, void** out) {
  if (!out) return com::E_POINTER;
  *out = nullptr;
  if (clsid != server::CLSID_clsMapServ) return com::CLASS_E_CLASSNOTAVAILABLE;
  MapServFactory* factory = new (std::nothrow) MapServFactory();
  if (!factory) return com::E_OUTOFMEMORY;
  const com::HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

QUELMAR_SERVER_EXPORT com::HRESULT DllCanUnloadNow() { return Lifetime().CanUnloadNow(); }

QUELMAR_SERVER_EXPORT com::HRESULT DllRegisterServer() {
  const std::string path = LibraryPath();
  if (path.empty()) return com::ReportError(com::E_FAIL, server::kServerProgId, "The library cannot find its own file");
  com::ClassRegistration r;
  r.clsid = server::CLSID_clsMapServ;
  r.progId = server::kServerProgId;
  r.libraryPath = path;
  r.description = "Tarvo Mapping V5 Server";
  r.typeLib = server::LIBID_TarvoServer;
  r.version = "5.0";
  return com::ClassRegistry().Register(r);
}

QUELMAR_SERVER_EXPORT com::HRESULT DllUnregisterServer() {
  return com::ClassRegistry().Unregister(server::CLSID_clsMapServ);
}
