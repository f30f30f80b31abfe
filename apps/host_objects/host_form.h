#pragma once
// What a host gives the map server besides its pictures: its form, with the
// menu array "mnuMapSpecialOptions" (items 0..2, each with Caption, Visible,
// Enabled and Unload), and its events object, whose Signal... calls (and any
// other) go to a handler with their arguments as the server passed them.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/table_dispatch.h"

namespace quelmar::app {

class HostMenuItem final : public com::TableDispatch {
 public:
  HostMenuItem();
  std::string Caption;
  bool Visible = true;
  bool Enabled = true;
  bool Loaded = true;
};

class HostForm final : public com::TableDispatch {
 public:
  HostForm();
  HostMenuItem& Item(int index) { return *items_.at(static_cast<std::size_t>(index)); }

 private:
  std::array<com::ComPtr<HostMenuItem>, 3> items_;
};

class HostEvents final : public com::TableDispatch {
 public:
  using Handler = std::function<void(const std::string& name, const std::vector<com::Variant>& args)>;
  explicit HostEvents(Handler handler);
  // What the call-sign search asks: the result text for a call sign.
  std::function<std::string(const std::string& callsign)> CallsignData;

 private:
  Handler handler_;
};

}  // namespace quelmar::app
