#pragma once
// ITarvo: the control's dual interface. Every member returns an HRESULT;
// results come back through a final out-parameter. Properties have a get_
// slot and, unless read only, a put_ slot right after it. The slots are
// generated from tarvo_members.def in table order.
#include "control/automation/member_macros.h"
#include "control/automation/tarvo_ids.h"

namespace quelmar::automation {

using com::HRESULT;

class ITarvo : public com::IDispatch {
 public:
#define QM_METHOD(off, dispid, name, ret, vis, area, ...) \
  virtual HRESULT name(QM_FOR_EACH(QM_PARAM_DECL, QM_SEP_COMMA, __VA_ARGS__) __VA_OPT__(, ) QM_OUT(ret) retval) = 0;
#define QM_METHODV(off, dispid, name, vis, area, ...) \
  virtual HRESULT name(QM_FOR_EACH(QM_PARAM_DECL, QM_SEP_COMMA, __VA_ARGS__)) = 0;
#define QM_PROP(off, dispid, name, type, vis, area) \
  virtual HRESULT get_##name(QM_OUT(type) value) = 0;   \
  virtual HRESULT put_##name(QM_IN_##type value) = 0;
#define QM_PROPGET(off, dispid, name, type, vis, area) virtual HRESULT get_##name(QM_OUT(type) value) = 0;
#define QM_RESERVED(off, n) virtual HRESULT Reserved##n() = 0;
#include "control/automation/tarvo_members.def"
#undef QM_METHOD
#undef QM_METHODV
#undef QM_PROP
#undef QM_PROPGET
#undef QM_RESERVED

 protected:
  ~ITarvo() = default;
};

}  // namespace quelmar::automation
