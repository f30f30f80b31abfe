#include "apps/quelmar/control_host.h"

#include <cstdio>
#include <utility>

#include "control/automation/tarvo_ids.h"
#include "platform/com/dispatch_call.h"
#include "platform/com/error_info.h"
#include "platform/com/nameless_dispatch.h"
#include "platform/ui/headless_window.h"

namespace quelmar::app {

using com::HRESULT;
using com::Variant;

std::string HResultText(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
  return text;
}

namespace {

struct EventName {
  com::DISPID dispid;
  const char* name;
};

// The event interface as the control's type library describes it.
constexpr EventName kEventNames[] = {
#define QM_EVENT(id, name, ...) {id, #name},
#include "control/automation/tarvo_events.def"
#undef QM_EVENT
};

const char* EventNameOf(com::DISPID dispid) {
  for (const EventName& e : kEventNames) {
    if (e.dispid == dispid) return e.name;
  }
  return nullptr;
}

// The container's site: answers the ambient properties the control asks for.
class ClientSite final : public com::NamelessDispatch<com::IOleClientSite> {
 public:
  explicit ClientSite(bool designMode) : designMode_(designMode) {}

  HRESULT QueryInterface(const com::IID& iid, void** object) override {
    if (!object) return com::E_POINTER;
    *object = nullptr;
    if (iid == com::IID_IUnknown || iid == com::IID_IOleClientSite) {
      *object = static_cast<com::IOleClientSite*>(this);
    } else if (iid == com::IID_IDispatch) {
      *object = static_cast<com::IDispatch*>(this);
    } else {
      return com::E_NOINTERFACE;
    }
    AddRef();
    return com::S_OK;
  }
  HRESULT Invoke(com::DISPID dispid, const com::IID&, com::LCID, std::uint16_t flags, com::DISPPARAMS*,
                 Variant* result, com::EXCEPINFO*, std::uint32_t*) override {
    if (dispid != com::DISPID_AMBIENT_USERMODE || !(flags & com::DISPATCH_PROPERTYGET)) {
      return com::DISP_E_MEMBERNOTFOUND;
    }
    if (result) *result = Variant(!designMode_);
    return com::S_OK;
  }

 private:
  bool designMode_;
};

// The event sink: hands each event, with its arguments in call order, to the host.
class EventSink final : public com::NamelessDispatch<> {
 public:
  explicit EventSink(ControlHost::EventHandler handler) : handler_(std::move(handler)) {}

  HRESULT QueryInterface(const com::IID& iid, void** object) override {
    if (!object) return com::E_POINTER;
    *object = nullptr;
    if (iid != com::IID_IUnknown && iid != com::IID_IDispatch && iid != automation::DIID_ITarvoEvents) {
      return com::E_NOINTERFACE;
    }
    *object = static_cast<com::IDispatch*>(this);
    AddRef();
    return com::S_OK;
  }
  HRESULT Invoke(com::DISPID dispid, const com::IID&, com::LCID, std::uint16_t, com::DISPPARAMS* params, Variant*,
                 com::EXCEPINFO*, std::uint32_t*) override {
    std::vector<Variant> args;
    if (params) {
      for (std::uint32_t i = params->cArgs; i-- > 0;) args.push_back(params->rgvarg[i]);
    }
    const char* name = EventNameOf(dispid);
    if (handler_) handler_(name ? name : "Event" + std::to_string(dispid), args);
    return com::S_OK;
  }

