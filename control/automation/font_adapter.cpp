#include "control/automation/font_adapter.h"

#include <cctype>
#include <cmath>
#include <string_view>

#include "platform/com/ansi_text.h"
#include "platform/com/dispatch_call.h"

namespace quelmar::automation {

using com::HRESULT;
using com::Variant;

namespace {

struct FontMember {
  const char* name;
  com::DISPID dispid;
};
constexpr FontMember kMembers[] = {{"Name", DISPID_FONT_NAME},
                                   {"Size", DISPID_FONT_SIZE},
                                   {"Bold", DISPID_FONT_BOLD},
                                   {"Italic", DISPID_FONT_ITALIC},
                                   {"Weight", DISPID_FONT_WEIGHT}};

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

double PointsOf(const gdi::Font& f, int ppi) { return std::abs(f.height) * 72.0 / ppi; }

// Font heights are whole pixels; sizes from 1 to 500 points are accepted.
HRESULT SetPoints(gdi::Font& f, double points, int ppi) {
  if (!std::isfinite(points) || points < 1 || points > 500) return com::E_INVALIDARG;
  f.height = static_cast<int>(std::lround(points * ppi / 72.0));
  return com::S_OK;
}

}  // namespace

FontAdapter::FontAdapter(com::IUnknown* owner, int pixelsPerInch, Read read, Write write)
    : owner_(owner), pixelsPerInch_(pixelsPerInch), read_(std::move(read)), write_(std::move(write)) {
  owner_->AddRef();
}

FontAdapter::~FontAdapter() { owner_->Release(); }

HRESULT FontAdapter::QueryInterface(const com::IID& iid, void** object) {
  if (!object) return com::E_POINTER;
  *object = nullptr;
  if (iid != com::IID_IUnknown && iid != com::IID_IDispatch) return com::E_NOINTERFACE;
  *object = static_cast<com::IDispatch*>(this);
  AddRef();
  return com::S_OK;
}

HRESULT FontAdapter::GetTypeInfoCount(std::uint32_t* count) {
  if (!count) return com::E_POINTER;
  *count = 0;
  return com::S_OK;
}

HRESULT FontAdapter::GetIDsOfNames(const com::IID&, const std::string* names, std::uint32_t count, com::LCID,
                                   com::DISPID* dispids) {
  if (count == 0) return com::S_OK;
  if (!names || !dispids) return com::E_POINTER;
  for (std::uint32_t i = 0; i < count; ++i) dispids[i] = com::DISPID_UNKNOWN;
  for (const FontMember& m : kMembers) {
    if (SameName(names[0], m.name)) {
      dispids[0] = m.dispid;
      return count == 1 ? com::S_OK : com::DISP_E_UNKNOWNNAME;
    }
  }
  return com::DISP_E_UNKNOWNNAME;
}

HRESULT FontAdapter::Invoke(com::DISPID dispid, const com::IID&, com::LCID, std::uint16_t flags,
                            com::DISPPARAMS* params, Variant* result, com::EXCEPINFO*, std::uint32_t* argErr) {
  gdi::Font font;
  if (HRESULT hr = read_(&font); hr < 0) return hr;
  if (flags & com::DISPATCH_PROPERTYPUT) {
    if (!params || params->cArgs != 1 || !params->rgvarg) return com::DISP_E_BADPARAMCOUNT;
    const Variant& v = params->rgvarg[0];
    HRESULT hr = com::S_OK;
    switch (dispid) {
      case DISPID_FONT_NAME: {
        std::string name;
        hr = v.ToString(&name);
        if (hr >= 0) font.face = com::ToShortString(name);
        break;
      }
      case DISPID_FONT_SIZE: {
        double points = 0;
        hr = v.ToDouble(&points);
        if (hr >= 0) hr = SetPoints(font, points, pixelsPerInch_);
        break;
      }
      case DISPID_FONT_BOLD:
      case DISPID_FONT_ITALIC: {
        bool on = false;
        hr = v.ToBool(&on);
        if (hr < 0) break;
        if (dispid == DISPID_FONT_BOLD) font.weight = on ? 700 : 400;
        if (dispid == DISPID_FONT_ITALIC) font.italic = on;
        break;
      }
      case DISPID_FONT_WEIGHT: {
        std::int32_t weight = 0;
        hr = v.ToInt32(&weight);
        if (hr >= 0 && (weight < 1 || weight > 1000)) hr = com::E_INVALIDARG;
        if (hr >= 0) font.weight = weight;
        break;
      }
      default:
        return com::DISP_E_MEMBERNOTFOUND;
    }
    if (hr < 0) {
      if (argErr) *argErr = 0;
      return hr;
    }
    return write_(font);
  }
  if (params && params->cArgs != 0) return com::DISP_E_BADPARAMCOUNT;
  Variant value;
  switch (dispid) {
    case DISPID_FONT_NAME: value = Variant(com::AnsiToUtf8(font.face)); break;
    case DISPID_FONT_SIZE: value = Variant(PointsOf(font, pixelsPerInch_)); break;
    case DISPID_FONT_BOLD: value = Variant(font.weight >= 600); break;
    case DISPID_FONT_ITALIC: value = Variant(font.italic); break;
    case DISPID_FONT_WEIGHT: value = Variant(static_cast<std::int16_t>(font.weight)); break;
    default: return com::DISP_E_MEMBERNOTFOUND;
  }
  if (result) *result = std::move(value);
  return com::S_OK;
}

HRESULT FontFromDispatch(com::IDispatch* font, int pixelsPerInch, gdi::Font* out) {
  if (!font || !out) return com::E_POINTER;
  const auto get = [&](const char* name, Variant* v) {
    com::DispatchCall call = com::InvokeByName(font, name, com::DISPATCH_PROPERTYGET, {});
    *v = std::move(call.value);
    return call.MemberResult();
  };
  gdi::Font f;
  Variant name, size, bold, italic;
  std::string text;
  double points = 0;
  HRESULT hr = get("Name", &name);
  if (hr >= 0) hr = name.ToString(&text);
  if (hr >= 0) hr = get("Size", &size);
  if (hr >= 0) hr = size.ToDouble(&points);
  if (hr >= 0) hr = SetPoints(f, points, pixelsPerInch);
  if (hr < 0) return hr;
  f.face = com::ToShortString(text);
  bool on = false;
  if (get("Bold", &bold) >= 0 && bold.ToBool(&on) >= 0) f.weight = on ? 700 : 400;
  if (get("Italic", &italic) >= 0 && italic.ToBool(&on) >= 0) f.italic = on;
  *out = f;
  return com::S_OK;
}

}  // namespace quelmar::automation
