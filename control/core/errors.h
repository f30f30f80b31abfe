#pragma once
// The control's exception root. Engine code throws these; the automation
// boundary turns each into a failure result code with its message.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace quelmar {

class Error : public std::runtime_error {
 public:
  // `code` is the result code hosts see (E_FAIL unless a reader or argument says otherwise).
  explicit Error(const std::string& message, std::int32_t code = static_cast<std::int32_t>(0x80004005u))
      : std::runtime_error(message), code_(code) {}
  std::int32_t code() const { return code_; }

 private:
  std::int32_t code_;
};

// A host argument that cannot be used (wrong type, not a number, out of range).
class ArgumentError : public Error {
 public:
  using Error::Error;
};

// Malformed map data: a damaged or hostile file, a member that does not
// decode. Readers end the operation with it and keep what they read before.
class DataError : public Error {
 public:
  explicit DataError(const std::string& message) : Error(message, static_cast<std::int32_t>(0x80004005u)) {}
};

// A file or folder that cannot be opened, read or written.
class IoError : public Error {
 public:
  explicit IoError(const std::string& message) : Error(message, static_cast<std::int32_t>(0x80004005u)) {}
};

}  // namespace quelmar
