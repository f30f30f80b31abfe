#pragma once
// Error information of the calling thread, as the Windows object model keeps
// it: a failing member stores a source and a description next to its HRESULT,
// and the caller takes them (once) after seeing the failure. Each thread has
// its own; the record lives in the platform library so that every module of
// the process shares it.
#include <optional>
#include <string>
#include <string_view>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

namespace quelmar::com {

struct ErrorInfo {
  std::string source;       // UTF-8, e.g. the programmatic identifier
  std::string description;  // UTF-8
  GUID iid{};               // interface that failed, IID_NULL when unknown
};

// Replaces this thread's error information.
void SetErrorInfo(ErrorInfo info);
// Takes this thread's error information and clears it.
std::optional<ErrorInfo> GetErrorInfo();
void ClearErrorInfo();

// Sets the error information and returns hr, for `return ReportError(...)`.
HRESULT ReportError(HRESULT hr, std::string_view source, std::string_view description,
                    const GUID& iid = GUID{});

}  // namespace quelmar::com
