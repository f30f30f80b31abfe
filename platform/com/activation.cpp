#include "platform/com/activation.h"

#include <dlfcn.h>

#include <filesystem>

#include "platform/com/com_ptr.h"
#include "platform/com/error_info.h"

namespace quelmar::com {
namespace {

constexpr std::string_view kSource = "Activator";

std::string LoaderError() {
  const char* text = dlerror();
  return text ? text : "unknown loader error";
}

}  // namespace

std::string ThisLibraryPath(const void* anyAddressInsideIt) {
  Dl_info info{};
  if (!anyAddressInsideIt || dladdr(anyAddressInsideIt, &info) == 0 || !info.dli_fname ||
      !*info.dli_fname) {
    return {};
  }
  std::error_code ec;
  const std::filesystem::path path = std::filesystem::canonical(info.dli_fname, ec);
  return ec ? std::filesystem::absolute(info.dli_fname, ec).string() : path.string();
}

// A library without DllCanUnloadNow cannot say it is unused: it stays loaded.
Activator::~Activator() {
  for (const Library& library : libraries_) {
    if (library.canUnloadNow && library.canUnloadNow() == S_OK) dlclose(library.handle);
  }
}

HRESULT Activator::CreateInstance(const CLSID& clsid, const IID& iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  ComPtr<IClassFactory> factory;
  if (const HRESULT hr = GetClassObject(clsid, IID_IClassFactory, factory.PutVoid()); Failed(hr)) {
    return hr;
  }
  return factory->CreateInstance(nullptr, iid, out);
}

HRESULT Activator::CreateInstance(std::string_view progIdOrClsidText, const IID& iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  std::optional<CLSID> clsid = GuidFromString(progIdOrClsidText);
  if (!clsid) clsid = registry_.ClsidFromProgId(progIdOrClsidText);
  if (!clsid) {
    return ReportError(CO_E_CLASSSTRING, kSource,
                       "No class is registered as \"" + std::string(progIdOrClsidText) + "\"");
  }
  return CreateInstance(*clsid, iid, out);
}

HRESULT Activator::GetClassObject(const CLSID& clsid, const IID& iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const std::optional<ClassRegistration> registration = registry_.Find(clsid);
  if (!registration || registration->libraryPath.empty()) {
    return ReportError(REGDB_E_CLASSNOTREG, kSource,
                       "Class " + GuidToString(clsid) + " is not registered");
  }
  DllGetClassObjectFunction getClassObject = nullptr;
  if (const HRESULT hr = OpenLibrary(registration->libraryPath, &getClassObject); Failed(hr)) {
    return hr;
  }
  return getClassObject(clsid, iid, out);
}

HRESULT Activator::OpenLibrary(const std::string& path, DllGetClassObjectFunction* getClassObject) {
  const std::lock_guard lock(mutex_);
  for (const Library& library : libraries_) {
    if (library.path == path) {
      *getClassObject = library.getClassObject;
      return S_OK;
    }
  }

  dlerror();  // forget an older message
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return ReportError(CO_E_DLLNOTFOUND, kSource, LoaderError());

  Library library;
  library.path = path;
  library.handle = handle;
  library.getClassObject =
      reinterpret_cast<DllGetClassObjectFunction>(dlsym(handle, "DllGetClassObject"));
  if (!library.getClassObject) {
    const std::string message = path + " is not an in-process server: " + LoaderError();
    dlclose(handle);
    return ReportError(CO_E_ERRORINDLL, kSource, message);
  }
  library.canUnloadNow = reinterpret_cast<DllCanUnloadNowFunction>(dlsym(handle, "DllCanUnloadNow"));
  *getClassObject = library.getClassObject;
  libraries_.push_back(std::move(library));
  return S_OK;
}

}  // namespace quelmar::com
