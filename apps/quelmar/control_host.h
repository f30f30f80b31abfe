#pragma once
// ControlHost: what a desktop program does to embed the map control, for a
// program without a display. It creates the control by its programmatic
// identifier through the class registry, gives it a client site (ambient
// properties), connects an event sink, sizes and shows it, and then talks to
// it only through late binding (IDispatch).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/com/activation.h"
#include "platform/com/com_ptr.h"
#include "platform/com/unknown.h"
#include "platform/com/variant.h"

namespace quelmar::app {

struct CallResult {
  com::HRESULT hr = com::S_OK;
  com::Variant value;
  std::string description;  // error text when the call failed
};

struct HostOptions {
  int width = 640;
  int height = 480;
  bool designMode = false;  // the container reports design mode (ambient UserMode false)
  // The control's AutoConfig, set before its first paint: with it the
  // control reads "Quelmar50.Cfg" of the working folder at start-up and
  // writes it when it goes. Off by default: a command's output then depends
  // only on its arguments, and no file appears where it runs.
  bool autoConfig = false;
};

class ControlHost {
 public:
  using EventHandler = std::function<void(const std::string& name, const std::vector<com::Variant>& args)>;

  ControlHost(com::Activator& activator, const HostOptions& options, EventHandler onEvent);
  ~ControlHost();
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;

  // Creates, sites, sizes and shows the control. False with `error` set on failure.
  bool Create(const std::string& progId, std::string* error);

  // A call by member name: a method call or property read, or a property write.
  CallResult Call(const std::string& member, const std::vector<com::Variant>& args);
  CallResult Put(const std::string& member, const com::Variant& value);

  // One turn of the message loop: the control paints what it invalidated.
  void PumpMessages();

  com::IDispatch* Control() const { return control_.Get(); }

 private:
  CallResult InvokeByName(const std::string& member, std::uint16_t flags, std::vector<com::Variant> args);

  com::Activator& activator_;
  HostOptions options_;
  EventHandler onEvent_;
  com::ComPtr<com::IDispatch> control_;
  com::ComPtr<com::IUnknown> site_;
  com::ComPtr<com::IUnknown> sink_;
  com::ComPtr<com::IConnectionPoint> point_;
  std::uint32_t cookie_ = 0;
};

// "0x80020005" for a result code.
std::string HResultText(com::HRESULT hr);

}  // namespace quelmar::app
