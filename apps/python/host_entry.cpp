// The host library's C entry point over app::ControlHost (see host_entry.h).
#include "apps/python/host_entry.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "apps/quelmar/control_host.h"
#include "apps/quelmar/data_tree.h"
#include "platform/com/activation.h"
#include "platform/com/com_ptr.h"
#include "platform/com/type_info.h"
#include "platform/ui/headless_window.h"

using namespace quelmar;

namespace {

constexpr com::HRESULT kFail = static_cast<com::HRESULT>(0x80004005);

char* Copy(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

com::Variant ToVariant(const qh_value& v) {
  switch (v.type) {
    case QH_BOOL: return com::Variant(v.boolean != 0);
    case QH_INT:
      if (v.integer >= INT32_MIN && v.integer <= INT32_MAX) return com::Variant(static_cast<std::int32_t>(v.integer));
      return com::Variant(static_cast<double>(v.integer));  // the control refuses what does not fit its parameter
    case QH_DOUBLE: return com::Variant(v.number);
    case QH_STRING: return com::Variant(std::string(v.text ? v.text : ""));
    default: return com::Variant();
  }
}

// The value as qh_value; a string's text is kept in `text` (stable until reused).
qh_value FromVariant(const com::Variant& variant, std::string& text) {
  const com::Variant v = variant.Dereferenced();
  qh_value out{};
  switch (v.vt()) {
    case com::VT_BOOL: out.type = QH_BOOL, out.boolean = v.boolVal() != 0; break;
    case com::VT_I2: out.type = QH_INT, out.integer = v.i2(); break;
    case com::VT_I4: out.type = QH_INT, out.integer = v.i4(); break;
    case com::VT_R4: out.type = QH_DOUBLE, out.number = v.r4(); break;
    case com::VT_R8: out.type = QH_DOUBLE, out.number = v.r8(); break;
    case com::VT_BSTR:
      text = v.bstr();
      out.type = QH_STRING, out.text = text.c_str();
      break;
    default:
      if (std::int32_t i = 0; v.ToInt32(&i) >= 0 && !v.IsEmpty()) {
        out.type = QH_INT, out.integer = i;
      }
      break;
  }
  return out;
}

}  // namespace

struct qh_host {
  com::Activator activator;
  std::unique_ptr<app::ControlHost> host;
  qh_event_fn onEvent = nullptr;
  void* user = nullptr;
  std::string resultText, error;
  std::vector<std::uint32_t> pixels;
};

extern "C" {

int32_t qh_create(const char* prog_id, int32_t width, int32_t height, const char* data, qh_event_fn on_event,
                  void* user, qh_host** out, char** error) {
  *out = nullptr;
  if (error) *error = nullptr;
  auto fail = [&](const std::string& why) {
    if (error) *error = Copy(why);
    return kFail;
  };
  if (width < 1 || width > 16384 || height < 1 || height > 16384) {
    return fail("the size must be 1 to 16384 pixels each way, not " + std::to_string(width) + " x " +
                std::to_string(height));
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
        for (std::size_t i = 0; i < args.size(); ++i) values.push_back(FromVariant(args[i], texts[i]));
        raw->onEvent(raw->user, name.c_str(), static_cast<int32_t>(values.size()), values.data());
      });
  std::string why;
  if (!h->host->Create(prog_id ? prog_id : "", &why)) return fail(why);
  if (!app::UseDataTree(*h->host, data ? data : "", &why)) return fail(why);
  h->host->PumpMessages();  // the start-up paint
  *out = h.release();
  return 0;
}

void qh_destroy(qh_host* host) { delete host; }

int32_t qh_call(qh_host* host, const char* member, int32_t count, const qh_value* args, qh_value* result,
                const char** error) {
  std::vector<com::Variant> values;
  for (int32_t i = 0; i < count; ++i) values.push_back(ToVariant(args[i]));
  const app::CallResult r = host->host->Call(member ? member : "", values);
  host->error = r.description;
  if (error) *error = host->error.c_str();
  if (r.hr < 0) return r.hr;
  if (result) *result = FromVariant(r.value, host->resultText);
  return r.hr;
}

int32_t qh_put(qh_host* host, const char* member, const qh_value* value, const char** error) {
  const app::CallResult r = host->host->Put(member ? member : "", ToVariant(*value));
  host->error = r.description;
  if (error) *error = host->error.c_str();
  return r.hr;
}

void qh_pump(qh_host* host) { host->host->PumpMessages(); }

char* qh_members(qh_host* host) {
  com::ComPtr<com::ITypeInfo> info;
  if (host->host->Control()->GetTypeInfo(0, 0, info.Put()) < 0) return Copy("");
  com::TYPEATTR attr;
  if (info->GetTypeAttr(&attr) < 0) return Copy("");
  std::string list;
  for (std::uint32_t i = 0; i < attr.cFuncs; ++i) {
    com::FUNCDESC d;
    if (info->GetFuncDesc(i, &d) < 0 || d.memid == 0) continue;  // reserved slots cannot be called by name
    const char* kind = d.invkind == com::INVOKE_PROPERTYGET   ? "get"
                       : d.invkind == com::INVOKE_PROPERTYPUT ? "put"
                                                              : "method";
    std::string signature = d.name + "(";
    for (std::size_t p = 0; p < d.params.size(); ++p) {
      signature += (p ? ", " : "") + d.params[p].type + " " + d.params[p].name;
    }
    signature += ")";
    if (!d.resultType.empty()) signature += " -> " + d.resultType;
    list += d.name + '\t' + kind + '\t' + signature + '\t' + d.helpString + '\n';
  }
  return Copy(list);
}

int32_t qh_image(qh_host* host, int32_t* width, int32_t* height, const uint32_t** pixels, const char** error) {
  host->host->PumpMessages();
  const app::CallResult handle = host->host->Call("Handle", {});
  ui::HeadlessWindow* window = handle.hr >= 0 ? ui::HeadlessWindow::FromHandle(handle.value.i4()) : nullptr;
  if (!window) {
    host->error = "the control has no window";
    if (error) *error = host->error.c_str();
    return kFail;
  }
  const gdi::Bitmap& image = window->FrontBuffer();
  host->pixels.resize(static_cast<std::size_t>(image.Width()) * image.Height());
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) host->pixels[std::size_t(y) * image.Width() + x] = image.Pixel(x, y);
  }
  *width = image.Width();
  *height = image.Height();
  *pixels = host->pixels.data();
  return 0;
}

int32_t qh_save_png(qh_host* host, const char* path, const char** error) {
  host->host->PumpMessages();
  const app::CallResult handle = host->host->Call("Handle", {});
  ui::HeadlessWindow* window = handle.hr >= 0 ? ui::HeadlessWindow::FromHandle(handle.value.i4()) : nullptr;
  host->error = !window ? "the control has no window" : "";
  if (window && !window->FrontBuffer().SavePng(path ? path : "")) host->error = std::string("cannot write ") + path;
  if (error) *error = host->error.c_str();
  return host->error.empty() ? 0 : kFail;
}

void qh_free(char* text) { std::free(text); }

}  // extern "C"
