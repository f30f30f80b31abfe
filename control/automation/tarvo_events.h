#pragma once
// Typed raising of the outgoing events, generated from tarvo_events.def.
// With no sink connected an event is dropped silently.
#include <cstdint>
#include <string>

#include "control/automation/member_macros.h"
#include "platform/com/connection_point.h"

namespace quelmar::automation {

#define QM_EVENT_IN_I4 std::int32_t
#define QM_EVENT_IN_BSTR const std::string&
#define QM_EVENT_PARAM_DECL(p) QM_EVENT_PARAM_DECL_ p
#define QM_EVENT_PARAM_DECL_(type, name) QM_EVENT_IN_##type name

class TarvoEventSource {
 public:
  explicit TarvoEventSource(com::ConnectionPoint& point) : point_(point) {}

#define QM_EVENT(id, name, ...) void name(QM_FOR_EACH(QM_EVENT_PARAM_DECL, QM_SEP_COMMA, __VA_ARGS__));
#include "control/automation/tarvo_events.def"
#undef QM_EVENT

 private:
  com::ConnectionPoint& point_;
};

}  // namespace quelmar::automation
