#pragma once
// The guard every ITarvo member runs in: owner-thread check, the freed-panel
// check, exception conversion to failure results, and argument helpers.
// Included only by the control class's own source files.
#include <cmath>
#include <new>
#include <string>
#include <thread>
#include <type_traits>

#include "control/automation/tarvo_ids.h"
#include "control/automation/ttarvo.h"
#include "control/core/errors.h"
#include "control/core/map_units.h"
#include "platform/com/ansi_text.h"
#include "platform/com/error_info.h"

namespace quelmar::automation {

using com::HRESULT;
using com::S_OK;
using com::Variant;

// Counts the calls of one control on the stack; when the outermost returns,
// a panel freed by FREEALL is destroyed (never while any of it is running).
class CallScope {
 public:
  explicit CallScope(TTarvo& t) : t_(t) { ++t_.callDepth_; }
  ~CallScope() {
    if (--t_.callDepth_ == 0) t_.DestroyPanelIfIdle();
  }
  CallScope(const CallScope&) = delete;
  CallScope& operator=(const CallScope&) = delete;

 private:
  TTarvo& t_;
};

namespace guard {

// Keeps the object alive for the length of a call even if the host releases
// its last reference from inside an event.
class KeepAlive {
 public:
  explicit KeepAlive(com::IUnknown* u) : u_(u) { u_->AddRef(); }
  ~KeepAlive() { u_->Release(); }
  KeepAlive(const KeepAlive&) = delete;
  KeepAlive& operator=(const KeepAlive&) = delete;

 private:
  com::IUnknown* u_;
};

template <typename T>
T& Out(T* p) {
  if (!p) throw Error("A result pointer is missing", ErrorCode::MissingPointer);
  return *p;
}

// Longitudes and latitudes arrive as variants and are read as degrees.
inline double Degrees(const Variant& v, const char* argument) {
  double d = 0.0;
  HRESULT hr = v.ToDouble(&d);
  if (hr < 0) throw ArgumentError(std::string("Argument ") + argument + " is not a number", CodeOfResult(hr));
  return d;
}

// A search's centre and radius as a host gives them: ArgumentError naming
// the argument (xctr, yctr, mradius) that is out of range.
inline void CheckSearchCircle(double lon, double lat, double radiusMiles) {
  if (!(std::abs(lon) <= 180)) throw ArgumentError("Argument xctr is not a longitude (-180 to 180 degrees)");
  if (!(std::abs(lat) <= 90)) throw ArgumentError("Argument yctr is not a latitude (-90 to 90 degrees)");
  if (!(radiusMiles >= 0 && radiusMiles <= 25000)) {
    throw ArgumentError("Argument mradius is not a radius of 0 to 25000 miles");
  }
}

// A longitude or latitude that must be a map coordinate: finite, and within
// the range whole map units can hold (about 137,000 degrees either way), so
// that no conversion wraps or turns into junk.
inline double MapDegrees(const Variant& v, const char* argument) {
  const double d = Degrees(v, argument);
  constexpr double kLargest = 2147483647.0 / core::kUnitsPerDegree;
  if (!(std::abs(d) <= kLargest)) {
    throw ArgumentError(std::string("Argument ") + argument + " is outside the range of map coordinates");
  }
  return d;
}

inline std::string AnsiArg(const std::string& utf8) { return com::ToShortString(utf8); }
inline std::string Utf8Result(const std::string& ansi) { return com::AnsiToUtf8(ansi); }

template <typename E>
E CheckedEnum(std::int32_t v, std::int32_t last, const char* property) {
  if (v < 0 || v > last) {
    throw ArgumentError(std::string(property) + " does not take the value " + std::to_string(v));
  }
  return static_cast<E>(v);
}

inline gdi::COLORREF ColorFromOle(com::OLE_COLOR c) {
  // Plain colours carry 0 in the high byte; 0x80 marks a system colour index.
  if ((c >> 24) == 0) return c;
  if ((c >> 24) == 0x80) {
    switch (c & 0xFF) {
      case 5: return 0xFFFFFF;   // window
      case 8: return 0x000000;   // window text
      case 15: return 0xC0C0C0;  // button face
      case 16: return 0x808080;  // button shadow
      case 20: return 0xFFFFFF;  // button highlight
      default: break;
    }
  }
  throw ArgumentError("Color does not take the value " + std::to_string(c));
}

}  // namespace guard

template <typename Body>
HRESULT TTarvo::Call(const char* member, Body&& body) {
  if (std::this_thread::get_id() != owner_) {
    return com::ReportError(com::RPC_E_WRONG_THREAD, kProgId,
                            std::string(member) + " was called from a thread that does not own the control");
  }
  guard::KeepAlive alive(static_cast<ITarvo*>(this));
  CallScope scope(*this);
  if (freed_ || !context_) {
    return com::ReportError(com::E_UNEXPECTED, kProgId,
                            std::string(member) + " failed: the map panel was freed by FREEALL");
  }
  try {
    if constexpr (std::is_void_v<std::invoke_result_t<Body, Ttvmap&>>) {
      body(context_->Panel());
      return S_OK;
    } else {
      return body(context_->Panel());
    }
  } catch (const Error& e) {
    return com::ReportError(e.result(), kProgId, e.what());
  } catch (const std::bad_alloc&) {
    return com::ReportError(com::E_OUTOFMEMORY, kProgId, std::string(member) + " failed: out of memory");
  } catch (const std::exception& e) {
    return com::ReportError(com::E_FAIL, kProgId, std::string(member) + " failed: " + e.what());
  } catch (...) {
    return com::ReportError(com::E_UNEXPECTED, kProgId, std::string(member) + " failed unexpectedly");
  }
}

}  // namespace quelmar::automation
