#include "control_fixture.h"

#include "platform/com/dispatch_call.h"
#include "platform/ui/headless_window.h"

namespace quelmar::testing {

using com::HRESULT;
using com::Variant;

void ControlTest::Create(bool userMode, int width, int height) {
  if (control_) TearDown();
  control_ = new automation::TTarvo(lifetime_);
  // Each test starts from the control's defaults: no configuration file is
  // read at INIT or written at the end (the configuration tests turn it on).
  ASSERT_EQ(control_->put_AutoConfig(false), com::S_OK);
  com::ComPtr<AmbientSite> site;
  site.Attach(new AmbientSite(userMode));
  ASSERT_EQ(control_->SetClientSite(site.Get()), com::S_OK);
  sink_.Attach(new RecordingSink);
  ASSERT_EQ(control_->FindConnectionPoint(automation::DIID_ITarvoEvents, point_.Put()), com::S_OK);
  ASSERT_EQ(point_->Advise(static_cast<com::IDispatch*>(sink_.Get()), &cookie_), com::S_OK);
  const com::RECT rect{0, 0, width, height};
  ASSERT_EQ(control_->SetObjectRects(rect, rect), com::S_OK);
  ASSERT_EQ(control_->DoVerb(com::OLEIVERB_SHOW), com::S_OK);
  ui::PumpMessages();
  sink_->events.clear();
}

void ControlTest::TearDown() {
  if (point_) point_->Unadvise(cookie_);
  point_ = nullptr;
  sink_ = nullptr;
  if (control_) control_->Release();
  control_ = nullptr;
  EXPECT_EQ(lifetime_.ObjectCount(), 0);
}

namespace {

InvokeResult InvokeByName(automation::TTarvo* control, const std::string& member, std::uint16_t flags,
                          std::vector<Variant> args) {
  com::DispatchCall call = com::InvokeByName(static_cast<automation::ITarvo*>(control), member, flags, args);
  return InvokeResult{call.hr, std::move(call.value), call.excep, call.argErr};
}

}  // namespace

InvokeResult ControlTest::Call(const std::string& member, std::vector<Variant> args) {
  return InvokeByName(control_, member, com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, std::move(args));
}

InvokeResult ControlTest::Put(const std::string& member, Variant value) {
  return InvokeByName(control_, member, com::DISPATCH_PROPERTYPUT, {std::move(value)});
}

Variant ControlTest::Get(const std::string& member, std::vector<Variant> args) {
  InvokeResult r = Call(member, std::move(args));
  EXPECT_EQ(r.hr, com::S_OK) << member << ": " << r.excep.bstrDescription;
  return r.value;
}

}  // namespace quelmar::testing
