#include "control/automation/tarvo_events.h"

#include <vector>

namespace quelmar::automation {

#define QM_EVENT_ARG(p) QM_EVENT_ARG_ p
#define QM_EVENT_ARG_(type, name) com::Variant(name)

#define QM_EVENT(id, name, ...)                                                          \
  void TarvoEventSource::name(QM_FOR_EACH(QM_EVENT_PARAM_DECL, QM_SEP_COMMA, __VA_ARGS__)) { \
    point_.FireEvent(id, std::vector<com::Variant>{QM_FOR_EACH(QM_EVENT_ARG, QM_SEP_COMMA, __VA_ARGS__)}); \
  }
#include "control/automation/tarvo_events.def"
#undef QM_EVENT

}  // namespace quelmar::automation
