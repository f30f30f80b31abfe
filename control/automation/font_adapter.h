#pragma once
// The control's Font as an OLE font object: a dispatch object whose Name,
// Size (points), Bold, Italic and Weight read and write the panel's font
// directly, so a host that changes the object changes the control.
#include <functional>

#include "platform/com/ref_counted.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::automation {

// Dispatch identifiers of the standard font object.
inline constexpr com::DISPID DISPID_FONT_NAME = 0;
inline constexpr com::DISPID DISPID_FONT_SIZE = 2;
inline constexpr com::DISPID DISPID_FONT_BOLD = 3;
inline constexpr com::DISPID DISPID_FONT_ITALIC = 4;
inline constexpr com::DISPID DISPID_FONT_WEIGHT = 7;

class FontAdapter final : public com::RefCounted<com::IDispatch> {
 public:
  // `read` and `write` reach the panel's font; each returns a failure result
  // (for example once the panel is gone) instead of throwing. `owner` is kept
  // alive for as long as the adapter lives.
  using Read = std::function<com::HRESULT(gdi::Font*)>;
  using Write = std::function<com::HRESULT(const gdi::Font&)>;
  FontAdapter(com::IUnknown* owner, int pixelsPerInch, Read read, Write write);
  ~FontAdapter() override;

  com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
  com::HRESULT GetTypeInfoCount(std::uint32_t* count) override;
  com::HRESULT GetIDsOfNames(const com::IID&, const std::string* names, std::uint32_t count, com::LCID,
                             com::DISPID* dispids) override;
  com::HRESULT Invoke(com::DISPID dispid, const com::IID&, com::LCID, std::uint16_t flags, com::DISPPARAMS* params,
                      com::Variant* result, com::EXCEPINFO* excepinfo, std::uint32_t* argErr) override;

 private:
  com::IUnknown* owner_;
  int pixelsPerInch_;
  Read read_;
  Write write_;
};

// Reads a font from any object with the standard font properties (another
// control's Font, a host's own font object).
com::HRESULT FontFromDispatch(com::IDispatch* font, int pixelsPerInch, gdi::Font* out);

}  // namespace quelmar::automation
