#pragma once
// Activator: creates objects by class identifier or programmatic identifier,
// loading the in-process server library that the class registry names.
//
//   Activator activator;  // the user's class registry
//   ComPtr<IDispatch> control;
//   HRESULT hr = activator.CreateInstance("Quelmar50.Tarvo", IID_IDispatch, control.PutVoid());
//
// A host owns one Activator and keeps it longer than the objects it made.
// The libraries it loaded are closed when it goes, each only if its
// DllCanUnloadNow says no object is alive; otherwise the library stays loaded
// for the rest of the process, so late releases still find their code.
// Failures leave error information (source "Activator") on the thread.
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/class_registry.h"
#include "platform/com/server_exports.h"
#include "platform/com/unknown.h"

namespace quelmar::com {

class Activator {
 public:
  Activator() = default;
  explicit Activator(ClassRegistry registry) : registry_(std::move(registry)) {}
  Activator(const Activator&) = delete;
  Activator& operator=(const Activator&) = delete;
  ~Activator();

  // REGDB_E_CLASSNOTREG for a class missing from the registry (or without a
  // library), CO_E_DLLNOTFOUND when the library cannot be loaded (the loader's
  // message is the error description), CO_E_ERRORINDLL when it lacks
  // DllGetClassObject; otherwise what the class object answers.
  HRESULT CreateInstance(const CLSID& clsid, const IID& iid, void** out);
  // "{GUID}" (braces optional) or a ProgID; CO_E_CLASSSTRING for a ProgID
  // that is not registered.
  HRESULT CreateInstance(std::string_view progIdOrClsidText, const IID& iid, void** out);
  // The class object itself (IClassFactory), for hosts that lock the server.
  HRESULT GetClassObject(const CLSID& clsid, const IID& iid, void** out);

  const ClassRegistry& registry() const { return registry_; }

 private:
  struct Library {
    std::string path;
    void* handle = nullptr;
    DllGetClassObjectFunction getClassObject = nullptr;
    DllCanUnloadNowFunction canUnloadNow = nullptr;
  };

  ClassRegistry registry_;
  std::mutex mutex_;
  std::vector<Library> libraries_;

  HRESULT OpenLibrary(const std::string& path, DllGetClassObjectFunction* getClassObject);
};

}  // namespace quelmar::com
