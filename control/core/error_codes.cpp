#include "control/core/error_codes.h"

#include "platform/com/hresult.h"

namespace quelmar {

const ErrorCodeInfo kErrorCodes[10] = {
    {ErrorCode::Failed, "Failed", com::E_FAIL, 500},
    {ErrorCode::InvalidArgument, "InvalidArgument", com::E_INVALIDARG, 400},
    {ErrorCode::MissingPointer, "MissingPointer", com::E_POINTER, 400},
    {ErrorCode::TypeMismatch, "TypeMismatch", com::DISP_E_TYPEMISMATCH, 400},
    {ErrorCode::Overflow, "Overflow", com::DISP_E_OVERFLOW, 400},
    {ErrorCode::BadType, "BadType", com::DISP_E_BADVARTYPE, 400},
    {ErrorCode::NotImplemented, "NotImplemented", com::E_NOTIMPL, 501},
    {ErrorCode::OutOfMemory, "OutOfMemory", com::E_OUTOFMEMORY, 503},
    {ErrorCode::Unexpected, "Unexpected", com::E_UNEXPECTED, 500},
    {ErrorCode::WrongThread, "WrongThread", com::RPC_E_WRONG_THREAD, 500},
};

const ErrorCodeInfo& InfoOf(ErrorCode code) {
  const auto index = static_cast<std::size_t>(code);
  return index < std::size(kErrorCodes) ? kErrorCodes[index] : kErrorCodes[0];
}

ErrorCode CodeOfResult(std::int32_t result) {
  for (const ErrorCodeInfo& info : kErrorCodes) {
    if (info.Result == result) return info.Code;
  }
  return ErrorCode::Failed;
}

}  // namespace quelmar
