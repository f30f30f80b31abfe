#include "control/automation/tarvo_type_info.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace quelmar::automation {

using com::HRESULT;
using com::Variant;

namespace {

constexpr bool kHiddenQM_HIDDEN = true;
constexpr bool kHiddenQM_VISIBLE = false;
#define QM_IS_HIDDEN(vis) kHidden##vis

#define QM_PARAMS(...) {QM_FOR_EACH(QM_PARAM_INFO, QM_SEP_COMMA, __VA_ARGS__)}
#define QM_COUNT_ONE(p) +1
#define QM_PARAM_COUNT(...) (0 QM_FOR_EACH(QM_COUNT_ONE, QM_SEP_NONE, __VA_ARGS__))

const MemberInfo kMembers[] = {
#define QM_METHOD(off, id, name, ret, vis, area, ...)                                         \
  {off, id, #name, MemberKind::Method, QM_IS_HIDDEN(vis), area, #ret, QM_PARAMS(__VA_ARGS__), \
   QM_PARAM_COUNT(__VA_ARGS__),                                                               \
   [](ITarvo* self, ArgReader& args, Variant* result) -> HRESULT {                            \
     (void)args;                                                                              \
     QM_FOR_EACH(QM_PARAM_READ, QM_SEP_NONE, __VA_ARGS__)                                     \
     QM_STORE_##ret retval{};                                                                 \
     HRESULT hr = self->name(QM_FOR_EACH(QM_PARAM_NAME, QM_SEP_COMMA, __VA_ARGS__)            \
                                 __VA_OPT__(, ) & retval);                                    \
     if (hr >= 0 && result) *result = QM_TO_VARIANT_##ret(retval);                            \
     return hr;                                                                               \
   }},
#define QM_METHODV(off, id, name, vis, area, ...)                                                \
  {off, id, #name, MemberKind::Method, QM_IS_HIDDEN(vis), area, nullptr, QM_PARAMS(__VA_ARGS__), \
   QM_PARAM_COUNT(__VA_ARGS__),                                                                  \
   [](ITarvo* self, ArgReader& args, Variant*) -> HRESULT {                                      \
     (void)args;                                                                                 \
     QM_FOR_EACH(QM_PARAM_READ, QM_SEP_NONE, __VA_ARGS__)                                        \
     return self->name(QM_FOR_EACH(QM_PARAM_NAME, QM_SEP_COMMA, __VA_ARGS__));                   \
   }},
#define QM_PROPGET(off, id, name, type, vis, area)                                  \
  {off, id, #name, MemberKind::PropertyGet, QM_IS_HIDDEN(vis), area, #type, {}, 0, \
   [](ITarvo* self, ArgReader&, Variant* result) -> HRESULT {                        \
     QM_STORE_##type value{};                                                        \
     HRESULT hr = self->get_##name(&value);                                          \
     if (hr >= 0 && result) *result = QM_TO_VARIANT_##type(value);                   \
     return hr;                                                                      \
   }},
#define QM_PROP(off, id, name, type, vis, area)                                              \
  QM_PROPGET(off, id, name, type, vis, area)                                                 \
  {off + 4, id, #name, MemberKind::PropertyPut, QM_IS_HIDDEN(vis), area, nullptr,           \
   {{"value", #type}}, 1,                                                                    \
   [](ITarvo* self, ArgReader& args, Variant*) -> HRESULT {                                  \
     QM_STORE_##type value{};                                                                \
     if (HRESULT hr = args.QM_READ_##type(value); hr < 0) return hr;                         \
     return self->put_##name(value);                                                         \
   }},
#define QM_RESERVED(off, n)                                                                   \
  {off, 0, "Reserved" #n, MemberKind::Reserved, true, "automation", nullptr, {}, 0,           \
   [](ITarvo* self, ArgReader&, Variant*) -> HRESULT { return self->Reserved##n(); }},
#include "control/automation/tarvo_members.def"
#undef QM_METHOD
#undef QM_METHODV
#undef QM_PROP
#undef QM_PROPGET
#undef QM_RESERVED
};

const EventInfo kEvents[] = {
#define QM_EVENT(id, name, ...) {id, #name, QM_PARAMS(__VA_ARGS__), QM_PARAM_COUNT(__VA_ARGS__)},
#include "control/automation/tarvo_events.def"
#undef QM_EVENT
};

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::span<const MemberInfo> TarvoMembers() { return kMembers; }
std::span<const EventInfo> TarvoEvents() { return kEvents; }

const MemberInfo* FindMember(com::DISPID dispid, MemberKind kind) {
  for (const MemberInfo& m : kMembers) {
    if (m.kind == kind && m.dispid == dispid) return &m;
  }
  return nullptr;
}

std::optional<com::DISPID> DispIdOfName(std::string_view name) {
  for (const MemberInfo& m : kMembers) {
    if (m.kind != MemberKind::Reserved && EqualsIgnoreCase(m.name, name)) return m.dispid;
  }
  return std::nullopt;
}

Variant DispatchResult(com::IDispatch* dispatch) {
  Variant v(dispatch);  // takes its own reference
  if (dispatch) dispatch->Release();
  return v;
}

}  // namespace quelmar::automation