 private:
  ControlHost::EventHandler handler_;
};

}  // namespace

ControlHost::ControlHost(com::Activator& activator, const HostOptions& options, EventHandler onEvent)
    : activator_(activator), options_(options), onEvent_(std::move(onEvent)) {}

ControlHost::~ControlHost() {
  if (point_) point_->Unadvise(cookie_);
}

bool ControlHost::Create(const std::string& progId, std::string* error) {
  auto fail = [&](HRESULT hr, const std::string& what) {
    std::optional<com::ErrorInfo> info = com::GetErrorInfo();
    *error = what + " (" + HResultText(hr) + (info ? ": " + info->description : std::string()) + ")";
    return false;
  };
  HRESULT hr = activator_.CreateInstance(progId, com::IID_IDispatch, control_.PutVoid());
  if (hr < 0) return fail(hr, "cannot create " + progId);

  // Site first, so the control knows whether it runs in a designer.
  com::ComPtr<ClientSite> site;
  site.Attach(new ClientSite(options_.designMode));
  site_ = com::ComPtr<com::IUnknown>(static_cast<com::IOleClientSite*>(site.Get()));
  com::ComPtr<com::IOleObject> ole = control_.As<com::IOleObject>(com::IID_IOleObject);
  if (!ole) return fail(com::E_NOINTERFACE, "the control has no container interface");
  if ((hr = ole->SetClientSite(site.Get())) < 0) return fail(hr, "cannot give the control its site");
  if (const CallResult r = Put("AutoConfig", Variant(options_.autoConfig)); r.hr < 0) {
    *error = "cannot set AutoConfig (" + HResultText(r.hr) + ": " + r.description + ")";
    return false;
  }

  com::ComPtr<EventSink> sink;
  sink.Attach(new EventSink(onEvent_));
  sink_ = com::ComPtr<com::IUnknown>(sink.Get());
  com::ComPtr<com::IConnectionPointContainer> points =
      control_.As<com::IConnectionPointContainer>(com::IID_IConnectionPointContainer);
  if (!points) return fail(com::E_NOINTERFACE, "the control raises no events");
  if ((hr = points->FindConnectionPoint(automation::DIID_ITarvoEvents, point_.Put())) < 0) {
    return fail(hr, "the control has no event interface");
  }
  if ((hr = point_->Advise(sink.Get(), &cookie_)) < 0) return fail(hr, "cannot connect to the control's events");

  // Place the control on the (invisible) form and show it: the first paint applies the start view.
  com::ComPtr<com::IOleInPlaceObject> inPlace = control_.As<com::IOleInPlaceObject>(com::IID_IOleInPlaceObject);
  if (!inPlace) return fail(com::E_NOINTERFACE, "the control cannot be placed");
  const com::RECT rect{0, 0, options_.width, options_.height};
  if ((hr = inPlace->SetObjectRects(rect, rect)) < 0) return fail(hr, "cannot size the control");
  if ((hr = ole->DoVerb(com::OLEIVERB_SHOW)) < 0) return fail(hr, "cannot show the control");
  PumpMessages();
  return true;
}

CallResult ControlHost::InvokeByName(const std::string& member, std::uint16_t flags, std::vector<Variant> args) {
  CallResult out;
  com::DispatchCall call = com::InvokeByName(control_.Get(), member, flags, args);
  out.hr = call.hr;
  out.value = std::move(call.value);
  const com::EXCEPINFO& excep = call.excep;
  const std::uint32_t argErr = call.argErr;
  if (out.hr == com::DISP_E_UNKNOWNNAME) {
    out.description = "the control has no member named " + member;
  } else if (out.hr == com::DISP_E_EXCEPTION) {
    out.hr = excep.scode;
    out.description = excep.bstrDescription;
  } else if (out.hr == com::DISP_E_TYPEMISMATCH || out.hr == com::DISP_E_OVERFLOW) {
    // argErr counts from the last argument; hosts count from the first, from 1.
    const std::string which = "argument " + std::to_string(args.size() - argErr) + " of " + member;
    out.description = which + (out.hr == com::DISP_E_OVERFLOW ? " is out of range" : " has the wrong type");
  } else if (out.hr == com::DISP_E_BADPARAMCOUNT) {
    out.description = member + " was given the wrong number of arguments";
  } else if (out.hr == com::DISP_E_MEMBERNOTFOUND) {
    out.description =
        (flags & com::DISPATCH_PROPERTYPUT) ? member + " cannot be written" : member + " cannot be called that way";
  } else if (out.hr < 0) {
    out.description = com::HResultName(out.hr) ? com::HResultName(out.hr) : "the call failed";
  }
  PumpMessages();
  return out;
}

CallResult ControlHost::Call(const std::string& member, const std::vector<Variant>& args) {
  return InvokeByName(member, com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, args);
}

CallResult ControlHost::Put(const std::string& member, const Variant& value) {
  return InvokeByName(member, com::DISPATCH_PROPERTYPUT, {value});
}

void ControlHost::PumpMessages() { ui::PumpMessages(); }

}  // namespace quelmar::app
