#include "apps/host_objects/host_form.h"

namespace quelmar::app {
namespace {

using com::Variant;

bool Flag(const Variant& v, const char* what) {
  bool b = false;
  if (v.ToBool(&b) < 0) throw com::Fault(com::DISP_E_TYPEMISMATCH, std::string(what) + " is not True or False");
  return b;
}

}  // namespace

HostMenuItem::HostMenuItem() : TableDispatch("HostMenuItem") {
  Property(1, "Caption", [this] { return Variant(Caption); }, [this](const Variant& v) { v.ToString(&Caption); });
  Property(2, "Visible", [this] { return Variant(Visible); }, [this](const Variant& v) { Visible = Flag(v, "Visible"); });
  Property(3, "Enabled", [this] { return Variant(Enabled); }, [this](const Variant& v) { Enabled = Flag(v, "Enabled"); });
  Method(4, "Unload", [this](Arguments&) {
    Loaded = false;
    return Variant();
  });
}

HostForm::HostForm() : TableDispatch("HostForm") {
  for (auto& item : items_) item.Attach(new HostMenuItem());
  Method(1, "mnuMapSpecialOptions", [this](Arguments& a) {
    std::int32_t index = -1;
    if (a.empty() || a[0].ToInt32(&index) < 0 || index < 0 || index > 2) {
      throw com::Fault(com::DISP_E_BADINDEX, "the menu array has items 0 to 2");
    }
    return Variant(static_cast<com::IDispatch*>(items_[static_cast<std::size_t>(index)].Get()));
  });
}

HostEvents::HostEvents(Handler handler) : TableDispatch("HostEvents"), handler_(std::move(handler)) {
  const auto relay = [this](const char* name) {
    return [this, name](Arguments& a) {
      std::vector<Variant> values;
      for (const Variant& v : a) values.push_back(v.Dereferenced());
      if (handler_) handler_(name, values);
      return Variant();
    };
  };
  Method(1, "SignalInformation", relay("SignalInformation"));
  Method(2, "SignalSuspend", relay("SignalSuspend"));
  Method(3, "SignalSpecialRedraw", relay("SignalSpecialRedraw"));
  Method(4, "SignalCallsignData", [this](Arguments& a) {
    const std::string callsign = a.empty() ? std::string() : a[0].Dereferenced().bstr();
    if (handler_) handler_("SignalCallsignData", {Variant(callsign)});
    if (a.size() > 1 && a[1].IsByRef() && CallsignData) a[1].AssignThroughRef(Variant(CallsignData(callsign)));
    return Variant();
  });
}

}  // namespace quelmar::app
