#pragma once
// A hosted control for tests: created, sited, sized and shown as a host would,
// with a recording event sink and late-bound call helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/automation/ttarvo.h"
#include "host_doubles.h"
#include "platform/com/com_ptr.h"

namespace quelmar::testing {

struct InvokeResult {
  com::HRESULT hr = com::S_OK;
  com::Variant value;
  com::EXCEPINFO excep;
  std::uint32_t argErr = 0xFFFFFFFF;
  // The member's own result: the scode when Invoke reported an exception.
  com::HRESULT MemberResult() const { return hr == com::DISP_E_EXCEPTION ? excep.scode : hr; }
};

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override { Create(/*userMode=*/true, 400, 300); }
  void TearDown() override;

  void Create(bool userMode, int width, int height);
  // The control's panel (nullptr after FREEALL).
  core::Ttvmap* Panel() { return control_->Panel(); }

  InvokeResult Call(const std::string& member, std::vector<com::Variant> args = {});
  InvokeResult Put(const std::string& member, com::Variant value);
  // A call that must succeed; returns its value.
  com::Variant Get(const std::string& member, std::vector<com::Variant> args = {});

  com::ServerLifetime lifetime_;
  automation::TTarvo* control_ = nullptr;  // one owned reference
  com::ComPtr<RecordingSink> sink_;
  com::ComPtr<com::IConnectionPoint> point_;
  std::uint32_t cookie_ = 0;
};

}  // namespace quelmar::testing
