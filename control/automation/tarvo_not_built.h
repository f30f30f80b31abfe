#pragma once
// TarvoNotBuilt: every slot of ITarvo answers E_NOTIMPL with a description
// naming the subsystem that is not built yet; the control class overrides the
// members that work. Reserved slots return S_OK and do nothing.
#include "control/automation/itarvo.h"

namespace quelmar::automation {

// Sets the error information for a member that is not available and returns E_NOTIMPL.
com::HRESULT NotBuilt(const char* member, const char* area);

class TarvoNotBuilt : public ITarvo {
 public:
#define QM_UNUSED(p) (void)QM_PARAM_NAME(p);
#define QM_METHOD(off, dispid, name, ret, vis, area, ...)                                                  \
  HRESULT name(QM_FOR_EACH(QM_PARAM_DECL, QM_SEP_COMMA, __VA_ARGS__) __VA_OPT__(, ) QM_OUT(ret) retval) \
      override {                                                                                         \
    QM_FOR_EACH(QM_UNUSED, QM_SEP_NONE, __VA_ARGS__)                                                     \
    (void)retval;                                                                                        \
    return NotBuilt(#name, area);                                                                        \
  }
#define QM_METHODV(off, dispid, name, vis, area, ...)                              \
  HRESULT name(QM_FOR_EACH(QM_PARAM_DECL, QM_SEP_COMMA, __VA_ARGS__)) override { \
    QM_FOR_EACH(QM_UNUSED, QM_SEP_NONE, __VA_ARGS__)                             \
    return NotBuilt(#name, area);                                                \
  }
#define QM_PROPGET(off, dispid, name, type, vis, area) \
  HRESULT get_##name(QM_OUT(type)) override { return NotBuilt(#name, area); }
#define QM_PROP(off, dispid, name, type, vis, area) \
  QM_PROPGET(off, dispid, name, type, vis, area)    \
  HRESULT put_##name(QM_IN_##type) override { return NotBuilt(#name, area); }
#define QM_RESERVED(off, n) \
  HRESULT Reserved##n() override { return com::S_OK; }
#include "control/automation/tarvo_members.def"
#undef QM_METHOD
#undef QM_METHODV
#undef QM_PROP
#undef QM_PROPGET
#undef QM_RESERVED
#undef QM_UNUSED

 protected:
  ~TarvoNotBuilt() = default;
};

}  // namespace quelmar::automation
