// The host library's C entry point over app::ControlHost (see host_entry.h).
#include "apps/python/host_entry.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "apps/quelmar/control_host.h"
#include "apps/quelmar/data_tree.h"
#include "apps/quelmar/front_buffer.h"
#include "apps/quelmar/members_command.h"
#include "platform/com/activation.h"
#include "platform/com/com_ptr.h"
#include "platform/com/type_info.h"

using namespace quelmar;

struct qh_host {
  com::Activator activator;
  std::unique_ptr<app::ControlHost> host;
  qh_event_fn onEvent = nullptr;
  void* user = nullptr;
};

namespace {

constexpr int kMaxSide = 16384;  // as `quelmar run --size` allows

char* Copy(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (!copy) throw std::bad_alloc();
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// The failure `hr` with its description for *error.
std::int32_t Fail(com::HRESULT hr, const std::string& why, char** error) {
  if (error) {
    *error = nullptr;
    try {
      *error = Copy(why);
    } catch (const std::bad_alloc&) {
    }
  }
  return hr;
}

// Runs `body` for an entry point: no C++ exception leaves the library (the
// caller may be a Python interpreter), and *error starts out NULL.
template <typename Body>
std::int32_t Guarded(char** error, Body&& body) {
  if (error) *error = nullptr;
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return Fail(com::E_OUTOFMEMORY, "out of memory", error);
  } catch (const std::exception& e) {
    return Fail(com::E_FAIL, e.what(), error);
  }
}

std::int32_t NoHost(char** error) { return Fail(com::E_POINTER, "no control: the host is NULL", error); }

com::Variant ToVariant(const qh_value& v) {
  switch (v.type) {
    case QH_BOOL: return com::Variant(v.boolean != 0);
    case QH_INT:
      if (v.integer >= INT32_MIN && v.integer <= INT32_MAX) return com::Variant(static_cast<std::int32_t>(v.integer));
      return com::Variant(static_cast<double>(v.integer));  // the control refuses what its parameter cannot hold
    case QH_DOUBLE: return com::Variant(v.number);
    case QH_STRING: return com::Variant(std::string(v.text ? v.text : ""));
    default: return com::Variant();
  }
}

// The value as qh_value. Its text, if any, is stored in `text`: the caller
// either points at it (event arguments) or copies it out (results).
qh_value FromVariant(const com::Variant& variant, std::string& text) {
  const com::Variant v = variant.Dereferenced();
  qh_value out{};
  switch (v.vt()) {
    case com::VT_EMPTY: out.type = QH_EMPTY; break;
    case com::VT_BOOL: out.type = QH_BOOL, out.boolean = v.boolVal() != 0; break;
    case com::VT_I2: out.type = QH_INT, out.integer = v.i2(); break;
    case com::VT_I4: out.type = QH_INT, out.integer = v.i4(); break;
    case com::VT_R4: out.type = QH_DOUBLE, out.number = v.r4(); break;
    case com::VT_R8: out.type = QH_DOUBLE, out.number = v.r8(); break;
    case com::VT_BSTR: out.type = QH_STRING, text = v.bstr(); break;
    default: out.type = QH_OTHER, text = v.Describe(); break;
  }
  return out;
}

std::vector<com::Variant> Arguments(std::int32_t count, const qh_value* args) {
  std::vector<com::Variant> values;
  for (std::int32_t i = 0; i < count && args; ++i) values.push_back(ToVariant(args[i]));
  return values;
}

// One line of qh_members; tabs and line breaks in a text become spaces.
void AddMember(std::string& list, const char* kind, const com::FUNCDESC& d) {
  auto field = [](std::string text) {
    for (char& c : text) {
      if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return text;
  };
  list += std::string(kind) + '\t' + field(d.name) + '\t' + (d.hidden ? "hidden" : "") + '\t' +
          field(app::MemberSignature(d)) + '\t' + field(d.helpString) + '\n';
}

}  // namespace

extern "C" {

int32_t qh_create(const char* prog_id, int32_t width, int32_t height, const char* data, qh_event_fn on_event,
                  void* user, qh_host** out, char** error) {
  if (!out) return Fail(com::E_POINTER, "no place for the host", error);
  *out = nullptr;
  return Guarded(error, [&]() -> std::int32_t {
    if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide) {
      return Fail(com::E_INVALIDARG,
                  "the size must be 1 to " + std::to_string(kMaxSide) + " pixels each way, not " +
                      std::to_string(width) + " x " + std::to_string(height),
                  error);
    }
    auto h = std::make_unique<qh_host>();
    h->onEvent = on_event;
    h->user = user;
    app::HostOptions options;
    options.width = width;
    options.height = height;
    qh_host* raw = h.get();
    h->host = std::make_unique<app::ControlHost>(
        h->activator, options, [raw](const std::string& name, const std::vector<com::Variant>& args) {
          if (!raw->onEvent) return;
          std::vector<std::string> texts(args.size());
          std::vector<qh_value> values;
          for (std::size_t i = 0; i < args.size(); ++i) {
            values.push_back(FromVariant(args[i], texts[i]));
            if (values.back().type == QH_STRING || values.back().type == QH_OTHER) values.back().text = texts[i].data();
          }
          raw->onEvent(raw->user, name.c_str(), static_cast<int32_t>(values.size()), values.data());
        });
    std::string why;
    if (!h->host->Create(prog_id ? prog_id : "", &why)) return Fail(com::E_FAIL, why, error);
    if (!app::UseDataTree(*h->host, data ? data : "", &why)) return Fail(com::E_INVALIDARG, why, error);
    h->host->PumpMessages();  // the start-up paint, with the tree's folders in place
    *out = h.release();
    return com::S_OK;
  });
}

void qh_destroy(qh_host* host) { delete host; }

int32_t qh_call(qh_host* host, const char* member, int32_t count, const qh_value* args, qh_value* result,
                char** error) {
  if (result) *result = qh_value{};
  if (!host) return NoHost(error);
  return Guarded(error, [&]() -> std::int32_t {
    const app::CallResult r = host->host->Call(member ? member : "", Arguments(count, args));
    if (r.hr < 0) return Fail(r.hr, r.description, error);
    if (result) {
      std::string text;
      qh_value value = FromVariant(r.value, text);
      if (value.type == QH_STRING || value.type == QH_OTHER) value.text = Copy(text);
      *result = value;
    }
    return r.hr;
  });
}

int32_t qh_put(qh_host* host, const char* member, const qh_value* value, char** error) {
  if (!host) return NoHost(error);
  if (!value) return Fail(com::E_POINTER, "no value to write", error);
  return Guarded(error, [&]() -> std::int32_t {
    const app::CallResult r = host->host->Put(member ? member : "", ToVariant(*value));
    return r.hr < 0 ? Fail(r.hr, r.description, error) : r.hr;
  });
}

int32_t qh_pump(qh_host* host, char** error) {
  if (!host) return NoHost(error);
  return Guarded(error, [&]() -> std::int32_t {
    host->host->PumpMessages();
    return com::S_OK;
  });
}

int32_t qh_members(qh_host* host, char** list, char** error) {
  if (list) *list = nullptr;
  if (!host) return NoHost(error);
  if (!list) return Fail(com::E_POINTER, "no place for the list", error);
  return Guarded(error, [&]() -> std::int32_t {
    com::ComPtr<com::ITypeInfo> info;
    com::ComPtr<com::ITypeLib> lib;
    com::HRESULT hr = host->host->Control()->GetTypeInfo(0, 0, info.Put());
    if (hr >= 0) hr = info->GetContainingTypeLib(lib.Put());
    if (hr < 0) return Fail(hr, "the control gives no type information", error);
    std::string text;
    for (std::uint32_t t = 0; t < lib->GetTypeInfoCount(); ++t) {
      com::ComPtr<com::ITypeInfo> type;
      com::TYPEATTR attr;
      if (lib->GetTypeInfo(t, type.Put()) < 0 || type->GetTypeAttr(&attr) < 0) continue;
      // The control's interface and its event interface; enumerations are numbers to a host.
      const bool events = attr.typekind == com::TKIND_DISPATCH;
      if (!events && attr.typekind != com::TKIND_INTERFACE) continue;
      for (std::uint32_t i = 0; i < attr.cFuncs; ++i) {
        com::FUNCDESC d;
        if (type->GetFuncDesc(i, &d) < 0 || app::IsReservedSlot(d)) continue;
        const char* kind = events                                ? "event"
                           : d.invkind == com::INVOKE_PROPERTYGET ? "get"
                           : d.invkind == com::INVOKE_PROPERTYPUT ? "put"
                                                                  : "method";
        AddMember(text, kind, d);
      }
    }
    *list = Copy(text);
    return com::S_OK;
  });
}

int32_t qh_image(qh_host* host, int32_t* width, int32_t* height, uint8_t** pixels, char** error) {
  if (pixels) *pixels = nullptr;
  if (!host) return NoHost(error);
  if (!width || !height || !pixels) return Fail(com::E_POINTER, "no place for the picture", error);
  return Guarded(error, [&]() -> std::int32_t {
    std::string why;
    const gdi::Bitmap* image = app::FrontBufferOf(*host->host, &why);
    if (!image) return Fail(com::E_FAIL, why, error);
    const std::size_t w = static_cast<std::size_t>(image->Width()), h = static_cast<std::size_t>(image->Height());
    auto* rgb = static_cast<std::uint8_t*>(std::malloc(w * h * 3 + 1));
    if (!rgb) throw std::bad_alloc();
    std::uint8_t* p = rgb;
    for (std::size_t y = 0; y < h; ++y) {
      for (std::size_t x = 0; x < w; ++x) {
        const gdi::COLORREF c = image->Pixel(static_cast<int>(x), static_cast<int>(y));  // 0x00BBGGRR
        *p++ = static_cast<std::uint8_t>(c);
        *p++ = static_cast<std::uint8_t>(c >> 8);
        *p++ = static_cast<std::uint8_t>(c >> 16);
      }
    }
    *width = static_cast<int32_t>(w);
    *height = static_cast<int32_t>(h);
    *pixels = rgb;
    return com::S_OK;
  });
}

int32_t qh_save_png(qh_host* host, const char* path, char** error) {
  if (!host) return NoHost(error);
  return Guarded(error, [&]() -> std::int32_t {
    std::string why;
    const gdi::Bitmap* image = app::FrontBufferOf(*host->host, &why);
    if (!image) return Fail(com::E_FAIL, why, error);
    const std::string file = path ? path : "";
    if (!image->SavePng(file)) return Fail(com::E_FAIL, "cannot write " + file, error);
    return com::S_OK;
  });
}

void qh_free(void* memory) { std::free(memory); }

}  // extern "C"
