#pragma once
// The control's exception root. Engine code throws these with an error code
// (error_codes.h); the automation boundary turns each into the code's
// HRESULT with its message.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "control/core/error_codes.h"

namespace quelmar {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message, ErrorCode code = ErrorCode::Failed)
      : std::runtime_error(message), code_(code) {}
  ErrorCode code() const { return code_; }
  // The HRESULT hosts see.
  std::int32_t result() const { return ResultOf(code_); }

 private:
  ErrorCode code_;
};

// A host argument that cannot be used (wrong type, not a number, out of range).
class ArgumentError : public Error {
 public:
  explicit ArgumentError(const std::string& message, ErrorCode code = ErrorCode::InvalidArgument)
      : Error(message, code) {}
};

// Malformed map data: a damaged or hostile file, a member that does not
// decode. Readers end the operation with it and keep what they read before.
class DataError : public Error {
 public:
  explicit DataError(const std::string& message) : Error(message, ErrorCode::Failed) {}
};

// A file or folder that cannot be opened, read or written.
class IoError : public Error {
 public:
  explicit IoError(const std::string& message) : Error(message, ErrorCode::Failed) {}
};

}  // namespace quelmar
