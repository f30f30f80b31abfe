#include "platform/com/error_info.h"

#include <utility>

namespace quelmar::com {
namespace {

// Per-thread state, as the operating system keeps it on Windows.
thread_local std::optional<ErrorInfo> t_errorInfo;

}  // namespace

void SetErrorInfo(ErrorInfo info) { t_errorInfo = std::move(info); }

std::optional<ErrorInfo> GetErrorInfo() { return std::exchange(t_errorInfo, std::nullopt); }

void ClearErrorInfo() { t_errorInfo.reset(); }

HRESULT ReportError(HRESULT hr, std::string_view source, std::string_view description,
                    const GUID& iid) {
  SetErrorInfo({std::string(source), std::string(description), iid});
  return hr;
}

}  // namespace quelmar::com
