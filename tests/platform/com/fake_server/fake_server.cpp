// A tiny in-process server for the activation tests: one class, "Fake.Greeter",
// whose object answers DISPID 1 (property get) with "hello". It registers
// itself the way a real server library does.
#include "platform/com/class_registry.h"
#include "platform/com/com_ptr.h"
#include "platform/com/ref_counted.h"
#include "platform/com/server_exports.h"
#include "platform/com/variant.h"

namespace {

using namespace quelmar::com;

constexpr CLSID kGreeterClsid =
    MakeGuid(0x5EED0001, 0x0000, 0x4000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01});

// The library's own count of live objects and locks.
ServerLifetime g_server;

class Greeter final : public RefCounted<IDispatch> {
 public:
  Greeter() : RefCounted(&g_server) {}

  HRESULT QueryInterface(const IID& iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  HRESULT GetTypeInfoCount(std::uint32_t* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT GetIDsOfNames(const IID&, const std::string*, std::uint32_t, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT Invoke(DISPID dispid, const IID&, LCID, std::uint16_t flags, DISPPARAMS*, Variant* result,
                 EXCEPINFO*, std::uint32_t*) override {
    if (dispid != 1 || flags != DISPATCH_PROPERTYGET) return DISP_E_MEMBERNOTFOUND;
    if (result) *result = Variant("hello");
    return S_OK;
  }
};

class GreeterFactory final : public RefCounted<IClassFactory> {
 public:
  HRESULT QueryInterface(const IID& iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) override {
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    const ComPtr<Greeter> greeter = AdoptRef(new Greeter);
    return greeter->QueryInterface(iid, object);
  }
  HRESULT LockServer(bool lock) override {
    lock ? g_server.Lock() : g_server.Unlock();
    return S_OK;
  }
};

}  // namespace

QUELMAR_SERVER_EXPORT HRESULT DllGetClassObject(const GUID& clsid, const GUID& iid, void** out) {
  *out = nullptr;
  if (clsid != kGreeterClsid) return CLASS_E_CLASSNOTAVAILABLE;
  const ComPtr<GreeterFactory> factory = AdoptRef(new GreeterFactory);
  return factory->QueryInterface(iid, out);
}

QUELMAR_SERVER_EXPORT HRESULT DllCanUnloadNow() { return g_server.CanUnloadNow(); }

QUELMAR_SERVER_EXPORT HRESULT DllRegisterServer() {
  ClassRegistration registration;
  registration.clsid = kGreeterClsid;
  registration.progId = "Fake.Greeter";
  registration.libraryPath = ThisLibraryPath(reinterpret_cast<const void*>(&DllRegisterServer));
  registration.description = "Greeter for tests";
  return ClassRegistry().Register(registration);
}

QUELMAR_SERVER_EXPORT HRESULT DllUnregisterServer() { return ClassRegistry().Unregister(kGreeterClsid); }
